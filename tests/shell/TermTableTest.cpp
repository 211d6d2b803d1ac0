#include "shell/TermTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace trvx {
namespace {

TEST(TermTable, CodesRunInOrderWithThreeColumns) {
    for (int i = 0; i < kTermCount; ++i) {
        const TTerm& term = TermTable[static_cast<std::size_t>(i)];
        EXPECT_EQ(term.Code, i);
        EXPECT_FALSE(term.Text[0].empty()) << i;
        EXPECT_TRUE(term.Text[1].empty()) << i;
        EXPECT_FALSE(term.Text[2].empty()) << i;
    }
}

TEST(TermTable, EnglishColumnAsWritten) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {0, "Office Mode"},
        {2, "Profile3"},
        {33, "Sync No-breath"},
        {48, "CPI 1:"},
        {55, "CPI 8:"},
        {61, "Time (*1ms)"},
        {70, "Color1 R:"},
        {74, "Color2 G:"},
        {99, "Color10 B:"},
        {109, "'Back'+'Right Key'"},
        {118, "Enable Gun Key Switch Gaimg Mode"},
        {126, "Color 1"},
        {135, "Color 10"},
        {136, "Fixed Color"},
        {144, "Profile 3"},
        {154, "Delect Fire Key"},
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        TermText(kTermColumnEnglish, c.code, text);
        EXPECT_EQ(text, c.text) << c.code;
    }
}

TEST(TermTable, ChineseColumnIsTranslated) {
    std::string text;
    TermText(kTermColumnChinese, 0, text);
    EXPECT_EQ(text, "\u529E\u516C\u6A21\u5F0F");
    TermText(kTermColumnChinese, 99, text);
    EXPECT_EQ(text, "\u989C\u82721"
                    "0 B\uFF1A");
    // Every term that is more than a product name or number holds Chinese characters.
    int translated = 0;
    for (const TTerm& term : TermTable)
        if (term.Text[2] != term.Text[0])
            ++translated;
    EXPECT_GE(translated, 140);
}

TEST(TermTable, UnknownCodesLeaveTheText) {
    std::string text = "kept";
    TermText(kTermColumnEnglish, 155, text);
    TermText(kTermColumnChinese, -1, text);
    EXPECT_EQ(text, "kept");
}

TEST(TermTable, ChineseOnlyForThePrcLocale) {
    struct Case {
        const char* locale;
        std::uint8_t column;
    };
    const Case cases[] = {
        {"zh_CN", 2},
        {"zh_CN.UTF-8", 2},
        {"zh_CN.GB2312", 2},
        {"zh_CN@pinyin", 2},
        {"zh-CN", 2},
        {"zh_TW.UTF-8", 0},
        {"zh_HK", 0},
        {"zh_SG", 0},
        {"zh", 0},
        {"zh_CNX", 0},
        {"en_US.UTF-8", 0},
        {"cs_CZ.UTF-8", 0},
        {"C", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TermColumnForLocale(c.locale), c.column) << c.locale;
    EXPECT_EQ(TermColumnForLcid(2052), 2);
    for (std::uint32_t lcid : {1028u, 3076u, 4100u, 1033u, 1029u})
        EXPECT_EQ(TermColumnForLcid(lcid), 0) << lcid;
}

TEST(TermTable, EnvironmentLocaleOrder) {
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    Saved saved[] = {{"LC_ALL", {}}, {"LC_MESSAGES", {}}, {"LANG", {}}};
    for (Saved& s : saved) {
        if (const char* v = std::getenv(s.name))
            s.value = v;
        ::unsetenv(s.name);
    }
    ::setenv("LANG", "en_GB.UTF-8", 1);
    EXPECT_EQ(UiLocaleFromEnvironment(), "en_GB.UTF-8");
    ::setenv("LC_MESSAGES", "zh_CN.UTF-8", 1);
    EXPECT_EQ(UiLocaleFromEnvironment(), "zh_CN.UTF-8");
    ::setenv("LC_ALL", "cs_CZ.UTF-8", 1);
    EXPECT_EQ(UiLocaleFromEnvironment(), "cs_CZ.UTF-8");
    for (const Saved& s : saved) {
        if (s.value)
            ::setenv(s.name, s.value->c_str(), 1);
        else
            ::unsetenv(s.name);
    }
}

TEST(TermTable, LedModeNames) {
    const auto english = LEDModeNames(kTermColumnEnglish);
    EXPECT_EQ(english[0], "Off");
    EXPECT_EQ(english[5], "CPI Breath");
    EXPECT_EQ(english[8], "Sync No-breath");
    EXPECT_EQ(english[19], "4-Seasons");
    EXPECT_EQ(english[20], "Off");
    const auto chinese = LEDModeNames(kTermColumnChinese);
    EXPECT_EQ(chinese[0], "\u5173\u95ED");
}

} // namespace
} // namespace trvx
