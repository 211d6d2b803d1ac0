#include "engineering/ui/UpdatePage.h"

#include "pages/ui/ControlText.h"

namespace trvx {

UpdatePage::UpdatePage(PageHost& host, QObject* parent) : Page(host, 5, parent) {}

void UpdatePage::Shown(int) {
    // A patch file must be loaded again before it is programmed.
    SetControlCaption(Control("lbl_LoadBIN"), QString());
    patchFileLoaded_ = false;
}

} // namespace trvx
