#include "engineering/ui/EngineerPage.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "keys/ui/KeyCaptions.h"
#include "pages/ui/ControlText.h"

namespace trvx {

EngineerPage::EngineerPage(PageHost& host, QObject* parent) : Page(host, 7, parent) {}

void EngineerPage::TLRefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    const KeyEntryContext ctx = KeyContextOf(Host());
    for (int k = 1; k <= 12; ++k) {
        const QString name =
            QStringLiteral("btn_Key%1%2").arg(profile).arg(k, 2, 10, QLatin1Char('0'));
        SetControlCaption(Control(name.toStdString()), KeyCaption(Host(), ctx, profile, k));
    }
}

void EngineerPage::ShowReadIds(std::uint8_t manuId, std::uint8_t proId) {
    SetControlCaption(Control("edt_VendorID_Rd"), QString::number(manuId));
    SetControlCaption(Control("edt_ProductID_Rd"), QString::number(proId));
}

void EngineerPage::FillFromImage(StorageKind) {
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
}

void EngineerPage::CaptionsApplied() {
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
}

void EngineerPage::Shown(int) {
    refreshingKeyTexts_ = true;
    // On this page the key menus show all their entries.
    for (auto [name, height] :
         {std::pair{"Pnl_Main", 194}, std::pair{"Pnl_Special", 314}, std::pair{"Pnl_Profile", 98}})
        if (QWidget* w = Control(name))
            w->resize(w->width(), height);
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
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
