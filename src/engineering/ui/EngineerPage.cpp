#include "engineering/ui/EngineerPage.h"

#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "pages/ui/ControlText.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWindow>

namespace trvx {

namespace {

constexpr const char* kCodeBButtons[] = {"Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro",
                                         "Btn_PatchCode"};

QString Hex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

EngineerPage::EngineerPage(PageHost& host, QObject* parent) : Page(host, 7, parent) {}

void EngineerPage::Wire() {
    for (const OptionField& f : OptionFields())
        if (auto* combo = qobject_cast<SkinComboBox*>(Control(f.combo)))
            connect(combo, &SkinComboBox::changed, this, [this, &f] { OptionChange(f); });
    int index = 0;
    for (const char* name : SensorEdits()) {
        if (auto* edit = qobject_cast<SkinEdit*>(Control(name))) {
            edit->setMaxLength(2);
            connect(edit, &SkinEdit::changed, this, [this, index] { SensorChange(index); });
        }
        ++index;
    }
    const auto onEdit = [this](const char* name, int maxLength, void (EngineerPage::*handler)()) {
        if (auto* edit = qobject_cast<SkinEdit*>(Control(name))) {
            edit->setMaxLength(maxLength);
            connect(edit, &SkinEdit::changed, this, handler);
        }
    };
    onEdit("edt_VID", 4, &EngineerPage::edt_VIDChange);
    onEdit("edt_PID", 4, &EngineerPage::edt_PIDChange);
    onEdit("edt_USBDesc", reg::kUsbDescriptionLength, &EngineerPage::edt_USBDescChange);
    // The ID pair is a new identity only once the user has finished typing it (Enter or leaving
    // the field): asked at every keystroke, "12" would be asked about as "1" first.
    for (const char* name : {"edt_VendorID", "edt_ProductID"})
        if (auto* edit = qobject_cast<SkinEdit*>(Control(name))) {
            edit->setMaxLength(3);
            connect(edit, &SkinEdit::changed, this, &EngineerPage::edt_IdChange);
            connect(edit, &QLineEdit::returnPressed, this, &EngineerPage::edt_IdCommit);
            edit->installEventFilter(this);
        }
    if (auto* edit = qobject_cast<SkinEdit*>(Control("edt_XDataAddr")))
        edit->setMaxLength(4);
    if (auto* edit = qobject_cast<SkinEdit*>(Control("edt_XDataValue")))
        edit->setMaxLength(2);
    if (auto* combo = qobject_cast<SkinComboBox*>(Control("cb_BtnEFT"))) {
        if (combo->count() == 0)
            combo->addItems({QStringLiteral("off"), QStringLiteral("on")});
        connect(combo, &SkinComboBox::changed, this, &EngineerPage::cb_BtnEFTChange);
    }
    for (const char* name : {"btn_XDataRead", "btn_XDataWrite", "btn_ChangeXData"})
        if (QWidget* w = Control(name))
            connect(w, SIGNAL(clicked()), this, SLOT(xDataClicked()));
    // The engineering entry of page 1's side menu sits on the logo: it stays above the clear
    // area that takes the double-clicks.
    for (const char* name : {"Img_Engineer_1", "Btn_Engineer_1"})
        if (QWidget* w = Control(name))
            w->raise();
    for (const char* name : {"Img_Logo1", "Img_Logo4"})
        if (QWidget* w = Control(name))
            w->installEventFilter(this);
}

bool EngineerPage::eventFilter(QObject* watched, QEvent* event) {
    // The clear area over page 1's logo still drags the borderless window, as the logo did.
    if (event->type() == QEvent::MouseButtonPress && watched->objectName() == "Img_Logo1" &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Host().HideAllMenu();
        if (auto* w = qobject_cast<QWidget*>(watched); w && w->window()->windowHandle())
            w->window()->windowHandle()->startSystemMove();
        return false;
    }
    if (watched->objectName() == "edt_VendorID" || watched->objectName() == "edt_ProductID") {
        if (event->type() != QEvent::FocusOut)
            return Page::eventFilter(watched, event);
        // Leaving the field finishes the value; the window losing focus to another window or
        // to our own question does not, nor does the window closing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* edit = qobject_cast<QWidget*>(watched);
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            edit != nullptr && edit->isVisible())
            edt_IdCommit();
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        Img_Base_1DblClick();
        return true;
    }
    return Page::eventFilter(watched, event);
}

void EngineerPage::Img_Base_1DblClick() {
    switch (Host().Access().DoubleClick()) {
    case EngineeringAccess::Click::TurnedOff:
        ShowEngineeringControls(false);
        return;
    case EngineeringAccess::Click::Counted:
        return;
    case EngineeringAccess::Click::AskCode:
        break;
    }
    SkinInputDialog dlgPass(Control("gbPage7") ? Control("gbPage7")->window() : nullptr);
    dlgPass.setCaption(QStringLiteral("Password"));
    dlgPass.setPromptText(QStringLiteral("PASSWORD:"));
    dlgPass.setPasswordChar(QLatin1Char('*'));
    dlgPass.setPosition(DialogPosition::OwnerFormCenter);
    // The prompt opens empty: a code typed before is never shown again.
    if (dlgPass.execute() != 1)
        return;
    if (Host().Access().EnterCodeAtLogo(dlgPass.valueText().toStdString()) ==
        EngineeringAccess::Grant::Controls)
        ShowEngineeringControls(true);
}

void EngineerPage::ShowEngineeringControls(bool on) {
    for (const char* sheet : {"ts_Engineer", "ts_Gun"})
        if (auto* s = qobject_cast<SkinTabSheet*>(Control(sheet)))
            s->setTabVisible(on);
    for (const char* name : kCodeBButtons)
        if (QWidget* w = Control(name))
            w->setVisible(on);
    for (const char* name : {"lbl_LEDMode", "cb_LEDMode"})
        if (QWidget* w = Control(name))
            w->setEnabled(on);
    // The side menu's way to this page.
    for (int copy = 1; copy <= 5; ++copy)
        for (const char* stem : {"Btn_Engineer_", "Img_Engineer_"})
            if (QWidget* w = Control(NumberedName(stem, copy)))
                w->setVisible(on);
}

void EngineerPage::ShowReadIds(std::uint8_t manuId, std::uint8_t proId) {
    SetControlCaption(Control("edt_VendorID_Rd"), QString::number(manuId));
    SetControlCaption(Control("edt_ProductID_Rd"), QString::number(proId));
}

void EngineerPage::FillFromImage(StorageKind) {
    FillEngineering();
}

void EngineerPage::FillEngineering() {
    const WorkingModel& model = Host().Model();
    for (const OptionField& f : OptionFields())
        if (auto* combo = qobject_cast<SkinComboBox*>(Control(f.combo)))
            combo->setItemIndex(OptionIndex(f, model.Register(f.reg)));
    int index = 0;
    for (const char* name : SensorEdits())
        SetControlCaption(Control(name), Hex(model.Register(kFirstSensorRegister + index++), 2));
    SetControlCaption(Control("edt_VID"), Hex(model.UsbVendorId(), 4));
    SetControlCaption(Control("edt_PID"), Hex(model.UsbProductId(), 4));
    SetControlCaption(Control("edt_USBDesc"), QString::fromLatin1(model.UsbDescription()));
    SetControlCaption(Control("edt_VendorID"), QString::number(model.IdManufacturer()));
    SetControlCaption(Control("edt_ProductID"), QString::number(model.IdProduct()));
    SetControlCaption(
        Control("edt_PatCodeCk"),
        QString::fromStdString(model.StoredPatchChecksumText(Host().CurrentStorage())));
    if (auto* combo = qobject_cast<SkinComboBox*>(Control("cb_BtnEFT"))) {
        const int effect = model.Register(reg::kButtonEffect);
        combo->setItemIndex(effect < 2 ? effect : effect - 4);
    }
}

void EngineerPage::Shown(int) {
    refreshingKeyTexts_ = true;
    // On this page the key menus show all their entries.
    for (auto [name, height] :
         {std::pair{"Pnl_Main", 194}, std::pair{"Pnl_Special", 314}, std::pair{"Pnl_Profile", 98}})
        if (QWidget* w = Control(name))
            w->resize(w->width(), height);
    const WorkingModel& model = Host().Model();
    for (int n = 1; n <= 10; ++n) {
        SetControlCaption(Control(NumberedName("edt_XOffset", n)),
                          QString::number(model.XOffset(n)));
        SetControlCaption(Control(NumberedName("edt_YOffset", n)),
                          QString::number(model.YOffset(n)));
    }
    refreshingKeyTexts_ = false;
}

void EngineerPage::InputButton(int button, bool held) {
    if (button != 8)
        return;
    if (auto* check = qobject_cast<SkinCheckBox*>(Control("cb_ProfileTest")))
        check->setChecked(held);
}

} // namespace trvx
