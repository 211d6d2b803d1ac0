#pragma once
// Which set of default images the program is built around. The first image of the set fixes the
// program's storage type, so a flash mouse is read only by a program on the flash set:
// TRVX_SIMULATE=flash picks it for the simulated flash mouse, TRVX_STORAGE=flash|i2c picks the
// set for a real mouse. The I2C set is the shipped one and the default.

#include "device/ImageLayout.h"

#include <array>
#include <string_view>

namespace trvx {

// The set from the values of TRVX_SIMULATE and TRVX_STORAGE (nullptr: unset). A simulated mouse
// names its own kind; otherwise TRVX_STORAGE; "i2c" and "flash" in any case; I2C otherwise.
StorageKind DefaultImageSetFromValues(const char* simulate, const char* storage);
// The same from the environment.
StorageKind DefaultImageSetFromEnvironment();

// The resource names of the set: the flash images for Flash, the I2C images otherwise.
const std::array<std::string_view, 3>& DefaultImageResourcesOf(StorageKind set);

} // namespace trvx
