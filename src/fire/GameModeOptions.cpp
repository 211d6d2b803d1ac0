#include "fire/GameModeOptions.h"

#include <algorithm>
#include <charconv>

namespace trvx {
namespace {

struct NamedButton {
    const char* captionKey;
    KeyEntryBytes entry; // byte 3 takes the value
};

// In combo order: middle, back, forward, CPI loop, CPI +, CPI -.
constexpr NamedButton kButtons[kNamedOptionButtons] = {
    {"Str212", {0x01, 0x04, 0x00, 0x00}}, {"Str213", {0x01, 0x08, 0x00, 0x00}},
    {"Str214", {0x01, 0x10, 0x00, 0x00}}, {"Str221", {0x09, 0x00, 0x00, 0x00}},
    {"Str222", {0x09, 0x01, 0x00, 0x00}}, {"Str223", {0x09, 0x02, 0x00, 0x00}},
};
// The gesture that flags each button, and its flag.
constexpr int kGesture[kNamedOptionButtons] = {1, 5, 6, 2, 3, 4};
constexpr std::uint8_t kGestureFlag[kNamedOptionButtons] = {0x08, 0x02, 0x02, 0x08, 0x08, 0x08};
// The combo item a flag shows: 0x08 is item 4, 0x02 item 2.
constexpr int kFlagItem[kNamedOptionButtons] = {4, 2, 2, 4, 4, 4};

std::string Text(const KeyEntryContext& ctx, std::string_view key) {
    return ctx.caption ? ctx.caption(key) : std::string();
}

const std::string& NameOf(const ProfileKeyNameTable& names, int p, int k) {
    return names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)];
}

} // namespace

std::optional<std::uint8_t> ComboEnableValue(int item) {
    if (item < 0 || item > 8)
        return std::nullopt;
    return item == 0 ? 0 : static_cast<std::uint8_t>(1u << (item - 1));
}

std::optional<int> ComboEnableItem(std::uint8_t value) {
    for (int item = 0; item <= 8; ++item)
        if (ComboEnableValue(item) == value)
            return item;
    return std::nullopt;
}

void ApplyComboEnable(WorkingModel& model, const ProfileKeyNameTable& names,
                      const KeyEntryContext& ctx, const NamedButtonValues& values,
                      std::uint8_t gunValue) {
    for (std::size_t b = 0; b < kNamedOptionButtons; ++b) {
        const std::string name = Text(ctx, kButtons[b].captionKey);
        if (name.empty())
            continue;
        KeyEntryBytes entry = kButtons[b].entry;
        entry[3] = values[b];
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 12; ++k)
                if (NameOf(names, p, k) == name)
                    model.SetProfileKey(p, k, entry);
    }
    SetGunKeyOption(model, names, ctx, 0b111, gunValue);
}

KeyEntryBytes SwitchKeyEntry(int profile, const SwitchKeyOptions& o) {
    const int offset = std::clamp(o.offset, 0, 0xFFF);
    const int flags = (o.returnToZero ? 64 : 0) + (o.adjustXY ? 32 : 0) + (o.changeColour ? 16 : 0);
    const int item = o.colourItems[static_cast<std::size_t>(std::clamp(profile, 1, 3) - 1)];
    const int colour = item >= 0 && item <= 9 ? 16 * item : 240;
    return {0x07, static_cast<std::uint8_t>(0x80 + flags + (profile - 1)),
            static_cast<std::uint8_t>(colour + (offset >> 8)),
            static_cast<std::uint8_t>(offset & 0xFF)};
}

void ApplySwitchKeyOptions(WorkingModel& model, const ProfileKeyNameTable& names,
                           const KeyEntryContext& ctx, const SwitchKeyOptions& options) {
    const std::string keys[3] = {Text(ctx, "Str251"), Text(ctx, "Str252"), Text(ctx, "Str253")};
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            for (int target = 1; target <= 3; ++target)
                if (!keys[target - 1].empty() && NameOf(names, p, k) == keys[target - 1])
                    model.SetProfileKey(p, k, SwitchKeyEntry(target, options));
}

ShownModeSwitch ReadModeSwitch(const WorkingModel& model, const ProfileKeyNameTable& names,
                               const KeyEntryContext& ctx, bool comboKey2Game, bool comboKey4Game) {
    ShownModeSwitch shown;
    std::string buttonNames[kNamedOptionButtons];
    for (std::size_t b = 0; b < kNamedOptionButtons; ++b)
        buttonNames[b] = Text(ctx, kButtons[b].captionKey);
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k) {
            const std::string& name = NameOf(names, p, k);
            if (name.empty())
                continue;
            const std::uint8_t flag = model.ProfileKey(p, k)[3];
            for (std::size_t b = 0; b < kNamedOptionButtons; ++b) {
                if (name != buttonNames[b] || flag != kGestureFlag[b])
                    continue;
                // The long presses switch through combination key 4, the right-button
                // gestures through key 2.
                if (kGestureFlag[b] == 0x08 ? comboKey4Game : comboKey2Game)
                    shown.fireFunction = kGesture[b];
                shown.comboItems[b] = kFlagItem[b];
            }
            if (IsGunKeyName(name, ctx)) {
                shown.gunKeyOption = flag;
                if (flag == 0)
                    shown.gunKeysSwitch = false;
                else if (comboKey2Game || comboKey4Game)
                    shown.gunKeysSwitch = true;
                else if (p == 1)
                    shown.gunKeysSwitch = false;
            }
        }
    return shown;
}

HexOutcome OffsetEditChanged(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        return {};
    if (value > 0xFFF)
        return {std::string("FFF"), std::nullopt};
    return {std::nullopt, value};
}

} // namespace trvx
