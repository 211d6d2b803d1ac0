// The engineering page's lighting controls: LED type, counts and mode, the mode check boxes,
// the MCU-LED combos, the palette and breathing edits, the profile colours and the LED-mode
// gesture. They show the same working model as the lighting page, and every change on either
// page is shown on both.

#include "controls/skinned/ui/SkinCheckBox.h"
#include "device/ProfileWriteBack.h"
#include "keys/ModeSwitchOptions.h"
#include "keys/ui/KeyCaptions.h"
#include "pages/ui/ControlText.h"
#include "sensitivity/LightingRules.h"
#include "sensitivity/SensitivityRules.h"
#include "sensitivity/ui/LightingPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <optional>

namespace trvx {
namespace {

constexpr std::array<const char*, 3> kChannels{"R", "G", "B"};
constexpr std::array<const char*, 4> kBreathEdits{"edt_Lower", "edt_Upper", "edt_LowerTime",
                                                  "edt_UpperTime"};
// Asked before the LED type changes: the defaults rebuilt for the new type replace the mouse's
// macros and keys.
constexpr const char* kAskLedType = "Str190";

std::string ColourEditName(int colour, int channel) {
    return NumberedName("edt_Col", colour) + kChannels[static_cast<std::size_t>(channel)];
}

void SetVisible(QWidget* w, bool on) {
    if (w != nullptr)
        w->setVisible(on);
}

void SetIndex(QComboBox* combo, int index) {
    if (combo != nullptr && index >= 0 && index < combo->count())
        combo->setCurrentIndex(index);
}

// An edit shows a number without running its change handler.
void ShowNumber(QWidget* w, int value) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (edit == nullptr)
        return;
    const QString text = QString::number(value);
    if (edit->text() == text)
        return;
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// The value an edit stands for, or nothing when the edit is missing or its text was out of
// range: the corrected text then runs the edit's handler again, which takes the value.
std::optional<int> TakeEditValue(QLineEdit* edit, int limit) {
    if (edit == nullptr)
        return std::nullopt;
    const ClampedEdit value = ClampEditValue(edit->text().toStdString(), limit);
    if (value.corrected) {
        edit->setText(QString::number(value.value));
        return std::nullopt;
    }
    return value.value;
}

} // namespace

void LightingPage::WireEngineerCopies() {
    const auto onChoose = [this](const char* name, auto handler) {
        if (auto* combo = qobject_cast<QComboBox*>(Control(name)))
            connect(combo, &QComboBox::activated, this, handler);
    };
    onChoose("cb_LEDMode", [this] { cb_LEDModeChange(); });
    onChoose("cb_LEDNum", [this] { cb_LEDNumChange(); });
    for (const char* name : {"cb_MCULEDNum", "cb_MCULEDCtrl", "cb_MCULEDStep"})
        onChoose(name, [this] { cb_MCULEDNumChange(); });
    onChoose("cb_BreMode", [this] { cb_BreModeChange(); });
    for (int p = 1; p <= 3; ++p)
        onChoose(NumberedName("cb_Profile", p).append("Color").c_str(),
                 [this, p] { cb_ProfileColorChange(p); });
    for (const char* name : {"cb_Profile", "cb_ProfileColor"})
        onChoose(name, [this] { cb_ProfileChange(); });
    onChoose("cb_ChangeLEDModeFun", [this] { cb_ChangeLEDModeFunChange(); });
    for (int k = 0; k <= 6; ++k)
        if (auto* box = qobject_cast<SkinCheckBox*>(Control(NumberedName("cb_Mode", k))))
            connect(box, &SkinCheckBox::clicked, this, [this] { TLRefreshBreathMode(); });

    for (int n = 1; n <= 10; ++n)
        for (int c = 0; c < 3; ++c)
            if (auto* edit = qobject_cast<QLineEdit*>(Control(ColourEditName(n, c)))) {
                edit->setMaxLength(3);
                connect(edit, &QLineEdit::textChanged, this, [this, n, c] { edt_ColChange(n, c); });
            }
    for (int i = 0; i < 4; ++i)
        if (auto* edit =
                qobject_cast<QLineEdit*>(Control(kBreathEdits[static_cast<std::size_t>(i)]))) {
            edit->setMaxLength(5);
            connect(edit, &QLineEdit::textChanged, this,
                    [this, i] { edt_BreathChange(static_cast<BreathParameter>(i)); });
        }
    if (auto* edit = qobject_cast<QLineEdit*>(Control("edt_StepTime"))) {
        edit->setMaxLength(3);
        connect(edit, &QLineEdit::textChanged, this, [this] { edt_StepTimeChange(); });
    }
}

// ---- Showing the model -----------------------------------------------------------------------

std::array<bool, 7> LightingPage::ModeBoxesChecked() const {
    std::array<bool, 7> checked{};
    for (int k = 0; k <= 6; ++k)
        if (auto* box = qobject_cast<SkinCheckBox*>(Control(NumberedName("cb_Mode", k))))
            checked[static_cast<std::size_t>(k)] = box->isChecked();
    return checked;
}

void LightingPage::TLRefreshLEDTypeMode(LedType type) {
    const bool sync = type == LedType::Sync;
    const bool nt = type == LedType::NT, mcu = type == LedType::MCULED;
    // The MCU-LED count has a caption of its own, so the NT count's shows for NT only.
    SetVisible(Control("lbl_LEDNum"), nt);
    SetVisible(Control("cb_LEDNum"), nt);
    SetVisible(Control("lbl_MCULEDNum"), mcu);
    SetVisible(Control("cb_MCULEDNum"), mcu);
    for (const char* name : {"lbl_MCULEDStep", "cb_MCULEDStep", "lbl_MCULEDCtrl", "cb_MCULEDCtrl"})
        SetVisible(Control(name), mcu);
    for (const char* name : {"gbLEDColor", "gbCPIColor"})
        SetVisible(Control(name), !sync);
    for (int p = 1; p <= 3; ++p) {
        SetVisible(Control(NumberedName("lbl_Profile", p) + "Color"), !sync);
        SetVisible(Control(NumberedName("cb_Profile", p) + "Color"), !sync);
    }
    // The boxes the type offers, captioned with its mode names; their states stay.
    const std::vector<OfferedModeBox> offered = OfferedModeBoxes(type);
    const auto& names = Host().LedModeNames();
    for (int k = 0; k <= 6; ++k) {
        QWidget* box = Control(NumberedName("cb_Mode", k));
        const auto it = std::find_if(offered.begin(), offered.end(),
                                     [k](const OfferedModeBox& b) { return b.box == k; });
        SetVisible(box, it != offered.end());
        if (it != offered.end())
            SetControlCaption(
                box, QString::fromStdString(names[static_cast<std::size_t>(it->nameIndex)]));
    }
}

void LightingPage::ShowModeList(LedType type, const std::array<bool, 7>& checked) {
    auto* combo = qobject_cast<QComboBox*>(Control("cb_BreMode"));
    if (combo == nullptr)
        return;
    const int index = combo->currentIndex();
    QStringList texts;
    for (const std::string& item : ModeItems(type, checked, Host().LedModeNames()))
        texts << QString::fromStdString(item);
    SetControlItems(combo, texts);
    SetIndex(combo, index);
}

void LightingPage::ShowEngineerCopies() {
    const bool wasShowing = showing_;
    showing_ = true;
    const WorkingModel& model = Host().Model();
    const LedType type = model.LedTypeOfMode();
    SetIndex(qobject_cast<QComboBox*>(Control("cb_LEDMode")), ItemOfLedType(type));
    TLRefreshLEDTypeMode(type);
    const std::array<bool, 7> checked = CheckedOfMask(type, model.LedModeMask());
    for (int k = 0; k <= 6; ++k)
        if (auto* box = qobject_cast<SkinCheckBox*>(Control(NumberedName("cb_Mode", k))))
            box->setChecked(checked[static_cast<std::size_t>(k)]);
    ShowModeList(type, checked);
    if (const auto item = ItemOfMode(type, model.LedMode()))
        SetIndex(qobject_cast<QComboBox*>(Control("cb_BreMode")), *item);

    // The count follows register 165; a single LED is not offered for this type, for it is
    // stored as the MCU type's byte.
    if (auto* count = qobject_cast<QComboBox*>(Control("cb_LEDNum"))) {
        if (auto* items = qobject_cast<QStandardItemModel*>(count->model()))
            for (int i = 0; i < kNtLedCountFirstItem && i < items->rowCount(); ++i)
                if (QStandardItem* item = items->item(i))
                    item->setEnabled(false);
        if (type == LedType::NT)
            SetIndex(count, model.LedCountIndex());
    }
    // Only an EEPROM mouse stores the MCU-LED settings.
    const bool storable = Host().CurrentStorage() == StorageKind::I2C;
    for (const char* name : {"cb_MCULEDNum", "cb_MCULEDCtrl", "cb_MCULEDStep"})
        if (QWidget* w = Control(name))
            w->setEnabled(storable);
    if (type == LedType::MCULED) {
        const int step = model.McuLedStep();
        if (step >= 0 && step <= 7)
            SetIndex(qobject_cast<QComboBox*>(Control("cb_MCULEDStep")), step);
        SetIndex(qobject_cast<QComboBox*>(Control("cb_MCULEDCtrl")),
                 (model.McuLedControl() & 0x80) != 0 ? 1 : 0);
        const int nibble = model.McuLedControl() & 0x0F;
        if (nibble <= 9)
            SetIndex(qobject_cast<QComboBox*>(Control("cb_MCULEDNum")), 9 - nibble);
    }

    for (int n = 1; n <= 10; ++n) {
        const RgbColour c = model.PaletteColour(n);
        ShowNumber(Control(ColourEditName(n, 0)), c.red);
        ShowNumber(Control(ColourEditName(n, 1)), c.green);
        ShowNumber(Control(ColourEditName(n, 2)), c.blue);
    }
    for (int i = 0; i < 4; ++i)
        ShowNumber(Control(kBreathEdits[static_cast<std::size_t>(i)]),
                   model.Breath(static_cast<BreathParameter>(i)));
    ShowNumber(Control("edt_StepTime"), model.StepTime());
    ShowProfileColours();
    TLRefreshLEDModeFun();
    showing_ = wasShowing;
}

void LightingPage::ShowProfileColours() {
    // Each profile's colour travels in the entries of the keys that switch to it.
    const KeyEntryContext ctx = KeyContextOf(Host());
    const WorkingModel& model = Host().Model();
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k) {
            const auto caption = KeyCodeToText(TKeyEntry(model.ProfileKey(p, k)), ctx);
            if (caption.profileColour)
                SetIndex(
                    qobject_cast<QComboBox*>(Control(
                        NumberedName("cb_Profile", caption.profileColour->profile + 1) + "Color")),
                    caption.profileColour->item);
        }
}

void LightingPage::TLRefreshLEDModeFun() {
    const WorkingModel& model = Host().Model();
    const KeyEntryContext ctx = KeyContextOf(Host());
    const bool on = LedModeFunctionOf(model, KeyCodesToKeyNames(model, ctx), ctx);
    SetIndex(qobject_cast<QComboBox*>(Control("cb_ChangeLEDModeFun")), on ? 1 : 0);
    Host().SetPicture("Img_ComboKey1", on ? "CbS_E" : "CbS_D");
}

// ---- LED type and mode -----------------------------------------------------------------------

void LightingPage::cb_LEDModeChange() {
    Host().HideAllMenu();
    auto* combo = qobject_cast<QComboBox*>(Control("cb_LEDMode"));
    if (combo == nullptr || Filling() || showing_)
        return;
    WorkingModel& model = Host().Model();
    const LedType old = model.LedTypeOfMode();
    const int item = combo->currentIndex();
    if (item < 0 || item > 3 || LedTypeOfItem(item) == old)
        return;
    // The new type's defaults replace the macros and keys: a "no" leaves all as it was.
    if (!Host().Ask(QString::fromStdString(Host().LangText(kAskLedType)))) {
        SetIndex(combo, ItemOfLedType(old));
        return;
    }
    const LedType type = LedTypeOfItem(item);
    if (auto* package = qobject_cast<QComboBox*>(Control("cb_Package")))
        SetIndex(package, type == LedType::RGB ? 1 : 0);
    if (auto* keyboard = qobject_cast<QComboBox*>(Control("cb_KbdType")))
        SetIndex(keyboard, type == LedType::RGB ? 1 : 0);
    // Every mode the type offers is switched on, and the type starts on its default mode.
    std::array<bool, 7> checked{};
    for (const OfferedModeBox& b : OfferedModeBoxes(type))
        checked[static_cast<std::size_t>(b.box)] = true;
    int count = kNtLedCountFirstItem;
    if (auto* counts = qobject_cast<QComboBox*>(Control("cb_LEDNum")))
        count = std::max(kNtLedCountFirstItem, counts->currentIndex());
    const int mode = ModeOfItem(type, DefaultModeItem(type)).value_or(0);
    {
        PageHost::TransferScope scope(Host());
        if (auto write = model.SetLedModeMask(ModeMaskOf(type, checked)))
            SendRegisterWrite(Host().Mouse(), *write);
        if (auto write = model.SetLedModeByte(WorkingModel::EncodeLedModeByte(type, mode, count)))
            SendRegisterWrite(Host().Mouse(), *write);
    }
    ShowAll();
    // The default sections depend on the type: the engineering page's restore rebuilds and
    // sends them.
    if (auto* restore = qobject_cast<QAbstractButton*>(Control("Btn_Default")))
        restore->click();
}

void LightingPage::WriteModeItem(LedType type, int item) {
    const auto mode = ModeOfItem(type, item);
    if (!mode)
        return;
    WorkingModel& model = Host().Model();
    // An NT chain keeps the LED count register 165 holds.
    const int count = std::max(kNtLedCountFirstItem, model.LedCountIndex());
    SendWrite(model.SetLedModeByte(WorkingModel::EncodeLedModeByte(type, *mode, count)));
}

void LightingPage::cb_BreModeChange() {
    Host().HideAllMenu();
    auto* combo = qobject_cast<QComboBox*>(Control("cb_BreMode"));
    if (combo == nullptr || Filling() || showing_)
        return;
    const int item = combo->currentIndex();
    if (item < 0 || combo->itemText(item) == QLatin1String(kModeOffText))
        return;
    WriteModeItem(Host().Model().LedTypeOfMode(), item);
    ShowModeButtons();
}

void LightingPage::cb_LEDNumChange() {
    Host().HideAllMenu();
    auto* combo = qobject_cast<QComboBox*>(Control("cb_LEDNum"));
    if (combo == nullptr || Filling() || showing_)
        return;
    WorkingModel& model = Host().Model();
    const auto value = NtLedCountByte(model.LedModeByte(), combo->currentIndex());
    if (!value || model.LedTypeOfMode() != LedType::NT) {
        // A count the type does not take: the combo goes back to what register 165 holds.
        ShowEngineerCopies();
        return;
    }
    SendWrite(model.SetLedModeByte(*value));
}

void LightingPage::TLRefreshBreathMode() {
    if (Filling() || showing_)
        return;
    WorkingModel& model = Host().Model();
    const LedType type = model.LedTypeOfMode();
    const std::array<bool, 7> checked = ModeBoxesChecked();
    ShowModeList(type, checked);
    SendWrite(model.SetLedModeMask(ModeMaskOf(type, checked)));
    ShowModeButtons();
    // The selected mode was switched off: the first mode still on takes its place.
    auto* combo = qobject_cast<QComboBox*>(Control("cb_BreMode"));
    if (combo == nullptr || combo->currentIndex() < 0 ||
        combo->currentText() != QLatin1String(kModeOffText))
        return;
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i).toStdString());
    if (const auto first = FirstNamedItem(items)) {
        combo->setCurrentIndex(*first);
        cb_BreModeChange();
    }
}

void LightingPage::cb_MCULEDNumChange() {
    if (Filling() || showing_)
        return;
    auto* step = qobject_cast<QComboBox*>(Control("cb_MCULEDStep"));
    auto* control = qobject_cast<QComboBox*>(Control("cb_MCULEDCtrl"));
    auto* count = qobject_cast<QComboBox*>(Control("cb_MCULEDNum"));
    if (step == nullptr || control == nullptr || count == nullptr)
        return;
    const int s = step->currentIndex(), c = count->currentIndex();
    if (s < 0 || s > 7 || c < 0 || c > 9 || Host().CurrentStorage() != StorageKind::I2C) {
        ShowEngineerCopies();
        return;
    }
    SendMcuLed(s, control->currentIndex() == 1, 4 + c);
}

// ---- Palette and breathing -------------------------------------------------------------------

void LightingPage::edt_ColChange(int colour, int channel) {
    if (showing_)
        return;
    Host().HideAllMenu();
    const auto value =
        TakeEditValue(qobject_cast<QLineEdit*>(Control(ColourEditName(colour, channel))), 255);
    if (!value)
        return;
    WorkingModel& model = Host().Model();
    const auto write = model.SetPaletteColourChannel(colour, channel, *value);
    if (!Filling())
        SendWrite(write);
    ShowSwatch(colour);
}

void LightingPage::edt_BreathChange(BreathParameter parameter) {
    if (showing_)
        return;
    Host().HideAllMenu();
    const auto value =
        TakeEditValue(qobject_cast<QLineEdit*>(Control(
                          kBreathEdits[static_cast<std::size_t>(static_cast<int>(parameter))])),
                      BreathLimit(parameter));
    if (!value || Filling())
        return;
    SendWrite(Host().Model().SetBreath(parameter, *value));
}

void LightingPage::edt_StepTimeChange() {
    if (showing_)
        return;
    Host().HideAllMenu();
    const auto value = TakeEditValue(qobject_cast<QLineEdit*>(Control("edt_StepTime")), 255);
    if (!value || Filling())
        return;
    SendWrite(Host().Model().SetStepTime(*value));
    DrawRow("Img_Fall", 10, FallLevelOfStepTime(*value));
}

// ---- Profile colours and the LED-mode gesture ------------------------------------------------

void LightingPage::cb_ProfileColorChange(int profile) {
    Host().HideAllMenu();
    auto* combo = qobject_cast<QComboBox*>(Control(NumberedName("cb_Profile", profile) + "Color"));
    if (combo == nullptr || Filling() || showing_ || profile < 1 || profile > 3)
        return;
    const auto code = ProfileColourCode(combo->currentIndex());
    if (!code)
        return;
    const auto on = [this](const char* name) {
        auto* c = qobject_cast<QComboBox*>(Control(name));
        return c != nullptr && c->currentIndex() == 1;
    };
    int offset = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(Control("edt_OffSet")))
        offset = edit->text().toInt(nullptr, 16);
    const auto entry =
        ProfileColourEntry(profile, *code, {on("cb_RTZ"), on("cb_AXY"), on("cb_CC")}, offset);
    // Every key that switches to this profile carries its colour.
    WorkingModel& model = Host().Model();
    const ProfileKeyNameTable names = KeyCodesToKeyNames(model, KeyContextOf(Host()));
    const std::string target = Host().LangText("Str25" + std::to_string(profile));
    bool changed = false;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            if (!target.empty() &&
                names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)] == target &&
                model.ProfileKey(p, k) != entry) {
                model.SetProfileKey(p, k, entry);
                changed = true;
            }
    if (!changed || !Host().Mouse().IsAccepted())
        return;
    PageHost::TransferScope scope(Host());
    WriteProfiles(Host().Mouse(), model);
}

void LightingPage::cb_ProfileChange() {
    Host().HideAllMenu();
    auto* profile = qobject_cast<QComboBox*>(Control("cb_Profile"));
    if (profile == nullptr || Filling() || showing_ || profile->currentIndex() < 0)
        return;
    ProfileComboState s;
    s.profileItem = profile->currentIndex();
    if (auto* colour = qobject_cast<QComboBox*>(Control("cb_ProfileColor")))
        s.colourItem = colour->currentIndex();
    s.buttonEffect = Host().Settings().BEEnable;
    s.gunDisplay = Host().Settings().GDEnable;
    if (auto* effect = qobject_cast<QComboBox*>(Control("cb_BtnEFT")))
        s.buttonEffectItem = effect->currentIndex();
    if (auto* edit = qobject_cast<QLineEdit*>(Control("edt_OffSet")))
        s.offset = edit->text().toInt(nullptr, 16);
    WorkingModel& model = Host().Model();
    PageHost::TransferScope scope(Host());
    for (const auto& [reg, value] : ProfileComboWrites(s))
        if (auto write = model.SetRegisters(reg, std::span(&value, 1)))
            SendRegisterWrite(Host().Mouse(), *write);
}

void LightingPage::cb_ChangeLEDModeFunChange() {
    Host().HideAllMenu();
    auto* combo = qobject_cast<QComboBox*>(Control("cb_ChangeLEDModeFun"));
    if (combo == nullptr || Filling() || showing_)
        return;
    const bool on = combo->currentIndex() == 1;
    Host().SetPicture("Img_ComboKey1", on ? "CbS_E" : "CbS_D");
    // Right + back cannot switch both the LED mode and the profile.
    if (auto* fire = qobject_cast<QComboBox*>(Control("cb_ChangeFireFun"));
        on && fire != nullptr && (fire->currentIndex() == 5 || fire->currentIndex() == 6)) {
        fire->setCurrentIndex(0);
        for (int n = 2; n <= 7; ++n)
            Host().SetPicture(NumberedName("Img_ComboKey", n), "CbS_D");
    }
    WorkingModel& model = Host().Model();
    const KeyEntryContext ctx = KeyContextOf(Host());
    ApplyLedModeFunction(model, KeyCodesToKeyNames(model, ctx), ctx, on);
    if (!Host().Mouse().IsAccepted())
        return;
    PageHost::TransferScope scope(Host());
    SendRegisterWrite(Host().Mouse(), model.VendorSectionWrite());
    WriteProfiles(Host().Mouse(), model);
}

} // namespace trvx
