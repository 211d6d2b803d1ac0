#include "keys/ui/ComboKeyDialog.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniEdit.h"
#include "controls/wide/ui/UniLabel.h"
#include "keys/XKeyCodes.h"
#include "skin/CaptionKeys.h"

#include <QKeyEvent>

namespace trvx {

std::uint32_t VirtualKeyOfQtKey(int qtKey, std::uint32_t nativeScanCode) {
    if (nativeScanCode != 0)
        if (const std::uint32_t vk = XKeyCodeToVirtualKey(nativeScanCode); vk != 0)
            return vk;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + static_cast<std::uint32_t>(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_Return:
        return 0x0D;
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Meta:
        return 0x5B;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    default:
        return 0;
    }
}

namespace {

constexpr SmallDialog::Box kModifierBoxes[] = {
    {"CB_Ctrl", "Ctrl"}, {"CB_Shift", "Shift"}, {"CB_Alt", "Alt"}, {"CB_Win", "Win"}};

// The modifier bits in the order of the boxes.
constexpr ComboKeyBuilder::Modifier kModifiers[] = {ComboKeyBuilder::Ctrl, ComboKeyBuilder::Shift,
                                                    ComboKeyBuilder::Alt, ComboKeyBuilder::Win};

} // namespace

ComboKeyDialog::ComboKeyDialog(PageHost& host, int profile, int key, QWidget* over)
    : SmallDialog(host, over,
                  {"Form2", "Img_Assembly", "lbl_Assembly", "Edt_Assembly",
                   kCombinationDialogLayoutKeys, kCombinationKeyDialogKeys.title,
                   kCombinationKeyDialogKeys.confirm, kCombinationKeyDialogKeys.clear,
                   kModifierBoxes}),
      profile_(profile), key_(key) {
    Edit()->setReadOnly(true);
    Edit()->installEventFilter(this);
    for (std::size_t i = 0; i < Boxes().size(); ++i) {
        SkinCheckBox* box = Boxes()[i];
        connect(box, &SkinCheckBox::clicked, this, [this, box, modifier = kModifiers[i]] {
            builder_.SetModifier(modifier, box->isChecked());
            Refresh();
            Edit()->setFocus();
        });
    }
    Refresh();
}

void ComboKeyDialog::KeyDown(std::uint32_t virtualKey) {
    // Modifiers come from the boxes: the modifier keys themselves count for nothing.
    if (virtualKey == 0x10 || virtualKey == 0x11 || virtualKey == 0x12)
        return;
    if (builder_.KeyDown(virtualKey))
        Refresh();
}

void ComboKeyDialog::Refresh() {
    Edit()->setText(QString::fromStdString(builder_.Text()));
    // Nothing to confirm while the combination is empty: an entry without keys would leave the
    // button doing nothing.
    ConfirmButton()->setEnabled(!builder_.Empty());
}

bool ComboKeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A key pressed while Ctrl, Shift or Alt is held counts for nothing.
        const Qt::KeyboardModifiers held =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (held == Qt::NoModifier)
            KeyDown(VirtualKeyOfQtKey(key->key(), key->nativeScanCode()));
        return true;
    }
    return SmallDialog::eventFilter(watched, event);
}

void ComboKeyDialog::HandOver() {
    emit confirmed(profile_, key_, builder_.Entry(), Edit()->text());
}

void ComboKeyDialog::Cleared() {
    builder_.Clear();
    // Unticking runs each box's handler, which finds nothing left to take off.
    for (SkinCheckBox* box : Boxes())
        box->setChecked(false);
    Refresh();
}

} // namespace trvx
