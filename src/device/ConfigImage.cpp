#include "device/ConfigImage.h"

#include <algorithm>

namespace trvx {
namespace {

template <std::size_t N>
void Take(std::span<const std::uint8_t> image, std::uint32_t offset,
          std::array<std::uint8_t, N>& dst) {
    const auto first = image.begin() + offset;
    std::copy(first, first + N, dst.begin());
}

template <std::size_t N>
void Take(std::span<const std::uint8_t> image, ImageRange range, std::array<std::uint8_t, N>& dst) {
    Take(image, range.offset, dst);
}

template <std::size_t N>
void Put(std::span<std::uint8_t> image, std::uint32_t offset,
         const std::array<std::uint8_t, N>& src) {
    std::copy(src.begin(), src.end(), image.begin() + offset);
}

template <typename Slots>
void TakeSlots(std::span<const std::uint8_t> image, std::uint32_t offset, Slots& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i)
        Take(image, static_cast<std::uint32_t>(offset + i * slots[i].size()), slots[i]);
}

template <typename Slots>
void PutSlots(std::span<std::uint8_t> image, std::uint32_t offset, const Slots& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i)
        Put(image, static_cast<std::uint32_t>(offset + i * slots[i].size()), slots[i]);
}

void CopyFireSlots(WorkingSections& s) {
    for (std::size_t i = 0; i < s.FireMacros.size(); ++i) {
        const auto first = s.FireMacroImage.begin() + i * kFireMacroSlotSize;
        std::copy(first, first + kFireMacroSlotSize, s.FireMacros[i].begin());
    }
}

RepairedSections CheckAll(WorkingSections& s, const SectionDefaultsContext& ctx) {
    RepairedSections r;
    r.vendor = CheckVendorSection(s.VendorSection, ctx);
    r.user = CheckUserSection(s.UserSection, ctx);
    r.profiles[0] = CheckProfile1Section(s.ProfileSection[0], ctx);
    r.profiles[1] = CheckProfile2Section(s.ProfileSection[1], ctx);
    r.profiles[2] = CheckProfile3Section(s.ProfileSection[2], ctx);
    return r;
}

void SplitEeprom(std::span<const std::uint8_t> image, WorkingSections& s) {
    Take(image, eeprom::kVendor, s.VendorSection);
    Take(image, eeprom::kUser, s.UserSection);
    for (std::size_t p = 0; p < kProfileCount; ++p)
        Take(image, eeprom::kProfiles[p], s.ProfileSection[p]);
    Take(image, eeprom::kProfileTail, s.ProfileTailBlock);
    Take(image, eeprom::kIdBlock, s.IDBlock);
    Take(image, eeprom::kMacroArea, s.MacroArea);
    Take(image, eeprom::kPatchBlock, s.PatchBlock);
    Take(image, eeprom::kPatchCode, s.PatchCode);
    Take(image, eeprom::kFireMacros, s.FireMacroImage);
}

void SplitFlash(std::span<const std::uint8_t> image, WorkingSections& s) {
    Take(image, flash::kVendor, s.VendorSection);
    Take(image, flash::kSettingsHead, s.FlashSettingsHead);
    for (std::size_t p = 0; p < kProfileCount; ++p)
        Take(image, flash::kProfiles[p], s.ProfileSection[p]);
    Take(image, flash::kProfileTail, s.ProfileTailBlock);
    Take(image, flash::kUser, s.UserSection);
    TakeSlots(image, flash::kMacroNames.offset, s.FlashMacroNames);
    TakeSlots(image, flash::kMacroBodies.offset, s.FlashMacroBodies);
    Take(image, flash::kIdBlock, s.IDBlock);
    Take(image, flash::kFireMacros, s.FireMacroImage);
    Take(image, flash::kPatchCode, s.FlashPatchCode);
    s.FlashPatchLocked = IsFlashPatchLocked(s.FlashSettingsHead);
}

} // namespace

std::size_t ImageSizeFor(StorageKind kind) {
    switch (kind) {
    case StorageKind::I2C:
        return kEepromImageSize;
    case StorageKind::Flash:
        return kFlashImageSize;
    case StorageKind::None:
        break;
    }
    return 0;
}

std::optional<RepairedSections> SplitImage(StorageKind kind, std::span<const std::uint8_t> image,
                                           WorkingSections& sections,
                                           const SectionDefaultsContext& ctx,
                                           const MacroStoreHooks& hooks) {
    const std::size_t size = ImageSizeFor(kind);
    if (size == 0 || image.size() != size)
        return std::nullopt;
    if (kind == StorageKind::I2C)
        SplitEeprom(image, sections);
    else
        SplitFlash(image, sections);
    const RepairedSections repaired = CheckAll(sections, ctx);
    CopyFireSlots(sections);
    if (kind == StorageKind::I2C && hooks.macroAreaLoaded)
        hooks.macroAreaLoaded(sections);
    if (kind == StorageKind::Flash && hooks.flashMacroStoreLoaded)
        hooks.flashMacroStoreLoaded(sections);
    return repaired;
}

bool AssembleImage(StorageKind kind, const WorkingSections& s, std::span<std::uint8_t> image) {
    const std::size_t size = ImageSizeFor(kind);
    if (size == 0 || image.size() != size)
        return false;
    if (kind == StorageKind::I2C) {
        Put(image, eeprom::kVendor.offset, s.VendorSection);
        Put(image, eeprom::kUser.offset, s.UserSection);
        for (std::size_t p = 0; p < kProfileCount; ++p)
            Put(image, eeprom::kProfiles[p].offset, s.ProfileSection[p]);
        Put(image, eeprom::kProfileTail.offset, s.ProfileTailBlock);
        Put(image, eeprom::kIdBlock.offset, s.IDBlock);
        Put(image, eeprom::kMacroArea.offset, s.MacroArea);
        Put(image, eeprom::kPatchBlock.offset, s.PatchBlock);
        Put(image, eeprom::kPatchCode.offset, s.PatchCode);
        Put(image, eeprom::kFireMacros.offset, s.FireMacroImage);
        return true;
    }
    Put(image, flash::kVendor.offset, s.VendorSection);
    Put(image, flash::kSettingsHead.offset, s.FlashSettingsHead);
    for (std::size_t p = 0; p < kProfileCount; ++p)
        Put(image, flash::kProfiles[p].offset, s.ProfileSection[p]);
    Put(image, flash::kProfileTail.offset, s.ProfileTailBlock);
    Put(image, flash::kUser.offset, s.UserSection);
    PutSlots(image, flash::kMacroNames.offset, s.FlashMacroNames);
    PutSlots(image, flash::kMacroBodies.offset, s.FlashMacroBodies);
    Put(image, flash::kIdBlock.offset, s.IDBlock);
    Put(image, flash::kFireMacros.offset, s.FireMacroImage);
    Put(image, flash::kPatchCode.offset, s.FlashPatchCode);
    return true;
}

TProfileWriteBuffer BuildProfileWriteBuffer(WorkingSections& sections) {
    TProfileWriteBuffer buffer{};
    for (std::size_t p = 0; p < kProfileCount; ++p) {
        SetProfileChecksum(sections.ProfileSection[p]);
        Put(buffer, static_cast<std::uint32_t>(p * kProfileSectionSize),
            sections.ProfileSection[p]);
    }
    return buffer;
}

TFlashSettingsBlock BuildFlashSettingsBlock(const TFlashSettingsHead& head,
                                            const TProfileWriteBuffer& profiles,
                                            const TProfileTailBlock& tail) {
    TFlashSettingsBlock block{};
    Put(block, 0, head);
    Put(block, kFlashSettingsHeadSize, profiles);
    Put(block, kFlashSettingsHeadSize + kProfileWriteBufferSize, tail);
    static_assert(kFlashSettingsHeadSize + kProfileWriteBufferSize + kProfileTailSize + 44 ==
                  kFlashSettingsBlockSize);
    return block;
}

bool IsFlashPatchLocked(const TFlashSettingsHead& head) {
    return head[0] == 0x80;
}

} // namespace trvx
