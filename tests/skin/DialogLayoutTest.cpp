#include "skin/DialogLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

// A layout section with every key of a kind, each holding its own position in the list, but the
// one left out.
LayoutSection SectionWithout(const DialogLayoutKeys& kind, const std::string& missing) {
    LayoutSection section("org2");
    int value = 10;
    for (const std::string& key : DialogLayoutKeyNames(kind)) {
        if (key != missing)
            section.AddLine(key + "=" + std::to_string(value));
        ++value;
    }
    return section;
}

struct Kind {
    const char* name;
    const DialogLayoutKeys& keys;
    std::vector<std::string> names; // every key, in read order
    DialogLayout expected;          // read from SectionWithout(kind, "")
};

std::vector<Kind> Kinds() {
    DialogLayout input;
    input.fontSize = 10;
    input.textColour = {11, 12, 13};
    input.editColour = {14, 15, 16};
    input.title = {17, 18};
    input.edit = {19, 20};
    input.editWidth = 21;
    input.confirm = {22, 23};
    input.clear = {24, 25};
    input.close = {26, 27};
    DialogLayout combination = input;
    combination.boxes = {{22, 23}, {24, 25}, {26, 27}, {28, 29}};
    combination.confirm = {30, 31};
    combination.clear = {32, 33};
    combination.close = {34, 35};
    return {
        {"input",
         kInputDialogLayoutKeys,
         {"Size_L", "Color_L_R", "Color_L_G", "Color_L_B", "Color_L_MN_R", "Color_L_MN_G",
          "Color_L_MN_B", "MNT_X", "MNT_Y", "MNC_X", "MNC_Y", "MNC_W", "MN_Cfm_X", "MN_Cfm_Y",
          "MN_Clear_X", "MN_Clear_Y", "MN_Close_X", "MN_Close_Y"},
         input},
        {"combination",
         kCombinationDialogLayoutKeys,
         {"Size_J",       "Color_K_R", "Color_K_G", "Color_K_B", "Color_K_AK_R", "Color_K_AK_G",
          "Color_K_AK_B", "AKT_X",     "AKT_Y",     "AKC_X",     "AKC_Y",        "AKC_W",
          "MK_C_X",       "MK_C_Y",    "MK_S_X",    "MK_S_Y",    "MK_A_X",       "MK_A_Y",
          "MK_W_X",       "MK_W_Y",    "AK_Cfm_X",  "AK_Cfm_Y",  "AK_Clear_X",   "AK_Clear_Y",
          "AK_Close_X",   "AK_Close_Y"},
         combination},
    };
}

TEST(DialogLayout, EachKindReadsItsOwnKeysIntoTheirPlaces) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        EXPECT_EQ(DialogLayoutKeyNames(kind.keys), kind.names);
        const auto read = ReadDialogLayout(SectionWithout(kind.keys, ""), kind.keys);
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(*read, kind.expected);
        EXPECT_EQ(read->TitleFontSize(), 15);
        EXPECT_EQ(read->EditFontSize(), 13);
        EXPECT_EQ(read->ButtonFontSize(), 11);
        EXPECT_EQ(read->BoxFontSize(), 10);
    }
}

TEST(DialogLayout, AMissingOrBadKeyFailsNamingIt) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        for (const std::string& key : kind.names) {
            const auto read = ReadDialogLayout(SectionWithout(kind.keys, key), kind.keys);
            EXPECT_FALSE(read.ok()) << key;
            EXPECT_EQ(read.where, key);
        }
    }
    // The other kind's keys are no stand-in.
    EXPECT_FALSE(
        ReadDialogLayout(SectionWithout(kInputDialogLayoutKeys, ""), kCombinationDialogLayoutKeys)
            .ok());
    LayoutSection bad = SectionWithout(kCombinationDialogLayoutKeys, "");
    bad.AddLine("MK_S_Y=low");
    const auto read = ReadDialogLayout(bad, kCombinationDialogLayoutKeys);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.where, "MK_S_Y");
    EXPECT_EQ(read.error, "'low' is not a valid integer value");
}

} // namespace
} // namespace trvx
