// Popup menu look and item geometry.

#include "controls/skinned/PopupMenuLayout.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(PopupMenuLayoutTest, LookSetsHeightsAndColours) {
    const PopupMenuLook mac = popupMenuLook(SkinUIStyle::MacOS);
    EXPECT_EQ(mac.barWidth, 26);
    EXPECT_EQ(mac.menuItemHeight, 20);
    EXPECT_EQ(mac.separatorHeight, 12);
    EXPECT_EQ(mac.separatorColor, 0x000000u);
    for (SkinUIStyle look : {SkinUIStyle::WinXP, SkinUIStyle::DeepBlue, SkinUIStyle::BlueGlass,
                             SkinUIStyle::FromThemeFile}) {
        const PopupMenuLook l = popupMenuLook(look);
        const SkinUIStyle table = look == SkinUIStyle::FromThemeFile ? SkinUIStyle::DeepBlue : look;
        EXPECT_EQ(l.menuItemHeight, 21);
        EXPECT_EQ(l.separatorHeight, 5);
        EXPECT_EQ(l.separatorColor, 0x848284u);
        EXPECT_EQ(l.barColor, GetStyleColor(table, theme::kMenuBarColor));
        EXPECT_EQ(l.color, GetStyleColor(table, theme::kMenuBackgroundColor));
        EXPECT_EQ(l.fontColor, GetStyleColor(table, theme::kMenuFontColor));
        EXPECT_EQ(l.selectedBorderColor, GetStyleColor(table, theme::kMenuSelectedBorderColor));
        EXPECT_EQ(l.selectedColor, GetStyleColor(table, theme::kMenuSelectedBackgroundColor));
        EXPECT_EQ(l.selectedFontColor, GetStyleColor(table, theme::kMenuSelectedFontColor));
    }
}

TEST(PopupMenuLayoutTest, ItemSizes) {
    const PopupMenuLook xp = popupMenuLook(SkinUIStyle::WinXP);
    EXPECT_TRUE(isMenuSeparator("-"));
    EXPECT_FALSE(isMenuSeparator("--"));
    EXPECT_EQ(menuItemHeight(xp, true), 5);
    EXPECT_EQ(menuItemHeight(xp, false), 21);
    EXPECT_EQ(menuItemHeight(popupMenuLook(SkinUIStyle::MacOS), true), 12);
    EXPECT_EQ(menuItemWidth(xp, 50, 12), 50 + 12 + 26 + 40);
}

TEST(PopupMenuLayoutTest, ItemPlacesLeftToRightAndMirrored) {
    const PopupMenuLook xp = popupMenuLook(SkinUIStyle::WinXP);
    const SkinRect r{0, 21, 150, 42};
    MenuItemLayout ltr = layoutMenuItem(xp, r, {false, true, 30, false});
    EXPECT_EQ(ltr.bar, (SkinRect{0, 21, 26, 42}));
    EXPECT_EQ(ltr.background, (SkinRect{26, 21, 150, 42}));
    EXPECT_EQ(ltr.caption, (SkinPoint{30, 25})); // 30 pixels from the item's left edge
    EXPECT_FALSE(ltr.captionRightAligned);
    EXPECT_EQ(ltr.shortcut, (SkinPoint{104, 25}));
    EXPECT_EQ(ltr.glyph, (SkinPoint{4, 24}));
    EXPECT_EQ(ltr.checkFrame, (SkinRect{2, 22, 21, 41}));
    EXPECT_EQ(ltr.checkFill, (SkinRect{3, 23, 20, 40}));
    EXPECT_EQ(ltr.lineLeft, 30);
    EXPECT_EQ(ltr.lineRight, 148);
    EXPECT_EQ(ltr.lineY, 23);
    EXPECT_EQ(ltr.textColor, xp.fontColor);

    MenuItemLayout rtl = layoutMenuItem(xp, r, {false, true, 30, true});
    EXPECT_EQ(rtl.bar, (SkinRect{124, 21, 150, 42}));
    EXPECT_EQ(rtl.caption, (SkinPoint{120, 25}));
    EXPECT_TRUE(rtl.captionRightAligned);
    EXPECT_EQ(rtl.shortcut, (SkinPoint{16, 25}));
    EXPECT_EQ(rtl.glyph.x, 130);
    EXPECT_EQ(rtl.lineLeft, 2);
    EXPECT_EQ(rtl.lineRight, 120);
}

TEST(PopupMenuLayoutTest, SelectionAndDisabledColours) {
    const PopupMenuLook xp = popupMenuLook(SkinUIStyle::WinXP);
    const SkinRect r{0, 0, 100, 21};
    MenuItemLayout sel = layoutMenuItem(xp, r, {true, true, 0, false});
    EXPECT_TRUE(sel.highlighted);
    EXPECT_EQ(sel.textColor, xp.selectedFontColor);
    // A disabled item under the pointer: grey text and no highlight.
    MenuItemLayout dis = layoutMenuItem(xp, r, {true, false, 0, false});
    EXPECT_FALSE(dis.highlighted);
    EXPECT_EQ(dis.textColor, kMenuDisabledTextColor);
}

} // namespace
} // namespace trvx
