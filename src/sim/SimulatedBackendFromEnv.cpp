#include "sim/SimulatedBackendFromEnv.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace trvx {

StorageKind SimulationKindFromText(const char* value) {
    if (value == nullptr)
        return StorageKind::None;
    std::string text(value);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (text == "i2c")
        return StorageKind::I2C;
    if (text == "flash")
        return StorageKind::Flash;
    return StorageKind::None;
}

std::unique_ptr<SimulatedMouse> SimulatedMouseFromEnv(Clock& clock) {
    const StorageKind kind = SimulationKindFromText(std::getenv("TRVX_SIMULATE"));
    if (kind == StorageKind::None)
        return nullptr;
    return std::make_unique<SimulatedMouse>(kind, clock);
}

} // namespace trvx
