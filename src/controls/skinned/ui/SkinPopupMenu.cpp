#include "controls/skinned/ui/SkinPopupMenu.h"

#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace trvx {

namespace {

QRect toQ(const SkinRect& r) {
    return ToQRect(r);
}

// The look's bitmaps for the MacOS menu, stretched over the item.
QImage macMenuBitmap(const char* name, int height) {
    QImage img = StyleBitmap(name);
    if (img.isNull()) {
        return img;
    }
    return img.scaled(img.width(), height);
}

} // namespace

SkinPopupMenu::SkinPopupMenu(QWidget* owner) : QWidget(owner, Qt::Popup) {
    setMouseTracking(true);
    menuFont_ = QFont(QStringLiteral("MS Sans Serif"), 8);
    setUIStyle(FormUIStyle(owner));
}

int SkinPopupMenu::addItem(const QString& caption, std::function<void()> onClick) {
    Item it;
    it.caption = caption;
    it.onClick = std::move(onClick);
    items_.push_back(std::move(it));
    return itemCount() - 1;
}

void SkinPopupMenu::clearItems() {
    items_.clear();
    selected_ = -1;
}

void SkinPopupMenu::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    look_ = popupMenuLook(look);
    update();
}

void SkinPopupMenu::setMenuItemHeight(int height) {
    if (uiStyle_ != SkinUIStyle::MacOS) {
        look_.menuItemHeight = height;
    }
}

void SkinPopupMenu::setSeparatorHeight(int height) {
    if (uiStyle_ != SkinUIStyle::MacOS) {
        look_.separatorHeight = height;
    }
}

QFont SkinPopupMenu::itemFont(const Item& item) const {
    QFont f = useSystemFont_ ? QApplication::font("QMenu") : menuFont_;
    f.setBold(item.isDefault);
    return f;
}

QSize SkinPopupMenu::sizeHint() const {
    int w = 0;
    int h = 0;
    for (const Item& it : items_) {
        const bool sep = isMenuSeparator(it.caption.toStdString());
        h += trvx::menuItemHeight(look_, sep);
        if (!sep) {
            const QFontMetrics fm(itemFont(it));
            w = std::max(
                w, menuItemWidth(look_, fm.horizontalAdvance(it.caption),
                                 it.shortcut.isEmpty() ? 0 : fm.horizontalAdvance(it.shortcut)));
        } else {
            w = std::max(w, menuItemWidth(look_, 0, 0));
        }
    }
    return {w, h};
}

QRect SkinPopupMenu::itemRect(int index) const {
    const int w = std::max(width(), sizeHint().width());
    int y = 0;
    for (int i = 0; i < itemCount(); ++i) {
        const bool sep = isMenuSeparator(item(i).caption.toStdString());
        const int h = trvx::menuItemHeight(look_, sep);
        if (i == index) {
            return {0, y, w, h};
        }
        y += h;
    }
    return {};
}

int SkinPopupMenu::itemAt(QPoint pos) const {
    for (int i = 0; i < itemCount(); ++i) {
        if (itemRect(i).contains(pos)) {
            return i;
        }
    }
    return -1;
}

void SkinPopupMenu::setSelectedIndex(int index) {
    if (index != selected_) {
        selected_ = index;
        update();
    }
}

bool SkinPopupMenu::activateItem(int index) {
    if (index < 0 || index >= itemCount()) {
        return false;
    }
    const Item& it = item(index);
    if (!it.enabled || isMenuSeparator(it.caption.toStdString())) {
        return false;
    }
    hide();
    if (it.onClick) {
        it.onClick();
    }
    return true;
}

void SkinPopupMenu::popupAt(QPoint globalPos) {
    emit aboutToPopup();
    mirrored_ = layoutDirection() == Qt::RightToLeft;
    selected_ = -1;
    resize(sizeHint());
    move(globalPos);
    show();
}

QImage SkinPopupMenu::render() const {
    QImage img(sizeHint(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paintMenu(p);
    return img;
}

void SkinPopupMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintMenu(p);
    if (flatMenu_) {
        // The flat border: an outer frame, a white inner one, and a shadow line.
        const QRect r = rect();
        p.setPen(QColor(0, 0, 0));
        p.drawRect(r.adjusted(0, 1, -1, -1));
        p.setPen(Qt::white);
        p.drawRect(r.adjusted(1, 2, -2, -2));
    }
}

void SkinPopupMenu::paintMenu(QPainter& painter) const {
    for (int i = 0; i < itemCount(); ++i) {
        paintItem(painter, i);
    }
}

void SkinPopupMenu::paintItem(QPainter& p, int index) const {
    const Item& it = item(index);
    const QRect qr = itemRect(index);
    const SkinRect r = ToSkinRect(qr);
    const bool sep = isMenuSeparator(it.caption.toStdString());
    const bool mac = uiStyle_ == SkinUIStyle::MacOS;
    MenuItemState state;
    state.selected = index == selected_;
    state.enabled = it.enabled;
    state.mirrored = mirrored_;
    const QFont font = itemFont(it);
    const QFontMetrics fm(font);
    state.shortcutWidth = it.shortcut.isEmpty() ? 0 : fm.horizontalAdvance(it.shortcut);
    const MenuItemLayout l = layoutMenuItem(look_, r, state);

    auto plainBackground = [&] {
        if (mac) {
            const QImage bar = macMenuBitmap("MACOS_MENU_BAR", sep ? 12 : 20);
            if (!bar.isNull()) {
                p.drawImage(qr, bar);
                return;
            }
        }
        if (!l.bar.empty()) {
            p.fillRect(toQ(l.bar), ToQColor(look_.barColor));
        }
        p.fillRect(toQ(l.background), ToQColor(look_.color));
    };

    if (sep) {
        plainBackground();
        if (!mac) {
            p.setPen(ToQColor(look_.separatorColor));
            p.drawLine(l.lineLeft, l.lineY, l.lineRight, l.lineY);
        }
        return;
    }
    if (l.highlighted) {
        const QImage sel = mac ? macMenuBitmap("MACOS_MENU_SELECT", 20) : QImage();
        if (!sel.isNull()) {
            p.drawImage(qr, sel);
        } else {
            p.fillRect(qr, ToQColor(look_.selectedColor));
            p.setPen(ToQColor(look_.selectedBorderColor));
            p.drawRect(qr.adjusted(0, 0, -1, -1));
        }
    } else {
        plainBackground();
    }

    p.setFont(font);
    p.setPen(ToQColor(l.textColor));
    const int textTop = l.caption.y;
    if (l.captionRightAligned) {
        p.drawText(QRect(qr.left(), textTop, l.caption.x - qr.left(), qr.bottom() - textTop),
                   Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   it.caption);
    } else {
        p.drawText(QRect(l.caption.x, textTop, qr.right() - l.caption.x, qr.bottom() - textTop),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   it.caption);
    }
    if (!it.shortcut.isEmpty()) {
        p.drawText(QRect(l.shortcut.x, l.shortcut.y, state.shortcutWidth + 1, fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, it.shortcut);
    }

    const QPoint glyph(l.glyph.x, l.glyph.y);
    if (it.checked) {
        if (!it.image.isNull()) {
            p.fillRect(toQ(l.checkFrame), QColor(0, 0, 0));
            p.fillRect(toQ(l.checkFill), ToQColor(look_.selectedColor));
        } else {
            QImage check = MaskedImage(StyleBitmap("MENU_CHECKED"), 0xFFFFFFFF);
            if (!it.enabled) {
                check = check.convertToFormat(QImage::Format_Grayscale8)
                            .convertToFormat(QImage::Format_ARGB32);
            }
            p.drawImage(glyph, check);
        }
    }
    if (!it.image.isNull()) {
        QImage img = it.image;
        if (!it.enabled) {
            img = img.convertToFormat(QImage::Format_Grayscale8);
        }
        p.drawImage(glyph, img);
    }
}

void SkinPopupMenu::mouseMoveEvent(QMouseEvent* event) {
    setSelectedIndex(itemAt(event->position().toPoint()));
}

void SkinPopupMenu::leaveEvent(QEvent*) {
    setSelectedIndex(-1);
}

void SkinPopupMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        hide();
        return;
    }
    activateItem(itemAt(event->position().toPoint()));
}

void SkinPopupMenu::keyPressEvent(QKeyEvent* event) {
    const int n = itemCount();
    auto step = [&](int dir) {
        int i = selected_;
        for (int k = 0; k < n; ++k) {
            i = (i + dir + n) % n;
            if (!isMenuSeparator(item(i).caption.toStdString())) {
                setSelectedIndex(i);
                return;
            }
        }
    };
    switch (event->key()) {
    case Qt::Key_Down:
        step(1);
        break;
    case Qt::Key_Up:
        step(-1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activateItem(selected_);
        break;
    case Qt::Key_Escape:
        hide();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace trvx
