#include "macros/MacroDialogLayout.h"

#include "skin/LayoutKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace trvx {
namespace {

// A layout section with every key of the dialogs, each holding its own position in the list,
// but the one left out.
LayoutSection SectionWithout(const std::string& missing) {
    LayoutSection section("org2");
    int value = 10;
    for (const std::string& key : MacroDialogLayoutKeys().keys) {
        if (key != missing)
            section.AddLine(key + "=" + std::to_string(value));
        ++value;
    }
    return section;
}

TEST(MacroDialogLayout, ReadsEveryKeyOfTheDialogsIntoItsPlace) {
    const auto read = ReadMacroDialogLayout(SectionWithout(""));
    ASSERT_TRUE(read.ok()) << read.error;
    // The keys in list order: Size_L, Color_L, Color_L_MN, MNT, MNC, MNC_W, MN_Cfm, MN_Clear,
    // MN_Close.
    MacroDialogLayout expected;
    expected.fontSize = 10;
    expected.textColour = {11, 12, 13};
    expected.editColour = {14, 15, 16};
    expected.title = {17, 18};
    expected.edit = {19, 20};
    expected.editWidth = 21;
    expected.confirm = {22, 23};
    expected.clear = {24, 25};
    expected.close = {26, 27};
    EXPECT_EQ(*read, expected);
    EXPECT_EQ(read->TitleFontSize(), 15);
    EXPECT_EQ(read->EditFontSize(), 13);
    EXPECT_EQ(read->ButtonFontSize(), 11);
}

TEST(MacroDialogLayout, AMissingOrBadKeyFailsNamingIt) {
    for (const std::string& key : MacroDialogLayoutKeys().keys) {
        const auto read = ReadMacroDialogLayout(SectionWithout(key));
        EXPECT_FALSE(read.ok()) << key;
        EXPECT_EQ(read.where, key);
    }
    LayoutSection bad = SectionWithout("");
    bad.AddLine("MNC_W=wide");
    const auto read = ReadMacroDialogLayout(bad);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.where, "MNC_W");
    EXPECT_EQ(read.error, "'wide' is not a valid integer value");
}

} // namespace
} // namespace trvx
