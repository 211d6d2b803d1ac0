#include "fire/GunModes.h"

#include <algorithm>
#include <string>

namespace trvx {

std::vector<int> GunModeSlots(int mode) {
    switch (mode) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        return {mode - 1};
    case 6:
        return {5, 6};
    case 7:
        return {7, 8, 9};
    default:
        return {};
    }
}

int GunModeKeyNumber(int mode) {
    if (mode >= 1 && mode <= 6)
        return mode - 1;
    return mode == 7 ? 7 : 0;
}

TKeyEntry GunModeEntry(int mode, bool withLeft, int gun6Groups, int gun7Groups,
                       std::uint8_t option) {
    int v = 1;
    if (mode == 6)
        v = std::clamp(gun6Groups, 1, 2);
    else if (mode == 7)
        v = std::clamp(gun7Groups, 1, 3);
    return TKeyEntry(0x0B,
                     static_cast<std::uint8_t>((withLeft ? 0x10 : 0) + GunModeKeyNumber(mode)),
                     static_cast<std::uint8_t>(v), option);
}

EditOutcome GunCountChanged(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (text.empty() || (value && *value < 0))
        return {"0", std::nullopt};
    if (!value)
        return {};
    if (*value > 255)
        return {"255", std::nullopt};
    return {std::nullopt, *value};
}

EditOutcome GunTimeChanged(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (text.empty() || (value && *value < 0))
        return {"0", std::nullopt};
    if (!value)
        return {};
    if (*value > 65535)
        return {"65535", std::nullopt};
    return {std::nullopt, *value};
}

EditOutcome GunAxisChanged(std::string_view text, int partner) {
    if (text == "-")
        return {};
    if (text.empty())
        return {"0", std::nullopt};
    const auto value = ParseDecimal(text);
    if (!value)
        return {}; // "5-", "--": nothing stored until it is a number
    if (*value > 127)
        return {"127", std::nullopt};
    if (*value < -128)
        return {"-128", std::nullopt};
    if (*value + partner > 127)
        return {std::to_string(127 - partner), std::nullopt};
    if (*value + partner < -128)
        return {std::to_string(-128 - partner), std::nullopt};
    return {std::nullopt, *value};
}

} // namespace trvx
