#pragma once
// Menu choice -> key entry (KeyTagToCode) and key entry -> caption (KeyCodeToText,
// ComboKeyCodeToText). Everything these read comes in through KeyEntryContext, so they touch no
// controls; what a caption lookup asks the pages to change comes back in the result.

#include "device/ImageLayout.h"
#include "keys/KeyEntry.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// The caption text of the current language set for a key such as "Str210"; empty when the set
// lacks the key.
using CaptionLookup = std::function<std::string(std::string_view key)>;

// What the fire-key page shows for one fire key: the repeat and delay edits and the
// hold-to-keep-firing box. Read when a fire key is assigned to a button.
struct FireKeyEdits {
    int repeatCount = 2; // 1..15
    int delayMs = 16;    // 0..4094
    bool keepFiring = false;
};

// One fire key's parameters as last stored; a fire-key entry is named after the set it matches.
struct FireKeyStored {
    int count = 0;
    int delayMs = 0;
};

// Byte 3 of the mouse-button and CPI entries, from the option combos of the engineering page.
struct KeyOptionBytes {
    std::uint8_t middle = 0;
    std::uint8_t backward = 0;
    std::uint8_t forward = 0;
    std::uint8_t cpiLoop = 0;
    std::uint8_t cpiUp = 0;
    std::uint8_t cpiDown = 0;
};

// Options of a profile-switch entry made for a combination key.
struct ProfileSwitchOptions {
    // Colour code per profile: colour number in the high nibble (0..9, 15 = specified colour).
    std::array<std::uint8_t, 3> colourCodes{};
    bool returnToZero = false;
    bool adjustXY = false;
    bool changeColour = false;
    int offset = 0; // 0..0xFFF; the high part lands in the colour byte's low nibble
};

// One device macro slot, in slot order.
struct MacroSlot {
    std::uint16_t start = 0;
    std::uint16_t length = 0; // read for an I2C mouse only; 0 marks an empty slot
    std::string name;
};

constexpr std::size_t kI2CMacroSlots = 15;
constexpr std::size_t kGunScriptCount = 10;

struct KeyEntryContext {
    CaptionLookup caption;

    // Read by KeyTagToCode.
    std::array<FireKeyEdits, 3> fireKeyEdits{};
    int aimLevel = 1; // 1..12
    KeyOptionBytes optionBytes;
    ProfileSwitchOptions profileSwitch;
    bool comboKeyMenuOpen = false; // the open menu belongs to a combination-key button
    StorageKind storage = StorageKind::None;

    // Read by KeyCodeToText / ComboKeyCodeToText.
    std::array<FireKeyStored, 3> fireKeys{};
    bool refreshingKeyTexts = false; // captions rebuilt by code: leave the hold boxes alone
    bool gunKeyFileLoaded = false;
    std::array<TKeyEntry, kGunScriptCount> gunScripts{};
    std::vector<MacroSlot> macroSlots; // I2C: the first 15 are read; flash: the first 32
};

// The entry for the menu label with this Tag; nullopt for a Tag not in the table and for the
// fire-macro key while no mouse (no storage type) is known.
std::optional<TKeyEntry> KeyTagToCode(int tag, const KeyEntryContext& ctx);

struct KeyCaption {
    std::string text; // empty when no rule names the entry

    // A fire-key entry matched fire key `fireKey` (0..2): its hold box should show
    // `keepFiring`. Never set while refreshingKeyTexts is.
    struct FireHold {
        int fireKey;
        bool keepFiring;
    };
    std::optional<FireHold> fireHold;

    // A profile-switch entry: the colour combo of `profile` (0..2) should show `item` (0..10).
    struct ProfileColour {
        int profile;
        int item;
    };
    std::optional<ProfileColour> profileColour;
};

KeyCaption KeyCodeToText(const TKeyEntry& entry, const KeyEntryContext& ctx);
// The same for the text form; a text that is not eight hex digits has no caption.
KeyCaption KeyCodeToText(std::string_view entryText, const KeyEntryContext& ctx);

// Captions of keyboard (0x02), gun (0x0B) and macro (0x10) entries; empty for other types.
std::string ComboKeyCodeToText(const TKeyEntry& entry, const KeyEntryContext& ctx);

} // namespace trvx
