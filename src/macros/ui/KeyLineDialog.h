#pragma once
// The key-line dialog: the user presses one key for a press or release line of the editor;
// Confirm hands its name and HID usage over. Not modal; the page keeps one and opens it afresh
// for every line, so a confirm always belongs to the line opened last.

#include "pages/ui/PageHost.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QLineEdit;

namespace trvx {

class KeyLineDialog : public QWidget {
    Q_OBJECT
public:
    KeyLineDialog(PageHost& host, QWidget* over);

    // Shows the dialog for list item `item` with an empty edit.
    void Open(int item);
    int Item() const { return item_; }
    // The key pressed last: its name ("" after Clear) and usage.
    const std::string& KeyName() const { return keyName_; }
    std::uint8_t Usage() const { return usage_; }
    // One key down in the edit, as a virtual-key code.
    void KeyDown(std::uint32_t virtualKey);

    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

signals:
    void confirmed(int item, QString keyName, int usage);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Finish();

    PageHost& host_;
    int item_;
    QWidget* over_;
    QLineEdit* edit_ = nullptr;
    std::string keyName_;
    std::uint8_t usage_ = 0;
    bool finished_ = false;
};

} // namespace trvx
