#include "platform/DesktopPointerSettings.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace trvx {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' '))
        s.pop_back();
    return s;
}

std::optional<double> ParseDouble(const std::string& text) {
    char* end = nullptr;
    const std::string t = Trim(text);
    if (t.empty())
        return std::nullopt;
    const double v = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || *end != '\0' || !std::isfinite(v))
        return std::nullopt;
    return v;
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

GSettingsPointerSettings::Run GSettingsPointerSettings::Tool(const std::vector<std::string>& args) {
    Run run;
    int out[2];
    int err[2];
    if (pipe(out) != 0)
        return run;
    if (pipe(err) != 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        for (int fd : {out[0], out[1], err[0], err[1]})
            close(fd);
        run.err = std::strerror(errno);
        return run;
    }
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1]})
            close(fd);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(tool_.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    std::array<pollfd, 2> fds{pollfd{out[0], POLLIN, 0}, pollfd{err[0], POLLIN, 0}};
    int open = 2;
    char buffer[512];
    while (open > 0) {
        if (poll(fds.data(), fds.size(), 5000) <= 0)
            break;
        for (pollfd& p : fds) {
            if (p.fd < 0 || (p.revents & (POLLIN | POLLHUP)) == 0)
                continue;
            const ssize_t n = read(p.fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(p.fd);
                p.fd = -1;
                --open;
                continue;
            }
            (p.fd == out[0] ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
        }
    }
    for (pollfd& p : fds)
        if (p.fd >= 0)
            close(p.fd);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    return run;
}

bool GSettingsPointerSettings::Available() {
    return Tool({"get", kSchema, "speed"}).status == 0;
}

PointerState GSettingsPointerSettings::Read() {
    // One run for every key of the schema: the page reads after each whole-image read, on the
    // window's thread.
    PointerState s;
    const Run r = Tool({"list-recursively", kSchema});
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
        value = std::to_string(std::clamp(*state.speed, -1.0, 1.0));
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
    const Run r = Tool({"set", kSchema, key, value});
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
