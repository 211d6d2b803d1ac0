// The fire subsystem's controls on the engineering page: the mode-switch gesture and the gun
// keys' switch of the operator sheet, and on the gun sheet the combination-enable combos, the
// profile-switch options and the axis offsets. Each change writes at once.
#include "controls/skinned/ui/SkinCheckBox.h"
#include "device/ProfileWriteBack.h"
#include "fire/GameModeOptions.h"
#include "fire/GunModes.h"
#include "fire/ui/FireControls.h"
#include "fire/ui/FirePage.h"

namespace trvx {
namespace {

// In the order of NamedButtonValues: middle, back, forward, CPI loop, CPI +, CPI -.
constexpr const char* kComboEnCombos[kNamedOptionButtons] = {
    "cb_MidCom", "cb_BackCom", "cb_ForwardCom", "cb_CPICom", "cb_CPIICom", "cb_CPIDCom"};

} // namespace

void FirePage::WireEngineerFire() {
    // Design values: new gun-key scripts keep the left button.
    SetComboIndex(*this, "cb_SOSLB", 1);
    if (auto* c = qobject_cast<SkinComboBox*>(Control("cb_ChangeFireFun")))
        connect(c, &SkinComboBox::changed, this, [this] { cb_ChangeFireFunChange(); });
    if (auto* c = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode")))
        connect(c, &SkinCheckBox::clicked, this, [this] { cb_IsGunFireModeClick(); });
    for (const char* name : kComboEnCombos)
        if (auto* c = qobject_cast<SkinComboBox*>(Control(name)))
            connect(c, &SkinComboBox::changed, this, [this] { TLRefreshComboEn(); });
    if (auto* c = qobject_cast<SkinComboBox*>(Control("cb_GunCom")))
        connect(c, &SkinComboBox::changed, this, [this] { TLRefreshComboEn(); });
    for (const char* name : {"cb_RTZ", "cb_AXY", "cb_CC"})
        if (auto* c = qobject_cast<SkinComboBox*>(Control(name)))
            connect(c, &SkinComboBox::changed, this, [this] { cb_RTZChange(); });
    if (auto* e = EditAt(*this, "edt_OffSet")) {
        e->setMaxLength(2);
        if (e->text().isEmpty())
            e->setText(QStringLiteral("18"));
        connect(e, &SkinEdit::changed, this, [this] { edt_OffSetChange(); });
    }
    for (int n = 1; n <= 10; ++n)
        for (bool x : {true, false})
            if (auto* e = EditAt(*this, NumberedName(x ? "edt_XOffset" : "edt_YOffset", n))) {
                DigitsOnly(e, true);
                connect(e, &SkinEdit::changed, this, [this, x, n] { TLRefreshOffset(x, n); });
            }
}

ProfileKeyNameTable FirePage::OptionNames() const {
    return KeyCodesToKeyNames(Host().Model(), NameContext());
}

void FirePage::WriteOptions(bool vendor) {
    if (Filling() || !Host().Mouse().IsAccepted())
        return;
    const PageHost::TransferScope transfer(Host());
    if (vendor)
        SendRegisterWrite(Host().Mouse(), Host().Model().VendorSectionWrite());
    WriteProfiles(Host().Mouse(), Host().Model());
}

void FirePage::ShowGesturePictures(int fireFunction) {
    for (int n = 2; n <= 7; ++n)
        Host().SetPicture(NumberedName("Img_ComboKey", n),
                          fireFunction == n - 1 ? "CbS_E" : "CbS_D");
}

std::uint8_t FirePage::SwitchOffset() const {
    if (auto* e = EditAt(*this, "edt_OffSet"))
        if (const HexOutcome out = OffsetEditChanged(e->text().toStdString()); out.store)
            return static_cast<std::uint8_t>(*out.store & 0xFF);
    return 0x18;
}

void FirePage::cb_ChangeFireFunChange() {
    Host().HideAllMenu();
    const int index = ComboIndex(*this, "cb_ChangeFireFun", -1);
    if (index < 0 || index > 6 || optionSyncing_)
        return;
    gesture_ = index;
    ShowGesturePictures(index);
    // Right + back cannot switch both the LED mode and the profile.
    if ((index == 5 || index == 6) && ComboIndex(*this, "cb_ChangeLEDModeFun", 0) == 1) {
        SetComboIndex(*this, "cb_ChangeLEDModeFun", 0);
        Host().SetPicture("Img_ComboKey1", "CbS_D");
    }
    auto* gun = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode"));
    ApplyFireFunction(Host().Model(), OptionNames(), NameContext(), index,
                      gun != nullptr && gun->isChecked(), SwitchOffset());
    WriteOptions(true);
}

void FirePage::cb_IsGunFireModeClick() {
    if (refreshingKeyTexts_ || optionSyncing_)
        return;
    auto* box = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode"));
    const bool on = box != nullptr && box->isChecked();
    Host().SetPicture("Img_ComboKey8", on ? "CbS_E" : "CbS_D");
    const std::uint8_t value = GunKeyOptionValue(ComboIndex(*this, "cb_ChangeFireFun", 0), on);
    SetGunKeyOption(Host().Model(), OptionNames(), NameContext(), 0b111, value);
    WriteOptions(true);
}

void FirePage::TLRefreshComboEn() {
    if (optionSyncing_)
        return;
    NamedButtonValues values{};
    for (std::size_t b = 0; b < kNamedOptionButtons; ++b)
        values[b] = ComboEnableValue(ComboIndex(*this, kComboEnCombos[b], 0)).value_or(0);
    const std::uint8_t gun = ComboEnableValue(ComboIndex(*this, "cb_GunCom", 0)).value_or(0);
    ApplyComboEnable(Host().Model(), OptionNames(), NameContext(), values, gun);
    WriteOptions(false);
}

void FirePage::cb_RTZChange() {
    if (Filling() || optionSyncing_)
        return;
    Host().HideAllMenu();
    SwitchKeyOptions o;
    o.returnToZero = ComboIndex(*this, "cb_RTZ", 0) == 1;
    o.adjustXY = ComboIndex(*this, "cb_AXY", 0) == 1;
    o.changeColour = ComboIndex(*this, "cb_CC", 0) == 1;
    for (int p = 1; p <= 3; ++p)
        o.colourItems[static_cast<std::size_t>(p - 1)] =
            ComboIndex(*this, Numbered("cb_Profile", p, "Color"), 0);
    if (auto* e = EditAt(*this, "edt_OffSet"))
        o.offset = OffsetEditChanged(e->text().toStdString()).store.value_or(0);
    ApplySwitchKeyOptions(Host().Model(), OptionNames(), NameContext(), o);
    WriteOptions(false);
}

void FirePage::edt_OffSetChange() {
    auto* e = EditAt(*this, "edt_OffSet");
    if (e == nullptr)
        return;
    const HexOutcome out = OffsetEditChanged(e->text().toStdString());
    if (out.corrected) {
        e->setText(QString::fromStdString(*out.corrected)); // runs this handler again
        return;
    }
    cb_RTZChange();
}

void FirePage::TLRefreshOffset(bool x, int n) {
    auto* e = EditAt(*this, NumberedName(x ? "edt_XOffset" : "edt_YOffset", n));
    if (e == nullptr)
        return;
    // The same range as the gun-mode page's offsets, with no move to add.
    const EditOutcome out = GunAxisChanged(e->text().toStdString(), 0);
    if (out.corrected) {
        e->setText(QString::fromStdString(*out.corrected));
        return;
    }
    if (!out.store || Filling() || optionSyncing_)
        return;
    WorkingModel& model = Host().Model();
    const auto write = x ? model.SetXOffset(n, *out.store) : model.SetYOffset(n, *out.store);
    if (write && Host().Mouse().IsAccepted()) {
        const PageHost::TransferScope transfer(Host());
        SendRegisterWrite(Host().Mouse(), *write);
    }
}

void FirePage::FillEngineerFire() {
    const WorkingModel& model = Host().Model();
    const KeyEntryContext ctx = NameContext();
    // A combination key captioned "Game Mode": a switch to profile 2, whatever its options.
    auto switchesToGame = [&](int n) {
        const KeyEntryBytes e = model.ComboKey(n);
        return e[0] == 0x07 && (e[1] & 0x87) == 0x81;
    };
    const ShownModeSwitch shown =
        ReadModeSwitch(model, OptionNames(), ctx, switchesToGame(2), switchesToGame(4));
    // Showing what the mouse holds changes nothing in it.
    optionSyncing_ = true;
    gesture_ = shown.fireFunction;
    SetComboIndex(*this, "cb_ChangeFireFun", shown.fireFunction);
    if (shown.gunKeysSwitch)
        if (auto* box = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode")))
            box->setChecked(*shown.gunKeysSwitch);
    for (std::size_t b = 0; b < kNamedOptionButtons; ++b)
        if (shown.comboItems[b])
            SetComboIndex(*this, kComboEnCombos[b], *shown.comboItems[b]);
    if (const auto item = ComboEnableItem(shown.gunKeyOption))
        SetComboIndex(*this, "cb_GunCom", *item);
    for (int n = 1; n <= 10; ++n) {
        SetEditText(*this, NumberedName("edt_XOffset", n), QString::number(model.XOffset(n)));
        SetEditText(*this, NumberedName("edt_YOffset", n), QString::number(model.YOffset(n)));
    }
    optionSyncing_ = false;
    ShowGesturePictures(shown.fireFunction);
    auto* box = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode"));
    Host().SetPicture("Img_ComboKey8", box != nullptr && box->isChecked() ? "CbS_E" : "CbS_D");
}

} // namespace trvx
