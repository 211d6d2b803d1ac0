#include "sensitivity/ui/SensitivityPage.h"

#include "controls/skinned/ui/SkinCheckBox.h"

namespace trvx {

SensitivityPage::SensitivityPage(PageHost& host, QObject* parent) : Page(host, 2, parent) {}

void SensitivityPage::InputButton(int button, bool held) {
    // The test boxes show the mouse's CPI buttons while they are held, without their writes.
    const char* box = button == 1   ? "cb_CPITest"
                      : button == 2 ? "cb_CPIITest"
                      : button == 4 ? "cb_CPIDTest"
                                    : nullptr;
    if (auto* check = box != nullptr ? qobject_cast<SkinCheckBox*>(Control(box)) : nullptr)
        check->setChecked(held);
}

} // namespace trvx
