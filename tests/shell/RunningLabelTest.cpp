#include "shell/RunningLabel.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace trvx
