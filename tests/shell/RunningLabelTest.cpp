#include "shell/RunningLabel.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace trvx {
namespace {

std::vector<std::u16string> Ticks(RunningLabel& label, int n, bool enabled = true) {
    std::vector<std::u16string> shown;
    for (int i = 0; i < n; ++i)
        if (auto text = label.Tick(enabled))
            shown.push_back(*text);
    return shown;
}

TEST(RunningLabelTest, FirstTickPutsTheGapInOnceThenRotates) {
    RunningLabel label;
    label.Start("Btn_Adv_1", u"ABC");
    const auto shown = Ticks(label, 8);
    const std::vector<std::u16string> expected{u"BC    A", u"C    AB", u"    ABC", u"   ABC ",
                                               u"  ABC  ", u" ABC   ", u"ABC    ", u"BC    A"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(label.Caption(), u"ABC");
}

TEST(RunningLabelTest, OneCharacterCaptionRotatesThroughFive) {
    RunningLabel label;
    label.Start("Key1", u"X");
    const auto shown = Ticks(label, 6);
    const std::vector<std::u16string> expected{u"    X", u"   X ", u"  X  ",
                                               u" X   ", u"X    ", u"    X"};
    EXPECT_EQ(shown, expected);
}

TEST(RunningLabelTest, CountWrapsToTwoSoTheGapIsNeverAddedTwice) {
    RunningLabel label;
    label.Start("Key1", u"AB");
    const auto shown = Ticks(label, 45);
    ASSERT_EQ(shown.size(), 45u);
    for (const auto& text : shown)
        EXPECT_EQ(text.size(), 6u); // "AB" and one gap of four
    EXPECT_EQ(label.Ticks(), 7);    // 1..20, then 2..20 (19 ticks), then 2..7
}

TEST(RunningLabelTest, DisabledRollingAndEmptyCaptionChangeNothing) {
    RunningLabel label;
    label.Start("Key1", u"ABC");
    EXPECT_TRUE(Ticks(label, 5, false).empty());
    EXPECT_EQ(label.Ticks(), 0);

    label.Start("Key2", u"");
    EXPECT_TRUE(Ticks(label, 5).empty());
    EXPECT_EQ(label.Text(), u"");
}

TEST(RunningLabelTest, RestartScrollsTheNewCaptionFromItsStart) {
    RunningLabel label;
    label.Start("Btn_Lang2_1", u"English");
    Ticks(label, 3);
    label.Restart(u"Anglicky");
    EXPECT_EQ(label.Name(), "Btn_Lang2_1");
    EXPECT_EQ(label.Ticks(), 0);
    EXPECT_EQ(*label.Tick(true), u"nglicky    A");
}

TEST(RunningLabelTest, CaptionSetUnderTheHoverRollsOnFromItsStart) {
    RunningLabel label;
    label.Start("Btn_FireStart", u"Record");
    Ticks(label, 3);
    // What the label shows is what it was last given: nothing changes.
    label.Follow(label.Text());
    EXPECT_EQ(label.Ticks(), 3);
    EXPECT_EQ(label.Caption(), u"Record");
    // The program set a new caption: that one is held and rolls with its gap.
    label.Follow(u"Stop");
    EXPECT_EQ(label.Caption(), u"Stop");
    EXPECT_EQ(label.Ticks(), 0);
    EXPECT_EQ(*label.Tick(true), u"top    S");
}

TEST(RunningLabelTest, EndGivesTheHeldCaptionBackUnlessTheProgramSetANewOne) {
    struct Case {
        const char* what;
        int ticks;
        std::u16string shown; // empty: what the label was last given
        std::optional<std::u16string> back;
    };
    const Case cases[] = {
        {"no tick yet", 0, u"", u"Advanced"},
        {"after ticks", 5, u"", u"Advanced"},
        {"new caption before any tick", 0, u"Pokročilé", std::nullopt},
        {"new caption after ticks", 5, u"Pokročilé", std::nullopt},
    };
    for (const Case& c : cases) {
        RunningLabel label;
        label.Start("Btn_Adv_1", u"Advanced");
        Ticks(label, c.ticks);
        const std::u16string shown = c.shown.empty() ? label.Text() : c.shown;
        EXPECT_EQ(label.End(shown), c.back) << c.what;
        EXPECT_FALSE(label.Active()) << c.what;
        // Once ended, a second end or a tick changes nothing.
        EXPECT_EQ(label.End(shown), std::nullopt) << c.what;
        EXPECT_TRUE(Ticks(label, 2).empty()) << c.what;
    }
}

} // namespace
} // namespace trvx
