#include "sensitivity/SensitivityRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trvx {
namespace {

std::vector<bool> Lit(std::initializer_list<int> on, int count) {
    std::vector<bool> v(static_cast<std::size_t>(count), false);
    for (int i : on)
        v[static_cast<std::size_t>(i - 1)] = true;
    return v;
}

TEST(StepBar, MarkerLightsOneImageAndBarFillsUpToTheLevel) {
    EXPECT_EQ(StepBarLit(12, 5, true), Lit({5}, 12));
    EXPECT_EQ(StepBarLit(12, 5, false), Lit({1, 2, 3, 4, 5}, 12));
    EXPECT_EQ(StepBarLit(10, 0, false), Lit({}, 10));
    EXPECT_EQ(StepBarLit(10, 11, true), Lit({}, 10));
}

TEST(ColourText, HexDigitsAreRedGreenBlueFromTheLowByte) {
    EXPECT_EQ(ColorToHexRGB(0x563412), "123456");
    EXPECT_EQ(ColorToHexRGB(0xFF), "FF0000");
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(2.49), 2);
    EXPECT_EQ(RoundHalfUp(-2.5), -1); // integer part toward zero, plus one
}

TEST(ClampEdit, ValuesAboveTheLimitAreCorrectedOnce) {
    struct Case {
        const char* text;
        int limit;
        int value;
        bool corrected;
    };
    for (const Case& c :
         {Case{"300", 255, 255, true}, Case{"255", 255, 255, false}, Case{"5000", 4094, 4094, true},
          Case{"", 255, 0, false}, Case{"abc", 255, 0, false},
          Case{"99999999999999999999", 65535, 65535, true}, Case{"-4", 255, 0, true}}) {
        const ClampedEdit e = ClampEditValue(c.text, c.limit);
        EXPECT_EQ(e.value, c.value) << c.text;
        EXPECT_EQ(e.corrected, c.corrected) << c.text;
    }
}

TEST(CpiLevels, ReapplyWritesStepAwayAndBack) {
    const auto first = CpiReapplyWrites(0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0], (RegisterWrite{0, 166, {1}}));
    EXPECT_EQ(first[1], (RegisterWrite{0, 166, {0}}));
    const auto sixth = CpiReapplyWrites(5);
    EXPECT_EQ(sixth[0].bytes, std::vector<std::uint8_t>{4});
    EXPECT_EQ(sixth[1].bytes, std::vector<std::uint8_t>{5});
}

TEST(CpiLevels, OnlyTheFirstDisabledOrLastEnabledLevelChangesTheCount) {
    EXPECT_EQ(CpiLevelCountAfterClick(4, 5), 5);
    EXPECT_EQ(CpiLevelCountAfterClick(4, 4), 3);
    EXPECT_EQ(CpiLevelCountAfterClick(4, 2), std::nullopt); // in the middle
    EXPECT_EQ(CpiLevelCountAfterClick(4, 7), std::nullopt); // beyond the first disabled
    EXPECT_EQ(CpiLevelCountAfterClick(1, 1), std::nullopt); // the last level stays
    EXPECT_EQ(CpiLevelCountAfterClick(8, 8), 7);
}

class CpiModel : public ::testing::Test {
protected:
    WorkingModel model;
    void SetUp() override {
        ASSERT_TRUE(model.SetCpiLevelCount(6));
        ASSERT_TRUE(model.SetCpiLevelStep(3, 2));
        ASSERT_TRUE(model.SetCpiLevelStep(4, 7));
    }
};

TEST_F(CpiModel, CountChangeClampsTheCurrentLevelAndWritesItOnlyWhenItMoves) {
    ASSERT_TRUE(model.SetCurrentCpiLevel(5));
    const auto writes = SetCpiLevelCountWrites(model, 4);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], (RegisterWrite{0, 43, {3}}));
    EXPECT_EQ(writes[1], (RegisterWrite{0, 166, {3}}));
    EXPECT_EQ(model.CurrentCpiLevel(), 3);

    const auto more = SetCpiLevelCountWrites(model, 5);
    ASSERT_EQ(more.size(), 1u);
    EXPECT_EQ(more[0], (RegisterWrite{0, 43, {4}}));
    EXPECT_TRUE(SetCpiLevelCountWrites(model, 9).empty());
}

TEST_F(CpiModel, StepWriteKeepsThePartnerNibble) {
    // Level 3 to step 9 keeps level 4's step 7 in the high nibble.
    const auto write = model.SetCpiLevelStep(3, 9);
    ASSERT_TRUE(write);
    EXPECT_EQ(*write, (RegisterWrite{0, 45, {0x79}}));
}

TEST(CpiLevels, CurrentLevelShownOnlyWithinTheCount) {
    EXPECT_EQ(CurrentCpiShown(2, 4), 2);
    EXPECT_EQ(CurrentCpiShown(4, 4), std::nullopt);
    EXPECT_EQ(CurrentCpiShown(8, 8), std::nullopt);
}

TEST(Lighting, FallLevelOfStepTime) {
    for (auto [v, level] : {std::pair{0, 1}, {5, 1}, {6, 2}, {10, 2}, {45, 9}, {46, 10}, {255, 10}})
        EXPECT_EQ(FallLevelOfStepTime(v), level) << v;
}

TEST(Lighting, ModeButtonsByType) {
    // The high nibble stays; MCU modes count from 1.
    EXPECT_EQ(ModeButtonByte(0xF4, LedType::NT, 1), 0xF0);
    EXPECT_EQ(ModeButtonByte(0x82, LedType::MCULED, 5), 0x85);
    EXPECT_EQ(ModeButtonByte(0x05, LedType::RGB, 3), 0x02);
    EXPECT_EQ(ModeButtonOfByte(0x85, LedType::MCULED), 5);
    EXPECT_EQ(ModeButtonOfByte(0x80, LedType::MCULED), std::nullopt);
    EXPECT_EQ(ModeButtonOfByte(0x43, LedType::Sync), std::nullopt);
    EXPECT_EQ(ModeButtonOfByte(0xF3, LedType::NT), std::nullopt); // NT has no mode 3
    EXPECT_EQ(ModeButtonOfByte(0xF4, LedType::NT), 5);
}

TEST(Lighting, FallRowFollowsTheSelectedModeButton) {
    // The modes whose button (6 or 7) switches the row off; every other mode number, with or
    // without a button of its own, leaves it on.
    struct Case {
        LedType type;
        std::uint8_t high; // the byte's upper bits for that type
        std::vector<int> off;
    };
    const Case cases[] = {{LedType::RGB, 0x00, {5}},
                          {LedType::Sync, 0x40, {}},
                          {LedType::NT, 0xF0, {5}},
                          {LedType::NT, 0xA0, {5}},
                          {LedType::MCULED, 0x80, {6, 7}}};
    for (const Case& c : cases)
        for (int mode = 0; mode <= 15; ++mode) {
            const auto byte = static_cast<std::uint8_t>(c.high | mode);
            const bool off = std::find(c.off.begin(), c.off.end(), mode) != c.off.end();
            EXPECT_EQ(FallRowEnabled(ModeButtonOfByte(byte, c.type)), !off)
                << LedTypeName(c.type) << " byte " << int(byte);
        }
    for (int button = 1; button <= 7; ++button)
        EXPECT_EQ(FallRowEnabled(button), button <= 5) << button;
}

TEST(Lighting, NtLedCountNeverOffersOneLed) {
    EXPECT_EQ(NtLedCountByte(0xF4, 0), std::nullopt);
    EXPECT_EQ(NtLedCountByte(0xA0, 7), 0xF0);
    EXPECT_EQ(NtLedCountByte(0xF0, 2), 0xA0);
    // Every offered count reads back as the NT type.
    for (int item = kNtLedCountFirstItem; item <= 7; ++item) {
        WorkingModel m;
        ASSERT_TRUE(m.SetLedModeByte(*NtLedCountByte(0x84, item)));
        EXPECT_EQ(m.LedTypeOfMode(), LedType::NT) << item;
        EXPECT_EQ(m.LedCountIndex(), item);
    }
}

TEST(Lighting, McuLedControlByte) {
    EXPECT_EQ(McuLedControlByte(true, 13), 0x80);
    EXPECT_EQ(McuLedControlByte(false, 4), 0x09);
    EXPECT_EQ(McuLedCountOfByte(0x83), 10);
    EXPECT_EQ(McuLedCountOfByte(0x0A), 0);
}

TEST(PointerLevels, TablesAndTheirInverse) {
    for (auto [ms, level] : {std::pair{900, 1},
                             {899, 2},
                             {830, 2},
                             {500, 7},
                             {480, 7},
                             {270, 10},
                             {269, 11},
                             {5000, 1}})
        EXPECT_EQ(DoubleClickLevelOfTime(ms), level) << ms;
    for (int level = 1; level <= 11; ++level) {
        EXPECT_EQ(DoubleClickLevelOfTime(DoubleClickTimeOfLevel(level)), level);
        EXPECT_EQ(PointerSpeedLevelOf(PointerSpeedOfLevel(level)), level);
    }
    EXPECT_EQ(PointerSpeedLevelOf(-3.0), 1);
    for (auto [lines, level] : {std::pair{0, 3}, {3, 3}, {1, 1}, {10, 10}, {25, 11}, {-5, 11}})
        EXPECT_EQ(WheelLevelOfLines(lines), level) << lines;
}

} // namespace
} // namespace trvx
