#pragma once
// The desktop's pointer settings on Linux: Plasma's own settings in a Plasma session
// (PlasmaPointerSettings.h), the desktop's settings store where it has one (the GNOME mouse
// schema, through GSettings in the process: GSettingsPointerSettings.h), else the X server's
// pointer control. Neither of the last two keeps wheel lines, so that setting stays nullopt.

#include "sensitivity/PointerSettings.h"

#include <memory>

typedef struct _XDisplay Display;

namespace trvx {

// The X server's pointer control: the speed is the acceleration multiplier, and acceleration on
// means the multiplier applies only past a threshold (off: always, a plain speed).
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

// Plasma's settings in a Plasma session; else the desktop's store when the session has one and
// it holds the mouse schema, else the X server's, else nullptr.
std::unique_ptr<PointerSettings> MakeDesktopPointerSettings();

} // namespace trvx
