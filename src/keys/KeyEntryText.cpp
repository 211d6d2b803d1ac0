#include "keys/KeyEntryText.h"

#include "keys/KeyCodeTables.h"

#include <algorithm>
#include <span>

namespace trvx {
namespace {

constexpr std::size_t kFlashMacroSlotCount = 32;

struct FixedEntry {
    int tag;
    TKeyEntry entry;
    const char* captionKey;
};

// Entries that depend on nothing but their Tag; the rules of KeyCodeToText name them.
constexpr FixedEntry kFixedEntries[] = {
    {0, {0x00, 0x00, 0x00, 0x00}, "Str277"},    {1007, {0x00, 0x00, 0x00, 0x00}, "Str277"},
    {900, {0x01, 0x01, 0x00, 0x00}, "Str210"},  {901, {0x01, 0x02, 0x00, 0x00}, "Str211"},
    {2200, {0x04, 0x01, 0x00, 0x00}, "Str241"}, {2201, {0x04, 0x02, 0x00, 0x00}, "Str242"},
    {2202, {0x04, 0x03, 0x00, 0x00}, "Str243"}, {2303, {0x07, 0x00, 0x00, 0x00}, "Str254"},
    {1002, {0x08, 0x00, 0x00, 0x00}, "Str262"}, {1003, {0x08, 0x01, 0x00, 0x00}, "Str263"},
    {1004, {0x0C, 0x00, 0x00, 0x00}, "Str264"}, {1001, {0x0E, 0x00, 0x00, 0x00}, "Str261"},
};

// Entries named only after the rules for the other types have had their say, just before the
// keyboard, gun and macro texts. Consumer-control entries: p1 p2 is the HID consumer usage.
constexpr FixedEntry kLateEntries[] = {
    {1303, {0x02, 0x08, 0x07, 0x00}, "Str293"}, {2400, {0x0A, 0x00, 0x00, 0x00}, "Str268"},
    {2401, {0x0A, 0x01, 0x00, 0x00}, "Str269"}, {1006, {0x0B, 0x8F, 0x00, 0x00}, "Str266"},
    {1100, {0x03, 0x00, 0xCD, 0x00}, "Str270"}, {1101, {0x03, 0x00, 0xB7, 0x00}, "Str271"},
    {1102, {0x03, 0x00, 0xB6, 0x00}, "Str272"}, {1103, {0x03, 0x00, 0xB5, 0x00}, "Str273"},
    {1104, {0x03, 0x00, 0xE9, 0x00}, "Str274"}, {1105, {0x03, 0x00, 0xEA, 0x00}, "Str275"},
    {1106, {0x03, 0x00, 0xE2, 0x00}, "Str276"}, {1200, {0x03, 0x02, 0x23, 0x00}, "Str280"},
    {1201, {0x03, 0x02, 0x21, 0x00}, "Str281"}, {1202, {0x03, 0x02, 0x24, 0x00}, "Str282"},
    {1203, {0x03, 0x02, 0x25, 0x00}, "Str283"}, {1204, {0x03, 0x02, 0x26, 0x00}, "Str284"},
    {1205, {0x03, 0x02, 0x27, 0x00}, "Str285"}, {1206, {0x03, 0x02, 0x2A, 0x00}, "Str286"},
    {1300, {0x03, 0x01, 0x94, 0x00}, "Str290"}, {1301, {0x03, 0x01, 0x92, 0x00}, "Str291"},
    {1302, {0x03, 0x01, 0x8A, 0x00}, "Str292"},
};

constexpr TKeyEntry kFireMacroKeyI2C{0x10, 0x07, 0x10, 0xFF};
constexpr TKeyEntry kFireMacroKeyFlash{0x10, 0x70, 0x00, 0xFF};

struct GunMode {
    std::uint8_t p1; // gun number, plus 0x10 when the left button is kept
    std::uint8_t p2; // variant
    const char* captionKey;
};

constexpr GunMode kGunModes[] = {
    {0x00, 0x01, "Str600"}, {0x01, 0x01, "Str601"}, {0x02, 0x01, "Str602"}, {0x03, 0x01, "Str603"},
    {0x04, 0x01, "Str604"}, {0x05, 0x01, "Str605"}, {0x05, 0x02, "Str605"}, {0x07, 0x01, "Str606"},
    {0x07, 0x02, "Str606"}, {0x07, 0x03, "Str606"},
};

const char* LateCaptionKey(const TKeyEntry& entry) {
    for (const FixedEntry& late : kLateEntries) {
        if (entry == late.entry) {
            return late.captionKey;
        }
    }
    return nullptr;
}

std::string Caption(const KeyEntryContext& ctx, std::string_view key) {
    return ctx.caption ? ctx.caption(key) : std::string{};
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

TKeyEntry FireKeyEntry(const FireKeyEdits& edits) {
    const int count = std::clamp(edits.repeatCount, 1, 15);
    const int delay = std::clamp(edits.delayMs, 0, 4094);
    const int r = 0x10 + (count - 1) + (edits.keepFiring ? 0x80 : 0);
    return {0x06, Byte(r), Byte(delay >> 8), Byte(delay)};
}

TKeyEntry ProfileSwitchEntry(int profile, const KeyEntryContext& ctx) {
    if (!ctx.comboKeyMenuOpen) {
        return {0x07, Byte(0x80 + profile), 0x00, 0x00};
    }
    const ProfileSwitchOptions& o = ctx.profileSwitch;
    const int offset = std::clamp(o.offset, 0, 0xFFF);
    const int flags =
        (o.returnToZero ? 0x40 : 0) + (o.adjustXY ? 0x20 : 0) + (o.changeColour ? 0x10 : 0);
    const int colour = (o.colourCodes[static_cast<std::size_t>(profile)] & 0xF0) + (offset >> 8);
    return {0x07, Byte(0x80 + flags + profile), Byte(colour), Byte(offset)};
}

// Fire key n (0..2) whose parameters the entry carries, by the entry bytes the fire-key page
// writes for it with or without the hold bit; nullopt when none.
std::optional<int> MatchFireKey(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    const int delay = entry.p2() * 256 + entry.p3();
    for (int n = 0; n < 3; ++n) {
        const FireKeyStored& stored = ctx.fireKeys[static_cast<std::size_t>(n)];
        // The count sits in the low nibble whatever the page put in the high bits.
        if ((entry.p1() & 0x0F) + 1 == stored.count && delay == stored.delayMs) {
            return n;
        }
    }
    return std::nullopt;
}

std::string KeyboardText(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    static constexpr const char* kModifiers[] = {"Ctrl", "Shift", "Alt", "Win"};
    std::string text;
    for (int bit = 0; bit < 4; ++bit) {
        if (entry.p1() & (1u << bit)) {
            if (!text.empty()) {
                text += '+';
            }
            text += kModifiers[bit];
        }
    }
    for (std::uint8_t usage : {entry.p2(), entry.p3()}) {
        if (usage != 0) {
            if (!text.empty()) {
                text += '+';
            }
            text += HidUsageToKeyName(usage);
        }
    }
    return text.empty() ? Caption(ctx, "Str205") : text;
}

std::string GunText(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    if (ctx.gunKeyFileLoaded) {
        std::string text;
        for (std::size_t i = 0; i < ctx.gunScripts.size(); ++i) {
            const TKeyEntry& script = ctx.gunScripts[i];
            if (std::equal(script.bytes.begin(), script.bytes.begin() + 3, entry.bytes.begin())) {
                text = "Fire Macro" + std::to_string(i + 1);
            }
        }
        return text;
    }
    for (const GunMode& mode : kGunModes) {
        if ((entry.p1() == mode.p1 || entry.p1() == (mode.p1 | 0x10)) && entry.p2() == mode.p2) {
            return Caption(ctx, mode.captionKey);
        }
    }
    return {};
}

std::string MacroText(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    const unsigned address = entry.p1() * 256u + entry.p2();
    std::span<const MacroSlot> slots(ctx.macroSlots);
    bool needsLength = false;
    switch (ctx.storage) {
    case StorageKind::I2C:
        slots = slots.first(std::min(slots.size(), kI2CMacroSlots));
        needsLength = true;
        break;
    case StorageKind::Flash:
        slots = slots.first(std::min(slots.size(), kFlashMacroSlotCount));
        break;
    case StorageKind::None:
        return {};
    }
    std::string text;
    for (const MacroSlot& slot : slots) {
        if (slot.start == address && (!needsLength || slot.length != 0)) {
            text = slot.name;
        }
    }
    return text;
}

} // namespace

std::optional<TKeyEntry> KeyTagToCode(int tag, const KeyEntryContext& ctx) {
    for (const auto& table :
         {std::span<const FixedEntry>(kFixedEntries), std::span<const FixedEntry>(kLateEntries)}) {
        for (const FixedEntry& fixed : table) {
            if (fixed.tag == tag) {
                return fixed.entry;
            }
        }
    }
    const KeyOptionBytes& m = ctx.optionBytes;
    switch (tag) {
    case 902:
        return TKeyEntry{0x01, 0x04, 0x00, m.middle};
    case 903:
        return TKeyEntry{0x01, 0x08, 0x00, m.backward};
    case 904:
        return TKeyEntry{0x01, 0x10, 0x00, m.forward};
    case 2000:
        return TKeyEntry{0x09, 0x00, 0x00, m.cpiLoop};
    case 2001:
        return TKeyEntry{0x09, 0x01, 0x00, m.cpiUp};
    case 2002:
        return TKeyEntry{0x09, 0x02, 0x00, m.cpiDown};
    case 1000:
        return TKeyEntry{0x05, Byte(std::clamp(ctx.aimLevel, 1, 12) - 1), 0x00, 0x00};
    case 2100:
    case 2101:
    case 2102:
        return FireKeyEntry(ctx.fireKeyEdits[static_cast<std::size_t>(tag - 2100)]);
    case 2300:
    case 2301:
    case 2302:
        return ProfileSwitchEntry(tag - 2300, ctx);
    case 1005:
        switch (ctx.storage) {
        case StorageKind::I2C:
            return kFireMacroKeyI2C;
        case StorageKind::Flash:
            return kFireMacroKeyFlash;
        case StorageKind::None:
            return std::nullopt;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

KeyCaption KeyCodeToText(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    KeyCaption result;
    const std::uint8_t type = entry.type();
    const std::uint8_t p1 = entry.p1();
    auto exact = [&](TKeyEntry e) { return entry == e; };

    // 1. Key off, left and right button, exactly.
    if (exact({0x00, 0x00, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str277");
    } else if (exact({0x01, 0x01, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str210");
    } else if (exact({0x01, 0x02, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str211");
    }
    // 2. Middle, backward, forward with any option byte.
    else if (type == 0x01 && (p1 == 0x04 || p1 == 0x08 || p1 == 0x10)) {
        result.text = Caption(ctx, p1 == 0x04 ? "Str212" : p1 == 0x08 ? "Str213" : "Str214");
    }
    // 3. AIM key at any step.
    else if (type == 0x05) {
        result.text = Caption(ctx, "Str260");
    }
    // 4. LED mode, LED on/off, button effect, report rate, fire-macro key.
    else if (exact({0x0E, 0x00, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str261");
    } else if (exact({0x08, 0x00, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str262");
    } else if (exact({0x08, 0x01, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str263");
    } else if (exact({0x0C, 0x00, 0x00, 0x00})) {
        result.text = Caption(ctx, "Str264");
    } else if (exact(kFireMacroKeyI2C) || exact(kFireMacroKeyFlash)) {
        result.text = Caption(ctx, "Str265");
    }
    // 5. CPI keys with any option byte.
    else if (type == 0x09 && p1 <= 0x02) {
        result.text = Caption(ctx, p1 == 0x00 ? "Str221" : p1 == 0x01 ? "Str222" : "Str223");
    }
    // 6. Fire keys, named after the stored set they carry.
    else if (type == 0x06) {
        if (const auto n = MatchFireKey(entry, ctx)) {
            result.text = Caption(ctx, "Str23" + std::to_string(*n + 1));
            if (!ctx.refreshingKeyTexts) {
                result.fireHold = KeyCaption::FireHold{*n, (p1 & 0x80) != 0};
            }
        }
    }
    // 7. Power keys.
    else if (type == 0x04 && p1 >= 0x01 && p1 <= 0x03 && entry.p2() == 0 && entry.p3() == 0) {
        result.text = Caption(ctx, p1 == 0x01 ? "Str241" : p1 == 0x02 ? "Str242" : "Str243");
    }
    // 8. Profile switch and profile loop.
    else if (type == 0x07) {
        if (p1 == 0x00) {
            result.text = Caption(ctx, "Str254");
        } else {
            const int x = p1 & 0x87;
            if (x >= 0x80 && x <= 0x82) {
                const int profile = x - 0x80;
                result.text = Caption(ctx, "Str25" + std::to_string(profile + 1));
                const int colour = entry.p2() / 16;
                if (colour <= 9) {
                    result.profileColour = KeyCaption::ProfileColour{profile, colour};
                } else if (colour == 15) {
                    result.profileColour = KeyCaption::ProfileColour{profile, 10};
                }
            }
        }
    }
    // 9. Consumer keys, Desktop, adjust-XY, fire macro off; 10. keyboard, gun and macro keys.
    else if (const char* key = LateCaptionKey(entry)) {
        result.text = Caption(ctx, key);
    } else {
        result.text = ComboKeyCodeToText(entry, ctx);
    }
    return result;
}

KeyCaption KeyCodeToText(std::string_view entryText, const KeyEntryContext& ctx) {
    const auto entry = TKeyEntry::Parse(entryText);
    return entry ? KeyCodeToText(*entry, ctx) : KeyCaption{};
}

std::string ComboKeyCodeToText(const TKeyEntry& entry, const KeyEntryContext& ctx) {
    switch (entry.type()) {
    case 0x02:
        return KeyboardText(entry, ctx);
    case 0x0B:
        return GunText(entry, ctx);
    case 0x10:
        return MacroText(entry, ctx);
    default:
        return {};
    }
}

} // namespace trvx
