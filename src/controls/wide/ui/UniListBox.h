#pragma once
// The wide list box: UTF-16 items kept in the list itself, fixed item height, items drawn by
// the owner's handler or by the built-in drawing (text 2 pixels in, vertically centred).

#include "controls/wide/WideStrings.h"

#include <QListWidget>

#include <functional>
#include <string>

namespace trvx {

class TUniListBox;

// The items of a wide list box as a wide string list.
class TUniListBoxStrings final : public TUniStrings {
public:
    explicit TUniListBoxStrings(TUniListBox& listBox) : listBox_(listBox) {}

    // An index outside the list throws EStringListError "List index out of bounds (%d)".
    std::u16string Get(int index) const override;
    int GetCount() const override;
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, std::u16string_view text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    // Replaces the text, keeping the item's data and the list's selection.
    void Put(int index, std::u16string_view text) override;

private:
    QListWidgetItem* item(int index) const;
    TUniListBox& listBox_;
};

class TUniListBox : public QListWidget {
    Q_OBJECT
public:
    using DrawItem =
        std::function<void(QPainter& painter, int index, const QRect& rect, bool selected)>;

    explicit TUniListBox(QWidget* parent = nullptr);
    ~TUniListBox() override;

    TUniListBoxStrings& Items() { return items_; }
    int Count() const { return count(); }
    // -1 for no selection; an index outside the items selects nothing.
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);

    // Draws an item instead of the built-in drawing when set.
    DrawItem OnDrawItem;
    // The built-in drawing of one item.
    void DefaultDrawItem(QPainter& painter, int index, const QRect& rect, bool selected);

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TUniListBoxStrings items_;
    int itemHeight_ = 13;
};

} // namespace trvx
