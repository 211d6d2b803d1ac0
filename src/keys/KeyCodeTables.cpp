#include "keys/KeyCodeTables.h"

#include <array>

namespace trvx {
namespace {

constexpr std::array<std::string_view, kHookKeyCount> kHookKeyNames = {
    "None",
    "Demo",
    "255",
    "Backspace",
    "Tab",
    "Clear",
    "Enter",
    "Shift",
    "Ctrl",
    "Alt",
    "Pause",
    "Caps Lock",
    "Esc",
    "Space bar",
    "Page Up",
    "Page Down",
    "End",
    "Home",
    "Left Arrow",
    "Up Arrow",
    "Right Arrow",
    "Down Arrow",
    "Select",
    "Print Screen",
    "Insert",
    "Delete",
    "Help",
    "Left Windows",
    "Right Windows",
    "Applications",
    "0 (numeric pad)",
    "1 (numeric pad)",
    "2 (numeric pad)",
    "3 (numeric pad)",
    "4 (numeric pad)",
    "5 (numeric pad)",
    "6 (numeric pad)",
    "7 (numeric pad)",
    "8 (numeric pad)",
    "9 (numeric pad)",
    "Multiply (numeric pad)",
    "Add (numeric pad)",
    "Separator (numeric pad)",
    "Subtract (numeric pad)",
    "Decimal (numeric pad)",
    "Divide (numeric pad)",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12",
    "F13",
    "F14",
    "F15",
    "F16",
    "F17",
    "F18",
    "F19",
    "F20",
    "F21",
    "F22",
    "F23",
    "F24",
    "Num Lock",
    "Scroll Lock",
    "Left Shift",
    "Right Shift",
    "Left Ctrl",
    "Right Ctrl",
    "Left Alt",
    "Right Alt",
    "A",
    "B",
    "C",
    "D",
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L",
    "M",
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T",
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z",
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "OEM_1",
    "OEM_2",
    "OEM_3",
    "OEM_4",
    "OEM_5",
    "OEM_6",
    "OEM_7",
    "OEM_8",
    "OEM_Plus",
    "OEM_Comma",
    "OEM_Minus",
    "OEM_Period",
    "Browser_Back",
    "Browser_Forward",
    "Browser_Refresh",
    "Browser_Stop",
    "Browser_Search",
    "Browser_Favorites",
    "Browser_Home",
    "Volume_Mute",
    "Volume_Down",
    "Volume_Up",
    "Media_Next_Track",
    "Media_Prev_Track",
    "Media_Stop",
    "Media_Play_Pause",
    "Launch_Mail",
    "Launch_Media_Select",
    "Launch_App1",
    "Launch_App2",
    {}, // kh_Return_KP has no name of its own
};

static_assert(kHookKeyNames[kh_Launch_App2] == "Launch_App2" && kHookKeyNames[kh_A] == "A" &&
              kHookKeyNames[kh_F24] == "F24" && kHookKeyNames[kh_OEM_Period] == "OEM_Period");

constexpr std::array<std::uint8_t, kHookKeyCount> MakeHookKeyUsages() {
    std::array<std::uint8_t, kHookKeyCount> u{};
    for (int i = 0; i < 26; ++i) {
        u[kh_A + i] = static_cast<std::uint8_t>(0x04 + i);
    }
    for (int i = 1; i <= 9; ++i) {
        u[kh_0 + i] = static_cast<std::uint8_t>(0x1E + i - 1);
        u[kh_Numpad0 + i] = static_cast<std::uint8_t>(0x59 + i - 1);
    }
    u[kh_0] = 0x27;
    u[kh_Numpad0] = 0x62;
    for (int i = 0; i < 12; ++i) {
        u[kh_F1 + i] = static_cast<std::uint8_t>(0x3A + i);
        u[kh_F13 + i] = static_cast<std::uint8_t>(0x68 + i);
    }
    u[kh_Return] = 0x28;
    u[kh_Escape] = 0x29;
    u[kh_Back] = 0x2A;
    u[kh_Tab] = 0x2B;
    u[kh_Space] = 0x2C;
    u[kh_OEM_Minus] = 0x2D;
    u[kh_OEM_Plus] = 0x2E;
    u[kh_OEM_4] = 0x2F;
    u[kh_OEM_6] = 0x30;
    u[kh_OEM_5] = 0x31;
    u[kh_OEM_1] = 0x33;
    u[kh_OEM_7] = 0x34;
    u[kh_OEM_3] = 0x35;
    u[kh_OEM_Comma] = 0x36;
    u[kh_OEM_Period] = 0x37;
    u[kh_OEM_2] = 0x38;
    u[kh_Capital] = 0x39;
    u[kh_Snapshot] = 0x46;
    u[kh_Scroll] = 0x47;
    u[kh_Pause] = 0x48;
    u[kh_Insert] = 0x49;
    u[kh_Home] = 0x4A;
    u[kh_Prior] = 0x4B;
    u[kh_Delete] = 0x4C;
    u[kh_End] = 0x4D;
    u[kh_Next] = 0x4E;
    u[kh_Right] = 0x4F;
    u[kh_Left] = 0x50;
    u[kh_Down] = 0x51;
    u[kh_Up] = 0x52;
    u[kh_Numlock] = 0x53;
    u[kh_Divide] = 0x54;
    u[kh_Multiply] = 0x55;
    u[kh_Subtract] = 0x56;
    u[kh_Add] = 0x57;
    u[kh_Separator] = 0x58;
    u[kh_Decimal] = 0x63;
    u[kh_APPS] = 0x65;
    u[kh_Help] = 0x75;
    u[kh_Select] = 0x77;
    u[kh_Clear] = 0x9C;
    u[kh_LControl] = 0xE0;
    u[kh_LShift] = 0xE1;
    u[kh_LAlt] = 0xE2;
    u[kh_LWIN] = 0xE3;
    u[kh_RControl] = 0xE4;
    u[kh_RShift] = 0xE5;
    u[kh_RAlt] = 0xE6;
    u[kh_RWIN] = 0xE7;
    // Either-side modifiers store the left-hand usage.
    u[kh_Shift] = 0xE1;
    u[kh_Control] = 0xE0;
    u[kh_Alt] = 0xE2;
    // The mouse's own codes for media and browser keys.
    u[kh_Media_Next_Track] = 0xC0;
    u[kh_Media_Prev_Track] = 0xC1;
    u[kh_Media_Stop] = 0xC2;
    u[kh_Media_Play_Pause] = 0xC3;
    u[kh_Volume_Mute] = 0xC4;
    u[kh_Volume_Up] = 0xC5;
    u[kh_Volume_Down] = 0xC6;
    u[kh_Launch_Mail] = 0xC7;
    u[kh_Browser_Search] = 0xC8;
    u[kh_Browser_Home] = 0xC9;
    u[kh_Browser_Back] = 0xCA;
    u[kh_Browser_Forward] = 0xCB;
    u[kh_Browser_Stop] = 0xCC;
    u[kh_Browser_Refresh] = 0xCD;
    u[kh_Browser_Favorites] = 0xCE;
    u[kh_Launch_Media_Select] = 0xD1;
    return u;
}

constexpr std::array<std::uint8_t, kHookKeyCount> kHookKeyUsages = MakeHookKeyUsages();

constexpr std::array<std::string_view, 256> MakeUsageNames() {
    std::array<std::string_view, 256> n{};
    for (int i = 0; i < 26; ++i) {
        n[0x04 + i] = kHookKeyNames[kh_A + i];
    }
    for (int i = 1; i <= 9; ++i) {
        n[0x1E + i - 1] = kHookKeyNames[kh_0 + i];
        n[0x59 + i - 1] = kHookKeyNames[kh_Numpad0 + i];
    }
    n[0x27] = "0";
    n[0x62] = "0 (numeric pad)";
    for (int i = 0; i < 12; ++i) {
        n[0x3A + i] = kHookKeyNames[kh_F1 + i];
        n[0x68 + i] = kHookKeyNames[kh_F13 + i];
    }
    n[0x28] = "Enter";
    n[0x29] = "Esc";
    n[0x2A] = "Backspace";
    n[0x2B] = "Tab";
    n[0x2C] = "Space bar";
    n[0x2D] = "OEM_Minus";
    n[0x2E] = "OEM_Plus";
    n[0x2F] = "OEM_4";
    n[0x30] = "OEM_6";
    n[0x31] = "OEM_5";
    n[0x33] = "OEM_1";
    n[0x34] = "OEM_7";
    n[0x35] = "OEM_3";
    n[0x36] = "OEM_Comma";
    n[0x37] = "OEM_Period";
    n[0x38] = "OEM_2";
    n[0x39] = "Caps Lock";
    n[0x46] = "Print Screen";
    n[0x47] = "Scroll Lock";
    n[0x48] = "Pause";
    n[0x49] = "Insert";
    n[0x4A] = "Home";
    n[0x4B] = "Page Up";
    n[0x4C] = "Delete";
    n[0x4D] = "End";
    n[0x4E] = "Page Down";
    n[0x4F] = "Right Arrow";
    n[0x50] = "Left Arrow";
    n[0x51] = "Down Arrow";
    n[0x52] = "Up Arrow";
    n[0x53] = "Num Lock";
    n[0x54] = "Divide (numeric pad)";
    n[0x55] = "Multiply (numeric pad)";
    n[0x56] = "Subtract (numeric pad)";
    n[0x57] = "Add (numeric pad)";
    n[0x58] = "Separator (numeric pad)";
    n[0x63] = "Decimal (numeric pad)";
    n[0x65] = "Applications";
    n[0x75] = "Help";
    n[0x77] = "Select";
    n[0x9C] = "Clear";
    n[0xE0] = "Left Ctrl";
    n[0xE1] = "Left Shift";
    n[0xE2] = "Left Alt";
    n[0xE3] = "Win";
    n[0xE4] = "Right Ctrl";
    n[0xE5] = "Right Shift";
    n[0xE6] = "Right Alt";
    n[0xE7] = "Win";
    // The mouse's own media and browser codes read back as the name of the key that makes them.
    for (int key = kh_Browser_Back; key <= kh_Launch_Media_Select; ++key) {
        n[kHookKeyUsages[key]] = kHookKeyNames[key];
    }
    return n;
}

constexpr std::array<std::string_view, 256> kUsageNames = MakeUsageNames();

constexpr std::array<TKeyboardHookKey, 256> MakeVirtualKeyTable() {
    std::array<TKeyboardHookKey, 256> t{};
    t[0x08] = kh_Back;
    t[0x09] = kh_Tab;
    t[0x0C] = kh_Clear;
    t[0x0D] = kh_Return;
    t[0x10] = kh_Shift;
    t[0x11] = kh_Control;
    t[0x12] = kh_Alt;
    t[0x13] = kh_Pause;
    t[0x14] = kh_Capital;
    t[0x1B] = kh_Escape;
    t[0x20] = kh_Space;
    for (int i = 0; i < 8; ++i) {
        t[0x21 + i] = static_cast<TKeyboardHookKey>(kh_Prior + i);
    }
    t[0x29] = kh_Select;
    t[0x2C] = kh_Snapshot;
    t[0x2D] = kh_Insert;
    t[0x2E] = kh_Delete;
    t[0x2F] = kh_Help;
    for (int i = 0; i < 10; ++i) {
        t[0x30 + i] = static_cast<TKeyboardHookKey>(kh_0 + i);
        t[0x60 + i] = static_cast<TKeyboardHookKey>(kh_Numpad0 + i);
    }
    for (int i = 0; i < 26; ++i) {
        t[0x41 + i] = static_cast<TKeyboardHookKey>(kh_A + i);
    }
    t[0x5B] = kh_LWIN;
    t[0x5C] = kh_RWIN;
    t[0x5D] = kh_APPS;
    for (int i = 0; i < 6; ++i) {
        t[0x6A + i] = static_cast<TKeyboardHookKey>(kh_Multiply + i);
        t[0xA0 + i] = static_cast<TKeyboardHookKey>(kh_LShift + i);
    }
    for (int i = 0; i < 24; ++i) {
        t[0x70 + i] = static_cast<TKeyboardHookKey>(kh_F1 + i);
    }
    t[0x90] = kh_Numlock;
    t[0x91] = kh_Scroll;
    for (int i = 0; i <= kh_Launch_App2 - kh_Browser_Back; ++i) {
        t[0xA6 + i] = static_cast<TKeyboardHookKey>(kh_Browser_Back + i);
    }
    t[0xBA] = kh_OEM_1;
    t[0xBB] = kh_OEM_Plus;
    t[0xBC] = kh_OEM_Comma;
    t[0xBD] = kh_OEM_Minus;
    t[0xBE] = kh_OEM_Period;
    t[0xBF] = kh_OEM_2;
    t[0xC0] = kh_OEM_3;
    for (int i = 0; i < 5; ++i) {
        t[0xDB + i] = static_cast<TKeyboardHookKey>(kh_OEM_4 + i);
    }
    t[0xFF] = kh_255;
    return t;
}

constexpr std::array<TKeyboardHookKey, 256> kVirtualKeys = MakeVirtualKeyTable();

} // namespace

TKeyboardHookKey VirtualKeyToHookKey(std::uint32_t virtualKey) {
    return virtualKey < kVirtualKeys.size() ? kVirtualKeys[virtualKey] : kh_None;
}

std::optional<std::string_view> HookKeyToName(TKeyboardHookKey key) {
    if (key >= kHookKeyCount || kHookKeyNames[key].empty()) {
        return std::nullopt;
    }
    return kHookKeyNames[key];
}

std::uint8_t HookKeyToHidUsage(TKeyboardHookKey key) {
    return key < kHookKeyCount ? kHookKeyUsages[key] : 0;
}

std::string_view HidUsageToKeyName(std::uint32_t usage) {
    return usage < kUsageNames.size() ? kUsageNames[usage] : std::string_view{};
}

} // namespace trvx
