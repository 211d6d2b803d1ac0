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
