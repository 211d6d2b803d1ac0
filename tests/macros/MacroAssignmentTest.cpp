#include "macros/MacroAssignment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

TEST(MacroAssignment, EntryCarriesTheStartAddress) {
    EXPECT_EQ(DeviceMacroKeyEntry(0x0200), (KeyEntryBytes{0x10, 0x02, 0x00, 0x00}));
    // A flash macro at slot 2.
    EXPECT_EQ(DeviceMacroKeyEntry(0x4000 + 256 * 2), (KeyEntryBytes{0x10, 0x42, 0x00, 0x00}));
}

TEST(MacroAssignment, OnlyTheLastLeftButtonIsKept) {
    const std::string left = "Left";
    std::vector<std::string> captions(12, "Forward");
    captions[0] = left;
    struct Case {
        int edited;
        bool secondLeft;
        bool refused;
    };
    for (const Case c : {Case{1, false, true}, Case{1, true, false}, Case{2, false, false},
                         Case{0, false, false}, Case{13, false, false}}) {
        captions[5] = c.secondLeft ? left : "Forward";
        EXPECT_EQ(IsLastLeftButton(captions, c.edited, left), c.refused)
            << c.edited << " " << c.secondLeft;
    }
}

} // namespace
} // namespace trvx
