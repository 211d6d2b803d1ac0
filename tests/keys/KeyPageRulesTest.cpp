// The key page's rules: menu placement inside the window, the last-left guard, the profile
// selection registers, and the menu rows a profile offers.
#include "keys/KeyPageRules.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(KeyPageRules, MenusOpenInsideTheWindow) {
    struct Case {
        Rect label;
        int w, h;
        Point want;
    };
    // Window 800 x 600; the menu opens from the label's centre.
    const Case cases[] = {
        {{100, 100, 150, 30}, 170, 184, {175, 115}}, // room right and below
        {{700, 100, 100, 30}, 170, 184, {580, 115}}, // at the right edge: left of the centre
        {{100, 500, 150, 30}, 170, 184, {175, 331}}, // at the bottom: above the centre
        {{0, 0, 40, 20}, 900, 700, {0, 0}},          // larger than the window: pinned at 0, 0
        {{640, 100, 150, 30}, 100, 50, {615, 115}},  // fits exactly to the right edge
    };
    for (const Case& c : cases) {
        const Point p = PlaceMainMenu(c.label, c.w, c.h, 800, 600);
        EXPECT_EQ(p, c.want) << c.label.left << "," << c.label.top;
        EXPECT_LE(p.x + std::min(c.w, 800), 800);
        EXPECT_GE(p.x, 0);
    }
}

TEST(KeyPageRules, SubMenusOpenBesideTheirParentInsideTheWindow) {
    // Right of the parent when the width fits (widths, not heights, decide).
    EXPECT_EQ(PlaceSubMenu({100, 100, 170, 184}, {2, 22, 166, 20}, 170, 300, 800, 600),
              (Point{270, 122}));
    EXPECT_EQ(PlaceSubMenu({500, 100, 170, 184}, {2, 22, 166, 20}, 170, 300, 800, 600),
              (Point{330, 122}));
    // Near the bottom: raised so its bottom meets the opener's bottom.
    EXPECT_EQ(PlaceSubMenu({100, 400, 170, 184}, {2, 142, 166, 20}, 170, 200, 800, 600),
              (Point{270, 362}));
    // No room on either side: kept inside.
    EXPECT_EQ(PlaceSubMenu({50, 0, 170, 184}, {2, 2, 166, 20}, 700, 100, 800, 600), (Point{0, 2}));
}

TEST(KeyPageRules, EngineerMenusOpenAboveTheirButtonInsideThePage) {
    struct Case {
        Rect button;
        Point want;
    };
    // Page 1240 x 680, menu 170 x 194.
    const Case cases[] = {
        {{400, 500, 118, 23}, {410, 323}},  // above the button, a little in from its left
        {{1150, 500, 96, 23}, {1070, 323}}, // at the right edge: right-aligned with the button
        {{400, 40, 118, 23}, {410, 51}},    // no room above: below the button's middle
        {{400, 660, 118, 23}, {410, 483}},  // near the bottom: still above
    };
    for (const Case& c : cases) {
        const Point p = PlaceEngineerMenu(c.button, 170, 194, 1240, 680);
        EXPECT_EQ(p, c.want) << c.button.left << "," << c.button.top;
    }
    // A menu taller than the room below a top button is kept inside the page.
    EXPECT_EQ(PlaceEngineerMenu({10, 30, 100, 23}, 170, 670, 1240, 680), (Point{20, 10}));
}

TEST(KeyPageRules, KeysThatLoseTheirMacroGetTheirOwnDefault) {
    const TKeyEntry want[12] = {
        {0x01, 0x01, 0x00, 0x00}, {0x01, 0x08, 0x00, 0x00}, {0x09, 0x01, 0x00, 0x00},
        {0x03, 0x02, 0x23, 0x00}, {0x01, 0x02, 0x00, 0x00}, {0x01, 0x10, 0x00, 0x00},
        {0x09, 0x02, 0x00, 0x00}, {0x02, 0x08, 0x07, 0x00}, {0x01, 0x04, 0x00, 0x00},
        {0x09, 0x00, 0x00, 0x00}, {0x08, 0x00, 0x00, 0x00}, {0x08, 0x00, 0x00, 0x00}};
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(LostMacroKeyEntry(k).ToText(), want[k - 1].ToText()) << "key " << k;
    EXPECT_EQ(LostMacroKeyEntry(13), TKeyEntry{});
}

std::array<TKeyEntry, 12> Keys(std::initializer_list<std::pair<int, TKeyEntry>> set) {
    std::array<TKeyEntry, 12> keys;
    keys.fill(TKeyEntry(0x01, 0x02, 0x00, 0x00));
    for (const auto& [k, e] : set)
        keys[static_cast<std::size_t>(k - 1)] = e;
    return keys;
}

TEST(KeyPageRules, ProfileOneKeepsItsLastLeftButton) {
    const TKeyEntry left(0x01, 0x01, 0x00, 0x00);
    const TKeyEntry leftFlagged(0x01, 0x01, 0x00, 0x08);
    const TKeyEntry right(0x01, 0x02, 0x00, 0x00);
    const auto oneLeft = Keys({{1, left}});
    EXPECT_TRUE(RefusesLastLeft(1, oneLeft, 1, right));
    EXPECT_FALSE(RefusesLastLeft(1, oneLeft, 1, left));
    EXPECT_FALSE(RefusesLastLeft(1, oneLeft, 2, right)); // key 1 keeps the left button
    EXPECT_FALSE(RefusesLastLeft(2, oneLeft, 1, right)); // profiles 2 and 3 are free
    EXPECT_FALSE(RefusesLastLeft(3, oneLeft, 1, right));
    // Any option byte still makes a left button, on key 12 as on the others.
    EXPECT_FALSE(RefusesLastLeft(1, Keys({{1, left}, {12, leftFlagged}}), 1, right));
    // No left button at all: only a left click is taken.
    EXPECT_TRUE(RefusesLastLeft(1, Keys({}), 5, right));
    EXPECT_FALSE(RefusesLastLeft(1, Keys({}), 5, leftFlagged));

    EXPECT_TRUE(IsLastLeft(1, oneLeft, 1));
    EXPECT_FALSE(IsLastLeft(1, oneLeft, 2));
    EXPECT_FALSE(IsLastLeft(1, Keys({{1, left}, {11, left}}), 1));
    EXPECT_FALSE(IsLastLeft(2, oneLeft, 1));
}

TEST(KeyPageRules, ProfileSelectionWritesFiveRegisters) {
    struct Case {
        ProfileSelection s;
        std::array<std::uint8_t, 5> want; // 167, 168, 169, 170, 164
    };
    const Case cases[] = {
        {{1, false, false, 1, 3}, {0, 0, 0, 0, 48}},
        {{2, false, false, 1, 3}, {0, 15, 0, 24, 49}},
        {{3, false, false, 1, 3}, {0, 0, 0, 0, 50}},
        {{1, false, false, 0, 10}, {0, 0, 0, 0, 240}},
        {{2, false, false, 0, 10}, {0, 15, 0, 24, 241}},
        {{3, false, false, 0, 10}, {0, 0, 0, 0, 242}},
        {{1, true, false, 1, 0}, {1, 0, 0, 0, 0}},    // button effect
        {{2, true, true, 1, 3}, {5, 15, 0, 24, 241}}, // gun display: +4, and 241 whatever colour
        {{2, false, true, 0, 3}, {4, 15, 0, 24, 241}},
        {{3, false, true, 0, 3}, {0, 0, 0, 0, 50}}, // gun display only matters on profile 2
    };
    for (const Case& c : cases) {
        const auto regs = ProfileSelectionRegisters(c.s);
        ASSERT_EQ(regs.size(), 5u);
        const int order[] = {167, 168, 169, 170, 164};
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(regs[i].reg, order[i]);
            EXPECT_EQ(regs[i].value, c.want[i]) << "profile " << c.s.profile << " reg " << order[i];
        }
    }
}

TEST(KeyPageRules, ProfileByteItems) {
    EXPECT_EQ(ProfileColourItem(0x21), 2);
    EXPECT_EQ(ProfileColourItem(0xF0), 10);
    EXPECT_EQ(ProfileColourItem(0x92), 9);
    EXPECT_EQ(ProfileColourItem(0xA0), std::nullopt);
    EXPECT_EQ(ButtonEffectItem(1), 1);
    EXPECT_EQ(ButtonEffectItem(5), 1); // button effect 1 with gun display
    EXPECT_EQ(ButtonEffectItem(4), 0);
}

TEST(KeyPageRules, MenuRowsOfAProfile) {
    MenuRowInputs in;
    EXPECT_FALSE(MenuRowShown("Key_FireMacro", in));
    EXPECT_FALSE(MenuRowShown("Key_BtnEFT", in));
    EXPECT_FALSE(MenuRowShown("Key_TLFireMacro", in));
    EXPECT_TRUE(MenuRowShown("Key_Profile", in));
    in.profile = 2;
    in.gunDisplay = true;
    EXPECT_TRUE(MenuRowShown("Key_FireMacro", in));
    EXPECT_TRUE(MenuRowShown("Key_FireMacroKey", in));
    in.profile = 1;
    EXPECT_FALSE(MenuRowShown("Key_FireMacroKey", in));
    in.buttonEffect = true;
    EXPECT_TRUE(MenuRowShown("Key_BtnEFT", in));
    // Profile keys follow the profile tabs.
    in.thirdTab = false;
    EXPECT_TRUE(MenuRowShown("Key_Profile2", in));
    EXPECT_FALSE(MenuRowShown("Key_Profile3", in));
    in.secondTab = false;
    EXPECT_FALSE(MenuRowShown("Key_Profile1", in));
    EXPECT_TRUE(MenuRowShown("Key_Left", in));
    // From the engineering page: every row but the key page's fire-macro entry.
    MenuRowInputs eng;
    eng.engineering = true;
    eng.secondTab = eng.thirdTab = false;
    for (const char* row :
         {"Key_TLFireMacro", "Key_FireMacroKey", "Key_BtnEFT", "Key_Profile3", "Key_AdjustXY"})
        EXPECT_TRUE(MenuRowShown(row, eng)) << row;
    EXPECT_FALSE(MenuRowShown("Key_FireMacro", eng));
}

} // namespace
} // namespace trvx
