#pragma once
// Which of the compositor's input devices are mice whose speed and acceleration this program
// sets, from what the compositor says of each (org.kde.KWin.InputDevice: pointer, touchpad,
// pointerAcceleration, pointerAccelerationProfileFlat ...) and what sysfs says of its node.

#include "platform/PlasmaPointerSettings.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace trvx {

// A device's properties of plain type by name; others are left out.
using InputDeviceProperties = std::map<std::string, std::variant<bool, double>>;

// The mouse a device is; nullopt for anything else that moves a pointer (a touchpad, a touch
// screen, a tablet) or says nothing of itself.
std::optional<PlasmaMouse> MouseOfDevice(const std::string& sysName,
                                         const InputDeviceProperties& properties);

// Input nodes are named like "event5"; anything else is not put into an object path.
bool ValidNodeName(const std::string& name);

// Whether an input node's device moves a pointer by relative motion (a mouse or a trackball):
// true also when sysfs does not say, so that such a node is asked about rather than missed.
bool MovesRelativePointer(const std::filesystem::path& inputClass, const std::string& sysName);

} // namespace trvx
