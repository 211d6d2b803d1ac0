#include "platform/DesktopPointerSettings.h"

#include "base/NumberText.h"
#include "platform/DbusPlasmaSession.h"
#include "platform/PlasmaPointerSettings.h"
#include "platform/ToolRun.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace trvx {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

// gsettings prints and reads numbers with a decimal point whatever the user's locale, which
// the window's locale-aware C functions would not.
std::optional<double> ParseDouble(const std::string& text) {
    return ParseFiniteDecimal(Trim(text));
}

std::string FormatDouble(double v) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(text, end) : "0";
}

std::optional<int> ParseInt(std::string text) {
    text = Trim(text);
    // gsettings prints typed integers as "uint32 400" or "int32 400".
    if (const auto space = text.rfind(' '); space != std::string::npos)
        text = text.substr(space + 1);
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

} // namespace

// ---- GSettings ------------------------------------------------------------------------------

GSettingsPointerSettings::GSettingsPointerSettings(std::string tool) : tool_(std::move(tool)) {}

ToolRun GSettingsPointerSettings::Tool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{tool_};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunTool(argv);
}

bool GSettingsPointerSettings::Available() {
    return Tool({"get", kSchema, "speed"}).status == 0;
}

PointerState GSettingsPointerSettings::Read() {
    // One run for every key of the schema: the page reads after each whole-image read, on the
    // window's thread.
    PointerState s;
    const ToolRun r = Tool({"list-recursively", kSchema});
    if (r.status != 0)
        return s;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        // "<schema> <key> <value>"
        const auto first = line.find(' ');
        const auto second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (second == std::string::npos || line.compare(0, first, kSchema) != 0)
            continue;
        const std::string key = line.substr(first + 1, second - first - 1);
        const std::string value = line.substr(second + 1);
        if (key == "speed")
            s.speed = ParseDouble(value);
        else if (key == "accel-profile")
            s.acceleration = Trim(value) != "'flat'";
        else if (key == "double-click")
            s.doubleClickMs = ParseInt(value);
    }
    return s;
}

PointerResult GSettingsPointerSettings::Write(PointerSetting setting, const PointerState& state) {
    std::string key;
    std::string value;
    switch (setting) {
    case PointerSetting::Speed:
        if (!state.speed)
            return {false, "speed"};
        key = "speed";
        value = FormatDouble(std::clamp(*state.speed, -1.0, 1.0));
        break;
    case PointerSetting::Acceleration:
        if (!state.acceleration)
            return {false, "accel-profile"};
        key = "accel-profile";
        value = *state.acceleration ? "default" : "flat";
        break;
    case PointerSetting::DoubleClick:
        if (!state.doubleClickMs)
            return {false, "double-click"};
        key = "double-click";
        value = std::to_string(*state.doubleClickMs);
        break;
    case PointerSetting::WheelLines:
        return {false, "wheel lines: not a setting of this desktop"};
    }
    const ToolRun r = Tool({"set", kSchema, key, value});
    if (r.status != 0)
        return {false, key + ": " + Trim(r.err.empty() ? "gsettings failed" : r.err)};
    return {};
}

// ---- X11 ------------------------------------------------------------------------------------

X11PointerSettings::X11PointerSettings(const char* display) : display_(XOpenDisplay(display)) {}

X11PointerSettings::~X11PointerSettings() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

PointerState X11PointerSettings::Read() {
    PointerState s;
    if (display_ == nullptr)
        return s;
    int num = 1;
    int den = 1;
    int threshold = 0;
    XGetPointerControl(display_, &num, &den, &threshold);
    const double multiplier = den > 0 ? static_cast<double>(num) / den : 1.0;
    // Multiplier 0.2 .. 1.8 spans the speed -1 .. 1.
    s.speed = std::clamp((multiplier - 1.0) / 0.8, -1.0, 1.0);
    s.acceleration = threshold > 0;
    return s;
}

PointerResult X11PointerSettings::Write(PointerSetting setting, const PointerState& state) {
    if (display_ == nullptr)
        return {false, "no X display"};
    switch (setting) {
    case PointerSetting::Speed: {
        if (!state.speed)
            return {false, "speed"};
        const int num = static_cast<int>(
            std::lround(kDenominator * (1.0 + 0.8 * std::clamp(*state.speed, -1.0, 1.0))));
        XChangePointerControl(display_, True, False, std::max(num, 1), kDenominator, 0);
        break;
    }
    case PointerSetting::Acceleration:
        if (!state.acceleration)
            return {false, "acceleration"};
        XChangePointerControl(display_, False, True, 0, 0, *state.acceleration ? kThreshold : 0);
        break;
    case PointerSetting::DoubleClick:
        return {false, "double-click time: not a setting of the X server"};
    case PointerSetting::WheelLines:
        return {false, "wheel lines: not a setting of the X server"};
    }
    XSync(display_, False);
    return {};
}

std::unique_ptr<PointerSettings> MakeDesktopPointerSettings() {
    // Plasma keeps its own settings and never reads the GNOME store, even where that store is
    // installed and answers.
    if (IsPlasmaSession(std::getenv("XDG_CURRENT_DESKTOP"), std::getenv("KDE_FULL_SESSION")))
        return std::make_unique<PlasmaPointerSettings>(
            UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
            SystemConfigDirs(std::getenv("XDG_CONFIG_DIRS")),
            std::make_unique<DbusSendPlasmaSession>());
    // The desktop's store where it runs: a GNOME-like session keeps the settings there and
    // applies them to the X server itself.
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* backend = std::getenv("GSETTINGS_BACKEND");
    if ((desktop != nullptr && *desktop != '\0') || (backend != nullptr && *backend != '\0')) {
        auto store = std::make_unique<GSettingsPointerSettings>();
        if (store->Available())
            return store;
    }
    if (std::getenv("DISPLAY") != nullptr) {
        auto x11 = std::make_unique<X11PointerSettings>();
        if (x11->Available())
            return x11;
    }
    return nullptr;
}

} // namespace trvx
