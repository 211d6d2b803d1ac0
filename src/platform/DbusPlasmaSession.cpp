#include "platform/DbusPlasmaSession.h"

#include "base/NumberText.h"
#include "platform/ToolRun.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

namespace trvx {
namespace fs = std::filesystem;

namespace {

constexpr const char* kCompositor = "--dest=org.kde.KWin";
constexpr const char* kDevicePath = "/org/kde/KWin/InputDevice";
constexpr const char* kDeviceInterface = "string:org.kde.KWin.InputDevice";
// A compositor that hangs is not waited for long: the window's thread asks.
constexpr const char* kReplyTimeout = "--reply-timeout=2000";
constexpr int kToolTimeoutMs = 3000;

std::string Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(Trim(line));
    return lines;
}

// `string "text"` -> text; nullopt for any other line.
std::optional<std::string> QuotedString(const std::string& line) {
    if (line.rfind("string \"", 0) != 0 || line.size() < 9 || line.back() != '"')
        return std::nullopt;
    return line.substr(8, line.size() - 9);
}

// Input nodes are named like "event5"; anything else is not put into an object path.
bool ValidNodeName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

std::string ToolError(const ToolRun& r, const std::string& what) {
    std::string err = Trim(r.err);
    if (err.empty())
        err = r.status == 127 || r.status == -1 ? "dbus-send did not run" : "dbus-send failed";
    return what + ": " + err;
}

std::optional<bool> Bool(const std::map<std::string, std::string>& p, const char* name) {
    const auto it = p.find(name);
    if (it == p.end() || (it->second != "true" && it->second != "false"))
        return std::nullopt;
    return it->second == "true";
}

std::optional<double> Double(const std::map<std::string, std::string>& p, const char* name) {
    const auto it = p.find(name);
    if (it == p.end())
        return std::nullopt;
    return ParseFiniteDecimal(it->second);
}

} // namespace

DbusSendPlasmaSession::DbusSendPlasmaSession(std::string tool, fs::path inputClass)
    : tool_(std::move(tool)), inputClass_(std::move(inputClass)) {}

bool DbusSendPlasmaSession::CanAnnounce() {
    return ToolOnPath(tool_);
}

PointerResult DbusSendPlasmaSession::AnnounceMouseSettings() {
    const ToolRun r = RunTool({tool_, "--session", "--type=signal", "/KGlobalSettings",
                               "org.kde.KGlobalSettings.notifyChange", "int32:3", "int32:0"},
                              kToolTimeoutMs);
    if (r.status != 0)
        return {false, ToolError(r, "notifyChange")};
    return {};
}

std::optional<std::vector<PlasmaMouse>> DbusSendPlasmaSession::Mice() {
    const ToolRun list =
        RunTool({tool_, "--session", "--print-reply", kReplyTimeout, kCompositor, kDevicePath,
                 "org.freedesktop.DBus.Properties.Get", "string:org.kde.KWin.InputDeviceManager",
                 "string:devicesSysNames"},
                kToolTimeoutMs);
    if (list.status != 0)
        return std::nullopt;
    const auto nodes = ParseStringArrayReply(list.out);
    if (!nodes)
        return std::nullopt;
    std::vector<PlasmaMouse> mice;
    for (const std::string& node : *nodes) {
        if (!ValidNodeName(node) || !MovesRelativePointer(inputClass_, node))
            continue;
        const ToolRun all = RunTool({tool_, "--session", "--print-reply", kReplyTimeout,
                                     kCompositor, std::string(kDevicePath) + "/" + node,
                                     "org.freedesktop.DBus.Properties.GetAll", kDeviceInterface},
                                    kToolTimeoutMs);
        if (all.status != 0)
            continue;
        const auto p = ParsePropertiesReply(all.out);
        if (!Bool(p, "pointer").value_or(false) || Bool(p, "touchpad").value_or(false) ||
            Bool(p, "touch").value_or(false) || Bool(p, "tabletTool").value_or(false))
            continue;
        PlasmaMouse m;
        m.sysName = node;
        const auto speed = Double(p, "pointerAcceleration");
        m.speedSettable = Bool(p, "supportsPointerAcceleration").value_or(false) && speed;
        m.speed = speed.value_or(0);
        const auto flat = Bool(p, "pointerAccelerationProfileFlat");
        m.profileSettable = Bool(p, "supportsPointerAccelerationProfileFlat").value_or(false) &&
                            Bool(p, "supportsPointerAccelerationProfileAdaptive").value_or(false) &&
                            flat;
        m.flat = flat.value_or(false);
        mice.push_back(m);
    }
    return mice;
}

PointerResult DbusSendPlasmaSession::SetProperty(const std::string& sysName,
                                                 const std::string& property,
                                                 const std::string& typedValue) {
    if (!ValidNodeName(sysName))
        return {false, property + ": no such input device"};
    const ToolRun r =
        RunTool({tool_, "--session", "--print-reply", kReplyTimeout, kCompositor,
                 std::string(kDevicePath) + "/" + sysName, "org.freedesktop.DBus.Properties.Set",
                 kDeviceInterface, "string:" + property, "variant:" + typedValue},
                kToolTimeoutMs);
    if (r.status != 0)
        return {false, ToolError(r, property)};
    return {};
}

PointerResult DbusSendPlasmaSession::SetSpeed(const std::string& sysName, double speed) {
    // dbus-send reads the number with a decimal point, whatever the user's locale.
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, std::clamp(speed, -1.0, 1.0),
                                         std::chars_format::fixed, 3);
    if (ec != std::errc())
        return {false, "pointerAcceleration"};
    return SetProperty(sysName, "pointerAcceleration", "double:" + std::string(text, end));
}

PointerResult DbusSendPlasmaSession::SetFlat(const std::string& sysName, bool flat) {
    return SetProperty(sysName, "pointerAccelerationProfileFlat",
                       flat ? "boolean:true" : "boolean:false");
}

std::optional<std::vector<std::string>> ParseStringArrayReply(const std::string& out) {
    const std::vector<std::string> lines = Lines(out);
    std::size_t i = 0;
    while (i < lines.size() && !(lines[i].ends_with("array [") &&
                                 (lines[i] == "array [" || lines[i].starts_with("variant"))))
        ++i;
    if (i == lines.size())
        return std::nullopt;
    std::vector<std::string> values;
    for (++i; i < lines.size() && lines[i] != "]"; ++i) {
        auto s = QuotedString(lines[i]);
        if (!s)
            return std::nullopt;
        values.push_back(*s);
    }
    if (i == lines.size())
        return std::nullopt;
    return values;
}

std::map<std::string, std::string> ParsePropertiesReply(const std::string& out) {
    static const std::set<std::string> kPlain{"boolean", "double", "byte",  "int16",  "uint16",
                                              "int32",   "uint32", "int64", "uint64", "string"};
    std::map<std::string, std::string> properties;
    const std::vector<std::string> lines = Lines(out);
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i] != "dict entry(")
            continue;
        const auto name = QuotedString(lines[i + 1]);
        std::istringstream value(lines[i + 2]);
        std::string variant;
        std::string type;
        value >> variant >> type;
        if (!name || variant != "variant" || kPlain.count(type) == 0)
            continue;
        std::string rest;
        std::getline(value, rest);
        rest = Trim(rest);
        if (type == "string") {
            auto s = QuotedString("string " + rest);
            if (!s)
                continue;
            rest = *s;
        }
        properties[*name] = rest;
    }
    return properties;
}

bool MovesRelativePointer(const fs::path& inputClass, const std::string& sysName) {
    std::ifstream in(inputClass / sysName / "device" / "capabilities" / "rel");
    std::string word;
    std::string last;
    while (in >> word)
        last = word;
    if (last.empty())
        return true;
    unsigned long long bits = 0;
    const auto [end, ec] = std::from_chars(last.data(), last.data() + last.size(), bits, 16);
    if (ec != std::errc() || end != last.data() + last.size())
        return true;
    // REL_X and REL_Y, the two lowest bits of the lowest word (printed last).
    return (bits & 3) == 3;
}

} // namespace trvx
