#pragma once
// The Plasma session bus through the dbus-send tool:
// - the mouse settings change is the signal notifyChange(3 "settings", 0 "mouse") of
//   org.kde.KGlobalSettings on /KGlobalSettings, which Plasma's programs and its compositor
//   follow;
// - the compositor lists its input devices in the property devicesSysNames of
//   org.kde.KWin.InputDeviceManager on /org/kde/KWin/InputDevice, and offers each as
//   /org/kde/KWin/InputDevice/<node> with the properties of org.kde.KWin.InputDevice
//   (pointer, touchpad, pointerAcceleration, pointerAccelerationProfileFlat ...), which it
//   applies and keeps when they are set.
// Only nodes that move a pointer by relative motion (sysfs says so, without a bus call) are
// asked about, as every call starts the tool.

#include "platform/PlasmaPointerSettings.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

class DbusSendPlasmaSession : public PlasmaSession {
public:
    explicit DbusSendPlasmaSession(std::string tool = "dbus-send",
                                   std::filesystem::path inputClass = "/sys/class/input");

    bool CanAnnounce() override;
    PointerResult AnnounceMouseSettings() override;
    std::optional<std::vector<PlasmaMouse>> Mice() override;
    PointerResult SetSpeed(const std::string& sysName, double speed) override;
    PointerResult SetFlat(const std::string& sysName, bool flat) override;

private:
    PointerResult SetProperty(const std::string& sysName, const std::string& property,
                              const std::string& typedValue);
    std::string tool_;
    std::filesystem::path inputClass_;
};

// What `dbus-send --print-reply` prints, read back.
// A reply holding an array of strings (directly or in a variant); nullopt when it holds none.
std::optional<std::vector<std::string>> ParseStringArrayReply(const std::string& out);
// A reply to Properties.GetAll: each property of a plain type by name, as printed after its
// type ("true", "0.2", "1133", or a string without its quotes). Nested values are left out.
std::map<std::string, std::string> ParsePropertiesReply(const std::string& out);

// Whether an input node's device moves a pointer by relative motion (a mouse or a trackball):
// true also when sysfs does not say, so that such a node is asked about rather than missed.
bool MovesRelativePointer(const std::filesystem::path& inputClass, const std::string& sysName);

} // namespace trvx
