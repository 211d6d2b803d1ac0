#include "controls/wide/ui/UniListBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace trvx {

namespace {

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kObjectRole = Qt::UserRole + 1;

class ListItemDelegate final : public QStyledItemDelegate {
public:
    explicit ListItemDelegate(TUniListBox& list) : QStyledItemDelegate(&list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), list_.ItemHeight()};
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        if (list_.OnDrawItem)
            list_.OnDrawItem(*painter, index.row(), option.rect, selected);
        else
            list_.DefaultDrawItem(*painter, index.row(), option.rect, selected);
        painter->restore();
    }

private:
    TUniListBox& list_;
};

[[noreturn]] void outOfBounds(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

QListWidgetItem* TUniListBoxStrings::item(int index) const {
    QListWidgetItem* it = index >= 0 ? listBox_.item(index) : nullptr;
    if (!it)
        outOfBounds(index);
    return it;
}

std::u16string TUniListBoxStrings::Get(int index) const {
    return item(index)->text().toStdU16String();
}

int TUniListBoxStrings::GetCount() const {
    return listBox_.count();
}

void TUniListBoxStrings::Clear() {
    listBox_.clear();
}

void TUniListBoxStrings::Delete(int index) {
    delete item(index);
}

void TUniListBoxStrings::Insert(int index, std::u16string_view text) {
    if (index < 0 || index > listBox_.count())
        outOfBounds(index);
    listBox_.insertItem(index, toQString(text));
}

void* TUniListBoxStrings::GetObject(int index) const {
    return reinterpret_cast<void*>(item(index)->data(kObjectRole).value<quintptr>());
}

void TUniListBoxStrings::PutObject(int index, void* object) {
    item(index)->setData(kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

void TUniListBoxStrings::Put(int index, std::u16string_view text) {
    // Setting the text in place keeps the item's data and the selection.
    item(index)->setText(toQString(text));
}

TUniListBox::TUniListBox(QWidget* parent) : QListWidget(parent), items_(*this) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ListItemDelegate(*this));
}

TUniListBox::~TUniListBox() = default;

void TUniListBox::SetItemIndex(int index) {
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index);
}

int TUniListBox::TopIndex() const {
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : (count() > 0 ? verticalScrollBar()->value() : 0);
}

void TUniListBox::SetTopIndex(int index) {
    if (QListWidgetItem* it = item(index))
        scrollToItem(it, QAbstractItemView::PositionAtTop);
}

void TUniListBox::SetItemHeight(int height) {
    if (height == itemHeight_ || height < 1)
        return;
    itemHeight_ = height;
    doItemsLayout();
    viewport()->update();
}

void TUniListBox::DefaultDrawItem(QPainter& painter, int index, const QRect& rect, bool selected) {
    painter.fillRect(rect, palette().color(selected ? QPalette::Highlight : QPalette::Base));
    if (index >= count())
        return;
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const QRect textRect = rtl ? rect.adjusted(0, 0, -2, 0) : rect.adjusted(2, 0, 0, 0);
    painter.drawText(textRect,
                     Qt::TextSingleLine | Qt::AlignVCenter | (rtl ? Qt::AlignRight : Qt::AlignLeft),
                     item(index)->text());
}

void TUniListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    emit mouseDown(event->button(), event->position().toPoint());
}

void TUniListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    const bool click = event->button() == Qt::LeftButton;
    emit mouseUp(event->button(), event->position().toPoint());
    if (click)
        emit clicked();
}

} // namespace trvx
