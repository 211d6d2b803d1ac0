#pragma once
// The combination-key dialog: the user ticks any of the modifiers Ctrl, Shift, Alt and Win and
// presses up to two keys in its edit; Confirm hands the keyboard entry and the edit's text to
// the key the dialog was opened for. Confirm stays off while nothing is chosen.

#include "keys/ComboKeyBuilder.h"
#include "pages/ui/SmallDialog.h"

#include <cstdint>

namespace trvx {

class ComboKeyDialog : public SmallDialog {
    Q_OBJECT
public:
    // profile and key are the ones the dialog was opened for; they stay whatever the page shows
    // meanwhile.
    ComboKeyDialog(PageHost& host, int profile, int key, QWidget* over);

    // One key down in the edit, as a virtual-key code, while no Ctrl, Shift or Alt is held.
    void KeyDown(std::uint32_t virtualKey);

signals:
    void confirmed(int profile, int key, trvx::TKeyEntry entry, QString caption);

protected:
    void HandOver() override;
    void Cleared() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();

    int profile_;
    int key_;
    ComboKeyBuilder builder_;
};

// A Qt key press as the Windows virtual-key code the key tables start from: by the X key code
// when there is one, else by the Qt key.
std::uint32_t VirtualKeyOfQtKey(int qtKey, std::uint32_t nativeScanCode);

} // namespace trvx
