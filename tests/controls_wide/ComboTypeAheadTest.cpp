// Type-ahead of the wide combo box: prefixes typed within 1250 ms, case-insensitive search,
// the keys that pass through, and the wrap of the tick count.

#include "controls/wide/ComboTypeAhead.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

const std::vector<std::u16string> kItems{u"Delay", u"Key down", u"Key up", u"Left click", u"kilo"};

TEST(FindItemPrefixTest, SearchesAfterTheStartWrappingAndIgnoringCase) {
    struct Case {
        int start;
        std::u16string text;
        int found;
    };
    const Case cases[] = {
        {-1, u"k", 1},  {1, u"k", 2}, {2, u"K", 4}, {4, u"k", 1},        {-1, u"KEY U", 2},
        {-1, u"x", -1}, {-1, u"", 0}, {9, u"d", 0}, {-1, u"delay!", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindItemPrefix(kItems, c.start, c.text), c.found)
            << "start " << c.start << " text size " << c.text.size();
    EXPECT_EQ(FindItemPrefix({}, -1, u"a"), -1);
    EXPECT_EQ(FindUniqueItemPrefix(kItems, u"l"), 3);
    EXPECT_EQ(FindUniqueItemPrefix(kItems, u"key"), -1);
}

TEST(ComboTypeAheadTest, LettersWithinTheTimeoutBuildAPrefixAndAPauseStartsAgain) {
    ComboTypeAhead ahead;
    auto o = ahead.OnChar(u'k', 10'000, kItems, -1, true, false);
    EXPECT_TRUE(o.consumed);
    EXPECT_TRUE(o.openList);
    EXPECT_EQ(o.select, 1);
    EXPECT_TRUE(o.changed);

    o = ahead.OnChar(u'i', 10'000 + 1249, kItems, 1, true, true);
    EXPECT_EQ(o.select, 4);
    EXPECT_EQ(ahead.TypedPrefix(), u"ki");

    // 1250 ms after the last key the search starts afresh.
    o = ahead.OnChar(u'l', 10'000 + 1249 + 1250, kItems, 4, true, true);
    EXPECT_EQ(o.select, 3);
    EXPECT_EQ(ahead.TypedPrefix(), u"l");

    // A letter that extends the prefix to nothing passes on and keeps the prefix.
    o = ahead.OnChar(u'z', 12'000 + 1249 + 10, kItems, 3, true, true);
    EXPECT_FALSE(o.consumed);
    EXPECT_EQ(o.select, -1);
    EXPECT_EQ(ahead.TypedPrefix(), u"l");

    // The same item again is no change.
    ComboTypeAhead again;
    EXPECT_FALSE(again.OnChar(u'd', 0, kItems, 0, false, false).changed);
}

TEST(ComboTypeAheadTest, TheTimeoutHoldsAcrossTheWrapOfTheTickCount) {
    ComboTypeAhead ahead;
    ahead.OnChar(u'k', 0xFFFFFF00u, kItems, -1, false, false);
    auto o = ahead.OnChar(u'e', 0x00000100u, kItems, 1, false, false); // 512 ms later
    EXPECT_EQ(ahead.TypedPrefix(), u"ke");
    EXPECT_EQ(o.select, 1);
}

TEST(ComboTypeAheadTest, BackspaceTabAndEscapePassThrough) {
    ComboTypeAhead ahead;
    ahead.OnChar(u'k', 0, kItems, -1, true, false);
    ahead.OnChar(u'e', 1, kItems, 1, true, true);
    auto o = ahead.OnChar(8, 2, kItems, 1, true, true);
    EXPECT_FALSE(o.consumed);
    EXPECT_EQ(ahead.TypedPrefix(), u"k");
    o = ahead.OnChar(9, 3, kItems, 1, true, true);
    EXPECT_FALSE(o.consumed);
    EXPECT_TRUE(o.closeList);
    o = ahead.OnChar(27, 4, kItems, 1, true, true);
    EXPECT_FALSE(o.consumed);
    EXPECT_FALSE(o.closeList);
    EXPECT_EQ(ahead.TypedPrefix(), u"k");
}

TEST(ComboTypeAheadTest, EditStyleCompletesTheTextAndSelectsTheRest) {
    struct Case {
        std::u16string text;
        int selStart, selLength;
        char16_t c;
        bool consumed;
        std::u16string completed;
        int selFrom;
    };
    const Case cases[] = {
        {u"", 0, 0, u'k', true, u"key down", 1},
        {u"KE", 2, 0, u'y', true, u"KEy down", 3},
        {u"Key down", 3, 5, u' ', true, u"Key down", 4},
        {u"Key down", 4, 4, u'u', true, u"Key up", 5},
        {u"Key down", 1, 2, u'x', false, u"", 0}, // the selection does not reach the end
        {u"zz", 2, 0, u'z', false, u"", 0},
    };
    const std::vector<std::u16string> items{u"Delay", u"key down", u"Key up"};
    for (const Case& c : cases) {
        const auto o =
            ComboTypeAhead::OnEditChar(c.c, c.text, c.selStart, c.selLength, items, false, false);
        EXPECT_EQ(o.consumed, c.consumed) << int(c.c);
        if (!c.consumed)
            continue;
        EXPECT_EQ(o.text, c.completed) << int(c.c);
        EXPECT_EQ(o.selStart, c.selFrom);
        EXPECT_EQ(o.selLength, int(c.completed.size()) - c.selFrom);
    }
    EXPECT_FALSE(ComboTypeAhead::OnEditChar(8, u"ab", 2, 0, items, true, true).consumed);
    EXPECT_TRUE(ComboTypeAhead::OnEditChar(9, u"ab", 2, 0, items, true, true).closeList);
    EXPECT_TRUE(ComboTypeAhead::OnEditChar(u'd', u"", 0, 0, items, true, false).openList);
}

} // namespace
} // namespace trvx
