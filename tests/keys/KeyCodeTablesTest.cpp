#include "keys/KeyCodeTables.h"
#include "keys/XKeyCodes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace trvx {
namespace {

struct RoundTrip {
    std::uint32_t virtualKey;
    TKeyboardHookKey key;
    const char* keyName;
    std::uint8_t usage;
    const char* usageName;
};

// Virtual key -> hook key -> name, and hook key -> usage -> the name read back from the mouse.
const RoundTrip kRoundTrips[] = {
    {0x41, kh_A, "A", 0x04, "A"},
    {0x5A, kh_Z, "Z", 0x1D, "Z"},
    {0x31, kh_1, "1", 0x1E, "1"},
    {0x30, kh_0, "0", 0x27, "0"},
    {0x0D, kh_Return, "Enter", 0x28, "Enter"},
    {0x08, kh_Back, "Backspace", 0x2A, "Backspace"},
    {0x20, kh_Space, "Space bar", 0x2C, "Space bar"},
    {0x14, kh_Capital, "Caps Lock", 0x39, "Caps Lock"},
    {0x21, kh_Prior, "Page Up", 0x4B, "Page Up"},
    {0x28, kh_Down, "Down Arrow", 0x51, "Down Arrow"},
    {0x10, kh_Shift, "Shift", 0xE1, "Left Shift"},
    {0x11, kh_Control, "Ctrl", 0xE0, "Left Ctrl"},
    {0x12, kh_Alt, "Alt", 0xE2, "Left Alt"},
    {0xA1, kh_RShift, "Right Shift", 0xE5, "Right Shift"},
    {0xA3, kh_RControl, "Right Ctrl", 0xE4, "Right Ctrl"},
    {0x5B, kh_LWIN, "Left Windows", 0xE3, "Win"},
    {0x5C, kh_RWIN, "Right Windows", 0xE7, "Win"},
    {0x5D, kh_APPS, "Applications", 0x65, "Applications"},
    {0x60, kh_Numpad0, "0 (numeric pad)", 0x62, "0 (numeric pad)"},
    {0x69, kh_Numpad9, "9 (numeric pad)", 0x61, "9 (numeric pad)"},
    {0x6C, kh_Separator, "Separator (numeric pad)", 0x58, "Separator (numeric pad)"},
    {0x6F, kh_Divide, "Divide (numeric pad)", 0x54, "Divide (numeric pad)"},
    {0x70, kh_F1, "F1", 0x3A, "F1"},
    {0x7B, kh_F12, "F12", 0x45, "F12"},
    {0x7C, kh_F13, "F13", 0x68, "F13"},
    {0x87, kh_F24, "F24", 0x73, "F24"},
    {0x0C, kh_Clear, "Clear", 0x9C, "Clear"},
    {0x29, kh_Select, "Select", 0x77, "Select"},
    {0x2F, kh_Help, "Help", 0x75, "Help"},
    {0x2C, kh_Snapshot, "Print Screen", 0x46, "Print Screen"},
    {0xBA, kh_OEM_1, "OEM_1", 0x33, "OEM_1"},
    {0xC0, kh_OEM_3, "OEM_3", 0x35, "OEM_3"},
    {0xDC, kh_OEM_5, "OEM_5", 0x31, "OEM_5"},
    {0xBB, kh_OEM_Plus, "OEM_Plus", 0x2E, "OEM_Plus"},
    {0xAF, kh_Volume_Up, "Volume_Up", 0xC5, "Volume_Up"},
    {0xAE, kh_Volume_Down, "Volume_Down", 0xC6, "Volume_Down"},
    {0xB0, kh_Media_Next_Track, "Media_Next_Track", 0xC0, "Media_Next_Track"},
    {0xA6, kh_Browser_Back, "Browser_Back", 0xCA, "Browser_Back"},
    {0xAB, kh_Browser_Favorites, "Browser_Favorites", 0xCE, "Browser_Favorites"},
    {0xB5, kh_Launch_Media_Select, "Launch_Media_Select", 0xD1, "Launch_Media_Select"},
    // Keys without a usage.
    {0xDF, kh_OEM_8, "OEM_8", 0x00, ""},
    {0xB6, kh_Launch_App1, "Launch_App1", 0x00, ""},
    {0xB7, kh_Launch_App2, "Launch_App2", 0x00, ""},
    {0xFF, kh_255, "255", 0x00, ""},
    {0x07, kh_None, "None", 0x00, ""},
};

TEST(KeyCodeTables, VirtualKeyToUsageToNameRoundTrips) {
    for (const RoundTrip& c : kRoundTrips) {
        SCOPED_TRACE(c.keyName);
        const TKeyboardHookKey key = VirtualKeyToHookKey(c.virtualKey);
        EXPECT_EQ(key, c.key);
        ASSERT_TRUE(HookKeyToName(key).has_value());
        EXPECT_EQ(*HookKeyToName(key), c.keyName);
        EXPECT_EQ(HookKeyToHidUsage(key), c.usage);
        EXPECT_EQ(HidUsageToKeyName(HookKeyToHidUsage(key)), c.usageName);
    }
}

TEST(KeyCodeTables, EveryVirtualKeyReachesItsOwnHookKeyOnce) {
    // 142 codes, one for each key but kh_None, kh_Demo and kh_Return_KP.
    std::set<int> seen;
    for (std::uint32_t vk = 0; vk < 0x200; ++vk) {
        const TKeyboardHookKey key = VirtualKeyToHookKey(vk);
        if (key != kh_None) {
            EXPECT_TRUE(seen.insert(key).second) << "hook key " << int(key) << " twice";
        }
    }
    EXPECT_EQ(seen.size(), 142u);
    EXPECT_FALSE(seen.contains(kh_Demo));
    EXPECT_FALSE(seen.contains(kh_Return_KP));
    EXPECT_EQ(VirtualKeyToHookKey(0xFFFFFFFFu), kh_None);
    EXPECT_EQ(VirtualKeyToHookKey(0x141), kh_None); // not 'A' again above one byte
}

TEST(KeyCodeTables, UsageAndNameCountsAndConsistency) {
    int keysWithUsage = 0;
    for (int k = 0; k < kHookKeyCount; ++k) {
        const auto key = static_cast<TKeyboardHookKey>(k);
        const std::uint8_t usage = HookKeyToHidUsage(key);
        if (usage != 0) {
            ++keysWithUsage;
            EXPECT_FALSE(HidUsageToKeyName(usage).empty()) << "key " << k;
        }
        // The mouse's own codes read back as the name of the key that makes them.
        if (usage >= 0xC0 && usage <= 0xD1) {
            EXPECT_EQ(HidUsageToKeyName(usage), *HookKeyToName(key));
        }
    }
    EXPECT_EQ(keysWithUsage, 138);

    int namedUsages = 0;
    for (std::uint32_t u = 0; u < 0x200; ++u) {
        namedUsages += HidUsageToKeyName(u).empty() ? 0 : 1;
    }
    EXPECT_EQ(namedUsages, 135);
    for (std::uint32_t u : {0x00u, 0x03u, 0x32u, 0x64u, 0x66u, 0x67u, 0x74u, 0x76u, 0xCFu, 0xD0u,
                            0xE8u, 0xFFu, 0x100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(HidUsageToKeyName(u), "") << u;
    }
}

TEST(KeyCodeTables, KeysWithoutANameLeaveTheCallersText) {
    EXPECT_FALSE(HookKeyToName(kh_Return_KP).has_value());
    EXPECT_EQ(HookKeyToHidUsage(kh_Return_KP), 0);
    for (int k = kHookKeyCount; k < 256; ++k) {
        const auto key = static_cast<TKeyboardHookKey>(k);
        EXPECT_FALSE(HookKeyToName(key).has_value()) << k;
        EXPECT_EQ(HookKeyToHidUsage(key), 0) << k;
    }
    for (int k = 0; k < kh_Return_KP; ++k) {
        EXPECT_TRUE(HookKeyToName(static_cast<TKeyboardHookKey>(k)).has_value()) << k;
    }
}

struct PhysicalKey {
    std::uint32_t xKeyCode;
    const char* what;
    std::uint8_t usage;
};

// X key codes as the X server reports them on any evdev keyboard, whatever the layout.
const PhysicalKey kPhysicalKeys[] = {
    {9, "Esc", 0x29},
    {10, "1", 0x1E},
    {19, "0", 0x27},
    {20, "minus", 0x2D},
    {21, "equal", 0x2E},
    {22, "Backspace", 0x2A},
    {23, "Tab", 0x2B},
    {24, "Q", 0x14},
    {25, "W", 0x1A},
    {34, "[", 0x2F},
    {35, "]", 0x30},
    {36, "Return", 0x28},
    {37, "left Ctrl", 0xE0},
    {38, "A", 0x04},
    {47, ";", 0x33},
    {48, "'", 0x34},
    {49, "`", 0x35},
    {50, "left Shift", 0xE1},
    {51, "\\", 0x31},
    {52, "Z", 0x1D},
    {58, "M", 0x10},
    {59, ",", 0x36},
    {60, ".", 0x37},
    {61, "/", 0x38},
    {62, "right Shift", 0xE5},
    {63, "KP *", 0x55},
    {64, "left Alt", 0xE2},
    {65, "space", 0x2C},
    {66, "Caps Lock", 0x39},
    {67, "F1", 0x3A},
    {76, "F10", 0x43},
    {77, "Num Lock", 0x53},
    {78, "Scroll Lock", 0x47},
    {79, "KP 7", 0x5F},
    {82, "KP -", 0x56},
    {86, "KP +", 0x57},
    {87, "KP 1", 0x59},
    {90, "KP 0", 0x62},
    {91, "KP .", 0x63},
    {95, "F11", 0x44},
    {96, "F12", 0x45},
    {104, "KP Enter", 0x28},
    {105, "right Ctrl", 0xE4},
    {106, "KP /", 0x54},
    {107, "Print", 0x46},
    {108, "right Alt", 0xE6},
    {110, "Home", 0x4A},
    {111, "Up", 0x52},
    {112, "Page Up", 0x4B},
    {113, "Left", 0x50},
    {114, "Right", 0x4F},
    {115, "End", 0x4D},
    {116, "Down", 0x51},
    {117, "Page Down", 0x4E},
    {118, "Insert", 0x49},
    {119, "Delete", 0x4C},
    {121, "Mute", 0xC4},
    {122, "Volume down", 0xC6},
    {123, "Volume up", 0xC5},
    {127, "Pause", 0x48},
    {133, "left Super", 0xE3},
    {134, "right Super", 0xE7},
    {135, "Menu", 0x65},
    {136, "Stop", 0xCC},
    {146, "Help", 0x75},
    {163, "Mail", 0xC7},
    {164, "Favourites", 0xCE},
    {166, "Back", 0xCA},
    {167, "Forward", 0xCB},
    {171, "Next", 0xC0},
    {172, "Play", 0xC3},
    {173, "Previous", 0xC1},
    {174, "Media stop", 0xC2},
    {180, "Homepage", 0xC9},
    {181, "Refresh", 0xCD},
    {191, "F13", 0x68},
    {202, "F24", 0x73},
    {225, "Search", 0xC8},
    {234, "Media", 0xD1},
    // Keys and codes that give no usage.
    {94, "ISO extra key", 0x00},
    {0, "none", 0x00},
    {8, "below the first key", 0x00},
    {255, "last code", 0x00},
};

TEST(XKeyCodes, PhysicalKeysGiveTheirUsage) {
    for (const PhysicalKey& c : kPhysicalKeys) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HookKeyToHidUsage(VirtualKeyToHookKey(XKeyCodeToVirtualKey(c.xKeyCode))),
                  c.usage);
    }
}

TEST(XKeyCodes, AnyCodeIsSafeAndDistinctKeysStayDistinct) {
    std::set<int> usages;
    for (std::uint32_t code = 0; code < 0x400; ++code) {
        const std::uint32_t vk = XKeyCodeToVirtualKey(code);
        if (code >= 256) {
            EXPECT_EQ(vk, 0u) << code;
        }
        const std::uint8_t usage = HookKeyToHidUsage(VirtualKeyToHookKey(vk));
        // Only the two Enter keys share a usage.
        if (usage != 0 && code != 104) {
            EXPECT_TRUE(usages.insert(usage).second) << "code " << code;
        }
    }
    EXPECT_EQ(XKeyCodeToVirtualKey(0xFFFFFFFFu), 0u);
}

} // namespace
} // namespace trvx
