#include "controls/skinned/ui/SkinListBox.h"

#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyledItemDelegate>

namespace trvx {

namespace {

SkinColor fromQColor(const QColor& c) {
    return static_cast<SkinColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

} // namespace

class SkinListBoxDelegate : public QStyledItemDelegate {
public:
    explicit SkinListBoxDelegate(SkinListBox* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), list_->itemHeight()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        SkinListBox::ItemState state;
        state.selected = option.state & QStyle::State_Selected;
        state.focused = option.state & QStyle::State_HasFocus;
        const QListWidgetItem* item = list_->item(index.row());
        state.disabled = !list_->isEnabled() || (item && !(item->flags() & Qt::ItemIsEnabled));
        list_->paintItem(*painter, index.row(), option.rect, state);
    }

private:
    SkinListBox* list_;
};

SkinListBox::SkinListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    // The two-pixel band in which the border rings are drawn.
    setViewportMargins(2, 2, 2, 2);
    setUniformItemSizes(true);
    setItemDelegate(new SkinListBoxDelegate(this));
    const QPalette pal = QApplication::palette();
    colors_.color = 0xFFFFFF;
    colors_.fontColor = fromQColor(pal.color(QPalette::Text));
    colors_.selectedColor = fromQColor(pal.color(QPalette::Highlight));
    colors_.selectedTextColor = fromQColor(pal.color(QPalette::HighlightedText));
    colors_.disabledTextColor = fromQColor(pal.color(QPalette::Disabled, QPalette::Text));
    setColor(colors_.color);
    setUIStyle(FormUIStyle(parent));
}

void SkinListBox::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    setBorderColor(listBorderColor(look));
}

void SkinListBox::setBorderColor(SkinColor color) {
    borderColor_ = color;
    update();
}

void SkinListBox::setColor(SkinColor color) {
    colors_.color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    setPalette(pal);
    viewport()->update();
    update();
}

void SkinListBox::setAlignment(ListAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        viewport()->update();
    }
}

void SkinListBox::setSelectedColor(SkinColor color) {
    if (color != colors_.selectedColor) {
        colors_.selectedColor = color;
        viewport()->update();
    }
}

void SkinListBox::setSelectedTextColor(SkinColor color) {
    if (color != colors_.selectedTextColor) {
        colors_.selectedTextColor = color;
        viewport()->update();
    }
}

void SkinListBox::setDisabledTextColor(SkinColor color) {
    if (color != colors_.disabledTextColor) {
        colors_.disabledTextColor = color;
        viewport()->update();
    }
}

void SkinListBox::setShowFocusRect(bool show) {
    if (show != showFocusRect_) {
        showFocusRect_ = show;
        if (hasFocus()) {
            viewport()->update();
        }
    }
}

void SkinListBox::setItemHeight(int height) {
    itemHeight_ = height;
    doItemsLayout();
}

void SkinListBox::setDrawItemHandler(DrawItemHandler handler) {
    drawItem_ = std::move(handler);
    viewport()->update();
}

ListItemPaint SkinListBox::itemPaint(int index) const {
    const QListWidgetItem* it = item(index);
    const bool selected = it != nullptr && it->isSelected();
    const bool disabled = it != nullptr && !(it->flags() & Qt::ItemIsEnabled);
    ListColors c = colors_;
    c.fontColor = fromQColor(palette().color(QPalette::Text));
    return listItemPaint(c, selected, disabled, isEnabled());
}

void SkinListBox::paintItem(QPainter& p, int index, const QRect& rect, ItemState state) const {
    ListColors c = colors_;
    c.fontColor = fromQColor(palette().color(QPalette::Active, QPalette::Text));
    const ListItemPaint paint = listItemPaint(c, state.selected, state.disabled, isEnabled());
    p.save();
    if (drawItem_) {
        // The owner draws on a canvas prepared with the item's brush and text colour.
        p.setBrush(ToQColor(paint.brush));
        p.setPen(ToQColor(paint.text));
        p.setFont(font());
        drawItem_(p, index, rect, state);
        p.restore();
        return;
    }
    p.fillRect(rect, ToQColor(paint.brush));
    const QListWidgetItem* it = item(index);
    if (it != nullptr) {
        const SkinRect tr =
            listItemTextRect(ToSkinRect(rect), layoutDirection() == Qt::RightToLeft);
        Qt::Alignment align = Qt::AlignVCenter;
        switch (alignment_) {
        case ListAlignment::Left:
            align |= Qt::AlignLeft;
            break;
        case ListAlignment::Right:
            align |= Qt::AlignRight;
            break;
        case ListAlignment::Center:
            align |= Qt::AlignHCenter;
            break;
        }
        p.setPen(ToQColor(paint.text));
        p.setFont(font());
        p.drawText(ToQRect(tr), align | Qt::TextSingleLine, it->text());
    }
    if (showFocusRect_ && state.focused) {
        QPen pen(ToQColor(paint.text));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    p.restore();
}

bool SkinListBox::event(QEvent* e) {
    const bool result = QListWidget::event(e);
    if (e->type() == QEvent::Paint) {
        // The rings go into the band outside the viewport.
        QPainter p(this);
        const ListBorderRings rings = listBorderRings(width(), height());
        DrawControlBorder(p, ToQRect(rings.outer), ToQColor(borderColor_), ToQColor(colors_.color));
    }
    return result;
}

QImage SkinListBox::render() {
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QWidget::render(&img);
    return img;
}

} // namespace trvx
