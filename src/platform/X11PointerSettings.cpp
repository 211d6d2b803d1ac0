#include "platform/X11PointerSettings.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>

namespace trvx {

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

} // namespace trvx
