// Text placement of the wide label and the two parts of a hint.

#include "controls/wide/LabelLayout.h"
#include "controls/wide/WideHints.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(LabelLayoutTest, VerticalOffsetOfTheTextLine) {
    struct Case {
        TTextLayout layout;
        int client;
        int text;
        int offset;
    };
    const Case cases[] = {
        {TTextLayout::tlTop, 40, 13, 0},     {TTextLayout::tlCenter, 40, 13, 13},
        {TTextLayout::tlCenter, 41, 13, 14}, {TTextLayout::tlBottom, 40, 13, 27},
        {TTextLayout::tlCenter, 10, 13, -1}, {TTextLayout::tlBottom, 10, 13, -3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelTextOffset(c.layout, c.client, c.text), c.offset)
            << int(c.layout) << " " << c.client << " " << c.text;
}

TEST(LabelLayoutTest, AutoSizeKeepsTheRightEdgeOnlyWhenRightJustified) {
    EXPECT_EQ(LabelAutoSizeLeft(TAlignment::taRightJustify, 100, 40, 60), 80);
    EXPECT_EQ(LabelAutoSizeLeft(TAlignment::taRightJustify, 100, 40, 30), 110);
    EXPECT_EQ(LabelAutoSizeLeft(TAlignment::taCenter, 100, 40, 60), 100);
    EXPECT_EQ(LabelAutoSizeLeft(TAlignment::taLeftJustify, 100, 40, 60), 100);
}

TEST(LabelLayoutTest, EmptyCaptionsMeasureAsOneBlank) {
    EXPECT_EQ(LabelMeasureText(u"", true), u" ");
    EXPECT_EQ(LabelMeasureText(u"", false), u" ");
    EXPECT_EQ(LabelMeasureText(u"&", true), u"& ");
    EXPECT_EQ(LabelMeasureText(u"&", false), u"&");
    EXPECT_EQ(LabelMeasureText(u"Save", true), u"Save");
}

TEST(LabelLayoutTest, HotKeyIsAfterTheLastSingleAmpersand) {
    EXPECT_EQ(LabelHotKey(u"&Save"), u'S');
    EXPECT_EQ(LabelHotKey(u"&Save &as"), u'a');
    EXPECT_EQ(LabelHotKey(u"&&x"), std::nullopt);
    EXPECT_EQ(LabelHotKey(u"a&&&b"), u'b');
    EXPECT_EQ(LabelHotKey(u"plain"), std::nullopt);
    EXPECT_EQ(LabelHotKey(u"end&"), std::nullopt);
    EXPECT_EQ(LabelHotKey(u"&\u4E2D"), u'\u4E2D');
}

TEST(WideHintsTest, SplitAtTheFirstBar) {
    EXPECT_EQ(ShortHintOf(u"Save|Writes the profile"), u"Save");
    EXPECT_EQ(LongHintOf(u"Save|Writes the profile"), u"Writes the profile");
    EXPECT_EQ(ShortHintOf(u"a|b|c"), u"a");
    EXPECT_EQ(LongHintOf(u"a|b|c"), u"b|c");
    EXPECT_EQ(ShortHintOf(u"\u4FDD\u5B58"), u"\u4FDD\u5B58");
    EXPECT_EQ(LongHintOf(u"\u4FDD\u5B58"), u"\u4FDD\u5B58");
    EXPECT_EQ(ShortHintOf(u"|long"), u"");
    EXPECT_EQ(LongHintOf(u"short|"), u"");
}

} // namespace
} // namespace trvx
