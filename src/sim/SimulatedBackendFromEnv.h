#pragma once
// TRVX_SIMULATE=i2c or TRVX_SIMULATE=flash runs the program against the simulated mouse
// instead of the real HID devices, so every page can be tried without the hardware. With
// "-linux" after the kind (i2c-linux, flash-linux) the mouse shows itself as Linux shows a real
// one: one node holding all its collections and reports of other lengths. TRVX_SIMULATE=none
// runs the simulation with no mouse plugged in: the program as it is on a desktop without one,
// and none of the real HID devices.

#include "base/Clock.h"
#include "device/ImageLayout.h"
#include "sim/SimulatedMouse.h"

#include <memory>

namespace trvx {

// The storage kind a TRVX_SIMULATE value asks for: "i2c" or "flash" (case ignored); None for
// anything else, an empty value or no value (nullptr).
StorageKind SimulationKindFromText(const char* value);

// True for a value that names a kind and ends in "-linux" (case ignored).
bool SimulationUsesLinuxLayout(const char* value);

// True for "none" (case ignored): the simulation runs with the mouse unplugged.
bool SimulationWithoutMouse(const char* value);

// A simulated mouse of the kind TRVX_SIMULATE names, on its default image; an unplugged one
// for "none"; nullptr when the variable is unset or names neither.
std::unique_ptr<SimulatedMouse> SimulatedMouseFromEnv(Clock& clock);

} // namespace trvx
