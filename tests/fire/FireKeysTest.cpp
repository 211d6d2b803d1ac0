#include "fire/FireKeys.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(FireKeys, EntryBytesFollowCountDelayAndHold) {
    EXPECT_EQ(FireKeyEntry({3, 300, true}), TKeyEntry(0x06, 0x92, 0x01, 0x2C));
    EXPECT_EQ(FireKeyEntry({3, 300, false}), TKeyEntry(0x06, 0x12, 0x01, 0x2C));
    EXPECT_EQ(FireKeyEntry({1, 60, false}), TKeyEntry(0x06, 0x10, 0x00, 0x3C));
    EXPECT_EQ(FireKeyEntry({1, 60, true}).p1(), 0x90);
    const FireKeySet read = ReadFireKeyEntry(TKeyEntry(0x06, 0x9E, 0x0F, 0xFE));
    EXPECT_EQ(read, (FireKeySet{15, 4094, true}));
}

struct EditCase {
    const char* text;
    std::optional<std::string> corrected;
    std::optional<int> store;
};

void Check(EditOutcome (*rule)(std::string_view), std::initializer_list<EditCase> cases) {
    for (const EditCase& c : cases) {
        const EditOutcome out = rule(c.text);
        EXPECT_EQ(out.corrected, c.corrected) << "text '" << c.text << "'";
        EXPECT_EQ(out.store, c.store) << "text '" << c.text << "'";
    }
}

TEST(FireKeys, RepeatEditCorrections) {
    Check(RepeatEditChanged, {{"", "2", {}},
                              {"20", "15", {}},
                              {"15", {}, 15},
                              {"1", {}, 1},
                              // A count of 0 has no byte: nothing is stored until the exit.
                              {"0", {}, {}},
                              {"7", {}, 7}});
    Check(RepeatEditLeft, {{"1", "2", {}}, {"0", "2", {}}, {"3", {}, {}}});
}

TEST(FireKeys, DelayEditCorrections) {
    Check(
        DelayEditChanged,
        {{"", "1", {}}, {"0", "1", {}}, {"5000", "4094", {}}, {"4094", {}, 4094}, {"16", {}, 16}});
    // The engineering edit has no lower bound but an empty text is no delay of 0.
    Check(EngineerDelayChanged, {{"", "1", {}}, {"4095", "4094", {}}, {"0", {}, 0}});
}

TEST(FireKeys, OnlyKeysNamedForASetAreRewritten) {
    std::array<std::string, 36> names;
    names.fill("Left Click");
    names[0] = "Fire Key1";  // profile 1 key 1
    names[14] = "Fire Key3"; // profile 2 key 3
    names[35] = "fire key1"; // case differs: not a fire key
    const std::array<std::string, 3> texts{"Fire Key1", "Fire Key2", "Fire Key3"};
    const std::array<FireKeySet, 3> sets{FireKeySet{3, 300, true}, FireKeySet{2, 16, false},
                                         FireKeySet{15, 4094, false}};
    const auto out = RewriteFireKeys(names, texts, sets);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].profile, 1);
    EXPECT_EQ(out[0].key, 1);
    EXPECT_EQ(out[0].entry, TKeyEntry(0x06, 0x92, 0x01, 0x2C));
    EXPECT_EQ(out[1].profile, 2);
    EXPECT_EQ(out[1].key, 3);
    EXPECT_EQ(out[1].entry, TKeyEntry(0x06, 0x1E, 0x0F, 0xFE));

    std::array<TKeyEntry, 36> entries{};
    entries[0] = TKeyEntry(0x06, 0x9E, 0x0F, 0xFE);
    const auto found = FindFireKeys(names, texts, entries, {1});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].set, 0);
    EXPECT_EQ(found[0].values, (FireKeySet{15, 4094, true}));
}

} // namespace
} // namespace trvx
