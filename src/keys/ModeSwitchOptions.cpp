#include "keys/ModeSwitchOptions.h"

#include "skin/CaptionKeys.h"

namespace trvx {

namespace {

struct NamedButton {
    const char* captionKey;
    KeyEntryBytes entry; // byte 3 takes the flag
    int fireFunction;    // the gesture that flags it
    std::uint8_t flag;
};

// The six buttons a gesture can use, with their canonical entries.
constexpr NamedButton kNamedButtons[] = {
    {"Str212", {0x01, 0x04, 0x00, 0x00}, 1, 0x08}, {"Str221", {0x09, 0x00, 0x00, 0x00}, 2, 0x08},
    {"Str222", {0x09, 0x01, 0x00, 0x00}, 3, 0x08}, {"Str223", {0x09, 0x02, 0x00, 0x00}, 4, 0x08},
    {"Str213", {0x01, 0x08, 0x00, 0x00}, 5, 0x02}, {"Str214", {0x01, 0x10, 0x00, 0x00}, 6, 0x02},
};

std::string Text(const KeyEntryContext& ctx, std::string_view key) {
    return ctx.caption ? ctx.caption(key) : std::string();
}

void SetByte3(WorkingModel& model, int profile, int key, std::uint8_t value) {
    KeyEntryBytes entry = model.ProfileKey(profile, key);
    entry[3] = value;
    model.SetProfileKey(profile, key, entry);
}

void SetComboEntry(WorkingModel& model, int n, const KeyEntryBytes& entry) {
    // Stored only: the whole vendor section goes to the mouse afterwards.
    (void)model.SetComboKey(n, entry);
}

} // namespace

ProfileKeyNameTable KeyCodesToKeyNames(const WorkingModel& model, const KeyEntryContext& ctx) {
    ProfileKeyNameTable names;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)] =
                KeyCodeToText(TKeyEntry(model.ProfileKey(p, k)), ctx).text;
    return names;
}

bool IsGunKeyName(const std::string& name, const KeyEntryContext& ctx) {
    if (name.empty())
        return false;
    for (int n = 1; n <= 10; ++n)
        if (name == "Fire Macro" + std::to_string(n))
            return true;
    for (std::string_view key : GunModeNameKeys())
        if (name == Text(ctx, key))
            return true;
    return false;
}

bool ProfileHasKeyNamed(const ProfileKeyNameTable& names, int profile, const std::string& name) {
    if (profile < 1 || profile > 3 || name.empty())
        return false;
    for (const std::string& n : names[static_cast<std::size_t>(profile - 1)])
        if (n == name)
            return true;
    return false;
}

bool ProfileHasGunKey(const ProfileKeyNameTable& names, int profile, const KeyEntryContext& ctx) {
    if (profile < 1 || profile > 3)
        return false;
    for (const std::string& n : names[static_cast<std::size_t>(profile - 1)])
        if (IsGunKeyName(n, ctx))
            return true;
    return false;
}

std::uint8_t GunKeyOptionValue(int fireFunction, bool gunKeysSwitch) {
    if (!gunKeysSwitch)
        return 0;
    if (fireFunction >= 1 && fireFunction <= 4)
        return 0x08;
    if (fireFunction == 5 || fireFunction == 6)
        return 0x02;
    return 0;
}

bool SetGunKeyOption(WorkingModel& model, const ProfileKeyNameTable& names,
                     const KeyEntryContext& ctx, unsigned profiles, std::uint8_t value) {
    bool changed = false;
    for (int p = 1; p <= 3; ++p) {
        if ((profiles & (1u << (p - 1))) == 0)
            continue;
        for (int k = 1; k <= 12; ++k)
            if (IsGunKeyName(
                    names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)], ctx) &&
                model.ProfileKey(p, k)[3] != value) {
                SetByte3(model, p, k, value);
                changed = true;
            }
    }
    return changed;
}

KeyEntryBytes GameModeSwitchEntry(std::uint8_t offset) {
    return {0x07, 0xD1, 0xF0, offset};
}

void ApplyFireFunction(WorkingModel& model, const ProfileKeyNameTable& names,
                       const KeyEntryContext& ctx, int fireFunction, bool gunKeysSwitch,
                       std::uint8_t offset) {
    const KeyEntryBytes none{};
    const bool rightGesture = fireFunction == 5 || fireFunction == 6;
    const bool longPress = fireFunction >= 1 && fireFunction <= 4;
    SetComboEntry(model, 2, rightGesture ? GameModeSwitchEntry(offset) : none);
    SetComboEntry(model, 4, longPress ? GameModeSwitchEntry(offset) : none);
    for (const NamedButton& b : kNamedButtons) {
        const std::string name = Text(ctx, b.captionKey);
        KeyEntryBytes entry = b.entry;
        entry[3] = b.fireFunction == fireFunction ? b.flag : 0;
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 12; ++k)
                if (!name.empty() &&
                    names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)] == name)
                    model.SetProfileKey(p, k, entry);
    }
    SetGunKeyOption(model, names, ctx, 0b111, GunKeyOptionValue(fireFunction, gunKeysSwitch));
}

void ApplyLedModeFunction(WorkingModel& model, const ProfileKeyNameTable& names,
                          const KeyEntryContext& ctx, bool on) {
    SetComboEntry(model, 2, on ? KeyEntryBytes{0x0E, 0x00, 0x00, 0x00} : KeyEntryBytes{});
    const std::string back = Text(ctx, "Str213");
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            if (!back.empty() &&
                names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)] == back)
                model.SetProfileKey(p, k,
                                    {0x01, 0x08, 0x00, static_cast<std::uint8_t>(on ? 2 : 0)});
}

bool LedModeFunctionOf(const WorkingModel& model, const ProfileKeyNameTable& names,
                       const KeyEntryContext& ctx) {
    if (model.ComboKey(2) != KeyEntryBytes{0x0E, 0x00, 0x00, 0x00})
        return false;
    const std::string back = Text(ctx, "Str213");
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            if (!back.empty() &&
                names[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(k - 1)] == back &&
                model.ProfileKey(p, k)[3] == 2)
                return true;
    return false;
}

} // namespace trvx
