#pragma once
// The wide label: a window-less text label with a UTF-16 caption. Labels with click, enter and
// leave handlers are the program's buttons; a handler tells them apart by the sender's object
// name.

#include "controls/wide/LabelLayout.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <string>
#include <string_view>

class QShortcut;

namespace trvx {

class TUniLabel : public QWidget {
    Q_OBJECT
public:
    // A new label is 65 x 17 and transparent.
    explicit TUniLabel(QWidget* parent = nullptr);

    // Sets the caption; a changed caption repaints and, with AutoSize, resizes the label. Called
    // from another thread, the change is queued to the UI thread.
    void SetCaption(std::u16string_view caption);
    std::u16string GetCaption() const { return caption_; }
    void SetHint(std::u16string_view hint);
    std::u16string Hint() const;
    // Whether the short hint shows as a tooltip (the hint itself is kept either way).
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    // The control the label's accelerator gives the focus to; none by default.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control);
    // A typed character meant for the label's accelerator: with a focus control, the label
    // enabled and accelerators shown, a match (ignoring case) focuses the control. True when
    // handled.
    bool DialogChar(char16_t c);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // The text rectangle's downward shift for a text that measures textHeight.
    int TextOffset(int textHeight) const { return LabelTextOffset(layout_, height(), textHeight); }

signals:
    void clicked();
    void doubleClicked();
    void mouseEnter();
    void mouseLeave();
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);
    void mouseMove(QPoint pos);
    // The caption really changed (setting the same caption again does nothing).
    void captionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int textFlags() const;
    void updateShortcut();
    void adjustToText();

    std::u16string caption_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = true;
    QColor color_{0xF0, 0xF0, 0xF0};
    int tag_ = 0;
    bool pressed_ = false;
    bool showHint_ = true;
    QPointer<QWidget> focusControl_;
    QShortcut* shortcut_ = nullptr;
};

} // namespace trvx
