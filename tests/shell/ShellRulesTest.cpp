#include "shell/ShellRules.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(ShellRulesTest, BusyWindowSitsFortyPixelsBelowTheCentre) {
    const WindowRect busy = BusyWindowPlacement({100, 50, 1030, 660}, 206, 196);
    EXPECT_EQ(busy.left, 100 + 412);
    EXPECT_EQ(busy.top, 50 + 232 + 40);
    EXPECT_EQ(busy.width, 206);
    EXPECT_EQ(busy.height, 196);
    // Odd differences and a busy window wider than the main window round toward zero.
    const WindowRect odd = BusyWindowPlacement({0, 0, 101, 101}, 206, 196);
    EXPECT_EQ(odd.left, -52);
    EXPECT_EQ(odd.top, -47 + 40);

    // Before each showing it is centred exactly.
    const WindowRect shown = BusyWindowCentred({100, 50, 1030, 660}, 206, 196);
    EXPECT_EQ(shown.left, 100 + 412);
    EXPECT_EQ(shown.top, 50 + 232);
    EXPECT_EQ(BusyWindowCentred({0, 0, 101, 101}, 206, 196).top, -47);
}

TEST(ShellRulesTest, CentredOnScreenRoundsTowardZero) {
    const WindowRect r = CentredOnScreen(1921, 1081, 1030, 660);
    EXPECT_EQ(r.left, 445);
    EXPECT_EQ(r.top, 210);
    const WindowRect small = CentredOnScreen(1000, 600, 1030, 660);
    EXPECT_EQ(small.left, -15);
    EXPECT_EQ(small.top, -30);
}

TEST(ShellRulesTest, AGrownWindowStaysOnTheAvailableArea) {
    struct Case {
        const char* what;
        WindowRect window;
        WindowRect area;
        int left, top;
    };
    const Case cases[] = {
        {"past the right edge of a 1280 screen",
         {125, 182, 1030, 660},
         {0, 0, 1280, 1024},
         24,
         182},
        {"already inside", {445, 210, 1030, 660}, {0, 0, 1920, 1080}, 445, 210},
        {"exactly to the edges", {24, 40, 1030, 660}, {0, 0, 1280, 720}, 24, 40},
        {"below a panel-shortened area", {125, 100, 1030, 660}, {0, 0, 1366, 740}, 110, 60},
        {"on a second screen under a top panel",
         {2100, 40, 1030, 660},
         {1920, 32, 1280, 992},
         1944,
         40},
        {"wider and taller than the area", {10, 50, 1030, 600}, {0, 0, 1024, 600}, 0, 0},
        {"already partly off the left and top",
         {-100, -30, 1030, 660},
         {0, 0, 1920, 1080},
         -100,
         -30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowGrowth g = GrowOnScreen(c.window, 1256, 680, c.area);
        EXPECT_EQ(g.grown.left, c.left);
        EXPECT_EQ(g.grown.top, c.top);
        EXPECT_EQ(g.grown.width, 1256);
        EXPECT_EQ(g.grown.height, 680);
        EXPECT_EQ(g.before.left, c.window.left);
        EXPECT_EQ(g.before.top, c.window.top);
    }
}

TEST(ShellRulesTest, AShrunkWindowReturnsUnlessMovedWhileGrown) {
    const WindowGrowth g = GrowOnScreen({125, 182, 1030, 660}, 1256, 680, {0, 0, 1280, 1024});
    const WindowRect back = ShrinkBack(g, g.grown, 1030, 660);
    EXPECT_EQ(back.left, 125);
    EXPECT_EQ(back.top, 182);
    EXPECT_EQ(back.width, 1030);
    EXPECT_EQ(back.height, 660);
    // Dragged elsewhere on the engineering page: it shrinks where the user put it.
    const WindowRect moved = ShrinkBack(g, {0, 300, 1256, 680}, 1030, 660);
    EXPECT_EQ(moved.left, 0);
    EXPECT_EQ(moved.top, 300);
    EXPECT_EQ(moved.width, 1030);
    // Moved along one axis only is moved too.
    EXPECT_EQ(ShrinkBack(g, {24, 190, 1256, 680}, 1030, 660).left, 24);
}

TEST(ShellRulesTest, PageSwitchRefusesWithoutHandlesAndIgnoresWhileNoDeviceShown) {
    EXPECT_EQ(PageSwitchRule(false, false), PageSwitch::RefuseNoDevice);
    EXPECT_EQ(PageSwitchRule(false, true), PageSwitch::RefuseNoDevice);
    EXPECT_EQ(PageSwitchRule(true, true), PageSwitch::Ignore);
    EXPECT_EQ(PageSwitchRule(true, false), PageSwitch::Switch);
}

TEST(ShellRulesTest, CopyNamesSplitIntoFamilyAndCopy) {
    struct Case {
        std::string_view name;
        std::string_view family;
        int copy;
    };
    for (const Case& c : {Case{"Btn_Adv_3", "Adv", 3}, Case{"Btn_Exit_5", "Exit", 5},
                          Case{"Btn_Lang2_1", "Lang2", 1}, Case{"Btn_Main_6", "Main", 6}}) {
        const auto split = SplitCopyName(c.name);
        ASSERT_TRUE(split) << c.name;
        EXPECT_EQ(split->family, c.family);
        EXPECT_EQ(split->copy, c.copy);
    }
    for (std::string_view bad : {"Btn_", "Btn__1", "Key1", "Btn_Adv", "Btn_Adv_x", "Img_Adv_1"})
        EXPECT_FALSE(SplitCopyName(bad)) << bad;
}

TEST(ShellRulesTest, FamiliesMapToTheirRadioAndPage) {
    EXPECT_EQ(RadioOfFamily("Adv")->radio, "rb_4");
    EXPECT_EQ(RadioOfFamily("Engineer")->page, 7);
    EXPECT_EQ(RadioOfFamily("Switch")->page, 1);
    EXPECT_FALSE(RadioOfFamily("Save"));
}

} // namespace
} // namespace trvx
