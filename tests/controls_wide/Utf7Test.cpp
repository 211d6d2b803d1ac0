#include "controls/wide/Utf7.h"
#include "controls/wide/WideText.h"

#include <gtest/gtest.h>

#include <random>

namespace trvx {
namespace {

struct Utf7Case {
    std::u16string text;
    std::string utf7;
};

// Pairs that hold both ways: encoding the text gives exactly these bytes and decoding them
// gives the text back.
const Utf7Case kBothWays[] = {
    {u"", ""},
    {u"+", "+-"},
    {u"a+b", "a+-b"},
    {u"A\u00E9.", "A+AOk."}, // no minus before a character outside Base64
    {u"\u00E9A", "+AOk-A"},  // minus before a Base64 digit
    {u"\u00E9-", "+AOk--"},  // and before a minus
    {u"\u00E9+", "+AOk-+-"}, // "+" is a Base64 digit too
    {u"Hi Mom -\u263A-!", "Hi Mom -+Jjo--!"},
    {u"A\u2262\u0391.", "A+ImIDkQ."},
    {u"\u65E5\u672C\u8A9E", "+ZeVnLIqe"}, // no minus at the end of the text
    {u"~\\", "+AH4AXA"},                  // not direct characters
    {u"!\"#$%&*;<=>@[]^_`{|}", "!\"#$%&*;<=>@[]^_`{|}"},
    {u"a b\tc\r\nd'(),-./:?", "a b\tc\r\nd'(),-./:?"},
    {u"\U0001F600", "+2D3eAA"},
    {u"P\u0159\u00EDli\u0161", "P+AVkA7Q-li+AWE"},
};

TEST(Utf7, EncodesAndDecodesTheTable) {
    for (const Utf7Case& c : kBothWays) {
        EXPECT_EQ(Utf7Encode(c.text), c.utf7) << c.utf7;
        const auto decoded = Utf7Decode(c.utf7);
        ASSERT_TRUE(decoded.ok()) << c.utf7;
        EXPECT_EQ(*decoded, c.text) << c.utf7;
    }
}

TEST(Utf7, DecodesOtherSpellings) {
    const Utf7Case cases[] = {
        {u"\u00E9", "+AOk-"}, // a closing minus that was not needed is dropped
        {u"\u00E9-", "+AOk--"},
        {u"~\\", "~\\"},         // outside a run any 7-bit character stands for itself
        {u"\u00E9 x", "+AOk x"}, // a run ends at any character outside Base64
    };
    for (const Utf7Case& c : cases) {
        const auto decoded = Utf7Decode(c.utf7);
        ASSERT_TRUE(decoded.ok()) << c.utf7;
        EXPECT_EQ(*decoded, c.text) << c.utf7;
    }
}

TEST(Utf7, RefusesMalformedText) {
    const std::string bad[] = {
        "\x80",        // byte above 127
        "caf\xC3\xA9", // raw UTF-8
        "+",           // empty run at the end
        "+!",          // empty run before another character
        "a+ b",        // empty run before a blank
        "+AOl",        // leftover bits not zero
        "+AB-",
    };
    for (const std::string& s : bad) {
        const auto decoded = Utf7Decode(s);
        EXPECT_FALSE(decoded.ok()) << s;
        EXPECT_EQ(decoded.error, "Invalid UTF7") << s;
    }
}

TEST(Utf7, RandomTextsSurviveTheRoundTrip) {
    std::mt19937 rng(7);
    for (int n = 0; n < 500; ++n) {
        std::u16string text(rng() % 24, u'\0');
        for (char16_t& c : text)
            c = static_cast<char16_t>(rng() % 3 == 0 ? rng() % 0x80 : rng() % 0x10000);
        const std::string utf7 = Utf7Encode(text);
        EXPECT_LE(utf7.size(), text.size() * 7);
        const auto decoded = Utf7Decode(utf7);
        ASSERT_TRUE(decoded.ok()) << utf7;
        EXPECT_EQ(*decoded, text) << utf7;
    }
}

TEST(Utf7, IsCodePage65000) {
    const auto wide = WideFromCodePage("A+AOk.", CP_UTF7);
    ASSERT_TRUE(wide.ok());
    EXPECT_EQ(*wide, u"A\u00E9.");
    const auto narrow = WideToCodePage(u"+", CP_UTF7);
    ASSERT_TRUE(narrow.ok());
    EXPECT_EQ(*narrow, "+-");
    EXPECT_EQ(WideFromCodePage("+!", CP_UTF7).error, "Invalid UTF7");
}

} // namespace
} // namespace trvx
