#pragma once
// The wide combo box in its drop-down-list style: UTF-16 items, a UTF-16 text that survives
// clearing the items, and type-ahead that selects the first item beginning with the letters
// typed within 1250 ms of each other. Setting ItemIndex from code runs no handler; a choice of
// the user (mouse or type-ahead) sets the text, then emits clicked() and changed().

#include "controls/wide/ComboTypeAhead.h"
#include "controls/wide/WideStrings.h"

#include <QComboBox>

#include <string>

namespace trvx {

class Clock;
class TUniComboBox;

class TUniComboBoxStrings final : public TUniStrings {
public:
    explicit TUniComboBoxStrings(TUniComboBox& combo) : combo_(combo) {}

    // An index outside the list reads as an empty text.
    std::u16string Get(int index) const override;
    int GetCount() const override;
    // Empties the list; the control's text stays.
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, std::u16string_view text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    // Replaces the text, keeping the item's data (not the selection).
    void Put(int index, std::u16string_view text) override;

private:
    TUniComboBox& combo_;
};

// csDropDownList: pick from the list only (the program's combo boxes); csDropDown: an edit
// whose typing completes to the first matching item.
enum class TComboStyle { csDropDownList, csDropDown };

class TUniComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TUniComboBox(QWidget* parent = nullptr);
    ~TUniComboBox() override;

    TUniComboBoxStrings& Items() { return items_; }
    TUniComboBoxStrings& GetItems() { return items_; }
    int ItemIndex() const { return currentIndex(); }
    // From code: no handler runs; an index outside the items leaves no selection.
    void SetItemIndex(int index);
    std::u16string Text() const;
    void SetText(std::u16string_view text);
    TComboStyle Style() const { return style_; }
    void SetStyle(TComboStyle style);

    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool value) { autoDropDown_ = value; }
    // The tick source of the type-ahead (a steady clock when null).
    void SetClock(Clock* clock) { clock_ = clock; }
    // One typed character, as from the keyboard; true when the type-ahead used it.
    bool TypeChar(char16_t c);
    // One character typed into the edit part of the edit style; true when it completed.
    bool TypeEditChar(char16_t c);

signals:
    void clicked();
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void userChose(int index);
    void showText();
    std::uint32_t tickMs() const;

    TUniComboBoxStrings items_;
    ComboTypeAhead typeAhead_;
    std::u16string text_;
    bool autoComplete_ = true;
    bool autoDropDown_ = false;
    TComboStyle style_ = TComboStyle::csDropDownList;
    Clock* clock_ = nullptr;

    friend class TUniComboBoxStrings;
};

} // namespace trvx
