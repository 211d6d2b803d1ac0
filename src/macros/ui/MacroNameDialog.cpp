#include "macros/ui/MacroNameDialog.h"

#include "controls/wide/ui/UniEdit.h"
#include "macros/MacroName.h"
#include "skin/CaptionKeys.h"

namespace trvx {

MacroNameDialog::MacroNameDialog(PageHost& host, QWidget* over)
    : SmallDialog(host, over,
                  {"Form3", "Img_MacroName", "lbl_MacroName", "Edt_MacroName",
                   kInputDialogLayoutKeys, kInputDialogKeys.nameTitle, kInputDialogKeys.confirm,
                   kInputDialogKeys.clear}) {
    // A stored name holds eight UTF-16 units; the edit refuses the ninth, typed or pasted.
    Edit()->setMaxLength(static_cast<int>(kMacroNameUnits));
}

void MacroNameDialog::HandOver() {
    emit confirmed(Edit()->text());
}

} // namespace trvx
