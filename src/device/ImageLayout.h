#pragma once
// Where everything lives in the mouse's configuration image, for both storage types, and the
// check byte that guards the vendor, user and profile sections.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace trvx {

enum class StorageKind { None, I2C, Flash };

// "I2C" / "Flash" as the mouse and the default images name them; empty for None.
std::string_view StorageKindName(StorageKind kind);

struct ImageRange {
    std::uint32_t offset;
    std::uint32_t length;
    constexpr std::uint32_t end() const { return offset + length; }
};

constexpr std::size_t kEepromImageSize = 2048;
constexpr std::size_t kFlashImageSize = 65536;
constexpr std::size_t kFlashPageSize = 2048;
constexpr std::size_t kFlashPageCount = 32;

constexpr std::size_t kVendorSectionSize = 164;
constexpr std::size_t kUserSectionSize = 28;
constexpr std::size_t kProfileSectionSize = 49;
constexpr std::size_t kProfileCount = 3;
constexpr std::size_t kKeysPerProfile = 12;
constexpr std::size_t kProfileTailSize = 41;
constexpr std::size_t kIdBlockSize = 12;
constexpr std::size_t kMacroAreaSize = 512;
constexpr std::size_t kPatchBlockSize = 16;
constexpr std::size_t kPatchCodeSize = 784;
constexpr std::size_t kFlashPatchCodeSize = 1024;
constexpr std::size_t kFireMacroSlotSize = 24;
constexpr std::size_t kFireMacroSlotCount = 10;
constexpr std::size_t kFireMacroImageSize = kFireMacroSlotSize * kFireMacroSlotCount; // 240
constexpr std::size_t kFlashSettingsHeadSize = 24;
constexpr std::size_t kFlashSettingsBlockSize = 256;
constexpr std::size_t kMacroNameSize = 16;
constexpr std::size_t kFlashMacroSlots = 32;
constexpr std::size_t kFlashMacroBodySize = 256;

constexpr std::size_t kProfileWriteBufferSize = kProfileSectionSize * kProfileCount; // 147

// The sections as the program holds them, one fixed-size byte array each.
using TVendorSection = std::array<std::uint8_t, kVendorSectionSize>;
using TUserSection = std::array<std::uint8_t, kUserSectionSize>;
using TProfileSection = std::array<std::uint8_t, kProfileSectionSize>;
using TIDBlock = std::array<std::uint8_t, kIdBlockSize>;
using TProfileTailBlock = std::array<std::uint8_t, kProfileTailSize>;
using TFlashSettingsHead = std::array<std::uint8_t, kFlashSettingsHeadSize>;
using TI2CMacroArea = std::array<std::uint8_t, kMacroAreaSize>;
using TMacroName = std::array<std::uint8_t, kMacroNameSize>;
using TFlashMacroNames = std::array<TMacroName, kFlashMacroSlots>;
using TFlashMacroBody = std::array<std::uint8_t, kFlashMacroBodySize>;
using TFlashMacroBodies = std::array<TFlashMacroBody, kFlashMacroSlots>;
using TPatchBlock = std::array<std::uint8_t, kPatchBlockSize>;
using TPatchCode = std::array<std::uint8_t, kPatchCodeSize>;
using TFlashPatchCode = std::array<std::uint8_t, kFlashPatchCodeSize>;
using TFireMacro = std::array<std::uint8_t, kFireMacroSlotSize>;
using TFireMacroImage = std::array<std::uint8_t, kFireMacroImageSize>;
using TFireMacros = std::array<TFireMacro, kFireMacroSlotCount>;
using TProfileWriteBuffer = std::array<std::uint8_t, kProfileWriteBufferSize>;
using TFlashSettingsBlock = std::array<std::uint8_t, kFlashSettingsBlockSize>;

constexpr std::uint8_t kIdSignatureI2C = 0xE0;
constexpr std::uint8_t kIdSignatureFlash = 0xF0;
constexpr std::size_t kIdSignatureIndex = 11;

namespace eeprom {
constexpr ImageRange kVendor{0, 164};
constexpr ImageRange kUser{164, 28};
constexpr std::array<ImageRange, 3> kProfiles{{{192, 49}, {241, 49}, {290, 49}}};
constexpr ImageRange kProfileTail{339, 41};
constexpr ImageRange kUnassigned{380, 104}; // kept as read, written back unchanged
constexpr ImageRange kIdBlock{484, 12};
constexpr ImageRange kMacroArea{496, 512};
constexpr ImageRange kPatchBlock{1008, 16};
constexpr ImageRange kPatchCode{1024, 784};
constexpr ImageRange kFireMacros{1808, 240};
} // namespace eeprom

namespace flash {
constexpr ImageRange kVendor{0x0000, 164};
constexpr ImageRange kSettingsHead{0x1000, 24};
constexpr std::array<ImageRange, 3> kProfiles{{{0x1018, 49}, {0x1049, 49}, {0x107A, 49}}};
constexpr ImageRange kProfileTail{0x10AB, 41};
constexpr ImageRange kSettingsBlock{0x1000, 256}; // head, profiles, tail, 44 zero bytes
constexpr ImageRange kUser{0x2000, 28};
constexpr ImageRange kMacroNames{0x3000, 512};
constexpr ImageRange kMacroBodies{0x4000, 8192};
constexpr ImageRange kIdBlock{0x6000, 12};
constexpr ImageRange kFireMacros{0x7000, 240};
constexpr ImageRange kPatchCode{0xC000, 1024};
} // namespace flash

// Registers (commands 5 and 6) are offsets in the EEPROM layout's vendor and user sections,
// 0..191, for both storage types.
constexpr int kRegisterCount = 192;
constexpr int kUserRegisterFirst = 164;
constexpr int kVendorCheckRegister = 163;
constexpr int kUserCheckRegister = 191;

// The image offset that holds a register on a mouse of the given kind; nullopt for a register
// outside 0..191 or kind None.
std::optional<std::uint32_t> RegisterImageOffset(StorageKind kind, int reg);

// The 8-bit wrapping sum of all bytes but the last, XOR 0x5A. Meant for a whole section
// (vendor 164, user 28, profile 49, MCU LED 8 bytes); an empty span gives 0x5A.
std::uint8_t SectionChecksum(std::span<const std::uint8_t> section);
// True when the section's last byte is its check byte.
bool SectionChecksumValid(std::span<const std::uint8_t> section);
// Stores the check byte in the section's last byte.
void SetSectionChecksum(std::span<std::uint8_t> section);

} // namespace trvx
