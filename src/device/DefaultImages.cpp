#include "device/DefaultImages.h"

#include "base/Resources.h"

#include <algorithm>

namespace trvx {

std::optional<DefaultImageFacts> ReadDefaultImageHead(std::span<const std::uint8_t> firstImage) {
    if (firstImage.size() < kDefaultImageHeadSize)
        return std::nullopt;
    const auto head = firstImage.first(kDefaultImageHeadSize);
    DefaultImageFacts facts;
    facts.DefaultVID = static_cast<std::uint32_t>(head[0] << 8 | head[1]);
    facts.DefaultPID = static_cast<std::uint32_t>(head[2] << 8 | head[3]);
    const std::uint32_t id = eeprom::kIdBlock.offset;
    if (head[id + kIdSignatureIndex] == kIdSignatureI2C) {
        facts.StorageType = StorageKind::I2C;
        facts.DefaultManuID = head[id];
        facts.DefaultProID = head[id + 1];
    } else {
        facts.StorageType = StorageKind::Flash;
        const auto image = LoadDefaultImage(StorageKind::Flash, firstImage);
        facts.DefaultManuID = image[flash::kIdBlock.offset];
        facts.DefaultProID = image[flash::kIdBlock.offset + 1];
    }
    return facts;
}

std::vector<std::uint8_t> LoadDefaultImage(StorageKind storage,
                                           std::span<const std::uint8_t> resource) {
    std::size_t size = 0;
    if (storage == StorageKind::I2C)
        size = kEepromImageSize;
    else if (storage == StorageKind::Flash)
        size = kFlashImageSize;
    std::vector<std::uint8_t> image(size, 0x00);
    const std::size_t n = std::min(size, resource.size());
    std::copy(resource.begin(), resource.begin() + static_cast<std::ptrdiff_t>(n), image.begin());
    return image;
}

std::array<std::vector<std::uint8_t>, 3>
LoadDefaultImages(StorageKind storage, const std::array<std::string_view, 3>& names) {
    std::array<std::vector<std::uint8_t>, 3> images;
    for (std::size_t i = 0; i < names.size(); ++i)
        images[i] = LoadDefaultImage(storage, resource(names[i]));
    return images;
}

} // namespace trvx
