#pragma once
// The skinned combo box: the platform's drop-down list with a flat frame and a skinned
// drop-down button painted over it. `changed` is the user's choice only: setting the item
// index from code never emits it.

#include "controls/skinned/StyleTable.h"

#include <QColor>
#include <QComboBox>

namespace trvx {

class SkinComboBox : public QComboBox {
    Q_OBJECT
    // The look as a property, so a group box or form frame can push its look to its children.
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    explicit SkinComboBox(QWidget* parent = nullptr, const QString& name = QString());

    // The selected item; an index outside the items selects none (-1).
    int itemIndex() const { return currentIndex(); }
    void setItemIndex(int index);

    SkinUIStyle uiStyle() const { return uiStyle_; }
    // Takes the look's border and button colours and a black arrow.
    void setUIStyle(SkinUIStyle style);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int style) { setUIStyle(static_cast<SkinUIStyle>(style)); }

    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& color);
    QColor buttonColor() const { return buttonColor_; }
    void setButtonColor(const QColor& color);
    QColor arrowColor() const { return arrowColor_; }
    void setArrowColor(const QColor& color);

    // The drop-down button's rectangle, where the skin is painted.
    QRect buttonRect() const;

    void showPopup() override;
    void hidePopup() override;

signals:
    // The user chose an item (the combo box's OnChange).
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    QColor borderColor_;
    QColor buttonColor_;
    QColor arrowColor_;
};

} // namespace trvx
