#include "controls/skinned/EditValues.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>

namespace trvx {
namespace {

TEST(HexEditValue, ReadsTextAsSigned32BitHex) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"", 0},
        {"0A", 10},
        {"ff", 255},
        {"FF", 255},
        {"1000", 4096},
        {"7FFFFFFF", 2147483647},
        {"FFFFFFFF", -1},
        {"000000001", 1}, // leading zeros
        {"100000000", std::nullopt},
        {"g", std::nullopt}, // too big, not hex
        {"-5", std::nullopt},
        {" 5", std::nullopt},
        {"$10", std::nullopt},
        {"0x10", std::nullopt},
        {"1 ", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseHexEditValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(IntEditValue, ReadsTextAsDecimalUpToInt32Max) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"", 0},
        {"007", 7},
        {"255", 255},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"-1", std::nullopt},
        {"1a", std::nullopt},
        {"x1A", std::nullopt},
        {"1.5", std::nullopt},
        {"\xD9\xA1", std::nullopt}, // an Arabic-Indic digit is not a digit here
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIntEditValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(EditValueTexts, PositiveValuesOnlyWithoutLeadingZeros) {
    EXPECT_EQ(FormatHexEditValue(10), "A");
    EXPECT_EQ(FormatHexEditValue(255), "FF");
    EXPECT_EQ(FormatHexEditValue(4096), "1000");
    EXPECT_EQ(FormatHexEditValue(16), "10");
    EXPECT_EQ(FormatHexEditValue(5), "5");
    EXPECT_EQ(FormatHexEditValue(0), "");
    EXPECT_EQ(FormatHexEditValue(-3), "");
    EXPECT_EQ(FormatIntEditValue(5), "5");
    EXPECT_EQ(FormatIntEditValue(2147483647), "2147483647");
    EXPECT_EQ(FormatIntEditValue(0), "");
    EXPECT_EQ(FormatIntEditValue(-7), "");
}

TEST(EditKeyFilter, WholeCharactersOfTheSet) {
    for (char32_t c : {U'0', U'9', U'a', U'f', U'A', U'F', char32_t(8)})
        EXPECT_TRUE(EditCharAllowed(EditCharSet::Hex, c)) << unsigned(c);
    // Characters whose low byte is an allowed one must not pass: U+0131 ends in 0x31 ("1"),
    // U+0141 in 0x41 ("A"), U+FF10 is a full-width zero.
    for (char32_t c : {U'g', U'-', U'x', U' ', char32_t(13), char32_t(27), char32_t(3),
                       char32_t(22), char32_t(24), char32_t(1), U'\u0131', U'\u0141', U'\uFF10'})
        EXPECT_FALSE(EditCharAllowed(EditCharSet::Hex, c)) << unsigned(c);
    EXPECT_TRUE(EditCharAllowed(EditCharSet::Decimal, U'7'));
    EXPECT_TRUE(EditCharAllowed(EditCharSet::Decimal, char32_t(8)));
    for (char32_t c : {U'a', U'A', U'-', U'.', U'\u0131', U'\u0661'})
        EXPECT_FALSE(EditCharAllowed(EditCharSet::Decimal, c)) << unsigned(c);
}

TEST(EditKeyFilter, PastedTextKeepsOnlyAllowedCharacters) {
    EXPECT_EQ(FilterEditText(EditCharSet::Hex, u"0x1F-gA\u0131b\b"), u"01FAb");
    EXPECT_EQ(FilterEditText(EditCharSet::Decimal, u" 12,345.6 \uFF11"), u"123456");
    EXPECT_EQ(FilterEditText(EditCharSet::Decimal, u"abc"), u"");
}

// What a number edit lets through while it is typed: every step of typing a good number, and
// nothing that no later key could make one.
TEST(DigitEntry, DigitsWithAMinusFirstWhereNegativeGoesUpToTheCount) {
    const struct {
        const char16_t* text;
        bool negative;
        std::size_t maxDigits;
        bool fine;
    } cases[] = {
        {u"", false, 5, true},        {u"0", false, 5, true},       {u"12345", false, 5, true},
        {u"123456", false, 5, false}, {u"-", false, 5, false},      {u"-1", false, 0, false},
        {u"-", true, 3, true},        {u"-123", true, 3, true},     {u"-1234", true, 3, false},
        {u"1-", true, 3, false},      {u"--1", true, 3, false},     {u"1 ", false, 0, false},
        {u"1a", false, 0, false},     {u"+1", true, 0, false},      {u"99999999", false, 0, true},
        {u"\uFF11", false, 0, false}, {u"\u0661", false, 0, false}, // full-width and Arabic one
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IsDigitEntry(cases[i].text, cases[i].negative, cases[i].maxDigits), cases[i].fine)
            << "case " << i;
}

TEST(NumberMask, FormatsByPlaceholders) {
    struct Case {
        double value;
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.00", "0.00"},        {12.345, "0", "12"},
        {12.345, "0.00", "12.35"},  {2.5, "0", "3"},
        {-2.5, "0", "-3"},          {0.4, "0", "0"},
        {-0.4, "0", "0"},           {1234567.891, "#,##0.00", "1,234,567.89"},
        {0.5, "#.##", ".5"},        {7, "000", "007"},
        {99.999, "0.00", "100.00"}, {1.1, "0.0#", "1.1"},
        {1.125, "0.0#", "1.13"},    {50, "0", "50"},
        {1e-20, "0.00", "0.00"},    {65535, "0", "65535"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumberMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(NumberText, ParsesWithoutThrowing) {
    EXPECT_EQ(ParseNumberEditText("12"), 12.0);
    EXPECT_EQ(ParseNumberEditText("1,234.5"), 1234.5);
    EXPECT_EQ(ParseNumberEditText(" -3 "), -3.0);
    EXPECT_EQ(ParseNumberEditText("+4"), 4.0);
    for (const char* bad : {"", " ", "-", "abc", "1.2.3", "12a", "inf", "nan", "0x10", "--1"})
        EXPECT_FALSE(ParseNumberEditText(bad)) << '"' << bad << '"';
}

TEST(NumberKeyFilter, MaskDecidesPointAndSign) {
    // The program's masks are "0": digits and backspace only.
    EXPECT_TRUE(NumberEditKeyAllowed(U'5', "0", "1", 1));
    EXPECT_TRUE(NumberEditKeyAllowed(char32_t(8), "0", "1", 1));
    EXPECT_FALSE(NumberEditKeyAllowed(U'.', "0", "1", 1));
    EXPECT_FALSE(NumberEditKeyAllowed(U'-', "0", "1", 0));
    EXPECT_FALSE(NumberEditKeyAllowed(U'a', "0", "1", 1));
    EXPECT_FALSE(NumberEditKeyAllowed(U'\u0665', "0", "1", 1));
    EXPECT_TRUE(NumberEditKeyAllowed(U'.', "0.00", "12", 2));
    EXPECT_FALSE(NumberEditKeyAllowed(U'.', "0.00", "1.2", 3));
    EXPECT_TRUE(NumberEditKeyAllowed(U'-', "-0.00", "12", 0));
    EXPECT_FALSE(NumberEditKeyAllowed(U'-', "-0.00", "12", 1));
    EXPECT_FALSE(NumberEditKeyAllowed(U'-', "-0.00", "-12", 0));
}

TEST(NumberAutoSelection, LastSigns) {
    EXPECT_EQ(AutoSelection(3, 2), (EditSelection{1, 2})); // "100" selects "00"
    EXPECT_EQ(AutoSelection(1, 2), (EditSelection{0, 1}));
    EXPECT_EQ(AutoSelection(4, 0), (EditSelection{4, 0}));
}

} // namespace
} // namespace trvx
