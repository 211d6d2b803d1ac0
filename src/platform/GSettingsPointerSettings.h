#pragma once
// The desktop's settings store (the GNOME mouse schema) through GIO's GSettings in the process:
// "speed" (-1..1), "accel-profile" (flat = no acceleration) and "double-click" (ms), read and
// written as typed values, so no text is parsed and the user's locale plays no part. The store
// honours GSETTINGS_BACKEND like every other GSettings program. It keeps no wheel lines.

#include "sensitivity/PointerSettings.h"

#include <chrono>
#include <memory>

typedef struct _GSettings GSettings;
typedef struct _GSettingsSchema GSettingsSchema;

namespace trvx {

struct GioFunctions;

class GSettingsPointerSettings : public PointerSettings {
public:
    static constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";

    // How long a write waits by default for the store to take it.
    static constexpr std::chrono::milliseconds kSyncTimeout{2000};

    // The store of the schema; nullptr when the desktop has not installed it (or GIO itself),
    // which is a desktop without the store rather than a failure (GIO would abort on an unknown
    // schema). A write that the store has not taken within `syncTimeout` fails.
    static std::unique_ptr<GSettingsPointerSettings>
    Open(const char* schemaId = kMouseSchema, std::chrono::milliseconds syncTimeout = kSyncTimeout);
    ~GSettingsPointerSettings() override;
    GSettingsPointerSettings(const GSettingsPointerSettings&) = delete;
    GSettingsPointerSettings& operator=(const GSettingsPointerSettings&) = delete;

    PointerState Read() override;
    PointerResult Write(PointerSetting setting, const PointerState& state) override;

private:
    GSettingsPointerSettings(const GioFunctions& gio, GSettingsSchema* schema, GSettings* settings,
                             std::chrono::milliseconds syncTimeout);

    const GioFunctions& gio_; // loaded with the first store opened, for good
    GSettingsSchema* schema_;
    GSettings* settings_;
    std::chrono::milliseconds syncTimeout_;
};

} // namespace trvx
