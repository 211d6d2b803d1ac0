#pragma once
// The macros kept on the mouse: the packed 512-byte area of an EEPROM mouse (up to 15 macros)
// and the 32 fixed slots of a flash mouse, with the working tables the pages list and save.

#include "macros/MacroCode.h"
#include "macros/MacroName.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trvx {

constexpr std::size_t kEepromMacroSlots = 15;
constexpr std::size_t kEepromMacroAreaSize = 512;
constexpr std::size_t kEepromMacroBlockSize = 256;
// Image offset of the area's first byte; a macro's start address is the image offset of its
// first event.
constexpr std::uint16_t kEepromMacroAreaImageOffset = 496;
constexpr std::uint16_t kEepromFirstMacroStart = 512;
constexpr std::size_t kFlashMacroSlotCount = 32;
constexpr std::uint16_t kFlashMacroNamesAddress = 0x3000;
constexpr std::uint16_t kFlashMacroBodiesAddress = 0x4000;

static_assert(sizeof(TI2CMacroArea) == kEepromMacroAreaSize);

// Why a store operation refused or stopped.
enum class MacroStoreError {
    None,
    Malformed,    // a macro whose events do not end inside the area or body
    AreaOverflow, // more than 512 bytes, also after the block-boundary byte
    Duplicate,    // a device macro of that name exists
    Full,         // 15 (EEPROM) or 32 (flash) macros already
    EmptyName,    // the store would read the name back as an empty slot
    BadBody,      // the library body has no end byte or a byte that is no event
    NoSuchMacro,
};

// English text of an error for messages that have no caption text of their own.
std::string MacroStoreErrorText(MacroStoreError error);

// A device macro moved from one start address to another (newStart empty: it was deleted).
struct MacroAddressMove {
    std::uint16_t oldStart = 0;
    std::optional<std::uint16_t> newStart;
};

class EepromMacroStore {
public:
    TI2CMacroArea MacroArea{};
    std::array<TMacroName, kEepromMacroSlots> DevMacroNames{};
    std::array<MacroBody, kEepromMacroSlots> DevMacroBodies{};
    std::array<std::uint16_t, kEepromMacroSlots> DevMacroLengths{};
    std::array<std::uint16_t, kEepromMacroSlots> DevMacroStarts{};
    std::int32_t MacroBytesUsed = 0;

    EepromMacroStore();

    // Parses the area into the tables, then packs them again. A malformed area stops the parse
    // at the macro that breaks: the macros before it are kept and the error is returned.
    MacroStoreError
    ReadAndRefreshMacro4480(std::span<const std::uint8_t, kEepromMacroAreaSize> area);
    // Parses all or nothing: on an error the store is unchanged (imports).
    MacroStoreError ParseStrict(std::span<const std::uint8_t, kEepromMacroAreaSize> area);

    // Packs the tables into MacroArea with the block-boundary byte and renews the start
    // addresses. Refused (store unchanged) when the packed macros need more than 512 bytes, a
    // body would grow past 256 bytes, or the boundary byte would fall inside an event
    // (Malformed).
    MacroStoreError RefreshMacro4480();
    // MacroBytesUsed := the sum of the lengths.
    void CheckMacroLen4480();

    // Number of macros (slots 0..n-1 are used, never with a gap).
    int Count() const;
    // Shown names of the used slots, by slot.
    std::vector<std::string> RefreshMacroName4480() const;
    // The body of slot k with its size (length less the 16 name bytes).
    std::span<const std::uint8_t> Body(int k) const;

    // Copies a library macro into slot Count(); refused with the store unchanged on a duplicate
    // name, a full store, an empty name, a bad body, or when the area would overflow.
    MacroStoreError Add(const TMacroName& name, const MacroBody& body);
    // Removes slot d and packs the rest down; gives every start address that changed.
    MacroStoreError Delete(int d, std::vector<MacroAddressMove>& moves);

private:
    static MacroStoreError Parse(std::span<const std::uint8_t, kEepromMacroAreaSize> area,
                                 EepromMacroStore& out);
    static MacroStoreError Pack(EepromMacroStore& store);
    // Packs the changed tables and reads the packed area back; refuses, leaving this store as
    // it was, when the area does not read back as the same macros (a boundary byte that split
    // an event so that its operands would be read as events).
    MacroStoreError Commit(EepromMacroStore changed);
};

class FlashMacroStore {
public:
    std::array<TMacroName, kFlashMacroSlotCount> FlashMacroNames{};
    std::array<MacroBody, kFlashMacroSlotCount> FlashMacroBodies{};
    std::array<std::uint16_t, kFlashMacroSlotCount> FlashMacroAddrs{};
    std::array<std::uint16_t, kFlashMacroSlotCount> FlashMacroLengths{};

    FlashMacroStore();

    // Takes names (512 bytes, flash 0x3000) and bodies (8192 bytes, flash 0x4000) and lists
    // them (RefreshMacroName).
    void Load(std::span<const std::uint8_t, kFlashMacroSlotCount * kMacroNameBytes> names,
              std::span<const std::uint8_t, kFlashMacroSlotCount * kMacroBodySize> bodies);
    // The same from the configuration image's working copies.
    void Load(const TFlashMacroNames& names, const TFlashMacroBodies& bodies);

    // Length of slot i's body for the editor's listing: up to the start of its first run of
    // three zero bytes, plus one; kept in FlashMacroLengths, whose previous value stands when
    // the body has no such run.
    std::uint16_t ListingLength(int slot);

    bool IsUsed(int slot) const;
    // Rows of the device lists: one per slot up to the last used one; a slot in a gap gets an
    // empty row, so row i is always slot i and stands for address 0x4000 + 256 x i.
    int RowCount() const;
    // Renews FlashMacroAddrs and gives the rows' shown names.
    std::vector<std::string> RefreshMacroName();

    // Copies a library macro into slot RowCount().
    MacroStoreError Add(const TMacroName& name, const MacroBody& body);
    // Removes slot d; the slots after it move down by one.
    MacroStoreError Delete(int d, std::vector<MacroAddressMove>& moves);
    // Names from the list texts: all slots zero, then row j's text into slot j.
    void UIToMacroName(std::span<const std::string> rows);

    // The names as written at flash 0x3000.
    std::array<std::uint8_t, kFlashMacroSlotCount * kMacroNameBytes> NamesBlock() const;
};

// The default flash store: slot i named "Macro" + (i + 1), bodies zero.
FlashMacroStore DefaultMacroStore();

// Points key entries of type 0x10 (device macro: 10 hi lo 00) that carry an old start address at
// the new one, across the 36 profile entries and the 9 combination entries. An entry of a
// deleted macro gets the entry that defaultEntry gives for it. Entries are identified as
// profile 0..2 / key 0..11, or combination 0..8 (profile -1).
using KeyEntryBytes = std::array<std::uint8_t, 4>;
struct KeyEntryRef {
    int profile = 0; // -1 for a combination entry
    int index = 0;   // key 0..11, or combination 0..8
};
using DefaultKeyEntryFunction = std::function<KeyEntryBytes(KeyEntryRef)>;

struct RepointResult {
    std::vector<KeyEntryRef> changed;
    bool profilesChanged = false;
    bool combinationsChanged = false;
};

constexpr std::size_t kCombinationEntryCount = 9;
constexpr std::size_t kCombinationEntriesOffset = 127; // in the vendor section

RepointResult RefreshMacroAddr(std::span<const MacroAddressMove> moves,
                               std::span<std::array<std::uint8_t, 49>, 3> profileSections,
                               std::span<std::uint8_t, 164> vendorSection,
                               const DefaultKeyEntryFunction& defaultEntry);

} // namespace trvx
