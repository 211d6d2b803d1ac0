#include "sensitivity/PointerSettings.h"

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

PointerResult FakePointerSettings::Write(PointerSetting setting, const PointerState& wanted) {
    ++writes;
    lastWritten = setting;
    if (fail)
        return {false, "write refused"};
    ApplyPointerSetting(state, setting, wanted);
    return {};
}

} // namespace trvx
