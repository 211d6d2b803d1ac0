#include "platform/ui/DesktopPointerSettings.h"

#include "platform/GSettingsPointerSettings.h"
#include "platform/PlasmaPointerSettings.h"
#include "platform/X11PointerSettings.h"
#include "platform/ui/DbusPlasmaSession.h"

#include <cstdlib>

namespace trvx {

std::unique_ptr<PointerSettings> MakeDesktopPointerSettings() {
    // Plasma keeps its own settings and never reads the GNOME store, even where that store is
    // installed and answers.
    if (IsPlasmaSession(std::getenv("XDG_CURRENT_DESKTOP"), std::getenv("KDE_FULL_SESSION")))
        return std::make_unique<PlasmaPointerSettings>(
            UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
            SystemConfigDirs(std::getenv("XDG_CONFIG_DIRS")),
            std::make_unique<DbusPlasmaSession>(BusConnectedWithin(
                &QDBusConnection::sessionBus, DbusPlasmaSession::kConnectTimeoutMs)));
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
