#pragma once
// The working copies of the configuration image's sections, and the moves between them and a
// whole image of either storage type: split (with check-and-repair), assemble, and the write
// buffers of the profile write-back.

#include "device/ConfigImageChecks.h"
#include "device/DefaultSections.h"
#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace trvx {

// Every section the program works on. A split of one storage type fills only that type's
// sections and leaves the others as they were.
struct WorkingSections {
    TVendorSection VendorSection{};
    TUserSection UserSection{};
    std::array<TProfileSection, kProfileCount> ProfileSection{};
    TIDBlock IDBlock{};
    TProfileTailBlock ProfileTailBlock{};
    TFlashSettingsHead FlashSettingsHead{};
    TI2CMacroArea MacroArea{};
    TFlashMacroNames FlashMacroNames{};
    TFlashMacroBodies FlashMacroBodies{};
    TPatchBlock PatchBlock{};
    TPatchCode PatchCode{};
    TFlashPatchCode FlashPatchCode{};
    TFireMacroImage FireMacroImage{};
    TFireMacros FireMacros{}; // slot copy of FireMacroImage made by every split
    bool FlashPatchLocked = false;
};

// Which checked sections a split had to replace by their defaults.
struct RepairedSections {
    bool vendor = false;
    bool user = false;
    std::array<bool, kProfileCount> profiles{};
    bool any() const { return vendor || user || profiles[0] || profiles[1] || profiles[2]; }
};

// The macro subsystem lists the device macros after a split has filled the macro store. Each
// hook is called once, after the whole split, with the sections it just filled; an empty hook
// is skipped.
struct MacroStoreHooks {
    std::function<void(const WorkingSections&)> macroAreaLoaded;       // I2C: MacroArea
    std::function<void(const WorkingSections&)> flashMacroStoreLoaded; // Flash: names and bodies
};

// 2048 for I2C, 65536 for Flash, 0 for None.
std::size_t ImageSizeFor(StorageKind kind);

// Splits a whole image into the sections of its storage type, checking and repairing the
// vendor, user and profile sections with the defaults of `ctx`. nullopt, with nothing changed
// and no hook called, when kind is None or the image is not exactly the size of that kind.
std::optional<RepairedSections> SplitImage(StorageKind kind, std::span<const std::uint8_t> image,
                                           WorkingSections& sections,
                                           const SectionDefaultsContext& ctx,
                                           const MacroStoreHooks& hooks = {});

// Copies the sections of the storage type into the whole image as they stand (check bytes are
// the caller's). Every byte outside those sections keeps what the image held, so EEPROM
// 380..483 and the unused flash ranges go back to the mouse unchanged. False, with nothing
// changed, for kind None or an image of the wrong size.
bool AssembleImage(StorageKind kind, const WorkingSections& sections,
                   std::span<std::uint8_t> image);

// The three profile sections back to back, each given its check byte first (in the working
// copy too), as the profile write-back sends them.
TProfileWriteBuffer BuildProfileWriteBuffer(WorkingSections& sections);

// The 256 bytes written at flash 0x1000: settings head, the profiles as held in the write
// buffer, the tail, then 44 zero bytes.
TFlashSettingsBlock BuildFlashSettingsBlock(const TFlashSettingsHead& head,
                                            const TProfileWriteBuffer& profiles,
                                            const TProfileTailBlock& tail);

// FlashSettingsHead byte 0 = 0x80 locks patch programming.
bool IsFlashPatchLocked(const TFlashSettingsHead& head);

} // namespace trvx
