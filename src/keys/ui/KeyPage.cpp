#include "keys/ui/KeyPage.h"

#include "keys/ui/KeyCaptions.h"
#include "pages/ui/ControlText.h"

namespace trvx {

KeyPage::KeyPage(PageHost& host, QObject* parent) : Page(host, 1, parent) {}

void KeyPage::RefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    shownProfile_ = profile;
    const KeyEntryContext ctx = KeyContextOf(Host());
    for (int k = 1; k <= 12; ++k)
        SetControlCaption(Control(NumberedName("Key", k)), KeyCaption(Host(), ctx, profile, k));
}

void KeyPage::FillFromImage(StorageKind) {
    RefreshProfileKeys(1);
}

void KeyPage::FillNoDevice() {
    RefreshProfileKeys(1);
}

void KeyPage::CaptionsApplied() {
    RefreshProfileKeys(shownProfile_);
}

void KeyPage::Shown(int radio) {
    // The profile buttons show their profile's keys; choosing the profile on the mouse is
    // the profile button's own work.
    if (radio >= 1 && radio <= 3)
        RefreshProfileKeys(radio);
}

} // namespace trvx
