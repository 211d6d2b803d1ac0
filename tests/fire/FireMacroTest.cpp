#include "fire/FireMacro.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using Lines = std::vector<std::string>;

FireMacroArea AreaWith(int slot, std::initializer_list<std::uint8_t> bytes) {
    FireMacroArea a{};
    std::size_t i = static_cast<std::size_t>(slot) * kFireMacroSize;
    for (auto b : bytes)
        a[i++] = b;
    return a;
}

std::span<const std::uint8_t> SlotOf(const FireMacroArea& a, int slot) {
    return std::span<const std::uint8_t>(a).subspan(static_cast<std::size_t>(slot) * 24, 24);
}

TEST(FireMacro, TypicalSlotParsesAndListsItsLines) {
    const auto area =
        AreaWith(2, {0xFD, 0x05, 0xA1, 0x04, 0x03, 0xFB, 0xFE, 0x00, 0x32, 0x21, 0xFC});
    const auto length = FireMacroUsedLength(area, 2);
    ASSERT_EQ(length, 12);
    const FireMacroFields f = ParseFireMacro(SlotOf(area, 2), *length);
    ASSERT_TRUE(f.count && f.moveX && f.moveY && f.delay);
    EXPECT_EQ(f.count->value, 5);
    EXPECT_EQ(f.moveX->value, 3);
    EXPECT_EQ(f.moveY->value, -5);
    EXPECT_EQ(f.delay->value, 50);
    EXPECT_EQ(f.count->position, 1);
    EXPECT_EQ(f.moveX->position, 4);
    EXPECT_EQ(f.moveY->position, 5);
    EXPECT_EQ(f.delay->position, 7);
    EXPECT_EQ(FireMacroToLines(SlotOf(area, 2), *length),
              (Lines{"00", "7 FD05", "1 LeftKey CODE:00A1", "3 0403FB", "0 50",
                     "2 LeftKey CODE:0021", "8 FC"}));
}

TEST(FireMacro, AbsentFieldsStayAbsent) {
    // A delay before any move is no recoil delay; there is no loop either.
    const auto area = AreaWith(0, {0xFE, 0x00, 0x10, 0xA1, 0x21});
    const FireMacroFields f = ParseFireMacro(SlotOf(area, 0), *FireMacroUsedLength(area, 0));
    EXPECT_FALSE(f.count);
    EXPECT_FALSE(f.moveX);
    EXPECT_FALSE(f.delay);
    EXPECT_EQ(FireMacroToLines(SlotOf(area, 0), 6)[1], "0 16");
}

TEST(FireMacro, UsedLengthEdges) {
    FireMacroArea area{};
    EXPECT_EQ(FireMacroUsedLength(area, 4), 1);
    EXPECT_EQ(FireMacroToLines(SlotOf(area, 4), 1), Lines{"00"});
    // No zero run in slot 9's 24 bytes, and the run may not pass the area's end.
    area.fill(0x21);
    EXPECT_EQ(FireMacroUsedLength(area, 9), std::nullopt);
    area[9 * 24 + 22] = 0;
    area[9 * 24 + 23] = 0;
    EXPECT_EQ(FireMacroUsedLength(area, 9), std::nullopt);
    // A run at 22 of slot 3 reaches into slot 4.
    area[3 * 24 + 22] = 0;
    area[3 * 24 + 23] = 0;
    area[4 * 24] = 0;
    EXPECT_EQ(FireMacroUsedLength(area, 3), 23);
    EXPECT_EQ(FireMacroUsedLength(area, 10), std::nullopt);
}

TEST(FireMacro, TruncatedEventsAndUnknownBytesEndOrPass) {
    // A move whose operands would pass byte 23 ends the parse.
    FireMacroArea area{};
    for (std::size_t i = 0; i < 22; ++i)
        area[i] = 0x21;
    area[22] = 0x04;
    area[23] = 0x05;
    const FireMacroFields f = ParseFireMacro(SlotOf(area, 0), 24);
    EXPECT_FALSE(f.moveX);
    const auto unknown = AreaWith(0, {0x77, 0xA1});
    EXPECT_EQ(FireMacroToLines(SlotOf(unknown, 0), 3), (Lines{"00", "1 LeftKey CODE:00A1"}));
}

TEST(FireMacro, CompileAndTheSlotCap) {
    EXPECT_EQ(CompileFireMacro(Lines{"10", "1 LeftKey CODE:00A1", "0 120", "2 LeftKey CODE:0021"}),
              (std::vector<std::uint8_t>{0xA1, 0xFE, 0x00, 0x78, 0x21, 0x00}));
    EXPECT_EQ(CompileFireMacro(Lines{"00", "7 FD05", "3 04FB03", "8 FC", "0 abc"}),
              (std::vector<std::uint8_t>{0xFD, 0x05, 0x04, 0xFB, 0x03, 0xFC, 0xFE, 0, 0, 0}));
    // 23 bytes and the end byte fit; one more does not.
    Lines lines{"00"};
    for (int i = 0; i < 23; ++i)
        lines.push_back(i % 2 ? "2 LeftKey CODE:0021" : "1 LeftKey CODE:00A1");
    EXPECT_TRUE(CompileFireMacro(lines));
    lines.push_back("8 FC");
    EXPECT_FALSE(CompileFireMacro(lines));
}

TEST(FireMacro, DeleteRules) {
    const Lines base{
        "10", "7 FD05", "1 LeftKey CODE:00A1", "3 04FB03", "0 50", "2 LeftKey CODE:0021", "8 FC"};
    struct Case {
        int line;
        bool deleted;
        Lines after;
    };
    for (const Case& c : std::initializer_list<Case>{
             {1, false, base}, // a loop start is kept
             {2, true, {"10", "7 FD05", "3 04FB03", "0 50", "8 FC"}},
             {5, true, {"10", "7 FD05", "3 04FB03", "0 50", "8 FC"}},
             {3,
              true,
              {"10", "7 FD05", "1 LeftKey CODE:00A1", "0 50", "2 LeftKey CODE:0021", "8 FC"}},
             {6,
              true,
              {"10", "7 FD05", "1 LeftKey CODE:00A1", "3 04FB03", "0 50", "2 LeftKey CODE:0021"}},
             {9, false, base}}) {
        Lines lines = base;
        EXPECT_EQ(DeleteFireMacroLine(lines, c.line), c.deleted) << c.line;
        EXPECT_EQ(lines, c.after) << c.line;
    }
    // A press without its release goes alone.
    Lines lone{"00", "1 LeftKey CODE:00A1", "0 50"};
    EXPECT_TRUE(DeleteFireMacroLine(lone, 1));
    EXPECT_EQ(lone, (Lines{"00", "0 50"}));
    Lines release{"00", "0 50", "2 LeftKey CODE:0021"};
    EXPECT_TRUE(DeleteFireMacroLine(release, 2));
    EXPECT_EQ(release, (Lines{"00", "0 50"}));
}

TEST(FireMacro, InsertLines) {
    Lines lines{"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"};
    const std::string move = FireInsertLine(FireInsertKind::MoveBack, 0, -5, 3, 0);
    EXPECT_EQ(move, "3 04FB03");
    EXPECT_EQ(InsertFireMacroLine(lines, 1, FireInsertKind::MoveBack, move), 2);
    EXPECT_EQ(InsertFireMacroLine(lines, 1, FireInsertKind::LoopStart,
                                  FireInsertLine(FireInsertKind::LoopStart, 0, 0, 0, 5)),
              1);
    EXPECT_EQ(lines,
              (Lines{"00", "7 FD05", "1 LeftKey CODE:00A1", "3 04FB03", "2 LeftKey CODE:0021"}));
}

TEST(FireRecorder, RecordsPressesReleasesAndDelays) {
    FireRecorder r;
    r.Start(FireRecorder::DelayMode::Recorded, 50);
    r.Press(1000);
    r.Release(1120);
    EXPECT_EQ(r.Lines(), (Lines{"10", "1 LeftKey CODE:00A1", "0 120", "2 LeftKey CODE:0021"}));
    EXPECT_EQ(CompileFireMacro(r.Lines()),
              (std::vector<std::uint8_t>{0xA1, 0xFE, 0x00, 0x78, 0x21, 0x00}));
    r.Start(FireRecorder::DelayMode::None, 50);
    r.Press(1000);
    r.Release(1120);
    EXPECT_EQ(CompileFireMacro(r.Lines()), (std::vector<std::uint8_t>{0xA1, 0x21, 0x00}));
    r.Start(FireRecorder::DelayMode::Recorded, 50);
    r.Press(0);
    r.Release(70000);
    EXPECT_EQ(r.Lines()[2], "0 65535");
    r.Start(FireRecorder::DelayMode::Fixed, 30);
    r.Press(5);
    r.Release(500);
    EXPECT_EQ(r.Lines(), (Lines{"0130", "1 LeftKey CODE:00A1", "0 30", "2 LeftKey CODE:0021"}));
}

TEST(FireRecorder, StopsAtTheSlotSize) {
    FireRecorder r;
    r.Start(FireRecorder::DelayMode::Recorded, 50);
    int accepted = 0;
    for (int i = 0; i < 20; ++i)
        if ((i % 2 ? r.Release(100 * i) : r.Press(100 * i)))
            ++accepted;
    // 1 + 4 + 4 + ... : five events (1 + 4·4 = 17), the sixth would reach 21, the seventh 25.
    EXPECT_EQ(accepted, 6);
    const auto bytes = CompileFireMacro(r.Lines());
    ASSERT_TRUE(bytes);
    EXPECT_LE(bytes->size(), kFireMacroSize);
}

} // namespace
} // namespace trvx
