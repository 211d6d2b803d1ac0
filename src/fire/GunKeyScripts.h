#pragma once
// Gun-key scripts: up to ten ready-made gun-key entries (type 0x0B) kept in the gun-key file
// "Fire Macro.bin" in the program's data folder, 40 bytes, slot 1 first. The lists show one row
// per non-empty slot; the row-to-slot map keeps a file with a hole (slot 2 empty, slot 3 not)
// pointing each row at its own slot.

#include "keys/KeyEntry.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trvx {

inline constexpr int kGunScriptSlots = 10;
inline constexpr std::size_t kGunKeyFileSize = 40;
inline constexpr const char* kGunKeyFileName = "Fire Macro.bin";

// The form of the script editor: type 0 gun keys (keep left, start position, count), type 1
// colour (0..9, 10 = the user colour).
struct GunScriptForm {
    int type = 0; // 0 "Disable", 1 "Enable"
    bool keepLeft = true;
    int startIndex = 0;  // 0..9
    int numberIndex = 0; // 0..9: 1..10 gun keys
    int colourIndex = 0; // 0..10
};

TKeyEntry BuildGunScript(const GunScriptForm& form);
// The form an entry shows; fields outside the controls' ranges keep `current`'s values.
GunScriptForm GunScriptToForm(const TKeyEntry& entry, const GunScriptForm& current);

class GunScripts {
public:
    // Every slot zero.
    GunScripts() = default;
    // Reads the file's bytes into zeroed slots; bytes past 40 are ignored, a short file leaves
    // the slots it does not reach zero.
    static GunScripts FromFileBytes(std::span<const std::uint8_t> bytes);
    std::array<std::uint8_t, kGunKeyFileSize> FileBytes() const;

    const TKeyEntry& Slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }
    const std::array<TKeyEntry, kGunScriptSlots>& Slots() const { return slots_; }

    // The list rows: the 0-based slot of each non-empty slot, in slot order.
    std::vector<int> RowSlots() const;
    // "Fire Macro" + slot number of each row.
    std::vector<std::string> RowNames() const;
    // The slot a row stands for, nullopt past the rows.
    std::optional<int> SlotOfRow(int row) const;

    // Puts the entry into the first empty slot; false when all ten are used.
    bool Add(const TKeyEntry& entry);
    // Removes the row's slot and moves the later slots down; false past the rows.
    bool RemoveRow(int row);

private:
    std::array<TKeyEntry, kGunScriptSlots> slots_{};
};

// Reads the gun-key file: nullopt when it does not exist (the normal empty state).
std::optional<GunScripts> ReadGunKeyFile(const std::filesystem::path& file);

// Writes the gun-key file through a temporary file renamed over the old one (its folder made
// first), so a failed write never leaves a half-written file. False, with the old file
// unchanged, on failure.
bool SaveGunKeyFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace trvx
