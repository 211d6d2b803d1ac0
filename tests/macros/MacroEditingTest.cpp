#include "macros/MacroEditing.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace trvx
