#include "shell/ShellRules.h"

#include <algorithm>

namespace trvx {

namespace {

constexpr int kBusyBelowCentre = 40;

// One axis of GrowOnScreen: the far edge onto the area, the near edge kept on it.
int KeptOnArea(int start, int length, int areaStart, int areaLength) {
    return std::max(std::min(start, areaStart + areaLength - length), std::min(start, areaStart));
}

} // namespace

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

WindowGrowth GrowOnScreen(const WindowRect& window, int width, int height,
                          const WindowRect& available) {
    const WindowRect grown{KeptOnArea(window.left, width, available.left, available.width),
                           KeptOnArea(window.top, height, available.top, available.height), width,
                           height};
    return {window, grown};
}

WindowRect ShrinkBack(const WindowGrowth& growth, const WindowRect& now, int width, int height) {
    const bool unmoved = now.left == growth.grown.left && now.top == growth.grown.top;
    const WindowRect& corner = unmoved ? growth.before : now;
    return {corner.left, corner.top, width, height};
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
