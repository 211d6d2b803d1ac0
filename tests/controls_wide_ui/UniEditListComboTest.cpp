// The wide edit, list box and combo box: UTF-16 text and items end to end, which changes run
// the change handlers, the items' errors, the fixed item height, and the type-ahead.

#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniEdit.h"
#include "controls/wide/ui/UniListBox.h"
#include "controls_wide/ManualClock.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace trvx {
namespace {

void type(QWidget& w, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &press);
}

TEST(UniEditTest, SettingADifferentTextRunsTheChangeHandlerOnce) {
    TUniEdit edit;
    int changes = 0;
    QObject::connect(&edit, &QLineEdit::textChanged, [&] { ++changes; });
    const std::u16string text = u"\u5B8F\U0001F5B1x";
    edit.SetText(text);
    edit.SetText(text);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.GetText(), text);
    EXPECT_EQ(edit.GetText().size(), 4u) << "a surrogate pair is two code units";
}

TEST(UniEditTest, SelectionInCodeUnits) {
    TUniEdit edit;
    edit.SetText(u"\U0001F5B1abc");
    edit.SetSelStart(2);
    edit.SetSelLength(2);
    EXPECT_EQ(edit.GetSelStart(), 2);
    EXPECT_EQ(edit.GetSelLength(), 2);
    EXPECT_EQ(edit.GetSelText(), u"ab");
}

TEST(UniEditTest, TheMacroNameEditTakesEightCodeUnits) {
    TUniEdit edit;
    edit.setMaxLength(8);
    for (const char16_t c : std::u16string(u"\u540D\u524D\u3042\u3044\u3046\u3048\u304A\u304B"
                                           u"\u304D"))
        type(edit, QString(QChar(c)));
    EXPECT_EQ(edit.GetText(), u"\u540D\u524D\u3042\u3044\u3046\u3048\u304A\u304B");
}

TEST(UniEditTest, AKeyPressHandlerSeesTheWholeCharacterAndMayReplaceOrDropIt) {
    TUniEdit edit;
    std::u16string seen;
    edit.OnKeyPress = [&](char16_t& key) {
        seen.push_back(key);
        if (key == u'\u4E2D')
            key = 0;
        else if (key == u'x')
            key = u'\u00D7';
    };
    type(edit, QString(QChar(u'\u4E2D')));
    type(edit, "x");
    type(edit, QString(QChar(u'\u0416')));
    EXPECT_EQ(seen, u"\u4E2Dx\u0416");
    EXPECT_EQ(edit.GetText(), u"\u00D7\u0416");
}

TEST(UniEditTest, PasswordCharacterHidesTheText) {
    TUniEdit edit;
    edit.SetPasswordChar(u'*');
    EXPECT_EQ(edit.echoMode(), QLineEdit::Password);
    edit.SetText(u"1234");
    EXPECT_EQ(edit.GetText(), u"1234");
    edit.SetPasswordChar(0);
    EXPECT_EQ(edit.echoMode(), QLineEdit::Normal);
}

TEST(UniListBoxTest, ItemsAreWideStringsAndPutKeepsSelectionAndData) {
    TUniListBox list;
    auto& items = list.Items();
    items.Add(u"\u5B8F 1");
    items.Add(u"Macro 2");
    items.Add(u"Macro 3");
    int data = 7;
    items.PutObject(1, &data);
    list.SetItemIndex(1);
    items.Put(1, u"\u5B8F 2");
    EXPECT_EQ(items.Get(1), u"\u5B8F 2");
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(items.GetObject(1), &data);
    items.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(items.Get(0), u"\u5B8F 2");

    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), -1);
    try {
        items.Get(2);
        ADD_FAILURE() << "no error for an index beyond the end";
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (2)");
    }
    items.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(UniListBoxTest, FixedItemHeightAndOwnerDrawing) {
    TUniListBox list;
    list.resize(120, 200);
    list.SetItemHeight(28);
    for (int i = 0; i < 4; ++i)
        list.Items().Add(u"item");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.visualItemRect(list.item(i)).height(), 28);
    EXPECT_EQ(list.visualItemRect(list.item(2)).top(), 56);

    std::vector<int> drawn;
    list.OnDrawItem = [&](QPainter& p, int index, const QRect& r, bool) {
        drawn.push_back(index);
        p.fillRect(r, Qt::red);
    };
    list.show();
    const QImage shot = list.grab().toImage();
    EXPECT_EQ(drawn.size(), 4u);
    const QPoint inFirst = list.viewport()->mapTo(&list, QPoint(5, 5));
    EXPECT_EQ(shot.pixelColor(inFirst), QColor(Qt::red));
}

class UniComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        combo.SetClock(&clock);
        for (const auto* s : {u"Delay", u"Key down", u"Key up", u"Left click"})
            combo.Items().Add(s);
        QObject::connect(&combo, &TUniComboBox::changed, [&] { ++changes; });
        QObject::connect(&combo, &TUniComboBox::clicked, [&] { ++clicks; });
    }
    timer_test::ManualClock clock;
    TUniComboBox combo;
    int changes = 0;
    int clicks = 0;
};

TEST_F(UniComboBoxTest, ItemIndexFromCodeRunsNoHandlerAndOutsideMeansNone) {
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetItemIndex(9);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    // The user's choice sets the text, then the click and change handlers run.
    emit combo.activated(1);
    EXPECT_EQ(combo.Text(), u"Key down");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(UniComboBoxTest, TypeAheadWithinTheTimeoutAndAfterAPause) {
    clock.advanceMillis(5000);
    type(combo, "k");
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    clock.advanceMillis(1249);
    type(combo, "e");
    type(combo, "y");
    type(combo, " ");
    type(combo, "u");
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), u"Key up");
    EXPECT_EQ(changes, 2);
    clock.advanceMillis(1250);
    type(combo, "l");
    EXPECT_EQ(combo.ItemIndex(), 3);
    EXPECT_EQ(changes, 3);
}

TEST_F(UniComboBoxTest, ClearingKeepsTheTextAndItemsOutsideReadEmpty) {
    combo.SetItemIndex(0);
    int data = 1;
    combo.Items().PutObject(0, &data);
    combo.Items().Put(0, u"\u5EF6\u8FDF");
    EXPECT_EQ(combo.Items().GetObject(0), &data);
    EXPECT_EQ(combo.Items().Get(0), u"\u5EF6\u8FDF");
    EXPECT_EQ(combo.Items().Get(10), u"");
    EXPECT_EQ(combo.Items().Get(-1), u"");
    combo.Items().Clear();
    EXPECT_EQ(combo.Items().GetCount(), 0);
    EXPECT_EQ(combo.Text(), u"\u5EF6\u8FDF");
    EXPECT_EQ(changes, 0);
}

TEST_F(UniComboBoxTest, EditStyleCompletesWhatIsTypedAndSelectsTheRest) {
    combo.SetStyle(TComboStyle::csDropDown);
    ASSERT_NE(combo.lineEdit(), nullptr);
    type(*combo.lineEdit(), "k");
    EXPECT_EQ(combo.Text(), u"key down") << "what was typed stays as typed";
    EXPECT_EQ(combo.lineEdit()->selectedText(), "ey down");
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
    type(*combo.lineEdit(), "e");
    type(*combo.lineEdit(), "y");
    type(*combo.lineEdit(), " ");
    type(*combo.lineEdit(), "u");
    EXPECT_EQ(combo.Text(), u"key up");
    EXPECT_EQ(combo.ItemIndex(), 2);
    type(*combo.lineEdit(), "!");
    EXPECT_EQ(combo.Text(), u"key u!") << "no item: the character is typed over the selection";
}

} // namespace
} // namespace trvx
