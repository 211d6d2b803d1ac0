#pragma once
// The skinned check box: a frame of the look's check box picture (checked, unchecked, and both
// disabled) and a one-line caption. Setting Checked from code runs the box's click handler once
// per real change, exactly as a user's click does, but not while its form is loading.

#include "controls/skinned/StyleTable.h"

#include <QImage>
#include <QWidget>

class QShortcut;

namespace trvx {

class SkinCheckBox : public QWidget {
    Q_OBJECT
    // The look as a property, so a group box or form frame can push its look to its children.
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    explicit SkinCheckBox(QWidget* parent = nullptr, const QString& name = QString());

    bool isChecked() const { return checked_; }
    // Stores a changed value, repaints and emits clicked (unless the form is loading). The same
    // value does nothing. From another thread the change is handed to the UI thread.
    void setChecked(bool checked);

    Qt::CheckState checkState() const { return checked_ ? Qt::Checked : Qt::Unchecked; }
    // Partially checked unchecks.
    void setCheckState(Qt::CheckState state) { setChecked(state == Qt::Checked); }

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle style);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int style) { setUIStyle(static_cast<SkinUIStyle>(style)); }

    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);

    // With AutoSize the box takes the size of its picture and caption.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

    // What a click does: toggles the box.
    void click() { toggle(); }

    // The box as painted (for tests and previews).
    QImage renderFace() const;

signals:
    // The box's OnClick: a user's toggle or a change of Checked made in code.
    void clicked();

protected:
    // Hooks for boxes that behave differently (a radio-style box would use its own picture
    // and refuse to untoggle).
    virtual int imageElement() const { return theme::kCheckBoxImage; }
    virtual void beforeToggle() {}
    virtual bool allowKeyToggle() const { return true; }
    void toggle();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QSize sizeHint() const override;

private:
    QImage glyph() const;
    void applyAutoSize();

    bool checked_ = false;
    QString caption_;
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool pressedInside_ = false;
    QShortcut* accelerator_ = nullptr;
};

} // namespace trvx
