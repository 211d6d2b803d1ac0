#include "macros/MacroName.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TMacroName Field(std::initializer_list<std::uint8_t> head) {
    TMacroName n{};
    std::copy(head.begin(), head.end(), n.begin());
    return n;
}

TEST(MacroName, StoredHighByteFirstAndZeroPadded) {
    EXPECT_EQ(WideTextToHex("AB"), "00410042");
    EXPECT_EQ(MacroNameFromText("AB"), Field({0x00, 0x41, 0x00, 0x42}));
    EXPECT_EQ(MacroNameToText(Field({0x00, 0x41, 0x00, 0x42})), "AB");
    EXPECT_EQ(MacroNameFromText("\xC3\xA9"), Field({0x00, 0xE9})); // é
    EXPECT_EQ(MacroNameToText(Field({0x00, 0xE9})), "\xC3\xA9");
}

TEST(MacroName, EightCharactersFillTheField) {
    const TMacroName n = MacroNameFromText("ABCDEFGH");
    EXPECT_EQ(n[14], 0x00);
    EXPECT_EQ(n[15], 'H');
    EXPECT_EQ(MacroNameToText(n), "ABCDEFGH");
    // Longer text is cut, never written past the field.
    EXPECT_EQ(MacroNameToText(MacroNameFromText("ABCDEFGHIJKL")), "ABCDEFGH");
}

TEST(MacroName, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(MacroNameFromText("A\xFF"
                                "B"),
              Field({0x00, 0x41, 0x00, 0x3F, 0x00, 0x42}));
    // A tail of FF bytes shows one "?" per unit 0xFFFF.
    TMacroName n;
    n.fill(0xFF);
    n[0] = 0x00;
    n[1] = 0x41;
    EXPECT_EQ(MacroNameToText(n), "A???????");
    // A character beyond the 16-bit plane takes two units.
    EXPECT_EQ(WideTextToHex("\xF0\x9F\x98\x80"), "D83DDE00");
    EXPECT_EQ(HexToWideText("D83DDE00"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(HexToWideText("D83D0041"), "?A");
}

TEST(MacroName, HexGroupsAreReadFromTheEnd) {
    EXPECT_EQ(HexToWideText("X0041"), "A");         // leading digit without a group
    EXPECT_EQ(HexToWideText("00410G420043"), "AC"); // a group that is no number is skipped
    EXPECT_EQ(HexToWideText("00410000"), std::string("A\0", 2));
    EXPECT_EQ(WideTextToHex(std::string("A\0B", 3)), "0041");
}

TEST(MacroName, EmptyFieldRulesOfTheThreeStores) {
    struct Case {
        TMacroName name;
        bool library, eeprom, flash;
    };
    const std::vector<Case> cases{
        {Field({0x00, 0x00, 0x00, 0x41}), true, true, true},
        {Field({0xFF, 0xFF}), false, true, true},
        {Field({0xFF, 0x41}), false, true, false},
        {Field({0x00, 0xFF}), false, true, false},
        {Field({0x00, 0x41}), false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLibraryNameEmpty(c.name), c.library);
        EXPECT_EQ(IsEepromNameEmpty(c.name), c.eeprom);
        EXPECT_EQ(IsFlashNameEmpty(c.name), c.flash);
    }
}

} // namespace
} // namespace trvx
