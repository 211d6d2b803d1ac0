#pragma once
// The input dialog component: asks for one line of text in a small skinned window and returns
// whether the user confirmed it. The window (FrmInput) is built anew for every run.

#include "controls/skinned/StyleTable.h"

#include <QChar>
#include <QDialog>
#include <QFont>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;

namespace trvx {

class SkinButton;
class SkinEdit;
class SkinForm;

// Where a dialog window opens.
enum class DialogPosition { Designed, ScreenCenter, OwnerFormCenter };

// Settings shared by the suite's dialog components: title, position, look and fonts.
class SkinDialog : public QObject {
    Q_OBJECT
public:
    // `owner` is the form that holds the component; its look is the component's first look.
    explicit SkinDialog(QWidget* owner = nullptr);

    QWidget* ownerForm() const { return owner_; }
    DialogPosition position() const { return position_; }
    void setPosition(DialogPosition position) { position_ = position; }
    QString caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }
    SkinUIStyle uiStyle() const { return uiStyle_; }
    // Also gives the caption font the look's title colour.
    void setUIStyle(SkinUIStyle look);
    QFont font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    QFont captionFont() const { return captionFont_; }
    QColor captionFontColor() const { return captionFontColor_; }
    void setCaptionFont(const QFont& font, const QColor& color);
    Qt::CursorShape buttonCursor() const { return buttonCursor_; }
    void setButtonCursor(Qt::CursorShape cursor) { buttonCursor_ = cursor; }

    // Shows the dialog modally and returns its modal result.
    virtual int execute() = 0;

private:
    QWidget* owner_;
    DialogPosition position_ = DialogPosition::ScreenCenter;
    QString caption_ = QStringLiteral("skDialog");
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    QFont font_;
    QFont captionFont_;
    QColor captionFontColor_ = Qt::white;
    Qt::CursorShape buttonCursor_ = Qt::PointingHandCursor;
};

// The window of the input dialog: a skinned frame with a prompt, an edit and two buttons.
class FrmInput : public QDialog {
    Q_OBJECT
public:
    explicit FrmInput(QWidget* parent = nullptr);

    SkinForm* skForm1;
    QLabel* lbl_prompt;
    SkinEdit* edt_value;
    SkinButton* btn1;
    SkinButton* btn2;
};

class SkinInputDialog : public SkinDialog {
    Q_OBJECT
public:
    explicit SkinInputDialog(QWidget* owner = nullptr);

    // The masking character; a null character shows the text plainly.
    QChar passwordChar() const { return passwordChar_; }
    void setPasswordChar(QChar c) { passwordChar_ = c; }
    QString promptText() const { return promptText_; }
    void setPromptText(const QString& text) { promptText_ = text; }
    // The last confirmed text.
    QString valueText() const { return valueText_; }
    void setValueText(const QString& text) { valueText_ = text; }
    QString buttonOKCaption() const { return okCaption_; }
    void setButtonOKCaption(const QString& caption) { okCaption_ = caption; }
    QString buttonCancelCaption() const { return cancelCaption_; }
    void setButtonCancelCaption(const QString& caption) { cancelCaption_ = caption; }

    // Builds the window, shows it modally, and on OK (result 1) keeps the typed text in
    // ValueText. A masked prompt opens empty, so an earlier code is never shown again.
    int execute() override;

    // Answers the dialogs instead of a user (the scenario runner and tests): called with the
    // prepared window in place of showing it; returns the modal result. Empty: show it.
    using Responder = std::function<int(FrmInput& form)>;
    static Responder setResponder(Responder responder);

private:
    QChar passwordChar_;
    QString promptText_ = QStringLiteral("Prompt text:");
    QString valueText_;
    QString okCaption_ = QStringLiteral("OK");
    QString cancelCaption_ = QStringLiteral("Cancel");
};

} // namespace trvx
