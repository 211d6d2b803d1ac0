#pragma once
// The delay dialog: a delay line's new milliseconds. The edit takes digits only and keeps its
// text within 1..65535 after every change; Confirm hands the value over.

#include "pages/ui/SmallDialog.h"

namespace trvx {

class DelayDialog : public SmallDialog {
    Q_OBJECT
public:
    DelayDialog(PageHost& host, QWidget* over);

    // Shows the dialog for list item `item` with an empty edit.
    void Open(int item);

signals:
    void confirmed(int item, int milliseconds);

protected:
    void HandOver() override;

private:
    void Edt_EditTimeChange();

    int item_ = -1;
};

} // namespace trvx
