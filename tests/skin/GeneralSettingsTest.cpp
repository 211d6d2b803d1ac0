#include "skin/GeneralSettings.h"

#include <gtest/gtest.h>

#include <map>

namespace trvx {
namespace {

// An [org] text with every key, as shipped, with some values replaced (an empty optional
// drops the key).
std::string orgText(const std::map<std::string, std::optional<std::string>>& changes = {}) {
    const std::pair<const char*, const char*> keys[] = {
        {"Web_Enable", "1"},
        {"Web", "https://example.org"},
        {"Web_X", "9400"},
        {"Web_Y", "16"},
        {"Rev_Manu_ID", "0"},
        {"Rev_Pro_ID", "0"},
        {"Path", ""},
        {"TR_Enable", "0"},
        {"BE_Enable", "0"},
        {"GD_Enable", "0"},
        {"DPILED_Status", "1"},
        {"Gun6_Num", "2"},
        {"Gun7_Num", "3"},
        {"Num_Order", "1"},
        {"Num_Mouse_Order", "0"},
    };
    std::string text = "[org]\r\n";
    for (const auto& [key, value] : keys) {
        const auto it = changes.find(key);
        if (it == changes.end())
            text += std::string(key) + "=" + value + "\r\n";
        else if (it->second)
            text += std::string(key) + "=" + *it->second + "\r\n";
    }
    return text;
}

ParseResult<GeneralSettings> read(const std::string& text) {
    const LayoutIni ini = LayoutIni::Parse(text);
    const LayoutSection* org = ini.FindSection("org");
    return org ? ReadOrgSettings(*org) : ReadOrgSettings(LayoutSection("org"));
}

TEST(GeneralSettings, ShippedValues) {
    const auto s = read(orgText());
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_TRUE(s->WebEnable);
    EXPECT_EQ(s->WebAddress, "https://example.org");
    EXPECT_EQ(s->WebX, 9400);
    EXPECT_EQ(s->WebY, 16);
    EXPECT_EQ(s->RevManuID, 0);
    EXPECT_EQ(s->RevProID, 0);
    EXPECT_EQ(s->PCMacroFolder, ""); // the macro library sits in the program's data folder
    EXPECT_FALSE(s->TREnable);
    EXPECT_FALSE(s->BEEnable);
    EXPECT_FALSE(s->GDEnable);
    EXPECT_TRUE(s->DPILEDStatus);
    EXPECT_EQ(s->Gun6Num, 2);
    EXPECT_EQ(s->Gun7Num, 3);
    EXPECT_EQ(s->NumOrder, 1);
}

TEST(GeneralSettings, CountsAreClamped) {
    struct Case {
        const char* key;
        const char* value;
        std::int32_t GeneralSettings::*field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"Gun6_Num", "0", &GeneralSettings::Gun6Num, 1},
        {"Gun6_Num", "-7", &GeneralSettings::Gun6Num, 1},
        {"Gun6_Num", "1", &GeneralSettings::Gun6Num, 1},
        {"Gun6_Num", "5", &GeneralSettings::Gun6Num, 2},
        {"Gun6_Num", " 2 ", &GeneralSettings::Gun6Num, 2},
        {"Gun6_Num", "$2", &GeneralSettings::Gun6Num, 2},
        {"Gun6_Num", "0x2", &GeneralSettings::Gun6Num, 2},
        {"Gun7_Num", "-3", &GeneralSettings::Gun7Num, 1},
        {"Gun7_Num", "2", &GeneralSettings::Gun7Num, 2},
        {"Gun7_Num", "9", &GeneralSettings::Gun7Num, 3},
        {"Num_Order", "-1", &GeneralSettings::NumOrder, 0},
        {"Num_Order", "0", &GeneralSettings::NumOrder, 0},
        {"Num_Order", "7", &GeneralSettings::NumOrder, 1},
        {"Web_X", "-20", &GeneralSettings::WebX, -20}, // positions are not clamped
    };
    for (const Case& c : cases) {
        const auto s = read(orgText({{c.key, c.value}}));
        ASSERT_TRUE(s.ok()) << c.key << "=" << c.value << ": " << s.error;
        EXPECT_EQ((*s).*c.field, c.expected) << c.key << "=" << c.value;
    }
}

TEST(GeneralSettings, OnlyTheValueOneSetsAFlag) {
    struct Case {
        const char* key;
        const char* value;
        bool GeneralSettings::*field;
        bool expected;
    };
    const Case cases[] = {
        {"Web_Enable", "2", &GeneralSettings::WebEnable, false},
        {"Web_Enable", "-1", &GeneralSettings::WebEnable, false},
        {"Web_Enable", "$1", &GeneralSettings::WebEnable, true},
        {"TR_Enable", "1", &GeneralSettings::TREnable, true},
        {"BE_Enable", "1", &GeneralSettings::BEEnable, true},
        {"GD_Enable", "3", &GeneralSettings::GDEnable, false},
        {"GD_Enable", "1", &GeneralSettings::GDEnable, true},
        {"DPILED_Status", "0", &GeneralSettings::DPILEDStatus, false},
        {"DPILED_Status", "256", &GeneralSettings::DPILEDStatus, false},
    };
    for (const Case& c : cases) {
        const auto s = read(orgText({{c.key, c.value}}));
        ASSERT_TRUE(s.ok()) << s.error;
        EXPECT_EQ((*s).*c.field, c.expected) << c.key << "=" << c.value;
    }
}

TEST(GeneralSettings, TextsAreTakenVerbatimAndTheLastKeyWins) {
    auto s = read(orgText({{"Path", "/home/user/macros dir"}}) + "[org]\r\n");
    // A second [org] header hides the first: every key of the new, empty section is missing.
    EXPECT_FALSE(s.ok());

    s = read(orgText({{"Path", "/home/user/macros dir"}, {"Web", "http://a/?x=1&y=2"}}) +
             "Gun6_Num=1\r\n");
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(s->PCMacroFolder, "/home/user/macros dir");
    EXPECT_EQ(s->WebAddress, "http://a/?x=1&y=2");
    EXPECT_EQ(s->Gun6Num, 1);

    s = read(orgText({{"Web", std::nullopt}, {"Path", std::nullopt}}));
    ASSERT_TRUE(s.ok()) << s.error; // missing texts read as empty, without error
    EXPECT_EQ(s->WebAddress, "");
}

TEST(GeneralSettings, TheFirstBadNumberRefusesTheWholeSection) {
    struct Case {
        std::map<std::string, std::optional<std::string>> changes;
        std::string error;
        std::string key;
    };
    const Case cases[] = {
        {{{"Rev_Pro_ID", std::nullopt}}, "'' is not a valid integer value", "Rev_Pro_ID"},
        {{{"Web_Enable", "yes"}}, "'yes' is not a valid integer value", "Web_Enable"},
        {{{"Gun7_Num", "3.0"}, {"Num_Order", "x"}},
         "'3.0' is not a valid integer value",
         "Gun7_Num"},
        {{{"Num_Order", ""}}, "'' is not a valid integer value", "Num_Order"},
    };
    for (const Case& c : cases) {
        const auto s = read(orgText(c.changes));
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.error, c.error);
        EXPECT_EQ(s.where, c.key);
    }
    const auto empty = read("");
    EXPECT_EQ(empty.error, "'' is not a valid integer value");
    EXPECT_EQ(empty.where, "Web_Enable");
}

} // namespace
} // namespace trvx
