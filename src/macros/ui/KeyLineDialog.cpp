#include "macros/ui/KeyLineDialog.h"

#include "controls/wide/ui/UniEdit.h"
#include "keys/KeyCodeTables.h"
#include "keys/ui/ComboKeyDialog.h"

#include "skin/CaptionKeys.h"
#include <QKeyEvent>

namespace trvx {

KeyLineDialog::KeyLineDialog(PageHost& host, QWidget* over)
    : SmallDialog(host, over,
                  {"Form4", "Img_EditKey", "lbl_EditKey", "Edt_EditKey", kInputDialogLayoutKeys,
                   kInputDialogKeys.keyTitle, kInputDialogKeys.confirm, kInputDialogKeys.clear}) {
    Edit()->setReadOnly(true);
    Edit()->installEventFilter(this);
}

void KeyLineDialog::Open(int item) {
    item_ = item;
    SmallDialog::Open();
}

void KeyLineDialog::KeyDown(std::uint32_t virtualKey) {
    const TKeyboardHookKey key = VirtualKeyToHookKey(virtualKey);
    const auto name = HookKeyToName(key);
    // A key the tables cannot name leaves the shown key as it was.
    if (key == kh_None || !name)
        return;
    keyName_ = std::string(*name);
    usage_ = HookKeyToHidUsage(key);
    Edit()->setText(QString::fromStdString(keyName_));
}

bool KeyLineDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        KeyDown(VirtualKeyOfQtKey(key->key(), key->nativeScanCode()));
        return true;
    }
    return SmallDialog::eventFilter(watched, event);
}

void KeyLineDialog::HandOver() {
    // An emptied edit hands nothing over; the dialog closes all the same.
    if (!keyName_.empty())
        emit confirmed(item_, QString::fromStdString(keyName_), usage_);
}

void KeyLineDialog::Cleared() {
    keyName_.clear();
    usage_ = 0;
}

} // namespace trvx
