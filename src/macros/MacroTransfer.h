#pragma once
// Moving macros between the PC and files, and the two engineering imports that load a device
// macro store or the ten fire macros straight into the mouse; and the save of the device macro
// store with the key entries that point at it.

#include "device/ImageLayout.h"
#include "macros/DeviceMacroStore.h"
#include "macros/MacroLibrary.h"

#include <array>
#include <filesystem>
#include <span>
#include <string>

namespace trvx {

class AcceptedMouse;

constexpr std::size_t kDeviceStoreFileSizeI2C = kEepromMacroAreaSize; // 512
constexpr std::size_t kDeviceStoreFileSizeFlash =
    kFlashMacroSlotCount * (kMacroNameBytes + kMacroBodySize); // 8,704
constexpr std::size_t kFireMacroFileSize = 240;
constexpr std::size_t kFireMacroSize = 24;
constexpr std::size_t kFireMacroCount = 10;

enum class TransferStatus {
    Ok,
    Unchanged, // nothing to do (no selection, library too full for Import One, no mouse)
    Duplicate, // "This macro already exists"
    BadFile,   // refused: wrong size or content; nothing changed
    FileError, // the file could not be opened, read or written
};

struct TransferResult {
    TransferStatus status = TransferStatus::Ok;
    std::string message;
    bool ok() const { return status == TransferStatus::Ok; }
};

// Exports write to the chosen name with ".bin" appended when it has no such suffix ("macros" ->
// macros.bin, "macros.bin" and "macros.BIN" stay).
std::filesystem::path ExportFileName(const std::filesystem::path& chosen);

// "Export All" of the library: the 100 records, 27,200 bytes.
TransferResult Btn_ExportClick(const PCMacroLibrary& library, const std::filesystem::path& chosen);
// "Export One": record `row`, 272 bytes.
TransferResult Btn_ExportOneClick(const PCMacroLibrary& library, int row,
                                  const std::filesystem::path& chosen);
// "Export All" of the device list: the EEPROM area (512 bytes) or the flash names and bodies
// (8,704 bytes). Refused (Unchanged, with a message) when the store holds no macro or there is
// no mouse.
TransferResult Btn_DevExportClick(StorageKind kind, const EepromMacroStore& eeprom,
                                  const FlashMacroStore& flash,
                                  const std::filesystem::path& chosen);

// "Import All": a file of 1 to 100 whole records replaces that many records from record 0;
// the library is then listed and rewritten.
TransferResult Btn_ImportClick(PCMacroLibrary& library, const std::filesystem::path& file);
// "Import One": a 272-byte record appended as row n (selected); nothing with 100 macros.
TransferResult Btn_ImportOneClick(PCMacroLibrary& library, const std::filesystem::path& file,
                                  int& selectedRow);

// Engineering import of a device store file into the connected mouse: parsed (EEPROM) or
// listed (flash), then block-written. Profiles and the library are not touched.
TransferResult Btn_ImportBaseMacroClick(AcceptedMouse& link, StorageKind kind,
                                        EepromMacroStore& eeprom, FlashMacroStore& flash,
                                        const std::filesystem::path& file);
// Engineering import of ten fire macros: read into fireMacros and fireMacroImage, then written
// at EEPROM 1808 or flash 0x7000 (nothing written without a mouse).
TransferResult Btn_ImportGunMacroClick(AcceptedMouse& link, StorageKind kind,
                                       const std::filesystem::path& file, TFireMacros& fireMacros,
                                       TFireMacroImage& fireMacroImage);

// What the macro save writes besides the store.
struct MacroSaveSections {
    std::span<std::array<std::uint8_t, kProfileSectionSize>, kProfileCount> profiles;
    std::span<std::uint8_t, kVendorSectionSize> vendor;
    std::span<const std::uint8_t, kFlashSettingsHeadSize> flashSettingsHead;
    std::span<const std::uint8_t, kProfileTailSize> profileTail;
};

// The save of the device macro store: points key entries at the macros' new start addresses,
// gives the profiles their check bytes, then block-writes the profiles and the store (EEPROM:
// profiles at 192, area halves at 496 and 752; flash: settings block at 0x1000, names at
// 0x3000, bodies at 0x4000 + 256 x i). Combination entries that were re-pointed go out as
// register entries afterwards. Nothing is changed or written without a mouse.
RepointResult Btn_SaveMacroClick(AcceptedMouse& link, StorageKind kind, MacroSaveSections sections,
                                 const EepromMacroStore& eeprom, FlashMacroStore& flash,
                                 std::span<const MacroAddressMove> moves,
                                 const DefaultKeyEntryFunction& defaultEntry);

} // namespace trvx
