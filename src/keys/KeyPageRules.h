#pragma once
// The key page's rules without widgets: where a menu opens, which choices keep the last left
// button, what a profile selection writes, which menu rows a profile offers.

#include "device/WorkingModel.h"
#include "keys/KeyEntry.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace trvx {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The first-level menu opened from a key label: beside the label's centre, towards the right and
// below when it fits, else left of or above it; always inside the window.
Point PlaceMainMenu(const Rect& label, int menuWidth, int menuHeight, int windowWidth,
                    int windowHeight);

// A sub-menu of size (width, height) opened by an entry of a parent menu (entry coordinates
// relative to the parent): right of the parent when it fits in the window, else left of it; level
// with the entry, or raised so its bottom meets the entry's bottom; always inside the window.
Point PlaceSubMenu(const Rect& parent, const Rect& opener, int width, int height, int windowWidth,
                   int windowHeight);

// The first-level menu opened from an engineering key button (rect in the page's coordinates):
// just above the button, its left edge a little in from the button's, or right-aligned with the
// button when it would run past the page; below the button when there is no room above; always
// inside the page.
Point PlaceEngineerMenu(const Rect& button, int menuWidth, int menuHeight, int pageWidth,
                        int pageHeight);

// What key k (1..12) gets back when the device macro it ran is deleted: its own default
// function (left, back, CPI +, home page, right, forward, CPI -, Win+D, middle, CPI loop, LED
// switch, LED switch).
TKeyEntry LostMacroKeyEntry(int key);

// A left-button entry: 01 01 00 with any option byte.
bool IsLeftClickEntry(const TKeyEntry& entry);

// Profile 1 must keep a left button: a new entry for key `key` (1..12) is refused when it is no
// left button and no other key of the profile carries one.
bool RefusesLastLeft(int profile, const std::array<TKeyEntry, 12>& keys, int key,
                     const TKeyEntry& entry);
// The combination dialog is not opened for the last left button of profile 1.
bool IsLastLeft(int profile, const std::array<TKeyEntry, 12>& keys, int key);

std::array<TKeyEntry, 12> ProfileKeys(const WorkingModel& model, int profile);

// What a profile button writes: registers 167, 168, 169, 170, then 164.
struct ProfileSelection {
    int profile = 1;           // 1..3
    bool buttonEffect = false; // general setting BE_Enable
    bool gunDisplay = false;   // general setting GD_Enable
    int buttonEffectItem = 0;  // engineering combo, 0 or 1
    int colourItem = 0;        // profile colour item 0..10 (10: the specified colour)
};
struct RegisterValue {
    int reg = 0;
    std::uint8_t value = 0;
    friend bool operator==(const RegisterValue&, const RegisterValue&) = default;
};
std::vector<RegisterValue> ProfileSelectionRegisters(const ProfileSelection& s);

// The profile colour item shown for a register-164 byte: colour numbers 0..9 as such, 15 as the
// specified colour (item 10); other codes give nullopt.
std::optional<int> ProfileColourItem(std::uint8_t profileByte);
// The button-effect item for a register-167 byte (gun display adds 4).
int ButtonEffectItem(std::uint8_t value);

// Rows the menus offer for a profile: the gun entries only with the gun display on the second
// profile, the button effect only with its setting, the profile keys by the profile tabs.
struct MenuRowInputs {
    int profile = 1;
    bool buttonEffect = false;
    bool gunDisplay = false;
    bool secondTab = true; // Btn_B2_Enable
    bool thirdTab = true;  // Btn_B3_Enable
    // Opened from the engineering page: every row but the key page's own fire-macro entry.
    bool engineering = false;
};
bool MenuRowShown(std::string_view entry, const MenuRowInputs& in);

} // namespace trvx
