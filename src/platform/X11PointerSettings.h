#pragma once
// The X server's pointer control, for a plain X server whose desktop keeps no settings of its
// own: the speed is the acceleration multiplier, and acceleration on means the multiplier
// applies only past a threshold (off: always, a plain speed). The X server has no double-click
// time or wheel lines, so those stay nullopt.

#include "sensitivity/PointerSettings.h"

typedef struct _XDisplay Display;

namespace trvx {

class X11PointerSettings : public PointerSettings {
public:
    // Opens its own connection to the display (nullptr: $DISPLAY); Available() tells whether
    // that worked.
    explicit X11PointerSettings(const char* display = nullptr);
    ~X11PointerSettings() override;
    X11PointerSettings(const X11PointerSettings&) = delete;
    X11PointerSettings& operator=(const X11PointerSettings&) = delete;
    bool Available() const { return display_ != nullptr; }
    PointerState Read() override;
    PointerResult Write(PointerSetting setting, const PointerState& state) override;

    static constexpr int kThreshold = 4;
    static constexpr int kDenominator = 10;

private:
    Display* display_ = nullptr;
};

} // namespace trvx
