#pragma once
// The key-line dialog: the user presses one key for a press or release line of the editor;
// Confirm hands its name and HID usage over.

#include "pages/ui/SmallDialog.h"

#include <cstdint>
#include <string>

namespace trvx {

class KeyLineDialog : public SmallDialog {
    Q_OBJECT
public:
    KeyLineDialog(PageHost& host, QWidget* over);

    // Shows the dialog for list item `item` with an empty edit.
    void Open(int item);
    // The key pressed last: its name ("" after Clear) and usage.
    const std::string& KeyName() const { return keyName_; }
    std::uint8_t Usage() const { return usage_; }
    // One key down in the edit, as a virtual-key code.
    void KeyDown(std::uint32_t virtualKey);

signals:
    void confirmed(int item, QString keyName, int usage);

protected:
    void HandOver() override;
    void Cleared() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int item_ = -1;
    std::string keyName_;
    std::uint8_t usage_ = 0;
};

} // namespace trvx
