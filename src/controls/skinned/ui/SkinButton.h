#pragma once
// The skinned push button: its face is a frame of the look's button picture stretched by nine
// pieces (normal, mouse over, pressed; normal again when disabled), with the caption centred
// on it. A button with a modal result closes its modal dialog with that result when clicked;
// Default and Cancel buttons answer Enter and Escape.

#include "controls/skinned/SkinGeometry.h"
#include "controls/skinned/StyleTable.h"

#include <QImage>
#include <QPushButton>

class QShortcut;
class QTimer;

namespace trvx {

class SkinButton : public QPushButton {
    Q_OBJECT
    // The look as a property, so a group box or form frame can push its look to its children.
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    explicit SkinButton(QWidget* parent = nullptr, const QString& name = QString());

    SkinUIStyle uiStyle() const { return uiStyle_; }
    // Also takes the look's button transparency.
    void setUIStyle(SkinUIStyle style);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int style) { setUIStyle(static_cast<SkinUIStyle>(style)); }

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    // A transparent button shows its parent through the keyed corners of its face.
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);

    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }

    // Escape clicks a Cancel button. (Default is QPushButton's: Enter clicks it.)
    bool isCancel() const { return cancel_; }
    void setCancel(bool cancel);

    // With AutoSize the button takes the size of one frame of its look's picture (74 x 21
    // when the look has none).
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

    int focusedRectMargin() const { return focusedRectMargin_; }
    void setFocusedRectMargin(int margin);

    // While the left button is held, mouseContinuouslyDown repeats at this interval (ms).
    int mouseContinuouslyDownInterval() const { return repeatInterval_; }
    void setMouseContinuouslyDownInterval(int ms) { repeatInterval_ = ms; }

    // An optional picture beside the caption; twice as wide as high it holds a normal and a
    // disabled frame.
    QImage glyph() const { return glyph_; }
    void setGlyph(const QImage& glyph);
    GlyphLayout layout() const { return layout_; }
    void setLayout(GlyphLayout layout);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);

    bool isMouseOver() const { return mouseOver_; }

    // The face for the current state, as painted (for tests and previews).
    QImage renderFace();

signals:
    void mouseEntered();
    void mouseExited();
    void mouseContinuouslyDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void stopRepeat();
    void onClicked();
    void drawCaption(QPainter& painter, bool bold);
    void drawGlyphAndCaption(QPainter& painter);

    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    bool transparent_ = false;
    bool autoSize_ = false;
    int modalResult_ = 0;
    bool cancel_ = false;
    int focusedRectMargin_ = 2;
    int repeatInterval_ = 100;
    QImage glyph_;
    GlyphLayout layout_ = GlyphLayout::Left;
    int spacing_ = 4;
    bool mouseOver_ = false;
    QTimer* repeatTimer_ = nullptr;
    QShortcut* cancelShortcut_ = nullptr;
};

} // namespace trvx
