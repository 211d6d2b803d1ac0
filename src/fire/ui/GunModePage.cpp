// The gun-mode page: the seven modes, their fire macros' parameters and the confirm write.
#include "controls/skinned/ui/RectShape.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "device/ProfileWriteBack.h"
#include "fire/GunModes.h"
#include "fire/ui/FireControls.h"
#include "fire/ui/FirePage.h"
#include "keys/ModelKeys.h"

#include <QButtonGroup>
#include <QListWidget>
#include <QRadioButton>

namespace trvx {
namespace {

enum Field { kCount, kMoveX, kMoveY, kOffsetX, kOffsetY, kTime };

std::string FieldEdit(Field f, int g) {
    switch (f) {
    case kCount:
        return Numbered("Edt_FireCnt", g);
    case kMoveX:
        return Numbered("Edt_FireX", g);
    case kMoveY:
        return Numbered("Edt_FireY", g);
    case kOffsetX:
        return Numbered("Edt_FireX", g, "Offset");
    case kOffsetY:
        return Numbered("Edt_FireY", g, "Offset");
    case kTime:
        return Numbered("Edt_FireTime", g);
    }
    return {};
}

std::vector<std::string> GroupControls(int g) {
    std::vector<std::string> names;
    for (Field f : {kCount, kMoveX, kOffsetX, kMoveY, kOffsetY, kTime})
        names.push_back(FieldEdit(f, g));
    for (const char* stem : {"IB_FireColor", "cs_FireColor", "Img_FireColor"})
        names.push_back(Numbered(stem, g));
    return names;
}

int EditValue(const Page& page, const std::string& name) {
    auto* e = EditAt(page, name);
    return e ? ParseDecimal(e->text().toStdString()).value_or(0) : 0;
}

} // namespace

void FirePage::WireGunModes() {
    // The mode radios and the delay-mode radios are choices of their own, apart from the page
    // radios.
    auto* modes = new QButtonGroup(this);
    for (int m = 1; m <= kGunModes; ++m)
        if (auto* rb = qobject_cast<QRadioButton*>(Control(Numbered("rb_Fire", m)))) {
            if (rb->group() != nullptr)
                rb->group()->removeButton(rb);
            modes->addButton(rb);
        }
    if (auto* rb = qobject_cast<QRadioButton*>(Control("rb_Fire1")))
        rb->setChecked(true);
    if (auto* c = qobject_cast<SkinCheckBox*>(Control("cb_FireSelLeft")))
        c->setChecked(true);

    ConnectClick(Control("Key_FireMacro"), this, [this] { Key_FireMacroClick(selectedKey_); });
    for (int k = 1; k <= 12; ++k)
        if (QWidget* key = Control(NumberedName("Key", k)))
            key->installEventFilter(this);
    for (int m = 1; m <= kGunModes; ++m) {
        ConnectClick(Control(Numbered("Btn_Fire", m)), this, [this, m] { Btn_FireClick(m); });
        if (auto* l = qobject_cast<TUniLabel*>(Control(Numbered("Btn_Fire", m)))) {
            connect(l, &TUniLabel::mouseEnter, this, [this, m] {
                Host().SetPicture(Numbered("Img_Fire", m), Numbered("Gun", m, "_02"));
            });
            connect(l, &TUniLabel::mouseLeave, this, [this, m] {
                if (CurrentMode() != m)
                    Host().SetPicture(Numbered("Img_Fire", m), Numbered("Gun", m, "_01"));
            });
        }
    }
    ConnectClick(Control("lbl_FireSelLeft"), this, [this] { lbl_FireSelLeftClick(); });
    ConnectClick(Control("Btn_FireConfirm"), this, [this] { Btn_FireConfirmClick(); });
    ConnectClick(Control("Btn_FireExit"), this, [this] { Btn_FireExitClick(); });
    for (const char* b : {"FireConfirm", "FireExit"})
        if (auto* l = qobject_cast<TUniLabel*>(Control(std::string("Btn_") + b))) {
            const std::string picture = std::string("Img_") + b;
            connect(l, &TUniLabel::mouseEnter, this,
                    [this, picture] { Host().SetPicture(picture, "BtnS_02"); });
            connect(l, &TUniLabel::mouseLeave, this,
                    [this, picture] { Host().SetPicture(picture, "BtnS_01"); });
        }
    for (int g = 1; g <= 3; ++g)
        ConnectClick(Control(Numbered("IB_FireColor", g)), this,
                     [this, g] { IB_FireColorClick(g); });
    for (int g = 1; g <= 3; ++g)
        for (Field f : {kCount, kMoveX, kMoveY, kOffsetX, kOffsetY, kTime})
            if (auto* e = EditAt(*this, FieldEdit(f, g))) {
                DigitsOnly(e, f != kCount && f != kTime);
                connect(e, &SkinEdit::changed, this,
                        [this, f, g] { FireEditChanged(QString::number(f), g); });
            }
}

int FirePage::CurrentMode() const {
    for (int m = 1; m <= kGunModes; ++m)
        if (auto* rb = qobject_cast<QRadioButton*>(Control(Numbered("rb_Fire", m)));
            rb && rb->isChecked())
            return m;
    return 1;
}

std::optional<int> FirePage::SlotOfGroup(int group) const {
    const auto modeSlots = GunModeSlots(CurrentMode());
    if (group < 1 || group > static_cast<int>(modeSlots.size()))
        return std::nullopt;
    return modeSlots[static_cast<std::size_t>(group - 1)];
}

void FirePage::RecomputeLength(int slot) {
    FireMacroArea area{};
    const auto& macros = Host().Model().Sections().FireMacros;
    for (std::size_t s = 0; s < kFireMacroSlots; ++s)
        std::copy(macros[s].begin(), macros[s].end(),
                  area.begin() + static_cast<std::ptrdiff_t>(s * kFireMacroSize));
    if (const auto length = FireMacroUsedLength(area, slot))
        lengths_[static_cast<std::size_t>(slot)] = *length;
}

void FirePage::Key_FireMacroClick(int keyNumber) {
    Host().HideAllMenu();
    selectedKey_ = std::clamp(keyNumber, 1, 12);
    for (int p = 1; p <= 7; ++p)
        if (QWidget* page = Control(NumberedName("gbPage", p)))
            page->setVisible(p == 6);
    {
        const PageHost::TransferScope transfer(Host());
        RefreshProfileParameter(Host().Mouse(), Host().Model());
    }
    Btn_FireClick(1);
}

void FirePage::InitFireParameter() {
    for (int g = 1; g <= 3; ++g)
        for (Field f : {kCount, kMoveX, kMoveY, kOffsetX, kOffsetY, kTime})
            SetEditText(*this, FieldEdit(f, g), QStringLiteral("0"));
}

void FirePage::Btn_FireClick(int mode) {
    gunModeLoading_ = true;
    if (auto* rb = qobject_cast<QRadioButton*>(Control(Numbered("rb_Fire", mode))))
        rb->setChecked(true);
    InitFireParameter();
    for (int g = 2; g <= 3; ++g)
        for (const std::string& name : GroupControls(g))
            if (QWidget* w = Control(name))
                w->setVisible(g == 2 ? mode >= 6 : mode == 7);
    for (int i = 1; i <= 5; ++i)
        if (QWidget* w = Control(Numbered("Img_GunMode", i)))
            w->setVisible(i <= 2 ? mode == 6 : mode == 7);
    // The mode pictures change only with the mode (the window starts with mode 1's).
    if (mode != picturedMode_) {
        for (int m = 1; m <= kGunModes; ++m)
            Host().SetPicture(Numbered("Img_Fire", m),
                              Numbered("Gun", m, m == mode ? "_02" : "_01"));
        picturedMode_ = mode;
    }

    const auto modeSlots = GunModeSlots(mode);
    const WorkingModel& model = Host().Model();
    for (int s : modeSlots)
        RecomputeLength(s);
    for (int g = 1; g <= static_cast<int>(modeSlots.size()); ++g) {
        const int s = modeSlots[static_cast<std::size_t>(g - 1)];
        const auto& slot = model.Sections().FireMacros[static_cast<std::size_t>(s)];
        const FireMacroFields f = ParseFireMacro(slot, lengths_[static_cast<std::size_t>(s)]);
        fields_[static_cast<std::size_t>(s)] = f;
        // A field the slot does not hold has no byte to change: its edit is disabled.
        auto show = [&](Field field, const std::optional<FireField>& value) {
            if (auto* e = EditAt(*this, FieldEdit(field, g))) {
                if (value)
                    SetEditText(*this, FieldEdit(field, g), QString::number(value->value));
                e->setEnabled(value.has_value());
            }
        };
        show(kCount, f.count);
        show(kMoveX, f.moveX);
        show(kMoveY, f.moveY);
        show(kTime, f.delay);
        SetEditText(*this, FieldEdit(kOffsetX, g), QString::number(model.XOffset(s + 1)));
        SetEditText(*this, FieldEdit(kOffsetY, g), QString::number(model.YOffset(s + 1)));
        PaintSwatch(Numbered("cs_FireColor", g), model.PaletteColour(s + 1));
    }
    gunModeLoading_ = false;
}

void FirePage::FireEditChanged(const QString& stem, int group) {
    const auto field = static_cast<Field>(stem.toInt());
    const std::string name = FieldEdit(field, group);
    auto* e = EditAt(*this, name);
    if (e == nullptr)
        return;
    const std::string text = e->text().toStdString();
    EditOutcome out;
    switch (field) {
    case kCount:
        out = GunCountChanged(text);
        break;
    case kTime:
        out = GunTimeChanged(text);
        break;
    case kMoveX:
        out = GunAxisChanged(text, EditValue(*this, FieldEdit(kOffsetX, group)));
        break;
    case kMoveY:
        out = GunAxisChanged(text, EditValue(*this, FieldEdit(kOffsetY, group)));
        break;
    case kOffsetX:
        out = GunAxisChanged(text, EditValue(*this, FieldEdit(kMoveX, group)));
        break;
    case kOffsetY:
        out = GunAxisChanged(text, EditValue(*this, FieldEdit(kMoveY, group)));
        break;
    }
    if (out.corrected) {
        e->setText(QString::fromStdString(*out.corrected)); // runs this handler again
        return;
    }
    if (gunModeLoading_ || !out.store)
        return;
    const auto slot = SlotOfGroup(group);
    if (!slot)
        return;
    const auto s = static_cast<std::size_t>(*slot);
    WorkingModel& model = Host().Model();
    auto& bytes = model.EditSections().FireMacros[s];
    const FireMacroFields& f = fields_[s];
    const int v = *out.store;
    auto put = [&](const std::optional<FireField>& at, int value) {
        if (at && at->position >= 0 && at->position < static_cast<int>(bytes.size()))
            bytes[static_cast<std::size_t>(at->position)] = static_cast<std::uint8_t>(value & 0xFF);
    };
    switch (field) {
    case kCount:
        put(f.count, v);
        break;
    case kMoveX:
        put(f.moveX, v);
        break;
    case kMoveY:
        put(f.moveY, v);
        break;
    case kTime:
        if (f.delay && f.delay->position + 1 < static_cast<int>(bytes.size())) {
            put(f.delay, v >> 8);
            bytes[static_cast<std::size_t>(f.delay->position + 1)] =
                static_cast<std::uint8_t>(v & 0xFF);
        }
        break;
    // Offsets live in the working user section; Confirm sends it.
    case kOffsetX:
        model.SetXOffset(*slot + 1, v);
        break;
    case kOffsetY:
        model.SetYOffset(*slot + 1, v);
        break;
    }
}

void FirePage::PaintSwatch(const std::string& name, RgbColour c) {
    if (auto* shape = qobject_cast<RectShape*>(Control(name))) {
        shape->setBrushColor(QColor(c.red, c.green, c.blue));
        shape->setPenColor(QColor(c.red, c.green, c.blue));
    }
}

void FirePage::IB_FireColorClick(int group) {
    if (Filling())
        return;
    // Group g shows the colour of its slot in the current mode; a hidden group has none.
    const auto slot = SlotOfGroup(group);
    if (!slot)
        return;
    const int colour = *slot + 1;
    WorkingModel& model = Host().Model();
    const RgbColour old = model.PaletteColour(colour);
    const auto chosen = ChooseRgb(old);
    if (!chosen)
        return;
    const RgbColour c = *chosen;
    // The palette colour is the lighting page's too: both swatches show it, and it goes to the
    // mouse at once as the lighting page sends it.
    const auto write = model.SetPaletteColour(colour, c);
    PaintSwatch(Numbered("cs_FireColor", group), c);
    Host().PaletteChanged();
    if (write && Host().Mouse().IsAccepted()) {
        const PageHost::TransferScope transfer(Host());
        SendRegisterWrite(Host().Mouse(), *write);
    }
}

void FirePage::lbl_FireSelLeftClick() {
    auto* c = qobject_cast<SkinCheckBox*>(Control("cb_FireSelLeft"));
    if (c == nullptr)
        return;
    c->setChecked(!c->isChecked());
    Host().SetPicture("Img_FireSelLeft", c->isChecked() ? "CbS_E" : "CbS_D");
}

std::uint8_t FirePage::GunKeyOption() const {
    std::vector<std::string> gunNames;
    for (int i = 1; i <= 10; ++i)
        gunNames.push_back("Fire Macro" + std::to_string(i));
    for (int i = 0; i < 7; ++i)
        gunNames.push_back(Host().LangText("Str60" + std::to_string(i)));
    const auto names = KeyNames();
    std::uint8_t option = 0;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k) {
            const std::string& name = names[static_cast<std::size_t>(12 * (p - 1) + k - 1)];
            if (!name.empty() &&
                std::find(gunNames.begin(), gunNames.end(), name) != gunNames.end())
                option = ProfileKeyEntry(Host().Model(), p, k).p3();
        }
    return option;
}

void FirePage::LeaveGunPage(const char* picture, const char* image) {
    Host().HideAllMenu();
    ShowRecorder(false);
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_macro")))
        list->clear();
    Host().SetPicture(picture, image);
    for (int p = 1; p <= 7; ++p)
        if (QWidget* page = Control(NumberedName("gbPage", p)))
            page->setVisible(p == 1);
}

void FirePage::Btn_FireConfirmClick() {
    Host().HideAllMenu();
    // The mouse keeps gun modes in the game-mode profile only: anywhere else the choice would
    // be lost, so it is refused while the user can still go there.
    auto* profile2 = qobject_cast<QRadioButton*>(Control("rb_2"));
    if (profile2 == nullptr || !profile2->isChecked()) {
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str622")));
        return;
    }
    LeaveGunPage("Img_FireConfirm", "BtnS_03");
    const int mode = CurrentMode();
    const int key = selectedKey_;
    if (auto* label = qobject_cast<TUniLabel*>(Control(NumberedName("Key", key))))
        label->SetCaption(
            QString::fromStdString(Host().LangText("Str60" + std::to_string(mode - 1)))
                .toStdU16String());
    WorkingModel& model = Host().Model();
    auto* left = qobject_cast<SkinCheckBox*>(Control("cb_FireSelLeft"));
    const TKeyEntry entry =
        GunModeEntry(mode, left == nullptr || left->isChecked(), Host().Settings().Gun6Num,
                     Host().Settings().Gun7Num, GunKeyOption());
    SetProfileKeyEntry(model, 2, key, entry);
    const StorageKind kind = Host().CurrentStorage();
    const auto fireMacros = model.FireMacroWrite(kind);
    if (Filling())
        return;
    AcceptedMouse& mouse = Host().Mouse();
    const PageHost::TransferScope transfer(Host());
    for (int k = 1; k <= 10; ++k) {
        const RgbColour c = model.PaletteColour(k);
        SendRegisterWrite(
            mouse,
            {0, static_cast<std::uint8_t>(reg::kPalette + 3 * (k - 1)), {c.red, c.green, c.blue}});
    }
    SendRegisterWrite(mouse, model.UserSectionWrite());
    if (const auto profiles = model.ProfileWrite(kind))
        mouse.WriteBlock(profiles->address, profiles->bytes);
    if (const auto id = model.IdBlockWrite(kind))
        mouse.WriteBlock(id->address, id->bytes);
    if (fireMacros)
        mouse.WriteBlock(fireMacros->address, fireMacros->bytes);
    RefreshProfileParameter(mouse, model);
    SendRegisterWrite(mouse, {0, static_cast<std::uint8_t>(reg::kProfile), {15}});
    SendRegisterWrite(
        mouse, {0, static_cast<std::uint8_t>(reg::kProfile), {model.Sections().UserSection[0]}});
}

void FirePage::Btn_FireExitClick() {
    LeaveGunPage("Img_FireExit", "BtnS_03");
}

} // namespace trvx
