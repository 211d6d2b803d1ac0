#include "platform/GSettingsPointerSettings.h"
#include "platform/SingleFlightCall.h"

#include <dlfcn.h>
#include <gio/gio.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

namespace trvx {

// GIO is loaded when the store is first opened, not with the program: it brings GObject and a
// handful of system libraries along (more than a megabyte resident), which a desktop without the
// store never needs. (GLib itself is loaded with Qt.) Loaded once, it stays for good.
struct GioFunctions {
    decltype(&g_settings_schema_source_get_default) schema_source_get_default;
    decltype(&g_settings_schema_source_lookup) schema_source_lookup;
    decltype(&g_settings_schema_unref) schema_unref;
    decltype(&g_settings_schema_has_key) schema_has_key;
    decltype(&g_settings_schema_get_key) schema_get_key;
    decltype(&g_settings_schema_key_get_value_type) schema_key_get_value_type;
    decltype(&g_settings_schema_key_range_check) schema_key_range_check;
    decltype(&g_settings_schema_key_unref) schema_key_unref;
    decltype(&g_settings_new_full) new_full;
    decltype(&g_settings_get_double) get_double;
    decltype(&g_settings_get_string) get_string;
    decltype(&g_settings_get_int) get_int;
    decltype(&g_settings_is_writable) is_writable;
    decltype(&g_settings_set_value) set_value;
    decltype(&g_settings_sync) sync;
    decltype(&g_object_unref) object_unref;
};

namespace {

template <class Function> bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// GIO's functions; nullptr where the library cannot be loaded (no store then).
const GioFunctions* LoadGio() {
    static const GioFunctions* const loaded = []() -> const GioFunctions* {
        void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return nullptr;
        static GioFunctions gio;
        const bool all =
            Resolve(library, "g_settings_schema_source_get_default",
                    gio.schema_source_get_default) &&
            Resolve(library, "g_settings_schema_source_lookup", gio.schema_source_lookup) &&
            Resolve(library, "g_settings_schema_unref", gio.schema_unref) &&
            Resolve(library, "g_settings_schema_has_key", gio.schema_has_key) &&
            Resolve(library, "g_settings_schema_get_key", gio.schema_get_key) &&
            Resolve(library, "g_settings_schema_key_get_value_type",
                    gio.schema_key_get_value_type) &&
            Resolve(library, "g_settings_schema_key_range_check", gio.schema_key_range_check) &&
            Resolve(library, "g_settings_schema_key_unref", gio.schema_key_unref) &&
            Resolve(library, "g_settings_new_full", gio.new_full) &&
            Resolve(library, "g_settings_get_double", gio.get_double) &&
            Resolve(library, "g_settings_get_string", gio.get_string) &&
            Resolve(library, "g_settings_get_int", gio.get_int) &&
            Resolve(library, "g_settings_is_writable", gio.is_writable) &&
            Resolve(library, "g_settings_set_value", gio.set_value) &&
            Resolve(library, "g_settings_sync", gio.sync) &&
            Resolve(library, "g_object_unref", gio.object_unref);
        return all ? &gio : nullptr;
    }();
    return loaded;
}

constexpr const char* kSpeed = "speed";
constexpr const char* kAccelProfile = "accel-profile";
constexpr const char* kDoubleClick = "double-click";

// A key the schema has with the type this program reads and writes; an older or other schema
// without it (or typing it otherwise) simply has not that setting.
bool HasKey(const GioFunctions& gio, GSettingsSchema* schema, const char* key,
            const GVariantType* type) {
    if (!gio.schema_has_key(schema, key))
        return false;
    GSettingsSchemaKey* found = gio.schema_get_key(schema, key);
    const bool typed = g_variant_type_equal(gio.schema_key_get_value_type(found), type);
    gio.schema_key_unref(found);
    return typed;
}

bool InRange(const GioFunctions& gio, GSettingsSchema* schema, const char* key, GVariant* value) {
    GSettingsSchemaKey* found = gio.schema_get_key(schema, key);
    const bool ok = gio.schema_key_range_check(found, value);
    gio.schema_key_unref(found);
    return ok;
}

// A store that does not answer (its service hung) is not waited for longer than the limit; the
// sync goes on by itself, and the next write's sync waits for it before it starts, so a hung
// store keeps one thread waiting rather than one for each write. GSettings syncs the whole
// process's store at once: so does this, one for the process, kept to its end.
bool SyncWithin(std::chrono::milliseconds limit) {
    static SingleFlightCall sync([] { LoadGio()->sync(); });
    return sync.RunWithin(limit);
}

} // namespace

std::unique_ptr<GSettingsPointerSettings>
GSettingsPointerSettings::Open(const char* schemaId, std::chrono::milliseconds syncTimeout) {
    const GioFunctions* gio = LoadGio();
    if (gio == nullptr)
        return nullptr;
    GSettingsSchemaSource* source = gio->schema_source_get_default();
    if (source == nullptr)
        return nullptr;
    GSettingsSchema* schema = gio->schema_source_lookup(source, schemaId, TRUE);
    if (schema == nullptr)
        return nullptr;
    GSettings* settings = gio->new_full(schema, nullptr, nullptr);
    return std::unique_ptr<GSettingsPointerSettings>(
        new GSettingsPointerSettings(*gio, schema, settings, syncTimeout));
}

GSettingsPointerSettings::GSettingsPointerSettings(const GioFunctions& gio, GSettingsSchema* schema,
                                                   GSettings* settings,
                                                   std::chrono::milliseconds syncTimeout)
    : gio_(gio), schema_(schema), settings_(settings), syncTimeout_(syncTimeout) {}

GSettingsPointerSettings::~GSettingsPointerSettings() {
    gio_.object_unref(settings_);
    gio_.schema_unref(schema_);
}

PointerState GSettingsPointerSettings::Read() {
    PointerState s;
    if (HasKey(gio_, schema_, kSpeed, G_VARIANT_TYPE_DOUBLE))
        s.speed = gio_.get_double(settings_, kSpeed);
    // An enumeration is kept as its nick.
    if (HasKey(gio_, schema_, kAccelProfile, G_VARIANT_TYPE_STRING)) {
        gchar* profile = gio_.get_string(settings_, kAccelProfile);
        s.acceleration = std::strcmp(profile, "flat") != 0;
        g_free(profile);
    }
    if (HasKey(gio_, schema_, kDoubleClick, G_VARIANT_TYPE_INT32))
        s.doubleClickMs = gio_.get_int(settings_, kDoubleClick);
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
    if (!HasKey(gio_, schema_, key, g_variant_get_type(value)))
        result = {false, name + ": not a setting of this desktop"};
    else if (!gio_.is_writable(settings_, key))
        result = {false, name + ": locked by the desktop's settings"};
    else if (!InRange(gio_, schema_, key, value))
        result = {false, name + ": out of the range the desktop accepts"};
    else if (!gio_.set_value(settings_, key, value))
        result = {false, name + ": the desktop's settings refused it"};
    else if (!SyncWithin(syncTimeout_))
        result = {false, name + ": the desktop's settings did not answer in time"};
    g_variant_unref(value);
    return result;
}

} // namespace trvx
