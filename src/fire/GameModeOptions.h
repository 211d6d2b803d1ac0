#pragma once
// The options of the engineering page's gun sheet that live in key entries: byte 3 of the six
// named buttons and of the gun keys (combination enable), the profile-switch keys' options, and
// what the page shows of the mode-switch gesture after a whole-image read.

#include "keys/ModeSwitchOptions.h"

#include <array>
#include <cstdint>
#include <optional>

namespace trvx {

// The six named buttons in the order of their combos: middle, back, forward, CPI loop, CPI +,
// CPI -.
inline constexpr std::size_t kNamedOptionButtons = 6;
using NamedButtonValues = std::array<std::uint8_t, kNamedOptionButtons>;

// A combination-enable combo item (0..8) stands for 0, 1, 2, 4, ... 128; nullopt out of range.
std::optional<std::uint8_t> ComboEnableValue(int item);
// The item of a value; nullopt for a value no item stands for.
std::optional<int> ComboEnableItem(std::uint8_t value);

// Every key named like one of the six buttons gets its canonical entry with byte 3 := its value;
// every gun key gets byte 3 := gunValue.
void ApplyComboEnable(WorkingModel& model, const ProfileKeyNameTable& names,
                      const KeyEntryContext& ctx, const NamedButtonValues& values,
                      std::uint8_t gunValue);

// Options of the profile-switch keys ("Office Mode", "Game Mode", "Third Mode").
struct SwitchKeyOptions {
    bool returnToZero = false;
    bool adjustXY = false;
    bool changeColour = false;
    std::array<int, 3> colourItems{}; // per profile: 0..9 palette colour, 10 the specified one
    int offset = 0;                   // 0..0xFFF
};
// 07, 0x80 + flags + profile - 1, colour + offset div 256, offset mod 256.
KeyEntryBytes SwitchKeyEntry(int profile, const SwitchKeyOptions& options);
// Every key named for profile 1, 2 or 3 gets that profile's switch entry.
void ApplySwitchKeyOptions(WorkingModel& model, const ProfileKeyNameTable& names,
                           const KeyEntryContext& ctx, const SwitchKeyOptions& options);

// What the options show after a whole-image read.
struct ShownModeSwitch {
    int fireFunction = 0;                                             // the gesture, 0..6
    std::optional<bool> gunKeysSwitch;                                // nullopt: left as it was
    std::array<std::optional<int>, kNamedOptionButtons> comboItems{}; // nullopt: left
    std::uint8_t gunKeyOption = 0;                                    // byte 3 of the last gun key
};
// comboKey2Game / comboKey4Game: combination key 2 / 4 switches to the game profile.
ShownModeSwitch ReadModeSwitch(const WorkingModel& model, const ProfileKeyNameTable& names,
                               const KeyEntryContext& ctx, bool comboKey2Game, bool comboKey4Game);

// The offset hex edit: above 0xFFF -> "FFF"; an empty or bad text stores nothing.
struct HexOutcome {
    std::optional<std::string> corrected;
    std::optional<int> store;
};
HexOutcome OffsetEditChanged(std::string_view text);

} // namespace trvx
