#pragma once
// A list box with a flat two-ring border in the look's colours and item colours of its own.
// Items have a fixed height; an owner-draw handler, when set, draws every item itself.

#include "controls/skinned/ListBoxLayout.h"

#include <QListWidget>

#include <functional>

namespace trvx {

class SkinListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    struct ItemState {
        bool selected = false;
        bool focused = false;
        bool disabled = false; // the item or the whole list is disabled
    };
    using DrawItemHandler =
        std::function<void(QPainter& painter, int index, const QRect& rect, ItemState state)>;

    explicit SkinListBox(QWidget* parent = nullptr);

    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int look) { setUIStyle(static_cast<SkinUIStyle>(look)); }

    SkinColor borderColor() const { return borderColor_; }
    void setBorderColor(SkinColor color);
    SkinColor color() const { return colors_.color; }
    void setColor(SkinColor color);
    ListAlignment alignment() const { return alignment_; }
    void setAlignment(ListAlignment alignment);
    SkinColor selectedColor() const { return colors_.selectedColor; }
    void setSelectedColor(SkinColor color);
    SkinColor selectedTextColor() const { return colors_.selectedTextColor; }
    void setSelectedTextColor(SkinColor color);
    SkinColor disabledTextColor() const { return colors_.disabledTextColor; }
    void setDisabledTextColor(SkinColor color);
    bool showFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool show);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height);

    // The owner-draw handler (the program draws its lists itself); the control then draws no
    // focus rectangle of its own.
    void setDrawItemHandler(DrawItemHandler handler);

    // Colours the built-in painter uses for one item.
    ListItemPaint itemPaint(int index) const;
    // The list as it shows, border rings included.
    QImage render();

protected:
    bool event(QEvent* event) override;

private:
    friend class SkinListBoxDelegate;
    void paintItem(QPainter& painter, int index, const QRect& rect, ItemState state) const;

    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    SkinColor borderColor_ = 0;
    ListColors colors_;
    ListAlignment alignment_ = ListAlignment::Left;
    bool showFocusRect_ = true;
    int itemHeight_ = 16;
    DrawItemHandler drawItem_;
};

} // namespace trvx
