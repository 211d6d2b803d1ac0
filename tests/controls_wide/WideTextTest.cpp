#include "controls/wide/WideText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace trvx {
namespace {

TEST(WideText, CzechAndChineseSurviveBothWays) {
    const std::string texts[] = {
        "P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148",
        "\u8FDE\u53D1\u952E\u8BBE\u7F6E",
        "\U0001F600 mouse",
        "",
    };
    for (const std::string& text : texts) {
        const std::u16string wide = Widen(text);
        EXPECT_EQ(Narrow(wide), text);
    }
    EXPECT_EQ(Widen("\u010D\u4E2D"), u"\u010D\u4E2D");
    EXPECT_EQ(Widen("\U0001F600"), u"\xD83D\xDE00");
}

TEST(WideText, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::u16string wide;
    };
    const Case cases[] = {
        {"a\xC3", u"a\uFFFD"},                             // cut short
        {"\xC0\x80", u"\uFFFD\uFFFD"},                     // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\x80z", u"\uFFFDz"},
        {"\xE2\x82x", u"\uFFFD\uFFFDx"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.wide);
}

TEST(WideText, UnpairedSurrogatesNarrowToReplacementCharacters) {
    EXPECT_EQ(Narrow(std::u16string(u"a\xD800"
                                    "b")),
              "a\uFFFD"
              "b");
    EXPECT_EQ(Narrow(std::u16string(1, u'\xDC00')), "\uFFFD");
    EXPECT_EQ(Narrow(std::u16string(u"\xFFFF")), "\xEF\xBF\xBF");
}

TEST(WideText, CodePagesOnLinux) {
    for (unsigned cp : {CP_ACP, CP_THREAD_ACP, CP_UTF7, CP_UTF8}) {
        const auto wide = WideFromCodePage("", cp);
        ASSERT_TRUE(wide.ok()) << cp;
        EXPECT_TRUE(wide->empty()) << cp;
    }
    for (unsigned cp : {CP_ACP, CP_THREAD_ACP, CP_UTF8}) {
        EXPECT_EQ(*WideFromCodePage("\u017E", cp), u"\u017E");
        EXPECT_EQ(*WideToCodePage(u"\u017E", cp), "\u017E");
    }
    const auto refused = WideFromCodePage("abc", 1250);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.error, "Code page 1250 is not supported");
    EXPECT_FALSE(WideToCodePage(u"abc", 936).ok());
}

TEST(WideText, SwapCodeUnitBytesStopsAtNul) {
    std::u16string text = u"\x4100\x4200";
    text += u'\0';
    text += u'\x4300';
    SwapCodeUnitBytes(text);
    EXPECT_EQ(text[0], u'A');
    EXPECT_EQ(text[1], u'B');
    EXPECT_EQ(text[3], u'\x4300');
}

TEST(WideText, LittleEndianBytesIgnoreATrailingOddByte) {
    const std::uint8_t bytes[] = {0x41, 0x00, 0x0D, 0x01, 0x7F};
    EXPECT_EQ(Utf16FromLittleEndianBytes(bytes), u"A\u010D");
}

TEST(WideText, SystemErrorTextIsTrimmed) {
    EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory");
    EXPECT_FALSE(SystemErrorText(123456).empty());
}

} // namespace
} // namespace trvx
