#include "sensitivity/SensitivityRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace trvx {
namespace {

RegisterWrite SingleWrite(int reg, int value) {
    return RegisterWrite{0, static_cast<std::uint8_t>(reg), {static_cast<std::uint8_t>(value)}};
}

} // namespace

std::vector<bool> StepBarLit(int count, int level, bool marker) {
    std::vector<bool> lit(static_cast<std::size_t>(std::max(count, 0)), false);
    if (level < 1 || level > count)
        return lit;
    for (int i = 1; i <= count; ++i)
        lit[static_cast<std::size_t>(i - 1)] = marker ? i == level : i <= level;
    return lit;
}

std::string ColorToHexRGB(std::uint32_t colourValue) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colourValue & 0xFF, (colourValue >> 8) & 0xFF,
                  (colourValue >> 16) & 0xFF);
    return text;
}

int RoundHalfUp(double value) {
    const double whole = std::trunc(value);
    return static_cast<int>(whole) + (std::fabs(value - whole) >= 0.5 ? 1 : 0);
}

ClampedEdit ClampEditValue(const std::string& text, int limit) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && *first == ' ')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range)
        value = limit + 1LL;
    else if (ec != std::errc() || end != last)
        value = 0;
    if (value > limit)
        return {limit, true};
    if (value < 0)
        return {0, true};
    return {static_cast<int>(value), false};
}

std::vector<RegisterWrite> CpiReapplyWrites(int currentIndex) {
    const int c = std::clamp(currentIndex, 0, 7);
    return {SingleWrite(reg::kCurrentCpiLevel, c != 0 ? c - 1 : 1),
            SingleWrite(reg::kCurrentCpiLevel, c)};
}

std::optional<int> CpiLevelCountAfterClick(int count, int level) {
    if (level < 1 || level > 8 || count < 1 || count > 8)
        return std::nullopt;
    if (level == count + 1)
        return count + 1;
    if (level == count && count > 1)
        return count - 1;
    return std::nullopt;
}

std::vector<RegisterWrite> SetCpiLevelCountWrites(WorkingModel& model, int count) {
    std::vector<RegisterWrite> writes;
    auto levels = model.SetCpiLevelCount(count);
    if (!levels)
        return writes;
    writes.push_back(*levels);
    if (model.CurrentCpiLevel() > count - 1)
        if (auto current = model.SetCurrentCpiLevel(count - 1))
            writes.push_back(*current);
    return writes;
}

std::optional<int> CurrentCpiShown(int stored, int count) {
    if (stored < 0 || stored > 7 || stored >= count)
        return std::nullopt;
    return stored;
}

int ReportRateHz(int bits) {
    static constexpr std::array<int, 4> kRates{125, 250, 500, 1000};
    return bits >= 0 && bits <= 3 ? kRates[static_cast<std::size_t>(bits)] : 0;
}

int FallLevelOfStepTime(int stepTime) {
    if (stepTime <= 5)
        return 1;
    return std::min(10, (stepTime + 4) / 5);
}

std::uint8_t ModeButtonByte(std::uint8_t current, LedType type, int button) {
    const int mode = type == LedType::MCULED ? button : button - 1;
    return static_cast<std::uint8_t>((current & 0xF0) | (mode & 0x0F));
}

std::optional<int> ModeButtonOfByte(std::uint8_t value, LedType type) {
    const int mode = value & 0x0F;
    const int button = type == LedType::MCULED ? mode : mode + 1;
    if (button < 1 || button > 7 || !LedTypeOffersButton(type, button))
        return std::nullopt;
    return button;
}

bool LedTypeOffersButton(LedType type, int button) {
    switch (type) {
    case LedType::RGB:
        return button >= 1 && button <= 6;
    case LedType::Sync:
        return button >= 1 && button <= 3;
    case LedType::NT:
        return button == 1 || button == 2 || button == 3 || button == 5 || button == 6;
    case LedType::MCULED:
        return button >= 1 && button <= 7;
    }
    return false;
}

bool FallRowEnabled(std::optional<int> button) {
    return !button || *button <= 5;
}

std::optional<std::uint8_t> NtLedCountByte(std::uint8_t current, int item) {
    if (item < kNtLedCountFirstItem || item > 7)
        return std::nullopt;
    return WorkingModel::EncodeLedModeByte(LedType::NT, current & 0x0F, item);
}

std::uint8_t McuLedControlByte(bool fullLight, int ledCount) {
    const int count = std::clamp(ledCount, 4, 13);
    return static_cast<std::uint8_t>((fullLight ? 0x80 : 0x00) | (13 - count));
}

int McuLedCountOfByte(std::uint8_t control) {
    const int nibble = control & 0x0F;
    return nibble <= 9 ? 13 - nibble : 0;
}

int DoubleClickTimeOfLevel(int level) {
    return 900 - 70 * (std::clamp(level, 1, 11) - 1);
}

int DoubleClickLevelOfTime(int ms) {
    if (ms >= 900)
        return 1;
    if (ms < 270)
        return 11;
    // 830..899 is level 2, each 70 ms further down one level more.
    return 2 + (899 - ms) / 70;
}

double PointerSpeedOfLevel(int level) {
    return (std::clamp(level, 1, 11) - 6) / 5.0;
}

int PointerSpeedLevelOf(double speed) {
    if (!std::isfinite(speed))
        return 6;
    return std::clamp(static_cast<int>(std::lround(speed * 5.0)) + 6, 1, 11);
}

int WheelLevelOfLines(int lines) {
    if (lines == 0 || lines == 3)
        return 3;
    if (lines >= 1 && lines <= 10)
        return lines;
    return 11;
}

} // namespace trvx
