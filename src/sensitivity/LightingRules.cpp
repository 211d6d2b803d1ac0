#include "sensitivity/LightingRules.h"

#include <algorithm>

namespace trvx {
namespace {

constexpr std::array<int, 5> kNtModes{0, 1, 2, 4, 5};

std::uint8_t Byte(int v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

} // namespace

LedType LedTypeOfItem(int item) {
    switch (item) {
    case 1:
        return LedType::Sync;
    case 2:
        return LedType::NT;
    case 3:
        return LedType::MCULED;
    default:
        return LedType::RGB;
    }
}

int ItemOfLedType(LedType type) {
    switch (type) {
    case LedType::RGB:
        return 0;
    case LedType::Sync:
        return 1;
    case LedType::NT:
        return 2;
    case LedType::MCULED:
        return 3;
    }
    return 0;
}

std::vector<OfferedModeBox> OfferedModeBoxes(LedType type) {
    switch (type) {
    case LedType::RGB:
        return {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
    case LedType::Sync:
        return {{0, 6}, {1, 7}, {2, 8}};
    case LedType::NT:
        return {{0, 9}, {1, 10}, {2, 11}, {4, 12}, {5, 13}};
    case LedType::MCULED:
        return {{0, 14}, {1, 15}, {2, 16}, {3, 17}, {4, 18}, {5, 19}, {6, 20}};
    }
    return {};
}

int ModeMaskBit(LedType type, int box) {
    return type == LedType::MCULED ? box + 1 : box;
}

std::uint8_t ModeMaskOf(LedType type, const std::array<bool, 7>& checked) {
    int mask = 0;
    for (const OfferedModeBox& b : OfferedModeBoxes(type))
        if (checked[static_cast<std::size_t>(b.box)])
            mask |= 1 << ModeMaskBit(type, b.box);
    return Byte(mask);
}

std::array<bool, 7> CheckedOfMask(LedType type, std::uint8_t mask) {
    std::array<bool, 7> checked{};
    for (int box = 0; box < 7; ++box)
        checked[static_cast<std::size_t>(box)] = ((mask >> ModeMaskBit(type, box)) & 1) != 0;
    return checked;
}

std::vector<std::string> ModeItems(LedType type, const std::array<bool, 7>& checked,
                                   const std::array<std::string, 21>& names) {
    std::vector<std::string> items;
    for (const OfferedModeBox& b : OfferedModeBoxes(type))
        items.push_back(checked[static_cast<std::size_t>(b.box)]
                            ? names[static_cast<std::size_t>(b.nameIndex)]
                            : std::string(kModeOffText));
    return items;
}

std::optional<int> ModeOfItem(LedType type, int item) {
    const int count = static_cast<int>(OfferedModeBoxes(type).size());
    if (item < 0 || item >= count)
        return std::nullopt;
    switch (type) {
    case LedType::NT:
        return kNtModes[static_cast<std::size_t>(item)];
    case LedType::MCULED:
        return item + 1;
    default:
        return item;
    }
}

std::optional<int> ItemOfMode(LedType type, int mode) {
    const int count = static_cast<int>(OfferedModeBoxes(type).size());
    for (int item = 0; item < count; ++item)
        if (ModeOfItem(type, item) == mode)
            return item;
    return std::nullopt;
}

int DefaultModeItem(LedType type) {
    switch (type) {
    case LedType::RGB:
        return 5;
    case LedType::Sync:
        return 2;
    case LedType::NT:
        return 3;
    case LedType::MCULED:
        return 4;
    }
    return 0;
}

std::optional<int> FirstNamedItem(const std::vector<std::string>& items) {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [](const std::string& s) { return s != kModeOffText; });
    if (it == items.end())
        return std::nullopt;
    return static_cast<int>(it - items.begin());
}

std::optional<int> ProfileColourCode(int item) {
    if (item >= 0 && item <= 9)
        return 16 * item;
    if (item == 10)
        return 0xF0;
    return std::nullopt;
}

std::array<std::uint8_t, 4> ProfileColourEntry(int profile, int colourCode, ProfileSwitchFlags f,
                                               int offset) {
    const int o = std::clamp(offset, 0, 0xFFF);
    const int flags =
        (f.returnToZero ? 0x40 : 0) + (f.adjustXY ? 0x20 : 0) + (f.changeColour ? 0x10 : 0);
    return {0x07, Byte(0x80 + (std::clamp(profile, 1, 3) - 1) + flags),
            Byte((colourCode & 0xF0) + (o >> 8)), Byte(o)};
}

std::vector<std::pair<int, std::uint8_t>> ProfileComboWrites(const ProfileComboState& s) {
    const int effect = std::max(0, s.buttonEffectItem);
    std::vector<std::pair<int, std::uint8_t>> writes;
    if (s.profileItem == 1) {
        const int v = !s.buttonEffect ? 0 : s.gunDisplay ? effect + 4 : effect;
        writes = {{167, Byte(v)}, {168, 15}, {169, 0}, {170, Byte(s.offset)}};
    } else {
        writes = {{167, Byte(s.buttonEffect ? effect : 0)}, {168, 0}, {169, 0}, {170, 0}};
    }
    if (const auto code = ProfileColourCode(s.colourItem))
        writes.emplace_back(164, Byte(*code + std::clamp(s.profileItem, 0, 2)));
    return writes;
}

} // namespace trvx
