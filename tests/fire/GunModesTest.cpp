#include "fire/GunModes.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(GunModes, SlotsAndKeyEntries) {
    EXPECT_EQ(GunModeSlots(1), std::vector<int>{0});
    EXPECT_EQ(GunModeSlots(6), (std::vector<int>{5, 6}));
    EXPECT_EQ(GunModeSlots(7), (std::vector<int>{7, 8, 9}));
    EXPECT_TRUE(GunModeSlots(8).empty());
    EXPECT_EQ(GunModeEntry(1, true, 2, 3, 0x08).ToText(), "0B100108");
    EXPECT_EQ(GunModeEntry(1, false, 2, 3, 0).ToText(), "0B000100");
    EXPECT_EQ(GunModeEntry(6, true, 1, 3, 0).ToText(), "0B150100");
    EXPECT_EQ(GunModeEntry(6, false, 2, 3, 0).ToText(), "0B050200");
    // Mode 7 uses n = 7, never 6; group counts are kept to what the modes have.
    EXPECT_EQ(GunModeEntry(7, true, 2, 3, 0).ToText(), "0B170300");
    EXPECT_EQ(GunModeEntry(7, false, 9, 9, 0).ToText(), "0B070300");
}

TEST(GunModes, EditCorrections) {
    struct Case {
        const char* text;
        int partner;
        std::optional<std::string> corrected;
        std::optional<int> store;
    };
    for (const Case& c :
         std::initializer_list<Case>{{"-", 0, {}, {}},
                                     {"", 0, "0", {}},
                                     {"200", 0, "127", {}},
                                     {"-200", 0, "-128", {}},
                                     {"100", 50, "77", {}},     // move 100 with offset 50
                                     {"-100", -100, "-28", {}}, // offset -100 with move -100
                                     {"77", 50, {}, 77},
                                     {"5-", 0, {}, {}},
                                     {"--", 0, {}, {}}}) {
        const EditOutcome out = GunAxisChanged(c.text, c.partner);
        EXPECT_EQ(out.corrected, c.corrected) << c.text;
        EXPECT_EQ(out.store, c.store) << c.text;
    }
    EXPECT_EQ(GunTimeChanged("70000").corrected, "65535");
    EXPECT_EQ(GunTimeChanged("65535").store, 65535);
    EXPECT_EQ(GunTimeChanged("").corrected, "0");
    EXPECT_EQ(GunCountChanged("300").corrected, "255");
    EXPECT_EQ(GunCountChanged("-1").corrected, "0");
    EXPECT_EQ(GunCountChanged("5").store, 5);
}

} // namespace
} // namespace trvx
