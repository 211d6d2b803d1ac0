#pragma once
// The seven gun modes: which fire-macro slots each uses, the key entry a button gets, and the
// corrections of the gun-mode page's parameter edits.

#include "fire/FireKeys.h"
#include "keys/KeyEntry.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace trvx {

inline constexpr int kGunModes = 7;

// The slots (0..9) of mode 1..7, group 1 first; empty out of range.
std::vector<int> GunModeSlots(int mode);
// Low nibble of the key entry's byte 1: 0..4 for modes 1..5, 5 for mode 6, 7 for mode 7.
int GunModeKeyNumber(int mode);

// [0x0B, left·16 + n, v, option]; v = 1 for modes 1..5, gun6Groups / gun7Groups (clamped to
// 1..2 / 1..3) for modes 6 and 7.
TKeyEntry GunModeEntry(int mode, bool withLeft, int gun6Groups, int gun7Groups,
                       std::uint8_t option);

// Count edit: empty or below 0 -> "0", above 255 -> "255".
EditOutcome GunCountChanged(std::string_view text);
// Time edit: empty -> "0", above 65535 -> "65535".
EditOutcome GunTimeChanged(std::string_view text);
// Move or offset edit with its partner's value on the same axis: a lone "-" waits; empty ->
// "0"; the value is kept in -128..127 and so that value + partner stays in -128..127.
EditOutcome GunAxisChanged(std::string_view text, int partner);

} // namespace trvx
