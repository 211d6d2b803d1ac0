#include "skin/CaptionText.h"

#include "controls/wide/WideText.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

// The stored form of a caption text: optional mark FF FE, then UTF-16 little-endian.
std::vector<std::uint8_t> utf16Bytes(std::string_view utf8, bool mark = true) {
    std::vector<std::uint8_t> bytes;
    if (mark) {
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
    }
    for (char16_t c : Widen(utf8)) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(CaptionBytes, MarkNulAndOddBytes) {
    EXPECT_EQ(DecodeCaptionBytes(utf16Bytes("[lang1]\r\n\"Str004=Hlavn\u00ED\"")),
              "[lang1]\r\n\"Str004=Hlavn\u00ED\"");
    EXPECT_EQ(DecodeCaptionBytes(utf16Bytes("\u8FDE\u53D1", false)), "\u8FDE\u53D1");
    auto bytes = utf16Bytes("ab");
    bytes.push_back(0x00);
    bytes.push_back(0x00);
    const auto tail = utf16Bytes("cd", false);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    EXPECT_EQ(DecodeCaptionBytes(bytes), "ab"); // the text ends at U+0000
    EXPECT_EQ(DecodeCaptionBytes(std::vector<std::uint8_t>{'a', 0, 'b'}), "a");
    EXPECT_EQ(DecodeCaptionBytes(std::vector<std::uint8_t>{0xFF, 0xFE}), "");
    EXPECT_EQ(DecodeCaptionBytes(std::vector<std::uint8_t>{0x00, 0xD8, 'x', 0}), "\uFFFDx");
}

TEST(CaptionEntries, Quoting) {
    struct Case {
        std::string text;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"\"Str001=Default\"", {"Str001=Default"}},
        {"[lang1]\r\n\r\n  \"A=1\"\r\n\t\"B=2\"  \r\n", {"[lang1]", "A=1", "B=2"}},
        {"\"a b\" c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}}, // a doubled quote is one quote
        {"\"a\"\"\"", {"a\""}},
        {"\"\"", {""}},
        {"\"a\"b", {"a", "b"}}, // text right after the closing quote is a new entry
        {"ab\"cd ef", {"ab\"cd", "ef"}},
        {"   \t\r\n ", {}},
        {"x\x01y", {"x", "y"}},
        {"\"Str815=Text \"", {"Str815=Text "}},
        // A quote left open ends at the end of its line; the next line is read as usual.
        {"\"Str250=Profile Switch\r\n\"Str251=Office Mode\"\r\n",
         {"Str250=Profile Switch", "Str251=Office Mode"}},
        {"\"Str250=Profile Switch\n\"Str251=Office Mode\"",
         {"Str250=Profile Switch", "Str251=Office Mode"}},
        {"\"abc", {"abc"}}, // at the end of the text nothing is lost
        {"\"Str841=\u8FDE\u53D1\u5B8F\" \"Str004=Hlavn\u00ED str\u00E1nka\"",
         {"Str841=\u8FDE\u53D1\u5B8F", "Str004=Hlavn\u00ED str\u00E1nka"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCaptionEntries(c.text), c.entries) << c.text;
}

const char kLang3[] = "[lang3]\r\n"
                      "\"FontName=Calibri\"\r\n"
                      "\"Title=USB Gaming Mouse\"\r\n"
                      "\r\n"
                      "\"Str101=\"\r\n"
                      "\"Str250=Profile Switch\r\n"
                      "\"Str251=Office Mode\"\r\n"
                      "\"Str815=Sensitivity \"   \r\n"
                      "\"Str500=Say \"\"OK\"\"\"\r\n"
                      "\"str004=Main\"\r\n"
                      "\"Str004=Keys\"\r\n";

TEST(CaptionText, ReadsTheSection) {
    const auto set = ParseCaptionText(utf16Bytes(kLang3), "lang3");
    ASSERT_TRUE(set.ok()) << set.error;
    EXPECT_EQ(set->Name(), "lang3");
    EXPECT_EQ(set->Text("FontName"), "Calibri");
    EXPECT_EQ(set->Text("title"), "USB Gaming Mouse");
    EXPECT_TRUE(set->Has("Str101"));
    EXPECT_EQ(set->Text("Str101"), "");
    EXPECT_EQ(set->Text("Str250"), "Profile Switch");
    EXPECT_EQ(set->Text("Str251"), "Office Mode");
    EXPECT_EQ(set->Text("Str815"), "Sensitivity"); // trimmed inside the quotes
    EXPECT_EQ(set->Text("Str500"), "Say \"OK\"");
    EXPECT_EQ(set->Text("Str004"), "Keys"); // the last occurrence, any case
    EXPECT_FALSE(set->Has("Str999"));
    EXPECT_EQ(set->Text("Str999"), "");
}

TEST(CaptionText, CzechAndChineseStayUnicode) {
    const std::string text = "[lang1]\r\n\"FontName=Helvetica\"\r\n"
                             "\"Str004=Tla\u010D\u00EDtka my\u0161i\"\r\n"
                             "\"Str841=\u8FDE\u53D1\u5B8F\u5F55\u5236\"\r\n";
    for (bool mark : {true, false}) {
        const auto set = ParseCaptionText(utf16Bytes(text, mark), "lang1");
        ASSERT_TRUE(set.ok()) << set.error;
        EXPECT_EQ(set->Text("Str004"), "Tla\u010D\u00EDtka my\u0161i");
        EXPECT_EQ(set->Text("Str841"), "\u8FDE\u53D1\u5B8F\u5F55\u5236");
    }
}

TEST(CaptionText, ATextWithoutItsSectionIsRefused) {
    const auto wrong = ParseCaptionText(utf16Bytes(kLang3), "lang2");
    EXPECT_FALSE(wrong.ok());
    EXPECT_EQ(wrong.error, "Caption text lang2 has no section [lang2]");
    EXPECT_FALSE(ParseCaptionText({}, "lang1").ok());
    EXPECT_FALSE(ReadCaptionSection("no_such_caption_text").ok());
}

std::vector<CaptionSection> threeSets() {
    const char* const texts[] = {
        "[lang1]\r\n\"Str001=Default\"\r\n\"Str101=\"\r\n\"Str271=Zastavit\"\r\n"
        "\"Str300=Nahr\u00E1v\u00E1n\u00ED\"\r\n\"Str500=Only set one\"\r\n"
        "\"Str700=Early\"\r\n\"Str801=Label\"\r\n\"Str812=Z\u00E1znam\"\r\n",
        "[lang2]\r\n\"Str001=Default\"\r\n\"Str271=Stop\"\r\n\"Str401=Stop\"\r\n"
        "\"Str210=Early\"\r\n\"Str800=Last one\"\r\n",
        "[lang3]\r\n\"Str001=Default\"\r\n\"Str271=Stop\"\r\n\"Str401=Stop\"\r\n"
        "\"Str12=Short key\"\r\n",
    };
    const char* const names[] = {"lang1", "lang2", "lang3"};
    std::vector<CaptionSection> sets;
    for (int i = 0; i < 3; ++i)
        sets.push_back(*ParseCaptionText(utf16Bytes(texts[i]), names[i]));
    return sets;
}

TEST(FindTextKey, LastMatchInSetAndNumberOrder) {
    const auto sets = threeSets();
    struct Case {
        std::string text;
        std::string key;
    };
    const Case cases[] = {
        {"Stop", "Str401"}, // the highest number in the last set that has it
        {"Nahr\u00E1v\u00E1n\u00ED", "Str300"},
        {"Only set one", "Str500"},
        {"Early", "Str210"}, // a later set wins even with a lower number
        {"Last one", "Str800"},
        {"Default", ""},        // Str001 is never tried
        {"Short key", "Str12"}, // a key stored without zeros is found
        {"Label", ""},          // beyond Str800
        {"Z\u00E1znam", ""},
        {"stop", ""}, // case matters
        {"Nothing holds this", ""},
        {"", ""}, // absent keys and empty texts never match
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindTextKey(c.text, sets), c.key) << c.text;
}

} // namespace
} // namespace trvx
