#include "device/WholeImageRead.h"

namespace trvx {
namespace {

void AppendHex(std::string& text, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
}

} // namespace

KeyCodeTextList BuildKeyCodeTexts(const WorkingSections& sections) {
    KeyCodeTextList texts;
    for (std::size_t p = 0; p < kProfileCount; ++p)
        for (std::size_t k = 0; k < kKeysPerProfile; ++k)
            for (std::size_t i = 0; i < 4; ++i)
                AppendHex(texts[kKeysPerProfile * p + k], sections.ProfileSection[p][4 * k + i]);
    // Combination key n (1..9) sits at vendor byte 123 + 4n.
    for (std::size_t n = 1; n <= 9; ++n)
        for (std::size_t i = 0; i < 4; ++i)
            AppendHex(texts[35 + n], sections.VendorSection[123 + 4 * n + i]);
    return texts;
}

std::string StoredPatchChecksumText(StorageKind kind, const WorkingSections& sections) {
    std::string text;
    if (kind == StorageKind::I2C) {
        AppendHex(text, sections.PatchBlock[6]);
        AppendHex(text, sections.PatchBlock[7]);
    } else if (kind == StorageKind::Flash) {
        AppendHex(text, sections.FlashSettingsHead[14]);
        AppendHex(text, sections.FlashSettingsHead[15]);
    }
    return text;
}

bool FillFromDefaultImage(StorageKind kind, std::span<const std::uint8_t> image,
                          WorkingImages& images, const SectionDefaultsContext& ctx,
                          const MacroStoreHooks& hooks) {
    if (kind == StorageKind::None || image.size() != ImageSizeFor(kind))
        return false;
    auto& target = kind == StorageKind::I2C ? images.EepromImage : images.FlashImage;
    target.assign(image.begin(), image.end());
    SplitImage(kind, target, images.Sections, ctx, hooks);
    images.KeyCodeTexts = BuildKeyCodeTexts(images.Sections);
    return true;
}

bool WholeImageReader::ReadImage(StorageKind kind, std::vector<std::uint8_t>& image) {
    image.assign(ImageSizeFor(kind), 0xFF);
    if (kind == StorageKind::I2C)
        return mouse_.ReadBlockShowBusy(0, static_cast<int>(kEepromImageSize), image);
    for (std::size_t page = 0; page < kFlashPageCount; ++page) {
        const std::span<std::uint8_t> dest(image.data() + page * kFlashPageSize, kFlashPageSize);
        if (!mouse_.ReadBlockShowBusy(static_cast<std::uint16_t>(page * kFlashPageSize),
                                      static_cast<int>(kFlashPageSize), dest))
            return false;
    }
    return true;
}

WholeImageReadResult WholeImageReader::Read() {
    view_.BeginRead();
    const StorageKind kind = mouse_.AcceptedStorage();
    WholeImageReadResult result = WholeImageReadResult::NoMouse;
    repairs_ = {};

    if (kind != StorageKind::None) {
        std::vector<std::uint8_t> image;
        if (!ReadImage(kind, image)) {
            // A partial image would be repaired into defaults section by section and shown
            // as the mouse's; keep what the pages show instead.
            view_.ShowReadFailed();
            view_.EndRead(false);
            return WholeImageReadResult::ReadFailed;
        }
        auto& target = kind == StorageKind::I2C ? images_.EepromImage : images_.FlashImage;
        target = std::move(image);
        if (auto repaired =
                SplitImage(kind, target, images_.Sections, view_.SectionDefaults(kind), hooks_))
            repairs_ = *repaired;
        result = WholeImageReadResult::Filled;
    }

    images_.KeyCodeTexts = BuildKeyCodeTexts(images_.Sections);
    view_.FillPages(images_, kind);
    view_.EndRead(true);
    return result;
}

} // namespace trvx
