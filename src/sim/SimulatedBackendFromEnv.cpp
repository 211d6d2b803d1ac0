#include "sim/SimulatedBackendFromEnv.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>

namespace trvx {

namespace {

constexpr std::string_view kLinuxSuffix = "-linux";

std::string Lower(const char* value) {
    std::string text(value);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWithLinux(const std::string& text) {
    return text.size() > kLinuxSuffix.size() &&
           text.compare(text.size() - kLinuxSuffix.size(), kLinuxSuffix.size(), kLinuxSuffix) == 0;
}

} // namespace

StorageKind SimulationKindFromText(const char* value) {
    if (value == nullptr)
        return StorageKind::None;
    std::string text = Lower(value);
    if (EndsWithLinux(text))
        text.resize(text.size() - kLinuxSuffix.size());
    if (text == "i2c")
        return StorageKind::I2C;
    if (text == "flash")
        return StorageKind::Flash;
    return StorageKind::None;
}

bool SimulationUsesLinuxLayout(const char* value) {
    return value != nullptr && SimulationKindFromText(value) != StorageKind::None &&
           EndsWithLinux(Lower(value));
}

bool SimulationWithoutMouse(const char* value) {
    return value != nullptr && Lower(value) == "none";
}

std::unique_ptr<SimulatedMouse> SimulatedMouseFromEnv(Clock& clock) {
    const char* value = std::getenv("TRVX_SIMULATE");
    if (SimulationWithoutMouse(value)) {
        auto mouse = std::make_unique<SimulatedMouse>(StorageKind::I2C, clock);
        mouse->Unplug();
        return mouse;
    }
    const StorageKind kind = SimulationKindFromText(value);
    if (kind == StorageKind::None)
        return nullptr;
    auto mouse = std::make_unique<SimulatedMouse>(kind, clock);
    mouse->SetLinuxLayout(SimulationUsesLinuxLayout(value));
    return mouse;
}

} // namespace trvx
