#pragma once
// The lighting settings the engineering page edits, free of widgets: the LED-type combo, the
// mode check boxes and the mode list built from them, and the profile-colour combos.

#include "device/WorkingModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trvx {

// The LED-type combo lists the types in this order.
LedType LedTypeOfItem(int item); // items outside 0..3 give RGB
int ItemOfLedType(LedType type);

// The mode check boxes 0..6 a type offers, in box order, with the index of their caption among
// the 21 LED-mode names.
struct OfferedModeBox {
    int box = 0;
    int nameIndex = 0;
};
std::vector<OfferedModeBox> OfferedModeBoxes(LedType type);

// The bit of the mode-enable mask (register 42) that mode box 0..6 stands for.
int ModeMaskBit(LedType type, int box);
// The mask of the checked boxes; boxes the type does not offer count for nothing.
std::uint8_t ModeMaskOf(LedType type, const std::array<bool, 7>& checked);
// Each box's state as a mask shows it.
std::array<bool, 7> CheckedOfMask(LedType type, std::uint8_t mask);

// The item list of the mode combo: one item per offered box, its name when checked, else the
// placeholder.
inline constexpr const char* kModeOffText = "------";
std::vector<std::string> ModeItems(LedType type, const std::array<bool, 7>& checked,
                                   const std::array<std::string, 21>& names);

// The mode number of mode-combo item i ("NT" items stand for modes 0, 1, 2, 4, 5; the MCU
// type's item i is mode i + 1); nullopt for an item the type has not.
std::optional<int> ModeOfItem(LedType type, int item);
// The item that shows a mode number, nullopt for a number the type has no item for.
std::optional<int> ItemOfMode(LedType type, int mode);
// The item a type starts on when it is chosen.
int DefaultModeItem(LedType type);
// The item the list should move to when the selected one was switched off: the first named
// item, nullopt when none is.
std::optional<int> FirstNamedItem(const std::vector<std::string>& items);

// ---- Profile colours ------------------------------------------------------------------------
// The colour code of a colour-combo item: 16 x item for colours 1..10, 0xF0 for the specified
// colour (item 10); nullopt for no item.
std::optional<int> ProfileColourCode(int item);

// The switch-to-profile entry the profile-colour combo of profile 1..3 puts on the keys that
// switch to it: 07, 0x80 + (p - 1) + option flags, colour + offset high part, offset low byte.
struct ProfileSwitchFlags {
    bool returnToZero = false;
    bool adjustXY = false;
    bool changeColour = false;
};
std::array<std::uint8_t, 4> ProfileColourEntry(int profile, int colourCode, ProfileSwitchFlags f,
                                               int offset);

// The live registers the engineering page's profile and colour combos write, in order: button
// effect 167, mode parameters 168..170, then 164 (colour code + profile index) when a colour
// item is selected.
struct ProfileComboState {
    int profileItem = 0;       // 0..2
    int colourItem = -1;       // 0..10, -1 for none
    bool buttonEffect = false; // general setting BE_Enable
    bool gunDisplay = false;   // general setting GD_Enable
    int buttonEffectItem = 0;
    int offset = 0; // the gun offset edit
};
std::vector<std::pair<int, std::uint8_t>> ProfileComboWrites(const ProfileComboState& s);

} // namespace trvx
