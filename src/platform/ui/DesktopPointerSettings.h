#pragma once
// The desktop's pointer settings on Linux, each through the desktop's own library in the
// process: Plasma's settings in a Plasma session (over Qt's D-Bus module), the desktop's
// settings store where it has the mouse schema (GIO's GSettings), else the X server's pointer
// control (Xlib).

#include "sensitivity/PointerSettings.h"

#include <memory>

namespace trvx {

// Plasma's settings in a Plasma session; else the desktop's store when the session has one
// and it holds the mouse schema, else the X server's, else nullptr.
std::unique_ptr<PointerSettings> MakeDesktopPointerSettings();

} // namespace trvx
