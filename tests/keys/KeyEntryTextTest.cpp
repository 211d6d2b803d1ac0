#include "keys/KeyEntryText.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>

namespace trvx {
namespace {

// The English caption set, as far as key captions use it.
const std::map<std::string, std::string, std::less<>> kEnglish = {
    {"Str205", "User-defined"},
    {"Str210", "Left Click"},
    {"Str211", "Right Click"},
    {"Str212", "Middle Click"},
    {"Str213", "Backward"},
    {"Str214", "Forward"},
    {"Str221", "DPI Loop"},
    {"Str222", "DPI +"},
    {"Str223", "DPI -"},
    {"Str231", "Fire Key1"},
    {"Str232", "Fire Key2"},
    {"Str233", "Fire Key3"},
    {"Str241", "Power Down"},
    {"Str242", "Sleep"},
    {"Str243", "Wake Up"},
    {"Str251", "Office Mode"},
    {"Str252", "Game Mode"},
    {"Str253", "Third Mode"},
    {"Str254", "KB Switch Loop"},
    {"Str260", "AIM Key"},
    {"Str261", "LED Mode"},
    {"Str262", "LED ON/OFF"},
    {"Str263", "Button Effect Switch"},
    {"Str264", "Report Rate"},
    {"Str265", "Fire Macro Key"},
    {"Str266", "Fire Macro Off"},
    {"Str268", "Adjust XY Fn"},
    {"Str269", "Adjust XY Switch"},
    {"Str270", "Play/Pause"},
    {"Str271", "Stop"},
    {"Str272", "Previous Track"},
    {"Str273", "Next Track"},
    {"Str274", "Volume +"},
    {"Str275", "Volume -"},
    {"Str276", "Mute"},
    {"Str277", "Key Off"},
    {"Str280", "Home"},
    {"Str281", "Search"},
    {"Str282", "Web Back"},
    {"Str283", "Web Forward"},
    {"Str284", "Stop"},
    {"Str285", "Refresh"},
    {"Str286", "Favorites"},
    {"Str290", "My Computer"},
    {"Str291", "Calculator"},
    {"Str292", "E-Mail"},
    {"Str293", "Desktop"},
    {"Str600", "AKM Fire"},
    {"Str601", "M16 Fire"},
    {"Str602", "M4 Fire"},
    {"Str603", "UMP9 Fire"},
    {"Str604", "SCAR-L Fire"},
    {"Str605", "TOMPSON Fire"},
    {"Str606", "UZI Fire"},
};

KeyEntryContext EnglishContext() {
    KeyEntryContext ctx;
    ctx.caption = [](std::string_view key) {
        const auto it = kEnglish.find(key);
        return it == kEnglish.end() ? std::string{} : it->second;
    };
    ctx.fireKeys = {{{2, 60}, {4, 120}, {8, 200}}};
    return ctx;
}

std::string TagText(int tag, const KeyEntryContext& ctx) {
    const auto entry = KeyTagToCode(tag, ctx);
    return entry ? entry->ToText() : "refused";
}

std::string Caption(const char* text, const KeyEntryContext& ctx) {
    return KeyCodeToText(std::string_view(text), ctx).text;
}

TEST(KeyTagToCode, FixedAndOptionEntries) {
    KeyEntryContext ctx = EnglishContext();
    ctx.optionBytes = {0x08, 0x02, 0x04, 0x10, 0x20, 0x40};
    ctx.aimLevel = 5;
    const std::pair<int, const char*> cases[] = {
        {0, "00000000"},
        {1007, "00000000"},
        {900, "01010000"},
        {901, "01020000"},
        {902, "01040008"},
        {903, "01080002"},
        {904, "01100004"},
        {1303, "02080700"},
        {1100, "0300CD00"},
        {1101, "0300B700"},
        {1102, "0300B600"},
        {1103, "0300B500"},
        {1104, "0300E900"},
        {1105, "0300EA00"},
        {1106, "0300E200"},
        {1200, "03022300"},
        {1201, "03022100"},
        {1202, "03022400"},
        {1203, "03022500"},
        {1204, "03022600"},
        {1205, "03022700"},
        {1206, "03022A00"},
        {1300, "03019400"},
        {1301, "03019200"},
        {1302, "03018A00"},
        {2200, "04010000"},
        {2201, "04020000"},
        {2202, "04030000"},
        {1000, "05040000"},
        {2300, "07800000"},
        {2301, "07810000"},
        {2302, "07820000"},
        {2303, "07000000"},
        {1002, "08000000"},
        {1003, "08010000"},
        {2000, "09000010"},
        {2001, "09010020"},
        {2002, "09020040"},
        {2400, "0A000000"},
        {2401, "0A010000"},
        {1006, "0B8F0000"},
        {1004, "0C000000"},
        {1001, "0E000000"},
        // Not a function: openers, gaps, neighbours of real Tags.
        {-1, "refused"},
        {1, "refused"},
        {13, "refused"},
        {899, "refused"},
        {905, "refused"},
        {1008, "refused"},
        {1107, "refused"},
        {2103, "refused"},
        {2304, "refused"},
        {2402, "refused"},
        {INT_MAX, "refused"},
    };
    for (const auto& [tag, expected] : cases) {
        EXPECT_EQ(TagText(tag, ctx), expected) << "Tag " << tag;
    }
}

TEST(KeyTagToCode, FireKeysFromTheirEdits) {
    KeyEntryContext ctx = EnglishContext();
    ctx.fireKeyEdits = {{{2, 16, true}, {3, 300, true}, {3, 300, false}}};
    EXPECT_EQ(TagText(2100, ctx), "06910010");
    EXPECT_EQ(TagText(2101, ctx), "0692012C");
    EXPECT_EQ(TagText(2102, ctx), "0612012C");
    ctx.fireKeyEdits[0].keepFiring = false;
    EXPECT_EQ(TagText(2100, ctx), "06110010");
}

TEST(KeyTagToCode, OutOfRangeInputsAreClampedNotSpilledIntoOtherBytes) {
    KeyEntryContext ctx = EnglishContext();
    const struct {
        FireKeyEdits edits;
        const char* expected;
    } fire[] = {
        {{0, 16, false}, "06100010"},   {{-7, 16, true}, "06900010"},
        {{16, 16, false}, "061E0010"},  {{INT_MAX, 16, true}, "069E0010"},
        {{2, 4095, false}, "06110FFE"}, {{2, 70000, false}, "06110FFE"},
        {{2, -1, false}, "06110000"},   {{INT_MIN, INT_MIN, true}, "06900000"},
    };
    for (const auto& c : fire) {
        ctx.fireKeyEdits[0] = c.edits;
        EXPECT_EQ(TagText(2100, ctx), c.expected);
    }
    for (const auto& [level, expected] : {std::pair{0, "05000000"},
                                          {1, "05000000"},
                                          {12, "050B0000"},
                                          {13, "050B0000"},
                                          {INT_MIN, "05000000"},
                                          {INT_MAX, "050B0000"}}) {
        ctx.aimLevel = level;
        EXPECT_EQ(TagText(1000, ctx), expected) << level;
    }
}

TEST(KeyTagToCode, ProfileSwitchCarriesOptionsOnlyForCombinationKeys) {
    KeyEntryContext ctx = EnglishContext();
    ctx.profileSwitch = {{0x00, 0x20, 0xF0}, true, false, true, 0x18};
    EXPECT_EQ(TagText(2301, ctx), "07810000"); // key-page label or profile button

    ctx.comboKeyMenuOpen = true;
    EXPECT_EQ(TagText(2301, ctx), "07D12018");
    EXPECT_EQ(TagText(2300, ctx), "07D00018");
    ctx.profileSwitch.colourCodes[1] = 0x30;
    EXPECT_EQ(TagText(2301, ctx), "07D13018");

    ctx.profileSwitch = {{0x00, 0x00, 0xF0}, true, true, true, 0x123};
    EXPECT_EQ(TagText(2302, ctx), "07F2F123"); // the offset's high part in the colour byte
    ctx.profileSwitch.offset = 0x1000;         // above the edit's bound
    EXPECT_EQ(TagText(2302, ctx), "07F2FFFF");
    ctx.profileSwitch.offset = -5;
    EXPECT_EQ(TagText(2302, ctx), "07F2F000");
    ctx.profileSwitch.colourCodes[2] = 0xF5; // not a colour code: its low nibble is not added
    ctx.profileSwitch.offset = 0x300;
    EXPECT_EQ(TagText(2302, ctx), "07F2F300");
}

TEST(KeyTagToCode, FireMacroKeyFollowsTheStorageType) {
    KeyEntryContext ctx = EnglishContext();
    ctx.storage = StorageKind::I2C;
    EXPECT_EQ(TagText(1005, ctx), "100710FF");
    ctx.storage = StorageKind::Flash;
    EXPECT_EQ(TagText(1005, ctx), "107000FF");
    ctx.storage = StorageKind::None; // no mouse: no entry the menu could store
    EXPECT_EQ(TagText(1005, ctx), "refused");
}

TEST(KeyTagToCode, ReadsOnlyTheInputsItsTagNeeds) {
    const KeyEntryContext plain = EnglishContext();
    KeyEntryContext changed = EnglishContext();
    changed.fireKeyEdits = {{{9, 999, true}, {9, 999, true}, {9, 999, true}}};
    changed.aimLevel = 7;
    changed.optionBytes = {1, 1, 1, 1, 1, 1};
    changed.profileSwitch = {{0x90, 0x90, 0x90}, true, true, true, 0xABC};
    changed.storage = StorageKind::Flash;
    changed.caption = nullptr;
    changed.fireKeys = {};
    changed.gunKeyFileLoaded = true;
    changed.macroSlots = {{0x0200, 4, "X"}};

    std::set<int> differing;
    for (int tag = -5; tag <= 2500; ++tag) {
        if (KeyTagToCode(tag, plain) != KeyTagToCode(tag, changed)) {
            differing.insert(tag);
        }
    }
    EXPECT_EQ(differing,
              (std::set<int>{902, 903, 904, 1000, 1005, 2000, 2001, 2002, 2100, 2101, 2102}));
}

TEST(KeyCodeToText, FixedCaptions) {
    KeyEntryContext ctx = EnglishContext();
    const std::pair<const char*, const char*> cases[] = {
        {"00000000", "Key Off"},
        {"01010000", "Left Click"},
        {"01020000", "Right Click"},
        {"01010001", ""}, // left button with a stray option byte
        {"01020100", ""},
        {"01040000", "Middle Click"},
        {"01040080", "Middle Click"},
        {"010812FF", "Backward"},
        {"01100008", "Forward"},
        {"01200000", ""},
        {"05040000", "AIM Key"},
        {"05FF0000", "AIM Key"},
        {"0E000000", "LED Mode"},
        {"08000000", "LED ON/OFF"},
        {"08010000", "Button Effect Switch"},
        {"08020000", ""},
        {"0C000000", "Report Rate"},
        {"0C000001", ""},
        {"100710FF", "Fire Macro Key"},
        {"107000FF", "Fire Macro Key"},
        {"09000000", "DPI Loop"},
        {"09010008", "DPI +"},
        {"09020010", "DPI -"},
        {"09030000", ""},
        {"04010000", "Power Down"},
        {"04020000", "Sleep"},
        {"04030000", "Wake Up"},
        {"04010001", ""},
        {"04040000", ""},
        {"0300CD00", "Play/Pause"},
        {"0300B700", "Stop"},
        {"0300E200", "Mute"},
        {"03022300", "Home"},
        {"03022A00", "Favorites"},
        {"03019400", "My Computer"},
        {"03018A00", "E-Mail"},
        {"0300CD01", ""},
        {"03FFFF00", ""},
        {"02080700", "Desktop"}, // named by the fixed rule, not as Win+D
        {"0A000000", "Adjust XY Fn"},
        {"0A010000", "Adjust XY Switch"},
        {"0A020000", ""},
        {"0B8F0000", "Fire Macro Off"},
        {"0D000000", ""},
        {"0F000000", ""},
        {"FFFFFFFF", ""},
    };
    for (const auto& [entry, caption] : cases) {
        EXPECT_EQ(Caption(entry, ctx), caption) << entry;
    }
}

TEST(KeyCodeToText, EveryFixedTagsEntryReadsBackAsItsFunction) {
    KeyEntryContext ctx = EnglishContext();
    ctx.storage = StorageKind::I2C;
    for (int tag = 0; tag <= 2500; ++tag) {
        if (tag >= 2100 && tag <= 2102) {
            continue; // fire keys are named by their stored sets, tested below
        }
        if (const auto entry = KeyTagToCode(tag, ctx)) {
            EXPECT_FALSE(KeyCodeToText(*entry, ctx).text.empty()) << "Tag " << tag;
        }
    }
}

TEST(KeyCodeToText, ProfileSwitchAndItsColourItem) {
    const KeyEntryContext ctx = EnglishContext();
    const struct {
        const char* entry;
        const char* caption;
        int profile; // -1: the colour item is left alone
        int item;
    } cases[] = {
        {"07000000", "KB Switch Loop", -1, 0},
        {"07003018", "KB Switch Loop", -1, 0},
        {"07800000", "Office Mode", 0, 0},
        {"07813000", "Game Mode", 1, 3},
        {"07D19018", "Game Mode", 1, 9},
        {"07F2F123", "Third Mode", 2, 10},
        {"0781A000", "Game Mode", -1, 0}, // colours 10..14 leave the item
        {"0781E000", "Game Mode", -1, 0},
        {"07880000", "Office Mode", 0, 0}, // bit 3 is not part of the profile number
        {"07830000", "", -1, 0},
        {"07010000", "", -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const KeyCaption result = KeyCodeToText(std::string_view(c.entry), ctx);
        EXPECT_EQ(result.text, c.caption);
        EXPECT_FALSE(result.fireHold.has_value());
        if (c.profile < 0) {
            EXPECT_FALSE(result.profileColour.has_value());
        } else {
            ASSERT_TRUE(result.profileColour.has_value());
            EXPECT_EQ(result.profileColour->profile, c.profile);
            EXPECT_EQ(result.profileColour->item, c.item);
        }
    }
}

TEST(KeyCodeToText, FireKeysAreIdentifiedByTheirEntryBytes) {
    KeyEntryContext ctx = EnglishContext(); // stored sets (2, 60), (4, 120), (8, 200)
    const struct {
        const char* entry;
        const char* caption;
        int fireKey; // -1: no hold box to set
        bool keepFiring;
    } cases[] = {
        {"0611003C", "Fire Key1", 0, false},
        {"0691003C", "Fire Key1", 0, true}, // hold bit set: still the same fire key
        {"06130078", "Fire Key2", 1, false},
        {"069700C8", "Fire Key3", 2, true},
        {"0612003C", "", -1, false}, // count differs
        {"0611003D", "", -1, false}, // delay differs
        // The count is the low nibble plus one, whatever the other bits hold.
        {"0601003C", "Fire Key1", 0, false},
        {"0631003C", "Fire Key1", 0, false},
        {"06F1003C", "Fire Key1", 0, true},
        {"0601000F", "", -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const KeyCaption result = KeyCodeToText(std::string_view(c.entry), ctx);
        EXPECT_EQ(result.text, c.caption);
        EXPECT_FALSE(result.profileColour.has_value());
        if (c.fireKey < 0) {
            EXPECT_FALSE(result.fireHold.has_value());
        } else {
            ASSERT_TRUE(result.fireHold.has_value());
            EXPECT_EQ(result.fireHold->fireKey, c.fireKey);
            EXPECT_EQ(result.fireHold->keepFiring, c.keepFiring);
        }
    }
}

TEST(KeyCodeToText, FireKeyEdgeCases) {
    KeyEntryContext ctx = EnglishContext();
    ctx.fireKeys = {{{3, 300}, {3, 300}, {16, 4094}}};
    EXPECT_EQ(Caption("0612012C", ctx), "Fire Key1"); // keys 1 and 2 alike: the first wins
    EXPECT_EQ(Caption("069F0FFE", ctx), "Fire Key3"); // the largest count the byte holds
    ctx.fireKeys = {{{2, 16}, {3, 300}, {16, 4094}}};
    EXPECT_EQ(Caption("06010010", ctx), "Fire Key1"); // count 2, delay 16, no 0x10 bit
    ctx.fireKeys = {{{3, 300}, {3, 300}, {16, 4094}}};

    ctx.refreshingKeyTexts = true; // captions rebuilt by code: hold boxes left alone
    const KeyCaption refreshed = KeyCodeToText(std::string_view("0692012C"), ctx);
    EXPECT_EQ(refreshed.text, "Fire Key1");
    EXPECT_FALSE(refreshed.fireHold.has_value());

    // Stored counts no entry can carry never match, whatever the entry's bits.
    ctx.refreshingKeyTexts = false;
    ctx.fireKeys = {{{0, 0}, {17, 0}, {-1, 0}}};
    for (int p1 = 0; p1 < 256; ++p1) {
        EXPECT_TRUE(
            KeyCodeToText(TKeyEntry(0x06, static_cast<std::uint8_t>(p1), 0, 0), ctx).text.empty())
            << p1;
    }
}

TEST(ComboKeyCodeToText, KeyboardEntries) {
    const KeyEntryContext ctx = EnglishContext();
    const std::pair<const char*, const char*> cases[] = {
        {"02000000", "User-defined"}, {"02F00000", "User-defined"}, // only bits 0..3 are modifiers
        {"02050400", "Ctrl+Alt+A"},   {"020F0405", "Ctrl+Shift+Alt+Win+A+B"},
        {"02001E1F", "1+2"},          {"02000004", "A"},
        {"0202E300", "Shift+Win"},    {"02082C00", "Win+Space bar"},
        {"0200C500", "Volume_Up"},    {"02080600", "Win+C"}, // near the Desktop entry but not it
    };
    for (const auto& [entry, caption] : cases) {
        EXPECT_EQ(Caption(entry, ctx), caption) << entry;
        EXPECT_EQ(ComboKeyCodeToText(*TKeyEntry::Parse(entry), ctx), caption) << entry;
    }
}

TEST(ComboKeyCodeToText, GunModesWithoutTheGunKeyFile) {
    const KeyEntryContext ctx = EnglishContext();
    const std::pair<const char*, const char*> cases[] = {
        {"0B000100", "AKM Fire"},
        {"0B100108", "AKM Fire"},
        {"0B010100", "M16 Fire"},
        {"0B120102", "M4 Fire"},
        {"0B030100", "UMP9 Fire"},
        {"0B140100", "SCAR-L Fire"},
        {"0B050100", "TOMPSON Fire"},
        {"0B150200", "TOMPSON Fire"},
        {"0B070100", "UZI Fire"},
        {"0B170200", "UZI Fire"},
        {"0B070300", "UZI Fire"},
        {"0B050300", ""},
        {"0B060100", ""},
        {"0B070400", ""},
        {"0B000000", ""},
        {"0B200100", ""},
        {"0B800000", ""},
        {"0B8F0001", ""},
    };
    for (const auto& [entry, caption] : cases) {
        EXPECT_EQ(Caption(entry, ctx), caption) << entry;
    }
}

TEST(ComboKeyCodeToText, GunKeyScriptsWhenTheFileIsLoaded) {
    KeyEntryContext ctx = EnglishContext();
    ctx.gunKeyFileLoaded = true;
    ctx.gunScripts[0] = {0x0B, 0x12, 0x04, 0x00};
    ctx.gunScripts[1] = {0x0B, 0x80, 0x00, 0x00};
    ctx.gunScripts[4] = {0x0B, 0x12, 0x04, 0x00};
    EXPECT_EQ(Caption("0B120400", ctx), "Fire Macro5"); // the last matching slot
    EXPECT_EQ(Caption("0B120408", ctx), "Fire Macro5"); // byte 3 is the switch flag
    EXPECT_EQ(Caption("0B800002", ctx), "Fire Macro2");
    EXPECT_EQ(Caption("0B000100", ctx), ""); // gun modes are not named now
    EXPECT_EQ(Caption("0B8F0000", ctx), "Fire Macro Off");
    ctx.gunScripts[9] = {0x0B, 0x00, 0x01, 0x00};
    EXPECT_EQ(Caption("0B000100", ctx), "Fire Macro10");
}

TEST(ComboKeyCodeToText, DeviceMacrosByStartAddress) {
    KeyEntryContext ctx = EnglishContext();
    ctx.macroSlots = {{0x0200, 10, "Jump"}, {0x0300, 0, "Gone"}, {0x0200, 5, "Jump again"}};
    ctx.storage = StorageKind::I2C;
    EXPECT_EQ(Caption("10020000", ctx), "Jump again");
    EXPECT_EQ(Caption("10030000", ctx), ""); // empty slot
    EXPECT_EQ(Caption("10040000", ctx), "");
    ctx.storage = StorageKind::Flash; // no lengths on a flash mouse
    EXPECT_EQ(Caption("10030000", ctx), "Gone");
    ctx.storage = StorageKind::None;
    EXPECT_EQ(Caption("10020000", ctx), "");

    // Only the slots the storage type has are looked at.
    ctx.macroSlots.assign(40, MacroSlot{0x9000, 1, "unused"});
    ctx.macroSlots[14] = {0x4E00, 1, "slot 15"};
    ctx.macroSlots[15] = {0x4F00, 1, "slot 16"};
    ctx.macroSlots[31] = {0x5F00, 1, "slot 32"};
    ctx.macroSlots[32] = {0x6000, 1, "slot 33"};
    ctx.storage = StorageKind::I2C;
    EXPECT_EQ(Caption("104E0000", ctx), "slot 15");
    EXPECT_EQ(Caption("104F0000", ctx), "");
    ctx.storage = StorageKind::Flash;
    EXPECT_EQ(Caption("105F0000", ctx), "slot 32");
    EXPECT_EQ(Caption("10600000", ctx), "");
}

TEST(KeyCodeToText, MissingCaptionsAndBadTextGiveEmptyCaptions) {
    KeyEntryContext ctx = EnglishContext();
    ctx.caption = [](std::string_view) { return std::string{}; };
    EXPECT_EQ(Caption("01010000", ctx), "");
    EXPECT_EQ(Caption("02050400", ctx), "Ctrl+Alt+A"); // key names are not captions
    ctx.caption = nullptr;
    EXPECT_EQ(Caption("0300CD00", ctx), "");
    EXPECT_EQ(Caption("02000000", ctx), "");

    const KeyEntryContext english = EnglishContext();
    EXPECT_EQ(Caption("0300cd00", english), "Play/Pause");
    for (const char* bad : {"", "0300CD0", "0300CD000", "0300CD0G", "hello!!!"}) {
        const KeyCaption result = KeyCodeToText(std::string_view(bad), english);
        EXPECT_EQ(result.text, "") << bad;
        EXPECT_FALSE(result.fireHold.has_value());
        EXPECT_FALSE(result.profileColour.has_value());
    }
}

TEST(KeyCodeToText, EveryTypeByteIsHandled) {
    // Rich state so that every branch has tables to read; ASan/UBSan watch the reads.
    KeyEntryContext ctx = EnglishContext();
    ctx.gunScripts.fill({0x0B, 0x01, 0x01, 0x00});
    ctx.macroSlots = {{0x0000, 1, "at zero"}, {0xFFFF, 1, "at top"}};
    const std::uint8_t params[] = {0x00, 0x01, 0x04, 0x07, 0x10, 0x81, 0x8F, 0xFF};
    for (bool loaded : {false, true}) {
        ctx.gunKeyFileLoaded = loaded;
        for (StorageKind storage : {StorageKind::None, StorageKind::I2C, StorageKind::Flash}) {
            ctx.storage = storage;
            for (int type = 0; type < 256; ++type) {
                for (std::uint8_t p1 : params) {
                    for (std::uint8_t p2 : params) {
                        for (std::uint8_t p3 : {0x00, 0xFF}) {
                            const TKeyEntry entry(static_cast<std::uint8_t>(type), p1, p2, p3);
                            const KeyCaption caption = KeyCodeToText(entry, ctx);
                            const bool hasRule = type <= 0x0C || type == 0x0E || type == 0x10;
                            if (!hasRule) {
                                ASSERT_EQ(caption.text, "") << entry.ToText();
                                ASSERT_EQ(ComboKeyCodeToText(entry, ctx), "");
                            }
                            ASSERT_TRUE(!caption.fireHold || type == 0x06);
                            ASSERT_TRUE(!caption.profileColour || type == 0x07);
                        }
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace trvx
