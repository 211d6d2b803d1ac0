#include "platform/DesktopPointerSettings.h"

#include "platform/DbusPlasmaSession.h"
#include "platform/GSettingsPointerSettings.h"
#include "platform/PlasmaPointerSettings.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace trvx {
// ---- X11 ------------------------------------------------------------------------------------

X11PointerSettings::X11PointerSettings(const char* display) : display_(XOpenDisplay(display)) {}

X11PointerSettings::~X11PointerSettings() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

PointerState X11PointerSettings::Read() {
    PointerState s;
    if (display_ == nullptr)
        return s;
    int num = 1;
    int den = 1;
    int threshold = 0;
    XGetPointerControl(display_, &num, &den, &threshold);
    const double multiplier = den > 0 ? static_cast<double>(num) / den : 1.0;
    // Multiplier 0.2 .. 1.8 spans the speed -1 .. 1.
    s.speed = std::clamp((multiplier - 1.0) / 0.8, -1.0, 1.0);
    s.acceleration = threshold > 0;
    return s;
}

PointerResult X11PointerSettings::Write(PointerSetting setting, const PointerState& state) {
    if (display_ == nullptr)
        return {false, "no X display"};
    switch (setting) {
    case PointerSetting::Speed: {
        if (!state.speed)
            return {false, "speed"};
        const int num = static_cast<int>(
            std::lround(kDenominator * (1.0 + 0.8 * std::clamp(*state.speed, -1.0, 1.0))));
        XChangePointerControl(display_, True, False, std::max(num, 1), kDenominator, 0);
        break;
    }
    case PointerSetting::Acceleration:
        if (!state.acceleration)
            return {false, "acceleration"};
        XChangePointerControl(display_, False, True, 0, 0, *state.acceleration ? kThreshold : 0);
        break;
    case PointerSetting::DoubleClick:
        return {false, "double-click time: not a setting of the X server"};
    case PointerSetting::WheelLines:
        return {false, "wheel lines: not a setting of the X server"};
    }
    XSync(display_, False);
    return {};
}

std::unique_ptr<PointerSettings> MakeDesktopPointerSettings() {
    // Plasma keeps its own settings and never reads the GNOME store, even where that store is
    // installed and answers.
    if (IsPlasmaSession(std::getenv("XDG_CURRENT_DESKTOP"), std::getenv("KDE_FULL_SESSION")))
        return std::make_unique<PlasmaPointerSettings>(
            UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
            SystemConfigDirs(std::getenv("XDG_CONFIG_DIRS")),
            std::make_unique<DbusSendPlasmaSession>());
    // The desktop's store where a desktop runs: a GNOME-like session keeps the settings there
    // and applies them to the X server itself. A bare X server may have the schema installed
    // with nobody applying it.
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* backend = std::getenv("GSETTINGS_BACKEND");
    if ((desktop != nullptr && *desktop != '\0') || (backend != nullptr && *backend != '\0'))
        if (auto store = GSettingsPointerSettings::Open())
            return store;
    if (std::getenv("DISPLAY") != nullptr) {
        auto x11 = std::make_unique<X11PointerSettings>();
        if (x11->Available())
            return x11;
    }
    return nullptr;
}

} // namespace trvx
