#pragma once
// Giving a key-page button a device macro: the key entry that points at the macro, and the
// rule that the last button doing the left click is never taken from the user.

#include "macros/DeviceMacroStore.h"

#include <cstdint>
#include <span>
#include <string>

namespace trvx {

// The entry of a key that runs the device macro starting at `start`: 10, start high, start
// low, 00.
KeyEntryBytes DeviceMacroKeyEntry(std::uint16_t start);

// Whether giving button `edited` (1..12) something else would leave no button with the left
// click: it shows the left button's caption and no other button does. `captions` are the
// buttons' captions 1..12 in order.
bool IsLastLeftButton(std::span<const std::string> captions, int edited,
                      const std::string& leftButtonCaption);

} // namespace trvx
