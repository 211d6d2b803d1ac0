#include "macros/MacroEditing.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace trvx {
namespace {

const MacroScript kTap{"10",   "1 A CODE:8204", "0 50",         "2 A CODE:0204",
                       "0 20", "1 B CODE:8205", "2 B CODE:0205"};

TEST(MacroEditing, DeletesALineOrAPressWithItsRelease) {
    struct Case {
        int item;
        MacroScript expected;
        int select;
    };
    const std::vector<Case> cases{
        // The press of A takes its release and keeps the delay between them.
        {0, {"10", "0 50", "0 20", "1 B CODE:8205", "2 B CODE:0205"}, 0},
        // The release of A takes its press.
        {2, {"10", "0 50", "0 20", "1 B CODE:8205", "2 B CODE:0205"}, 0},
        {1, {"10", "1 A CODE:8204", "2 A CODE:0204", "0 20", "1 B CODE:8205", "2 B CODE:0205"}, 0},
        {5, {"10", "1 A CODE:8204", "0 50", "2 A CODE:0204", "0 20"}, 3},
    };
    for (const Case& c : cases) {
        MacroScript script = kTap;
        const LineDeletion d = DeleteScriptItem(script, c.item);
        EXPECT_TRUE(d.removed) << c.item;
        EXPECT_EQ(script, c.expected) << c.item;
        EXPECT_EQ(d.selectItem, c.select) << c.item;
    }
}

TEST(MacroEditing, APressOrReleaseWithoutItsPartnerStays) {
    // A release above its press, and a loop start, are not removed.
    MacroScript script{"00", "2 A CODE:0204", "1 A CODE:8204", "7 FD02"};
    const MacroScript before = script;
    for (int item : {0, 1, 2, 7, -1}) {
        const LineDeletion d = DeleteScriptItem(script, item);
        EXPECT_FALSE(d.removed) << item;
        EXPECT_EQ(d.partnerMissing, item == 0 || item == 1) << item;
    }
    EXPECT_EQ(script, before);
}

TEST(MacroEditing, PartnerOfAPressOrRelease) {
    EXPECT_EQ(PartnerItem(kTap, 0), 2);
    EXPECT_EQ(PartnerItem(kTap, 2), 0);
    EXPECT_EQ(PartnerItem(kTap, 1), std::nullopt);
}

TEST(MacroEditing, TheInsertBoxPutsItsLineBeforeOrAfterTheChosenItem) {
    struct Case {
        InsertKind kind;
        int item;
        InsertValues values;
        std::size_t line; // where the new line lands
        MacroScriptLine text;
        int select;
    };
    const InsertValues v{"120", "-1", "127", "10"};
    const std::vector<Case> cases{
        {InsertKind::DelayBefore, 2, v, 3, "0 120", 2},
        {InsertKind::DelayAfter, 2, v, 4, "0 120", 3},
        {InsertKind::MoveBefore, 0, v, 1, "3 04FF7F", 0},
        {InsertKind::MoveAfter, 5, v, 7, "3 04FF7F", 6},
        // A loop start before item 0 becomes the first event line; a loop end goes after.
        {InsertKind::LoopStartBefore, 0, v, 1, "7 FD0A", 0},
        {InsertKind::LoopEndAfter, 3, v, 5, "8 FC", 4},
        // Out-of-range values are brought into range rather than wrapped.
        {InsertKind::DelayBefore, 0, {"70000", "0", "0", "0"}, 1, "0 65535", 0},
        {InsertKind::MoveBefore, 0, {"0", "-300", "300", "0"}, 1, "3 04807F", 0},
    };
    for (const Case& c : cases) {
        MacroScript script = kTap;
        const LineInsertion r = InsertScriptLine(script, c.kind, c.item, c.values);
        ASSERT_TRUE(r.inserted) << c.text;
        ASSERT_EQ(script.size(), kTap.size() + 1);
        EXPECT_EQ(script[c.line], c.text);
        EXPECT_EQ(r.selectItem, c.select) << c.text;
        script.erase(script.begin() + static_cast<std::ptrdiff_t>(c.line));
        EXPECT_EQ(script, kTap) << "the other lines stay in order";
    }
}

TEST(MacroEditing, TheInsertBoxRefusesWithoutAChosenItemOrANumber) {
    const InsertValues good{"50", "1", "1", "1"};
    struct Case {
        InsertKind kind;
        int item;
        InsertValues values;
        bool badValue;
    };
    const std::vector<Case> cases{
        {InsertKind::DelayBefore, -1, good, false},
        {InsertKind::DelayAfter, 7, good, false},
        // Keys come from the insert recording, never from the box's edits.
        {InsertKind::KeyBefore, 0, good, false},
        {InsertKind::MoveBefore, 0, {"50", "-", "1", "1"}, true},
        {InsertKind::MoveAfter, 0, {"50", "1", "", "1"}, true},
        {InsertKind::LoopStartBefore, 0, {"50", "1", "1", ""}, true},
        {InsertKind::DelayBefore, 0, {"x", "1", "1", "1"}, true},
    };
    for (const Case& c : cases) {
        MacroScript script = kTap;
        const LineInsertion r = InsertScriptLine(script, c.kind, c.item, c.values);
        EXPECT_FALSE(r.inserted);
        EXPECT_EQ(r.badValue, c.badValue);
        EXPECT_EQ(script, kTap);
    }
}

TEST(MacroEditing, ValueEditsCorrectTheirText) {
    const std::vector<std::pair<std::string, std::string>> axis{
        {"-", "-"}, {"", "0"}, {"128", "127"}, {"-129", "-128"}, {"-5", "-5"}, {"12", "12"}};
    for (const auto& [in, out] : axis)
        EXPECT_EQ(CorrectAxisText(in), out) << in;
    const std::vector<std::pair<std::string, std::string>> repeat{
        {"256", "255"}, {"10", "10"}, {"0", "0"}, {"", ""}};
    for (const auto& [in, out] : repeat)
        EXPECT_EQ(CorrectRepeatText(in), out) << in;
}

TEST(MacroEditing, TheDelayEditAlwaysHoldsADelayOfOneTo65535) {
    // Typed digits, then what only a paste can bring: signs, letters, blanks, huge numbers.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", "1"},          {"0", "1"},         {"000", "1"},
        {"7000", "7000"},   {"70000", "65535"}, {"65535", "65535"},
        {"65536", "65535"}, {"0050", "0050"},   {"99999999999999999999999", "65535"},
        {"-5", "1"},        {"-", "1"},         {"12ab", "12"},
        {" 3 ", "3"},       {"abc", "1"},       {"1e9", "19"},
        {"5-", "5"},        {"0x7FFFF", "07"},
    };
    for (const auto& [typed, shown] : cases) {
        const std::string corrected = CorrectDelayText(typed);
        EXPECT_EQ(corrected, shown) << typed;
        // What the edit then holds hands over a delay in range, and correcting it again keeps it.
        const auto ms = DelayOfText(corrected);
        ASSERT_TRUE(ms.has_value()) << typed;
        EXPECT_GE(*ms, 1);
        EXPECT_EQ(CorrectDelayText(corrected), corrected);
    }
    EXPECT_EQ(DelayOfText("0050"), 50);
    // An edit not typed into hands nothing over.
    for (const char* none : {"", "0", "65536", "12ab"})
        EXPECT_EQ(DelayOfText(none), std::nullopt) << none;
}

TEST(MacroEditing, AKeyEditChangesBothHalvesOfThePair) {
    // Press A (item 0) and its release (item 2): either half edited to C changes both, so the
    // macro never ends with C held and a release of A that was never pressed.
    for (int item : {0, 2}) {
        MacroScript script = kTap;
        const KeyLineEdit e = ReplaceKeyLinePair(script, item, "C", 0x06);
        EXPECT_TRUE(e.changed);
        EXPECT_EQ(e.partnerItem, item == 0 ? 2 : 0);
        EXPECT_EQ(script[1], "1 C CODE:8206");
        EXPECT_EQ(script[3], "2 C CODE:0206");
        EXPECT_EQ(script[6], "2 B CODE:0205") << "the other key is left alone";
    }
    // A release without its press changes alone; a delay and an empty key change nothing.
    MacroScript lone{"00", "2 A CODE:0204"};
    EXPECT_EQ(ReplaceKeyLinePair(lone, 0, "D", 0x07).partnerItem, -1);
    EXPECT_EQ(lone[1], "2 D CODE:0207");
    MacroScript script = kTap;
    EXPECT_FALSE(ReplaceKeyLinePair(script, 1, "C", 0x06).changed);
    EXPECT_FALSE(ReplaceKeyLinePair(script, 0, "", 0x06).changed);
    EXPECT_EQ(script, kTap);
}

TEST(MacroEditing, ADelayEditChangesOnlyADelayLine) {
    MacroScript script = kTap;
    EXPECT_TRUE(ReplaceDelayLine(script, 3, 300));
    EXPECT_EQ(script[4], "0 300");
    script[4] = kTap[4];
    EXPECT_EQ(script, kTap);
    // A press, the header's place and items past the end (a script that changed under the
    // dialog) are left alone.
    for (int item : {0, -1, 6, 7, 100})
        EXPECT_FALSE(ReplaceDelayLine(script, item, 300)) << item;
    EXPECT_EQ(script, kTap);
}

} // namespace
} // namespace trvx
