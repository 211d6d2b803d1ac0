#pragma once
// The shape the program's small dialogs share (the combination key, the macro name, the key line,
// the delay): the skin's "Msg" picture is the whole window, with a title, one edit, a Confirm and
// a Clear button, a close button and any check boxes of the kind on it, placed, sized, coloured
// and captioned by the language set shown when it opens. Borderless, topmost, centred over the
// main window and not modal: the window stays usable.
//
// One dialog of a kind is on screen at a time: opening one closes the one of its kind still
// open (it hands nothing over), so a confirm always belongs to the latest opening. A closed
// dialog only hides: its owner deletes it when it opens the next one, and at the end.

#include "pages/ui/PageHost.h"
#include "skin/DialogLayout.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace trvx {

class SkinCheckBox;
class SkinPicture;
class TUniEdit;
class TUniLabel;

class SmallDialog : public QWidget {
    Q_OBJECT
public:
    // A check box of a kind: its object name and its caption, the same in every set.
    struct Box {
        const char* name;
        const char* caption;
    };

    ~SmallDialog() override;

    // Shows the dialog centred over the main window with its edit focused, closing the one of
    // its kind that is still open.
    void Open();
    TUniEdit* Edit() const { return edit_; }
    // The kind's check boxes, in the order of its parts.
    const std::vector<SkinCheckBox*>& Boxes() const { return boxes_; }
    // Confirmed, cleared away or closed: it hands nothing over any more.
    bool Finished() const { return finished_; }

    // Confirm: closes and hands the value over (nothing while the button is disabled).
    void IB_ConfirmClick();
    // Clear: empties the edit; the dialog stays.
    void IB_CancelClick();
    // Close: closes without handing anything over.
    void IB_CloseClick();

    // Sees every dialog right after it has opened: the scenario runner answers them there, by
    // their controls. Returns the observer it replaces.
    using OpenObserver = std::function<void(SmallDialog& dialog)>;
    static OpenObserver SetOpenObserver(OpenObserver observer);

signals:
    // The dialog has gone, by Confirm (after its value was handed over), Close, or a later
    // opening of its kind.
    void finished();

protected:
    // The object names of one kind's own parts, its layout keys and its caption keys.
    struct Parts {
        const char* form;  // "Form3"
        const char* image; // the background picture
        const char* title; // the title label
        const char* edit;
        const DialogLayoutKeys& layoutKeys;
        std::string_view titleKey;
        std::string_view confirmKey;
        std::string_view clearKey;
        std::span<const Box> boxes = {}; // placed by layoutKeys.boxes, in the same order
    };
    // `over`: a control of the main window the dialog is centred over.
    SmallDialog(PageHost& host, QWidget* over, const Parts& parts);

    // Confirm: hand the value over (the dialog is already off the screen).
    virtual void HandOver() = 0;
    // Clear: what the kind keeps besides the edit's text is forgotten too.
    virtual void Cleared() {}

    PageHost& Host() const { return host_; }
    TUniLabel* ConfirmButton() const { return confirm_; }
    // Closed by the desktop: as the close button.
    void closeEvent(QCloseEvent* event) override;

private:
    TUniLabel* AddButton(const char* stem, const char* image, std::string_view captionKey,
                         DialogPoint at);
    void Finish();

    PageHost& host_;
    QWidget* over_;
    DialogLayout layout_;
    TUniEdit* edit_ = nullptr;
    TUniLabel* confirm_ = nullptr;
    std::vector<SkinCheckBox*> boxes_;
    bool finished_ = false;
};

// The dialog of one kind an owner opened last. Another opening closes and deletes the one before
// (it hands nothing over); the owner's end deletes what is left.
template <class Dialog> class DialogSlot {
public:
    DialogSlot() = default;
    DialogSlot(const DialogSlot&) = delete;
    DialogSlot& operator=(const DialogSlot&) = delete;
    ~DialogSlot() { delete dialog_.data(); }

    // Closes the dialog when it is still open.
    void Close() {
        if (dialog_ != nullptr && !dialog_->Finished())
            dialog_->IB_CloseClick();
    }
    Dialog* Replace(Dialog* fresh) {
        Close();
        delete dialog_.data();
        dialog_ = fresh;
        return fresh;
    }

private:
    QPointer<Dialog> dialog_;
};

} // namespace trvx
