#include "platform/GSettingsPointerSettings.h"

#include <gio/gio.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

namespace trvx {
namespace {

constexpr const char* kSpeed = "speed";
constexpr const char* kAccelProfile = "accel-profile";
constexpr const char* kDoubleClick = "double-click";

// A key the schema has with the type this program reads and writes; an older or other schema
// without it (or typing it otherwise) simply has not that setting.
bool HasKey(GSettingsSchema* schema, const char* key, const GVariantType* type) {
    if (!g_settings_schema_has_key(schema, key))
        return false;
    GSettingsSchemaKey* found = g_settings_schema_get_key(schema, key);
    const bool typed = g_variant_type_equal(g_settings_schema_key_get_value_type(found), type);
    g_settings_schema_key_unref(found);
    return typed;
}

bool InRange(GSettingsSchema* schema, const char* key, GVariant* value) {
    GSettingsSchemaKey* found = g_settings_schema_get_key(schema, key);
    const bool ok = g_settings_schema_key_range_check(found, value);
    g_settings_schema_key_unref(found);
    return ok;
}

// A store that does not answer (its service hung) is not waited for longer than the limit;
// the sync goes on by itself on a thread of its own.
bool SyncWithin(std::chrono::milliseconds limit) {
    auto synced = std::make_shared<std::promise<void>>();
    std::future<void> done = synced->get_future();
    std::thread([synced] {
        g_settings_sync();
        synced->set_value();
    }).detach();
    return done.wait_for(limit) == std::future_status::ready;
}

} // namespace

std::unique_ptr<GSettingsPointerSettings> GSettingsPointerSettings::Open(const char* schemaId) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr)
        return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (schema == nullptr)
        return nullptr;
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    return std::unique_ptr<GSettingsPointerSettings>(
        new GSettingsPointerSettings(schema, settings));
}

GSettingsPointerSettings::GSettingsPointerSettings(GSettingsSchema* schema, GSettings* settings)
    : schema_(schema), settings_(settings) {}

GSettingsPointerSettings::~GSettingsPointerSettings() {
    g_object_unref(settings_);
    g_settings_schema_unref(schema_);
}

PointerState GSettingsPointerSettings::Read() {
    PointerState s;
    if (HasKey(schema_, kSpeed, G_VARIANT_TYPE_DOUBLE))
        s.speed = g_settings_get_double(settings_, kSpeed);
    // An enumeration is kept as its nick.
    if (HasKey(schema_, kAccelProfile, G_VARIANT_TYPE_STRING)) {
        gchar* profile = g_settings_get_string(settings_, kAccelProfile);
        s.acceleration = std::strcmp(profile, "flat") != 0;
        g_free(profile);
    }
    if (HasKey(schema_, kDoubleClick, G_VARIANT_TYPE_INT32))
        s.doubleClickMs = g_settings_get_int(settings_, kDoubleClick);
    return s;
}

PointerResult GSettingsPointerSettings::Write(PointerSetting setting, const PointerState& state) {
    const char* key = nullptr;
    GVariant* value = nullptr;
    switch (setting) {
    case PointerSetting::Speed:
        if (!state.speed)
            return {false, kSpeed};
        key = kSpeed;
        value = g_variant_new_double(std::clamp(*state.speed, -1.0, 1.0));
        break;
    case PointerSetting::Acceleration:
        if (!state.acceleration)
            return {false, kAccelProfile};
        key = kAccelProfile;
        value = g_variant_new_string(*state.acceleration ? "default" : "flat");
        break;
    case PointerSetting::DoubleClick:
        if (!state.doubleClickMs)
            return {false, kDoubleClick};
        key = kDoubleClick;
        value = g_variant_new_int32(*state.doubleClickMs);
        break;
    case PointerSetting::WheelLines:
        return {false, "wheel lines: not a setting of this desktop"};
    }
    g_variant_ref_sink(value);
    PointerResult result;
    const std::string name = key;
    if (!HasKey(schema_, key, g_variant_get_type(value)))
        result = {false, name + ": not a setting of this desktop"};
    else if (!g_settings_is_writable(settings_, key))
        result = {false, name + ": locked by the desktop's settings"};
    else if (!InRange(schema_, key, value))
        result = {false, name + ": out of the range the desktop accepts"};
    else if (!g_settings_set_value(settings_, key, value))
        result = {false, name + ": the desktop's settings refused it"};
    else if (!SyncWithin(std::chrono::milliseconds(kSyncTimeoutMs)))
        result = {false, name + ": the desktop's settings did not answer in time"};
    g_variant_unref(value);
    return result;
}

} // namespace trvx
