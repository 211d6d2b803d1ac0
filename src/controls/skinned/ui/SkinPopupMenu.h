#pragma once
// A popup menu that draws its items itself in the colours of a look: a side bar, a flat
// background, a framed highlight, thin separators and a check mark. The title bar's window menu
// is one.

#include "controls/skinned/PopupMenuLayout.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace trvx {

class SkinPopupMenu : public QWidget {
    Q_OBJECT
public:
    struct Item {
        QString caption; // "-" makes a separator
        QString shortcut;
        bool enabled = true;
        bool checked = false;
        bool isDefault = false; // drawn bold
        QImage image;
        std::function<void()> onClick;
    };

    explicit SkinPopupMenu(QWidget* owner = nullptr);

    int addItem(const QString& caption, std::function<void()> onClick = {});
    int itemCount() const { return static_cast<int>(items_.size()); }
    Item& item(int index) { return items_.at(static_cast<std::size_t>(index)); }
    const Item& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void clearItems();

    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    const PopupMenuLook& look() const { return look_; }

    int menuItemHeight() const { return look_.menuItemHeight; }
    void setMenuItemHeight(int height);
    int separatorHeight() const { return look_.separatorHeight; }
    void setSeparatorHeight(int height);
    void setBarWidth(int width) { look_.barWidth = width; }
    void setLookColors(const PopupMenuLook& colors) { look_ = colors; }
    void setFlatMenu(bool flat) { flatMenu_ = flat; }
    bool flatMenu() const { return flatMenu_; }
    void setUseSystemFont(bool on) { useSystemFont_ = on; }
    void setMenuFont(const QFont& font) { menuFont_ = font; }
    void setMirrored(bool mirrored) { mirrored_ = mirrored; }

    // Item rectangle in the menu's coordinates.
    QRect itemRect(int index) const;
    int itemAt(QPoint pos) const;
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int index);
    // Runs an enabled item's handler (closing the menu); disabled items and separators do nothing.
    bool activateItem(int index);

    // Shows the menu with its top-left corner at a screen position.
    void popupAt(QPoint globalPos);
    // Draws the whole menu into an image of its size hint, as it shows.
    QImage render() const;

    QSize sizeHint() const override;

signals:
    void aboutToPopup();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QFont itemFont(const Item& item) const;
    void paintMenu(QPainter& painter) const;
    void paintItem(QPainter& painter, int index) const;

    std::vector<Item> items_;
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    PopupMenuLook look_;
    bool flatMenu_ = false;
    bool useSystemFont_ = true;
    bool mirrored_ = false;
    QFont menuFont_;
    int selected_ = -1;
};

} // namespace trvx
