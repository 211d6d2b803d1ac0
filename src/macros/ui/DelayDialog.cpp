#include "macros/ui/DelayDialog.h"

#include "controls/wide/ui/UniEdit.h"
#include "macros/MacroEditing.h"
#include "skin/CaptionKeys.h"

namespace trvx {

DelayDialog::DelayDialog(PageHost& host, QWidget* over)
    : SmallDialog(host, over,
                  {"Form5", "Img_EditTime", "lbl_EditTime", "Edt_EditTime", kInputDialogLayoutKeys,
                   kInputDialogKeys.delayTitle, kInputDialogKeys.confirm, kInputDialogKeys.clear}) {
    // Edt_EditTimeKeyPress: digits only (backspace and the other editing keys pass).
    Edit()->OnKeyPress = [](char16_t& key) {
        if (key < u'0' || key > u'9')
            key = 0;
    };
    connect(Edit(), &QLineEdit::textChanged, this, &DelayDialog::Edt_EditTimeChange);
}

void DelayDialog::Open(int item) {
    // The edit opens empty: Confirm before any typing hands nothing over.
    item_ = item;
    SmallDialog::Open();
}

void DelayDialog::Edt_EditTimeChange() {
    const std::string text = Edit()->text().toStdString();
    const std::string corrected = CorrectDelayText(text);
    // Setting the corrected text runs this again, which then finds nothing to correct.
    if (corrected != text)
        Edit()->setText(QString::fromStdString(corrected));
}

void DelayDialog::HandOver() {
    if (const auto ms = DelayOfText(Edit()->text().toStdString()))
        emit confirmed(item_, *ms);
}

} // namespace trvx
