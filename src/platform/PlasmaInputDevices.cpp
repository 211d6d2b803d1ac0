#include "platform/PlasmaInputDevices.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace trvx {
namespace {

// The property `name` when the device has it with the type T.
template <class T> std::optional<T> Property(const InputDeviceProperties& p, const char* name) {
    const auto it = p.find(name);
    if (it == p.end())
        return std::nullopt;
    const T* value = std::get_if<T>(&it->second);
    return value != nullptr ? std::optional<T>(*value) : std::nullopt;
}

std::optional<bool> Flag(const InputDeviceProperties& p, const char* name) {
    return Property<bool>(p, name);
}

} // namespace

std::optional<PlasmaMouse> MouseOfDevice(const std::string& sysName,
                                         const InputDeviceProperties& p) {
    if (!Flag(p, "pointer").value_or(false) || Flag(p, "touchpad").value_or(false) ||
        Flag(p, "touch").value_or(false) || Flag(p, "tabletTool").value_or(false))
        return std::nullopt;
    PlasmaMouse m;
    m.sysName = sysName;
    const auto speed = Property<double>(p, "pointerAcceleration");
    m.speedSettable = Flag(p, "supportsPointerAcceleration").value_or(false) && speed;
    m.speed = speed.value_or(0);
    const auto flat = Flag(p, "pointerAccelerationProfileFlat");
    m.profileSettable = Flag(p, "supportsPointerAccelerationProfileFlat").value_or(false) &&
                        Flag(p, "supportsPointerAccelerationProfileAdaptive").value_or(false) &&
                        flat;
    m.flat = flat.value_or(false);
    return m;
}

bool ValidNodeName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

bool MovesRelativePointer(const std::filesystem::path& inputClass, const std::string& sysName) {
    std::ifstream in(inputClass / sysName / "device" / "capabilities" / "rel");
    std::string word;
    std::string last;
    while (in >> word)
        last = word;
    if (last.empty())
        return true;
    unsigned long long bits = 0;
    const auto [end, ec] = std::from_chars(last.data(), last.data() + last.size(), bits, 16);
    if (ec != std::errc() || end != last.data() + last.size())
        return true;
    // REL_X and REL_Y, the two lowest bits of the lowest word (printed last).
    return (bits & 3) == 3;
}

} // namespace trvx
