#include "shell/ShellRules.h"

namespace trvx {

namespace {
constexpr int kBusyBelowCentre = 40;
}

WindowRect BusyWindowPlacement(const WindowRect& main, int busyWidth, int busyHeight) {
    return {main.left + (main.width - busyWidth) / 2,
            main.top + (main.height - busyHeight) / 2 + kBusyBelowCentre, busyWidth, busyHeight};
}

WindowRect BusyWindowCentred(const WindowRect& main, int busyWidth, int busyHeight) {
    return {main.left + (main.width - busyWidth) / 2, main.top + (main.height - busyHeight) / 2,
            busyWidth, busyHeight};
}

WindowRect CentredOnScreen(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

PageSwitch PageSwitchRule(bool commandAndDataHandles, bool noDeviceShown) {
    if (!commandAndDataHandles)
        return PageSwitch::RefuseNoDevice;
    if (noDeviceShown)
        return PageSwitch::Ignore;
    return PageSwitch::Switch;
}

std::optional<PageRadio> RadioOfFamily(std::string_view family) {
    for (const PageRadio& r : kPageRadios)
        if (r.family == family)
            return r;
    return std::nullopt;
}

std::optional<CopyName> SplitCopyName(std::string_view name) {
    constexpr std::string_view prefix = "Btn_";
    if (name.size() < prefix.size() + 3 || name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const char digit = name.back();
    if (digit < '0' || digit > '9' || name[name.size() - 2] != '_')
        return std::nullopt;
    const std::string_view family = name.substr(prefix.size(), name.size() - prefix.size() - 2);
    if (family.empty())
        return std::nullopt;
    return CopyName{family, digit - '0'};
}

} // namespace trvx
