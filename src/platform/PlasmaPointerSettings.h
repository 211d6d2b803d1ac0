#pragma once
// The pointer settings of a Plasma session, kept where Plasma itself reads them:
// - the double-click time and the wheel lines in the [KDE] group of the user's kdeglobals
//   (DoubleClickInterval in ms, WheelScrollLines), which running programs read again when the
//   session bus tells them the mouse settings changed;
// - the pointer speed and acceleration of each mouse in the compositor of a Wayland session,
//   set over its bus interface: it applies them at once and keeps them in its own file.
// Plasma has no "a screen a notch" wheel setting. Under X11 the compositor keeps no input
// devices and nothing here would make the desktop apply a speed from its files, so speed and
// acceleration are then settings this program cannot change (nullopt), as everything is when
// the session bus cannot be reached.

#include "sensitivity/PointerSettings.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

// A mouse the compositor drives (touchpads and tablets are left alone).
struct PlasmaMouse {
    std::string sysName; // its input node, "event5"
    bool speedSettable = false;
    double speed = 0; // -1 (slowest) .. 1 (fastest)
    // Both the flat (no acceleration) and the adaptive profile can be chosen.
    bool profileSettable = false;
    bool flat = false;
};

// What the store needs of the session bus.
class PlasmaSession {
public:
    virtual ~PlasmaSession() = default;
    // Whether changes can be announced on the bus at all.
    virtual bool CanAnnounce() = 0;
    // Tells running programs and the compositor that the mouse settings changed.
    virtual PointerResult AnnounceMouseSettings() = 0;
    // The compositor's mice; nullopt when it keeps no input devices or does not answer.
    virtual std::optional<std::vector<PlasmaMouse>> Mice() = 0;
    virtual PointerResult SetSpeed(const std::string& sysName, double speed) = 0;
    virtual PointerResult SetFlat(const std::string& sysName, bool flat) = 0;
};

class PlasmaPointerSettings : public PointerSettings {
public:
    // `configHome` is the user's settings folder, `configDirs` the system's (the first one
    // wins), which hold the values the user has not set.
    PlasmaPointerSettings(std::filesystem::path configHome,
                          std::vector<std::filesystem::path> configDirs,
                          std::unique_ptr<PlasmaSession> session);

    PointerState Read() override;
    PointerResult Write(PointerSetting setting, const PointerState& state) override;

    // What Plasma uses where no file sets a value.
    static constexpr int kDefaultDoubleClickMs = 400;
    static constexpr int kDefaultWheelLines = 3;

private:
    PointerResult WriteNumber(const char* key, int value);

    std::filesystem::path configHome_;
    std::vector<std::filesystem::path> configDirs_;
    std::unique_ptr<PlasmaSession> session_;
};

// A Plasma session: XDG_CURRENT_DESKTOP lists KDE, or KDE_FULL_SESSION is set.
bool IsPlasmaSession(const char* currentDesktop, const char* fullSession);
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::filesystem::path UserConfigHome(const char* xdgConfigHome, const char* home);
// $XDG_CONFIG_DIRS (absolute paths only), else /etc/xdg.
std::vector<std::filesystem::path> SystemConfigDirs(const char* xdgConfigDirs);

} // namespace trvx
