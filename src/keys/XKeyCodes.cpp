#include "keys/XKeyCodes.h"

#include <array>

namespace trvx {
namespace {

constexpr std::uint32_t kXKeyCodeOffset = 8; // X key code = evdev code + 8

struct EvdevKey {
    std::uint16_t evdev;
    std::uint8_t virtualKey;
};

// Kernel key codes (linux/input-event-codes.h) against the virtual key of the key in that
// place on a US keyboard.
constexpr EvdevKey kEvdevKeys[] = {
    {1, 0x1B}, // ESC
    {2, '1'},    {3, '2'},    {4, '3'},    {5, '4'},    {6, '5'},   {7, '6'},
    {8, '7'},    {9, '8'},    {10, '9'},   {11, '0'},   {12, 0xBD}, // MINUS -> OEM_Minus
    {13, 0xBB},                                                     // EQUAL -> OEM_Plus
    {14, 0x08},                                                     // BACKSPACE
    {15, 0x09},                                                     // TAB
    {16, 'Q'},   {17, 'W'},   {18, 'E'},   {19, 'R'},   {20, 'T'},  {21, 'Y'},
    {22, 'U'},   {23, 'I'},   {24, 'O'},   {25, 'P'},   {26, 0xDB}, // LEFTBRACE -> OEM_4
    {27, 0xDD},                                                     // RIGHTBRACE -> OEM_6
    {28, 0x0D},                                                     // ENTER
    {29, 0xA2},                                                     // LEFTCTRL
    {30, 'A'},   {31, 'S'},   {32, 'D'},   {33, 'F'},   {34, 'G'},  {35, 'H'},
    {36, 'J'},   {37, 'K'},   {38, 'L'},   {39, 0xBA}, // SEMICOLON -> OEM_1
    {40, 0xDE},                                        // APOSTROPHE -> OEM_7
    {41, 0xC0},                                        // GRAVE -> OEM_3
    {42, 0xA0},                                        // LEFTSHIFT
    {43, 0xDC},                                        // BACKSLASH -> OEM_5
    {44, 'Z'},   {45, 'X'},   {46, 'C'},   {47, 'V'},   {48, 'B'},  {49, 'N'},
    {50, 'M'},   {51, 0xBC},                                        // COMMA
    {52, 0xBE},                                                     // DOT
    {53, 0xBF},                                                     // SLASH -> OEM_2
    {54, 0xA1},                                                     // RIGHTSHIFT
    {55, 0x6A},                                                     // KPASTERISK
    {56, 0xA4},                                                     // LEFTALT
    {57, 0x20},                                                     // SPACE
    {58, 0x14},                                                     // CAPSLOCK
    {59, 0x70},  {60, 0x71},  {61, 0x72},  {62, 0x73},  {63, 0x74}, // F1..F5
    {64, 0x75},  {65, 0x76},  {66, 0x77},  {67, 0x78},  {68, 0x79}, // F6..F10
    {69, 0x90},                                                     // NUMLOCK
    {70, 0x91},                                                     // SCROLLLOCK
    {71, 0x67},  {72, 0x68},  {73, 0x69},                           // KP7..KP9
    {74, 0x6D},                                                     // KPMINUS
    {75, 0x64},  {76, 0x65},  {77, 0x66},                           // KP4..KP6
    {78, 0x6B},                                                     // KPPLUS
    {79, 0x61},  {80, 0x62},  {81, 0x63},                           // KP1..KP3
    {82, 0x60},                                                     // KP0
    {83, 0x6E},                                                     // KPDOT
    {86, 0xE2},  // 102ND (the extra key of ISO keyboards; the tables give it no usage)
    {87, 0x7A},  // F11
    {88, 0x7B},  // F12
    {96, 0x0D},  // KPENTER: reported as Enter, as the desktop's own key events do
    {97, 0xA3},  // RIGHTCTRL
    {98, 0x6F},  // KPSLASH
    {99, 0x2C},  // SYSRQ -> Print Screen
    {100, 0xA5}, // RIGHTALT
    {102, 0x24}, // HOME
    {103, 0x26}, // UP
    {104, 0x21}, // PAGEUP
    {105, 0x25}, // LEFT
    {106, 0x27}, // RIGHT
    {107, 0x23}, // END
    {108, 0x28}, // DOWN
    {109, 0x22}, // PAGEDOWN
    {110, 0x2D}, // INSERT
    {111, 0x2E}, // DELETE
    {113, 0xAD}, // MUTE
    {114, 0xAE}, // VOLUMEDOWN
    {115, 0xAF}, // VOLUMEUP
    {119, 0x13}, // PAUSE
    {125, 0x5B}, // LEFTMETA
    {126, 0x5C}, // RIGHTMETA
    {127, 0x5D}, // COMPOSE -> Applications
    {128, 0xA9}, // STOP -> Browser_Stop
    {138, 0x2F}, // HELP
    {140, 0xB7}, // CALC -> Launch_App2
    {155, 0xB4}, // MAIL
    {156, 0xAB}, // BOOKMARKS -> Browser_Favorites
    {157, 0xB6}, // COMPUTER -> Launch_App1
    {158, 0xA6}, // BACK
    {159, 0xA7}, // FORWARD
    {163, 0xB0}, // NEXTSONG
    {164, 0xB3}, // PLAYPAUSE
    {165, 0xB1}, // PREVIOUSSONG
    {166, 0xB2}, // STOPCD -> Media_Stop
    {172, 0xAC}, // HOMEPAGE
    {173, 0xA8}, // REFRESH
    {183, 0x7C}, {184, 0x7D}, {185, 0x7E}, {186, 0x7F}, // F13..F16
    {187, 0x80}, {188, 0x81}, {189, 0x82}, {190, 0x83}, // F17..F20
    {191, 0x84}, {192, 0x85}, {193, 0x86}, {194, 0x87}, // F21..F24
    {217, 0xAA},                                        // SEARCH
    {226, 0xB5},                                        // MEDIA -> Launch_Media_Select
};

constexpr std::array<std::uint8_t, 256> MakeTable() {
    std::array<std::uint8_t, 256> t{};
    for (const EvdevKey& k : kEvdevKeys) {
        t[k.evdev + kXKeyCodeOffset] = k.virtualKey;
    }
    return t;
}

constexpr std::array<std::uint8_t, 256> kTable = MakeTable();

} // namespace

std::uint32_t XKeyCodeToVirtualKey(std::uint32_t xKeyCode) {
    return xKeyCode < kTable.size() ? kTable[xKeyCode] : 0;
}

} // namespace trvx
