#pragma once
// TRVX_SIMULATE=i2c or TRVX_SIMULATE=flash runs the program against the simulated mouse
// instead of the real HID devices, so every page can be tried without the hardware.

#include "base/Clock.h"
#include "device/ImageLayout.h"
#include "sim/SimulatedMouse.h"

#include <memory>

namespace trvx {

// The storage kind a TRVX_SIMULATE value asks for: "i2c" or "flash" (case ignored); None for
// anything else, an empty value or no value (nullptr).
StorageKind SimulationKindFromText(const char* value);

// A simulated mouse of the kind TRVX_SIMULATE names, on its default image; nullptr when the
// variable is unset or names no kind.
std::unique_ptr<SimulatedMouse> SimulatedMouseFromEnv(Clock& clock);

} // namespace trvx
