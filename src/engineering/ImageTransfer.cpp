#include "engineering/ImageTransfer.h"

#include "device/AcceptedMouse.h"
#include "device/ConfigImageChecks.h"

#include <algorithm>
#include <cctype>

namespace trvx {

namespace {

std::size_t SignatureOffset(StorageKind kind) {
    return (kind == StorageKind::I2C ? eeprom::kIdBlock.offset : flash::kIdBlock.offset) +
           kIdBlockSize - 1;
}

void CopyRange(std::span<const std::uint8_t> from, std::span<std::uint8_t> to, std::size_t offset,
               std::size_t length) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(offset), length,
                to.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace

ImageFileCheck CheckImageFile(StorageKind kind, std::span<const std::uint8_t> file) {
    if (kind == StorageKind::None)
        return ImageFileCheck::NoStorage;
    if (file.size() != ImageSizeFor(kind))
        return ImageFileCheck::WrongSize;
    const std::uint8_t want = kind == StorageKind::I2C ? kI2CImageSignature : kFlashImageSignature;
    if (file[SignatureOffset(kind)] != want)
        return ImageFileCheck::BadSignature;
    return ImageFileCheck::Ok;
}

std::string ImageFileName(std::string_view chosen) {
    std::string name(chosen);
    constexpr std::string_view suffix = ".bin";
    bool has = name.size() >= suffix.size();
    for (std::size_t i = 0; has && i < suffix.size(); ++i)
        has = std::tolower(static_cast<unsigned char>(name[name.size() - suffix.size() + i])) ==
              suffix[i];
    if (!has)
        name += suffix;
    return name;
}

std::vector<BlockWrite> WholeImageWrites(StorageKind kind, std::span<const std::uint8_t> image) {
    std::vector<BlockWrite> writes;
    if (kind == StorageKind::None || image.size() != ImageSizeFor(kind))
        return writes;
    const std::size_t page = kind == StorageKind::I2C ? kEepromImageSize : kFlashPageSize;
    for (std::size_t at = 0; at < image.size(); at += page)
        writes.push_back({static_cast<std::uint16_t>(at),
                          {image.begin() + static_cast<std::ptrdiff_t>(at),
                           image.begin() + static_cast<std::ptrdiff_t>(at + page)}});
    return writes;
}

bool SendBlockWrites(AcceptedMouse& mouse, const std::vector<BlockWrite>& writes) {
    for (const BlockWrite& w : writes)
        if (!mouse.WriteBlock(w.address, w.bytes))
            return false;
    return !writes.empty();
}

std::vector<std::uint8_t> AssembledImage(StorageKind kind, const WorkingModel& model) {
    if (kind == StorageKind::None)
        return {};
    std::vector<std::uint8_t> image = model.Image(kind);
    if (!AssembleImage(kind, model.Sections(), image))
        return {};
    return image;
}

std::vector<std::uint8_t> DefaultImageKeepingPatch(StorageKind kind,
                                                   std::span<const std::uint8_t> defaultImage,
                                                   std::span<const std::uint8_t> mouseImage) {
    const std::size_t size = ImageSizeFor(kind);
    if (size == 0 || defaultImage.size() != size || mouseImage.size() != size)
        return {};
    std::vector<std::uint8_t> image(defaultImage.begin(), defaultImage.end());
    if (kind == StorageKind::I2C) {
        CopyRange(mouseImage, image, eeprom::kPatchBlock.offset,
                  eeprom::kPatchBlock.length + eeprom::kPatchCode.length);
    } else {
        CopyRange(mouseImage, image, flash::kPatchCode.offset, flash::kPatchCode.length);
        CopyRange(mouseImage, image, flash::kSettingsHead.offset, 1);
        CopyRange(mouseImage, image, flash::kSettingsHead.offset + 8, 8);
    }
    return image;
}

void RebuildCodedDefaults(StorageKind kind, WorkingSections& s, const SectionDefaultsContext& ctx) {
    DefaultVendorSection(s.VendorSection, ctx);
    SetVendorChecksum(s.VendorSection);
    DefaultUserSection(s.UserSection, ctx);
    SetUserChecksum(s.UserSection);
    DefaultProfile1Section(s.ProfileSection[0], ctx);
    DefaultProfile2Section(s.ProfileSection[1], ctx);
    DefaultProfile3Section(s.ProfileSection[2], ctx);
    for (TProfileSection& p : s.ProfileSection)
        SetProfileChecksum(p);
    DefaultIDBlock(s.IDBlock, ctx);
    if (kind == StorageKind::I2C)
        s.MacroArea.fill(0);
    else if (kind == StorageKind::Flash)
        DefaultMacroStore(s.FlashMacroNames, s.FlashMacroBodies);
    ClearFireMacros(s.FireMacros);
}

std::uint16_t PatchChecksum(std::span<const std::uint8_t> code) {
    std::uint16_t sum = 0;
    for (std::uint8_t b : code)
        sum = static_cast<std::uint16_t>(sum + b);
    return static_cast<std::uint16_t>(sum ^ 0x015A);
}

PatchFileCheck LoadPatchFile(StorageKind kind, std::span<const std::uint8_t> file,
                             WorkingSections& sections) {
    if (kind == StorageKind::I2C) {
        if (file.size() != kI2CPatchFileSize)
            return PatchFileCheck::WrongSize;
        const auto code = file.subspan(kPatchBlockSize, kPatchCodeSize);
        const std::uint16_t stored = static_cast<std::uint16_t>((file[6] << 8) | file[7]);
        if (stored != PatchChecksum(code))
            return PatchFileCheck::BadChecksum;
        std::copy_n(file.begin(), kPatchBlockSize, sections.PatchBlock.begin());
        std::copy(code.begin(), code.end(), sections.PatchCode.begin());
        return PatchFileCheck::Ok;
    }
    if (kind == StorageKind::Flash) {
        if (file.size() != kFlashPatchFileSize)
            return PatchFileCheck::WrongSize;
        const auto code = file.subspan(kFlashPatchFileCodeOffset, kFlashPatchCodeSize);
        std::copy(code.begin(), code.end(), sections.FlashPatchCode.begin());
        return PatchFileCheck::Ok;
    }
    return PatchFileCheck::NoStorage;
}

void CheckEEPatchCodeSection(WorkingSections& s) {
    const std::uint16_t sum = PatchChecksum(s.PatchCode);
    s.PatchBlock[0] = 0x04;
    s.PatchBlock[1] = 0x00;
    s.PatchBlock[4] = 0x00;
    s.PatchBlock[5] = 0x1A;
    s.PatchBlock[6] = static_cast<std::uint8_t>(sum >> 8);
    s.PatchBlock[7] = static_cast<std::uint8_t>(sum);
}

void CheckPatchCodeSection(WorkingSections& s) {
    const std::uint16_t sum = PatchChecksum(s.FlashPatchCode);
    const std::uint8_t header[8] = {0xC0,
                                    0x00,
                                    0x04,
                                    0x00,
                                    0x00,
                                    0x1A,
                                    static_cast<std::uint8_t>(sum >> 8),
                                    static_cast<std::uint8_t>(sum)};
    std::copy(std::begin(header), std::end(header), s.FlashSettingsHead.begin() + 8);
}

std::vector<BlockWrite> PatchWrites(StorageKind kind, WorkingModel& model) {
    WorkingSections& s = model.EditSections();
    if (kind == StorageKind::I2C) {
        CheckEEPatchCodeSection(s);
        return {{static_cast<std::uint16_t>(eeprom::kPatchBlock.offset),
                 {s.PatchBlock.begin(), s.PatchBlock.end()}},
                {static_cast<std::uint16_t>(eeprom::kPatchCode.offset),
                 {s.PatchCode.begin(), s.PatchCode.end()}}};
    }
    if (kind == StorageKind::Flash && !s.FlashPatchLocked &&
        !IsFlashPatchLocked(s.FlashSettingsHead)) {
        CheckPatchCodeSection(s);
        std::vector<BlockWrite> writes{{static_cast<std::uint16_t>(flash::kPatchCode.offset),
                                        {s.FlashPatchCode.begin(), s.FlashPatchCode.end()}}};
        // The settings block carries the profiles too: from the working copies, not a buffer
        // left over from an earlier write.
        if (auto settings = model.ProfileWrite(StorageKind::Flash))
            writes.push_back(std::move(*settings));
        return writes;
    }
    return {};
}

} // namespace trvx
