#include "sensitivity/PointerSettings.h"

namespace trvx {

PointerResult FakePointerSettings::Write(PointerSetting setting, const PointerState& wanted) {
    ++writes;
    lastWritten = setting;
    if (fail)
        return {false, "write refused"};
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
    return {};
}

} // namespace trvx
