#pragma once
// The settings kept in byte 3 of mouse-button, CPI and gun-key entries and in combination keys 2
// and 4: the gesture that switches between office and game mode, the LED-mode gesture, and the
// gun keys' own mode switch. The key page's option buttons, the fire page and the engineering
// page all change them through these routines, so the entries stay the same whoever sets them.

#include "device/WorkingModel.h"
#include "keys/KeyEntryText.h"

#include <array>
#include <cstdint>
#include <string>

namespace trvx {

// The captions of the 36 keys (profile 1..3 -> [p-1][k-1]), as KeyCodeToText gives them.
using ProfileKeyNameTable = std::array<std::array<std::string, 12>, 3>;
ProfileKeyNameTable KeyCodesToKeyNames(const WorkingModel& model, const KeyEntryContext& ctx);

// A key named "Fire Macro1".."Fire Macro10" or one of the gun-mode names.
bool IsGunKeyName(const std::string& name, const KeyEntryContext& ctx);
// Any of profile p's keys has that name.
bool ProfileHasKeyNamed(const ProfileKeyNameTable& names, int profile, const std::string& name);
bool ProfileHasGunKey(const ProfileKeyNameTable& names, int profile, const KeyEntryContext& ctx);

// Byte 3 of the gun keys for the mode-switch gesture (fire function 0..6) when the gun keys
// switch too: 8 for the long presses (1..4), 2 for the right-button gestures (5, 6), else 0.
std::uint8_t GunKeyOptionValue(int fireFunction, bool gunKeysSwitch);

// The one routine for the gun-key option flag: byte 3 of every gun key of the profiles in
// `profiles` (bit p-1 for profile p) := value. True when an entry changed.
bool SetGunKeyOption(WorkingModel& model, const ProfileKeyNameTable& names,
                     const KeyEntryContext& ctx, unsigned profiles, std::uint8_t value);

// The gesture that switches to the game profile (fire function 0..6): combination keys 2 and 4,
// the canonical entries of the six named buttons with the gesture's flag, and the gun keys'
// byte 3 (with gunKeysSwitch). offset: the switch entry's offset byte.
void ApplyFireFunction(WorkingModel& model, const ProfileKeyNameTable& names,
                       const KeyEntryContext& ctx, int fireFunction, bool gunKeysSwitch,
                       std::uint8_t offset);

// The right + back gesture for the LED mode: combination key 2 and the back buttons' byte 3.
void ApplyLedModeFunction(WorkingModel& model, const ProfileKeyNameTable& names,
                          const KeyEntryContext& ctx, bool on);

// Whether the entries hold that gesture: combination key 2 holds it and a back button carries
// its flag.
bool LedModeFunctionOf(const WorkingModel& model, const ProfileKeyNameTable& names,
                       const KeyEntryContext& ctx);

// The switch-to-game entry stored in a combination key: 07 D1 F0 offset.
KeyEntryBytes GameModeSwitchEntry(std::uint8_t offset);

} // namespace trvx
