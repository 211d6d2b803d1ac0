// The popup menu's items and drawing, and the list box's rings and item colours.

#include "controls/skinned/ui/SkinListBox.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/SkinPopupMenu.h"

#include "SkinTestInput.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(SkinPopupMenuTest, ItemHeightsAndMacOsLock) {
    SkinPopupMenu menu;
    menu.setUIStyle(SkinUIStyle::WinXP);
    menu.addItem(QStringLiteral("Mi&nimize"));
    menu.addItem(QStringLiteral("-"));
    menu.addItem(QStringLiteral("&Close"));
    EXPECT_EQ(menu.itemRect(0).height(), 21);
    EXPECT_EQ(menu.itemRect(1), QRect(0, 21, menu.itemRect(1).width(), 5));
    EXPECT_EQ(menu.itemRect(2).top(), 26);
    EXPECT_EQ(menu.sizeHint().height(), 47);
    menu.setMenuItemHeight(30);
    EXPECT_EQ(menu.itemRect(0).height(), 30);

    menu.setUIStyle(SkinUIStyle::MacOS);
    EXPECT_EQ(menu.menuItemHeight(), 20);
    EXPECT_EQ(menu.separatorHeight(), 12);
    menu.setMenuItemHeight(30);
    EXPECT_EQ(menu.menuItemHeight(), 20);
}

TEST(SkinPopupMenuTest, OnlyEnabledItemsRun) {
    SkinPopupMenu menu;
    int ran = 0;
    menu.addItem(QStringLiteral("A"), [&] { ++ran; });
    menu.addItem(QStringLiteral("-"), [&] { ++ran; });
    menu.addItem(QStringLiteral("B"), [&] { ran += 10; });
    menu.item(2).enabled = false;
    EXPECT_FALSE(menu.activateItem(1));
    EXPECT_FALSE(menu.activateItem(2));
    EXPECT_FALSE(menu.activateItem(7));
    EXPECT_TRUE(menu.activateItem(0));
    EXPECT_EQ(ran, 1);
}

TEST(SkinPopupMenuTest, MouseAndKeysChooseItems) {
    SkinPopupMenu menu;
    menu.setUIStyle(SkinUIStyle::WinXP);
    std::vector<int> ran;
    for (int i = 0; i < 4; ++i) {
        menu.addItem(i == 2 ? QStringLiteral("-") : QStringLiteral("Item"),
                     [&ran, i] { ran.push_back(i); });
    }
    menu.popupAt(QPoint(0, 0));
    EXPECT_TRUE(menu.isVisible());
    test::move(&menu, QPoint(40, 30), false);
    EXPECT_EQ(menu.selectedIndex(), 1);
    test::release(&menu, QPoint(40, 30));
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_FALSE(menu.isVisible());

    menu.popupAt(QPoint(0, 0));
    test::key(&menu, Qt::Key_Down); // item 0
    test::key(&menu, Qt::Key_Up);   // wraps past the separator to item 3
    EXPECT_EQ(menu.selectedIndex(), 3);
    test::key(&menu, Qt::Key_Return);
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(SkinPopupMenuTest, HighlightSideBarAndDisabledItems) {
    SkinPopupMenu menu;
    menu.setUIStyle(SkinUIStyle::WinXP);
    menu.addItem(QStringLiteral("A"));
    menu.addItem(QStringLiteral("B"));
    menu.item(1).enabled = false;
    const PopupMenuLook look = menu.look();
    ASSERT_NE(look.selectedColor, look.color);

    menu.setSelectedIndex(0);
    QImage img = menu.render();
    const int right = img.width() - 4; // away from any text
    EXPECT_EQ(QColor(img.pixel(right, 10)), ToQColor(look.selectedColor));
    EXPECT_EQ(QColor(img.pixel(0, 10)), ToQColor(look.selectedBorderColor));
    EXPECT_EQ(QColor(img.pixel(5, 31)), ToQColor(look.barColor));
    EXPECT_EQ(QColor(img.pixel(right, 31)), ToQColor(look.color));

    // A disabled item under the pointer is not highlighted.
    menu.setSelectedIndex(1);
    img = menu.render();
    EXPECT_EQ(QColor(img.pixel(right, 31)), ToQColor(look.color));
    EXPECT_EQ(QColor(img.pixel(5, 31)), ToQColor(look.barColor));
}

struct ListBox : ::testing::Test {
    void SetUp() override {
        list.resize(120, 90);
        list.setItemHeight(20);
        list.setColor(0xFFFFFF);
        list.setSelectedColor(0x800000);
        list.setSelectedTextColor(0x00FFFF);
        list.setDisabledTextColor(0x808080);
        for (const char* s : {"one", "two", "three"}) {
            list.addItem(QString::fromLatin1(s));
        }
    }
    SkinListBox list;
};

TEST_F(ListBox, BorderRingsInTheLooksColour) {
    list.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(list.borderColor(), GetStyleColor(SkinUIStyle::WinXP, theme::kControlBorderColor));
    list.setBorderColor(0x686868); // a colour stored after the look wins
    const QImage img = list.render();
    EXPECT_EQ(QColor(img.pixel(0, 45)), ToQColor(0x686868));
    EXPECT_EQ(QColor(img.pixel(119, 45)), ToQColor(0x686868));
    EXPECT_EQ(QColor(img.pixel(1, 45)), ToQColor(0xFFFFFF));
    EXPECT_EQ(QColor(img.pixel(60, 1)), ToQColor(0xFFFFFF));
}

TEST_F(ListBox, SelectedItemColoursAndTheDisabledList) {
    list.setCurrentRow(1);
    EXPECT_EQ(list.itemPaint(1).brush, 0x800000u);
    EXPECT_EQ(list.itemPaint(1).text, 0x00FFFFu);
    EXPECT_EQ(list.itemPaint(0).brush, 0xFFFFFFu);
    const QImage img = list.render();
    EXPECT_EQ(QColor(img.pixel(110, 2 + 20 + 10)), ToQColor(0x800000));
    EXPECT_EQ(QColor(img.pixel(110, 2 + 10)), ToQColor(0xFFFFFF));

    list.setEnabled(false);
    EXPECT_EQ(list.itemPaint(1).brush, 0x800000u);
    EXPECT_EQ(list.itemPaint(1).text, 0x808080u);
}

TEST_F(ListBox, OwnerDrawnItemsGetNoFocusRectangle) {
    std::vector<std::pair<int, QRect>> drawn;
    list.setDrawItemHandler([&](QPainter& p, int index, const QRect& r, SkinListBox::ItemState) {
        drawn.emplace_back(index, r);
        p.fillRect(r, QColor(0, 200, 0));
    });
    list.setShowFocusRect(true);
    list.setCurrentRow(0);
    list.setFocus();
    const QImage img = list.render();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].second.height(), 20);
    EXPECT_EQ(drawn[1].first, 1);
    // Every pixel of the first item, its edges included, is the owner's.
    const QRect r = drawn[0].second.translated(2, 2);
    for (QPoint p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}) {
        EXPECT_EQ(QColor(img.pixel(p)), QColor(0, 200, 0)) << p.x() << "," << p.y();
    }
}

} // namespace
} // namespace trvx
