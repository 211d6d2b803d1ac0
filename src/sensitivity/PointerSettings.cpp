#include "sensitivity/PointerSettings.h"

#include <cstdio>

namespace trvx {

void ApplyPointerSetting(PointerState& state, PointerSetting setting, const PointerState& wanted) {
    switch (setting) {
    case PointerSetting::Speed:
        state.speed = wanted.speed;
        break;
    case PointerSetting::Acceleration:
        state.acceleration = wanted.acceleration;
        break;
    case PointerSetting::DoubleClick:
        state.doubleClickMs = wanted.doubleClickMs;
        break;
    case PointerSetting::WheelLines:
        state.wheelLines = wanted.wheelLines;
        break;
    }
}

std::string PointerSettingText(PointerSetting setting, const PointerState& state) {
    char value[32] = "";
    switch (setting) {
    case PointerSetting::Speed:
        if (state.speed)
            std::snprintf(value, sizeof value, " %g", *state.speed);
        return std::string("pointer speed") + value;
    case PointerSetting::Acceleration:
        if (state.acceleration)
            return *state.acceleration ? "pointer acceleration on" : "pointer acceleration off";
        return "pointer acceleration";
    case PointerSetting::DoubleClick:
        if (state.doubleClickMs)
            std::snprintf(value, sizeof value, " %d ms", *state.doubleClickMs);
        return std::string("double-click time") + value;
    case PointerSetting::WheelLines:
        if (state.wheelLines && *state.wheelLines < 0)
            return "wheel: a screen a notch";
        if (state.wheelLines)
            std::snprintf(value, sizeof value, " %d", *state.wheelLines);
        return std::string("wheel lines") + value;
    }
    return "pointer setting";
}

void TellUnsavedPointerSetting(const std::string& what) {
    // One line, however many the errors were.
    std::string line;
    for (const char c : what)
        line += c == '\n' ? std::string("; ") : std::string(1, c);
    std::fprintf(stderr, "The pointer setting could not be saved: %s\n", line.c_str());
}

PointerResult FakePointerSettings::Write(PointerSetting setting, const PointerState& wanted) {
    ++writes;
    lastWritten = setting;
    if (fail)
        return {false, "write refused"};
    ApplyPointerSetting(state, setting, wanted);
    return {};
}

} // namespace trvx
