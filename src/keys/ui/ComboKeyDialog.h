#pragma once
// The combination-key dialog: the user ticks modifiers and presses up to two keys; Confirm hands
// the keyboard entry to the key the dialog was opened for. Not modal; a new one per opening.

#include "keys/ComboKeyBuilder.h"
#include "pages/ui/PageHost.h"

#include <QWidget>

class QLineEdit;

namespace trvx {

class SkinCheckBox;
class TUniLabel;

class ComboKeyDialog : public QWidget {
    Q_OBJECT
public:
    // profile and key are the ones the dialog was opened for; they stay whatever the page shows
    // meanwhile.
    ComboKeyDialog(PageHost& host, int profile, int key, QWidget* over);

    void Open();
    int Profile() const { return profile_; }
    int Key() const { return key_; }

    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

signals:
    void confirmed(int profile, int key, trvx::TKeyEntry entry, QString caption);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closed by the desktop: as the close button.
    void closeEvent(QCloseEvent* event) override;

private:
    void Refresh();
    void Finish();

    PageHost& host_;
    int profile_;
    int key_;
    QWidget* over_;
    ComboKeyBuilder builder_;
    QLineEdit* edit_ = nullptr;
    TUniLabel* confirm_ = nullptr;
    SkinCheckBox* boxes_[4] = {};
    bool finished_ = false;
};

// A Qt key press as the Windows virtual-key code the key tables start from: by the X key code
// when there is one, else by the Qt key.
std::uint32_t VirtualKeyOfQtKey(int qtKey, std::uint32_t nativeScanCode);

} // namespace trvx
