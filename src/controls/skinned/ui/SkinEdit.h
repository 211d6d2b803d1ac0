#pragma once
// The skinned single-line edit: a flat two-pixel frame (the border colour outside, the edit's
// own colour inside). `changed` is the edit's OnChange: every change of the text, typed or set
// from code.

#include "controls/skinned/StyleTable.h"

#include <QColor>
#include <QLineEdit>

namespace trvx {

class SkinEdit : public QLineEdit {
    Q_OBJECT
    // The look as a property, so a group box or form frame can push its look to its children.
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    explicit SkinEdit(QWidget* parent = nullptr, const QString& name = QString());

    SkinUIStyle uiStyle() const { return uiStyle_; }
    // Takes the look's control border colour.
    void setUIStyle(SkinUIStyle style);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int style) { setUIStyle(static_cast<SkinUIStyle>(style)); }

    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& color);

signals:
    void changed();

protected:
    // Runs on every change of the text; emits changed.
    virtual void textChangedHook();
    void paintEvent(QPaintEvent* event) override;

private:
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    QColor borderColor_;
};

} // namespace trvx
