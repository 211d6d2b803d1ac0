#pragma once
// The device macro slots a key entry of type 0x10 is named by, read from the working copies of
// the macro store.

#include "device/ConfigImage.h"
#include "keys/KeyEntryText.h"

#include <vector>

namespace trvx {

// I2C: the 15 slots of the packed area (start, length, name); Flash: the 32 fixed slots. Empty
// for None.
std::vector<MacroSlot> MacroSlotsOf(const WorkingSections& sections, StorageKind kind);

} // namespace trvx
