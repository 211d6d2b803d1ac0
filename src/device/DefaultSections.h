#pragma once
// The coded defaults of each section. Used to repair a section whose check byte fails and to
// rebuild the whole configuration on request. Pure functions: everything they depend on comes
// in the context, nothing is read from the window.
//
// "Unchanged" cases leave the bytes the buffer already held, so a caller that has no storage
// type or an unknown package choice keeps what it had. No builder sets a check byte; the
// caller does that (SetVendorChecksum etc.) when it wants the section to be valid.

#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trvx {

struct SectionDefaultsContext {
    StorageKind storage = StorageKind::None; // the connected mouse's storage type
    std::string ledType;                     // "RGB", "Sync", "NT", "MCULED"; others act as "RGB"
    int packageIndex = -1;                   // LED package choice: 0, 1; others leave bytes as held
    std::uint16_t vendorId = 0;              // written big-endian to vendor bytes 0..3
    std::uint16_t productId = 0;
};

// Vendor bytes 8..39 (option bits and sensor registers) of the coded default. The generator of
// the shipped default images uses the same bytes.
inline constexpr std::array<std::uint8_t, 32> kDefaultVendorBytes8To39{
    0xAF, 0x20, 0x35, 0x29, 0x10, 0x30, 0x1A, 0x00, 0x00, 0x45, 0x02, 0xEF, 0x10, 0xEF, 0x10, 0xEF,
    0x10, 0xFF, 0x10, 0x50, 0x03, 0x01, 0x02, 0x48, 0x96, 0xFA, 0x20, 0x1E, 0x02, 0x01, 0x20, 0x00};

void DefaultVendorSection(TVendorSection& section, const SectionDefaultsContext& ctx);
void DefaultUserSection(TUserSection& section, const SectionDefaultsContext& ctx);
void DefaultProfile1Section(TProfileSection& section, const SectionDefaultsContext& ctx);
void DefaultProfile2Section(TProfileSection& section, const SectionDefaultsContext& ctx);
void DefaultProfile3Section(TProfileSection& section, const SectionDefaultsContext& ctx);
void DefaultIDBlock(TIDBlock& block, const SectionDefaultsContext& ctx);

// Flash mice only: names "Macro1".."Macro32", empty bodies.
void DefaultMacroStore(TFlashMacroNames& names, TFlashMacroBodies& bodies);
// Zeroes the ten fire-macro slots.
void ClearFireMacros(TFireMacros& slots);

// A macro name slot: up to eight characters as UTF-16 big-endian, zero-padded. Longer text is
// cut at eight characters.
TMacroName MakeMacroName(std::u16string_view name);

} // namespace trvx
