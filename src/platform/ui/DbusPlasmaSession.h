#pragma once
// The Plasma session bus through Qt's D-Bus module, in the process:
// - the mouse settings change is the signal notifyChange(3 "settings", 0 "mouse") of
//   org.kde.KGlobalSettings on /KGlobalSettings, which Plasma's programs and its compositor
//   follow;
// - the compositor lists its input devices in the property devicesSysNames of
//   org.kde.KWin.InputDeviceManager on /org/kde/KWin/InputDevice, and offers each as
//   /org/kde/KWin/InputDevice/<node> with the properties of org.kde.KWin.InputDevice, which it
//   applies and keeps when they are set.
// Every call to the compositor waits for its answer at most `timeoutMs`: the calls come from
// the pointer settings' own thread, and a compositor that hangs must not keep the next click's
// write or the window's closing waiting for long.
// Only nodes that move a pointer by relative motion (sysfs says so, without a call) are asked
// about.

#include "platform/PlasmaPointerSettings.h"

#include <QDBusConnection>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

class DbusPlasmaSession : public PlasmaSession {
public:
    static constexpr int kCallTimeoutMs = 2000;
    // How long finding the session bus waits for it to answer.
    static constexpr int kConnectTimeoutMs = kCallTimeoutMs;

    explicit DbusPlasmaSession(QDBusConnection bus,
                               std::filesystem::path inputClass = "/sys/class/input",
                               int timeoutMs = kCallTimeoutMs);

    bool CanAnnounce() override;
    PointerResult AnnounceMouseSettings() override;
    std::optional<std::vector<PlasmaMouse>> Mice() override;
    PointerResult SetSpeed(const std::string& sysName, double speed) override;
    PointerResult SetFlat(const std::string& sysName, bool flat) override;

private:
    PointerResult SetProperty(const std::string& sysName, const char* property,
                              const QVariant& value);

    QDBusConnection bus_;
    std::filesystem::path inputClass_;
    int timeoutMs_;
};

// The bus `connect` gives when it answered within `timeoutMs`, else a connection that is not
// connected, as where there is no bus. Connecting waits for the bus to answer the program's
// greeting for up to 25 s, and for good where the bus took the connection but never answers;
// the connecting then goes on by itself, in Qt's D-Bus thread, and ends if the bus answers.
// Until it does, that thread serves no other connection, and Qt waits for it when the process
// ends. `connect` is made once more to take the connection, so it must give the one it made.
QDBusConnection BusConnectedWithin(const std::function<QDBusConnection()>& connect, int timeoutMs);

} // namespace trvx
