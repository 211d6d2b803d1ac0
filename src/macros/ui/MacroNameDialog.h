#pragma once
// The name dialog: the name of a new or renamed macro, at most eight characters; Confirm hands
// the edit's text over (an empty one too: the library then changes nothing).

#include "pages/ui/SmallDialog.h"

namespace trvx {

class MacroNameDialog : public SmallDialog {
    Q_OBJECT
public:
    MacroNameDialog(PageHost& host, QWidget* over);

signals:
    void confirmed(QString name);

protected:
    void HandOver() override;
};

} // namespace trvx
