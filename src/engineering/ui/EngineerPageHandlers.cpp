// The engineering page's change handlers: each writes its register the moment it changes,
// unless the page is being filled.
#include "engineering/ui/EngineerPage.h"

#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "engineering/ImageTransfer.h"
#include "pages/ui/ControlText.h"

namespace trvx {

namespace {

std::optional<std::int32_t> EditValue(QWidget* w) {
    if (auto* edit = qobject_cast<HexEdit*>(w))
        return edit->value();
    return std::nullopt;
}

QString Hex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString EditText(QWidget* w) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit != nullptr ? edit->text() : QString();
}

} // namespace

void EngineerPage::SendWrite(const std::optional<RegisterWrite>& write) {
    if (!write)
        return;
    PageHost::TransferScope transfer(Host());
    SendRegisterWrite(Host().Mouse(), *write);
}

void EngineerPage::OptionChange(const OptionField& field) {
    if (Filling())
        return;
    auto* combo = qobject_cast<SkinComboBox*>(Control(field.combo));
    if (combo == nullptr)
        return;
    WorkingModel& model = Host().Model();
    const std::uint8_t byte = ApplyOption(field, model.Register(field.reg), combo->itemIndex());
    const std::uint8_t bytes[] = {byte};
    SendWrite(model.SetRegisters(field.reg, bytes));
}

void EngineerPage::SensorChange(int index) {
    QWidget* edit = Control(SensorEdits()[static_cast<std::size_t>(index)]);
    const auto value = EditValue(edit);
    if (!value)
        return;
    if (*value > 255) {
        // Setting the text runs this handler again with 255.
        SetControlCaption(edit, QStringLiteral("FF"));
        return;
    }
    if (Filling())
        return;
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(*value)};
    SendWrite(Host().Model().SetRegisters(kFirstSensorRegister + index, bytes));
}

void EngineerPage::edt_VIDChange() {
    Host().HideAllMenu();
    QWidget* edit = Control("edt_VID");
    if (Filling() || EditText(edit).size() != 4)
        return;
    const auto id = static_cast<std::uint16_t>(EditValue(edit).value_or(0));
    if (id == Host().Model().UsbVendorId())
        return;
    if (!Host().Ask(QString::fromStdString(Host().CaptionSet().Text("Str487")))) {
        // Refused: the field shows what the mouse still holds (setting it asks nothing, the
        // value is the mouse's own).
        SetControlCaption(edit, Hex(Host().Model().UsbVendorId(), 4));
        return;
    }
    SendWrite(Host().Model().SetUsbVendorId(id));
}

void EngineerPage::edt_PIDChange() {
    Host().HideAllMenu();
    QWidget* edit = Control("edt_PID");
    if (Filling() || EditText(edit).size() != 4)
        return;
    const auto id = static_cast<std::uint16_t>(EditValue(edit).value_or(0));
    if (id == Host().Model().UsbProductId())
        return;
    if (!Host().Ask(QString::fromStdString(Host().CaptionSet().Text("Str487")))) {
        SetControlCaption(edit, Hex(Host().Model().UsbProductId(), 4));
        return;
    }
    SendWrite(Host().Model().SetUsbProductId(id));
}

void EngineerPage::edt_USBDescChange() {
    Host().HideAllMenu();
    if (Filling())
        return;
    // Cut at 16 bytes: the product string has no more room, the check byte follows it.
    SendWrite(Host().Model().SetUsbDescription(
        EditText(Control("edt_USBDesc")).toLatin1().toStdString()));
}

void EngineerPage::edt_IdChange() {
    Host().HideAllMenu();
    for (const char* name : {"edt_VendorID", "edt_ProductID"})
        if (EditValue(Control(name)).value_or(0) > 255) {
            SetControlCaption(Control(name), QStringLiteral("255"));
            return;
        }
}

void EngineerPage::ShowIdentity() {
    const WorkingModel& model = Host().Model();
    SetControlCaption(Control("edt_VendorID"), QString::number(model.IdManufacturer()));
    SetControlCaption(Control("edt_ProductID"), QString::number(model.IdProduct()));
}

void EngineerPage::edt_IdCommit() {
    if (Filling() || askingIdentity_)
        return;
    WorkingModel& model = Host().Model();
    QWidget* manuEdit = Control("edt_VendorID");
    QWidget* proEdit = Control("edt_ProductID");
    // A field left empty names no pair: it shows the mouse's value again.
    if (EditText(manuEdit).isEmpty() || EditText(proEdit).isEmpty()) {
        ShowIdentity();
        return;
    }
    const auto manu = static_cast<std::uint8_t>(EditValue(manuEdit).value_or(0));
    const auto pro = static_cast<std::uint8_t>(EditValue(proEdit).value_or(0));
    if (manu == model.IdManufacturer() && pro == model.IdProduct())
        return;
    const StorageKind kind = Host().Mouse().AcceptedStorage();
    askingIdentity_ = true;
    const bool yes = kind != StorageKind::None &&
                     Host().Ask(QString::fromStdString(Host().CaptionSet().Text("Str487")));
    askingIdentity_ = false;
    if (!yes) {
        ShowIdentity();
        return;
    }
    model.SetIdPair(manu, pro);
    if (auto write = model.IdBlockWrite(kind)) {
        PageHost::TransferScope transfer(Host());
        if (!SendBlockWrites(Host().Mouse(), {*write}))
            Host().ShowMessage(QString::fromStdString(Host().CaptionSet().Text("Str480")));
    }
}

void EngineerPage::cb_BtnEFTChange() {
    Host().HideAllMenu();
    if (Filling())
        return;
    auto* combo = qobject_cast<SkinComboBox*>(Control("cb_BtnEFT"));
    if (combo == nullptr || combo->itemIndex() < 0)
        return;
    // Bit 2 belongs to the mouse, not to this choice: keep it.
    WorkingModel& model = Host().Model();
    const int kept = model.Register(reg::kButtonEffect) & 0x04;
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(kept + combo->itemIndex())};
    SendWrite(model.SetRegisters(reg::kButtonEffect, bytes));
}

void EngineerPage::xDataClicked() {
    const QString name = sender() != nullptr ? sender()->objectName() : QString();
    if (name == QLatin1String("btn_XDataRead"))
        btn_XDataReadClick();
    else if (name == QLatin1String("btn_XDataWrite"))
        btn_XDataWriteClick();
    else if (name == QLatin1String("btn_ChangeXData"))
        btn_ChangeXDataClick();
}

void EngineerPage::btn_XDataReadClick() {
    const auto address =
        static_cast<std::uint16_t>(EditValue(Control("edt_XDataAddr")).value_or(0));
    PageHost::TransferScope transfer(Host());
    if (const auto value = Host().Mouse().ReadXData(address))
        SetControlCaption(Control("edt_XDataValue"),
                          QStringLiteral("%1").arg(*value, 2, 16, QLatin1Char('0')).toUpper());
}

void EngineerPage::btn_XDataWriteClick() {
    QWidget* addr = Control("edt_XDataAddr");
    QWidget* value = Control("edt_XDataValue");
    // An empty field would write 0 to address 0 or 0 to the address: ask for both.
    if (EditText(addr).isEmpty() || EditText(value).isEmpty()) {
        Host().ShowMessage(QString::fromStdString(Host().CaptionSet().Text("Str488")));
        return;
    }
    PageHost::TransferScope transfer(Host());
    Host().Mouse().WriteXData(static_cast<std::uint16_t>(EditValue(addr).value_or(0)),
                              static_cast<std::uint8_t>(EditValue(value).value_or(0)));
}

void EngineerPage::btn_ChangeXDataClick() {
    PageHost::TransferScope transfer(Host());
    for (auto [address, value] :
         {std::pair{0x7241, 0x01}, std::pair{0x7242, 0x06}, std::pair{0x7243, 0x01}})
        Host().Mouse().WriteXData(static_cast<std::uint16_t>(address),
                                  static_cast<std::uint8_t>(value));
}

} // namespace trvx
