#include "skin/LayoutText.h"

#include <gtest/gtest.h>

#include <climits>

namespace trvx {
namespace {

TEST(StrictInteger, AcceptsDecimalAndTheHexPrefixes) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"007", 7},
        {"  7", 7},
        {"-3", -3},
        {"+5", 5},
        {"$2", 2},
        {"0x2", 2},
        {"0X1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"$ff", 255},
        {"-$10", -16},
        {" -0x10", -16},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", INT_MIN},
        {"$FFFFFFFF", -1}, // hexadecimal reads all 32 bits
        {"0x00000000000001", 1},
    };
    for (const Case& c : cases) {
        const auto v = StrToIntStrict(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
}

TEST(StrictInteger, RefusesEverythingElse) {
    const char* const bad[] = {
        "",
        " ",
        "-",
        "+",
        "$",
        "0x",
        "x",
        "1.5",
        "12a",
        "2 ",
        "--1",
        "- 1",
        "+-1",
        "2147483648",
        "-2147483649",
        "$100000000",
        "0x1g",
        "1e3",
        "\t5",
        "0b1",
        "1 2",
        "99999999999999999999999",
        "$-1",
        "\xd9\xa3", // an Arabic-Indic digit
    };
    for (const char* text : bad)
        EXPECT_FALSE(StrToIntStrict(text).has_value()) << '"' << text << '"';
    EXPECT_EQ(InvalidIntegerMessage(""), "'' is not a valid integer value");
    EXPECT_EQ(InvalidIntegerMessage("1.5"), "'1.5' is not a valid integer value");
}

// A layout text as the program stores it: CR LF lines, comments (some in GBK), banners,
// trailing blanks, keys of any case.
const char kLayout[] = "stray=1\r\n"
                       "[org1]\r\n"
                       "; \xb0\xb4\xbc\xfc comment in GBK, never read\r\n"
                       "//*** Mouse Keys Button ***\r\n"
                       "Btn_A2_Enable=1 \r\n"
                       "  Key1_X = 120\t\r\n"
                       "\r\n"
                       "Fire_Key_Lable_Width=64\r\n"
                       "Twice=1\r\n"
                       "TWICE=2\r\n"
                       "Web=http://example.org/?a=b\r"
                       "lf_only=5\n"
                       "noequals\r\n"
                       "[ org2 ]\r\n"
                       "Key1_X=1\r\n"
                       "[org1]\r\n"
                       "Key1_X=999\r\n";

TEST(LayoutIni, ReadsSectionsKeysAndValuesByTheRules) {
    const LayoutIni ini = LayoutIni::Parse(std::string_view(kLayout));
    ASSERT_EQ(ini.Sections().size(), 3u); // "stray" before the first section is dropped

    // The last section of a name wins, so the first [org1] is hidden behind the second.
    const LayoutSection* org1 = ini.FindSection("ORG1");
    ASSERT_NE(org1, nullptr);
    EXPECT_EQ(org1->ReadString("key1_x"), "999");
    EXPECT_FALSE(org1->Has("Btn_A2_Enable"));

    const LayoutSection& first = ini.Sections()[0];
    EXPECT_EQ(first.ReadString("btn_a2_enable"), "1");
    EXPECT_EQ(*first.ReadInteger("Key1_X"), 120);
    EXPECT_EQ(*first.ReadInteger("Fire_Key_Lable_Width"), 64);
    EXPECT_EQ(*first.ReadInteger("twice"), 2); // last occurrence of a key wins
    EXPECT_EQ(first.ReadString("Web"), "http://example.org/?a=b");
    EXPECT_EQ(first.ReadString("lf_only"), "5");
    EXPECT_FALSE(first.Has("noequals"));
    EXPECT_FALSE(first.Has("//*** Mouse Keys Button ***"));
    EXPECT_EQ(first.ReadString("missing"), "");
    EXPECT_FALSE(first.Has("stray"));

    const LayoutSection* org2 = ini.FindSection("org2");
    ASSERT_NE(org2, nullptr);
    EXPECT_EQ(org2->Name(), "org2");
    EXPECT_EQ(ini.FindSection("org3"), nullptr);
}

TEST(LayoutIni, AZeroByteEndsTheText) {
    const std::string text("[org]\r\nA=1\r\n\0B=2\r\n", 19);
    const LayoutIni ini = LayoutIni::Parse(text);
    ASSERT_NE(ini.FindSection("org"), nullptr);
    EXPECT_TRUE(ini.FindSection("org")->Has("A"));
    EXPECT_FALSE(ini.FindSection("org")->Has("B"));
}

TEST(LayoutIni, IntegerReadsFailWithTheConversionMessage) {
    const LayoutIni ini = LayoutIni::Parse(std::string_view("[org1]\r\nX=12px\r\nY=$10\r\n"));
    const LayoutSection& s = *ini.FindSection("org1");
    EXPECT_EQ(*s.ReadInteger("Y"), 16);
    const auto bad = s.ReadInteger("X");
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.error, "'12px' is not a valid integer value");
    EXPECT_EQ(bad.where, "X");
    EXPECT_EQ(s.ReadInteger("Z").error, "'' is not a valid integer value");
}

TEST(LayoutReader, KeepsTheFirstFailureSoNothingIsAppliedHalfway) {
    const LayoutIni ini =
        LayoutIni::Parse(std::string_view("[org1]\r\nA=1\r\nB=oops\r\nC=3\r\nT=text\r\n"));
    LayoutReader read(*ini.FindSection("org1"));
    EXPECT_EQ(read.Int("A"), 1);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.Int("B"), 0);
    EXPECT_EQ(read.Int("Missing"), 0);
    EXPECT_EQ(read.Int("C"), 0); // reading stops at the first failure
    EXPECT_EQ(read.Text("T"), "text");
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.Error(), "'oops' is not a valid integer value");
    EXPECT_EQ(read.ErrorKey(), "B");
}

TEST(LayoutResources, MissingTextsAreReported) {
    const auto missing = ReadLayoutSection("no_such_layout_text");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.error, "Resource no_such_layout_text not found");
}

} // namespace
} // namespace trvx
