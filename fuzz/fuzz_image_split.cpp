// Arbitrary bytes as a configuration image of either storage type: split with check-and-repair,
// assemble back, and the start-up facts of a default image. After a split every checked section
// is valid, so splitting the assembled image again must repair nothing and give the same
// sections.
#include "device/ConfigImage.h"
#include "device/DefaultImages.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void RoundTrip(trvx::StorageKind kind, std::vector<std::uint8_t> image) {
    const trvx::SectionDefaultsContext ctx{kind, "RGB", static_cast<int>(image[0] % 3), 0x1209,
                                           0x0001};
    trvx::WorkingSections first;
    if (!trvx::SplitImage(kind, image, first, ctx))
        std::abort();
    if (!trvx::AssembleImage(kind, first, image))
        std::abort();
    trvx::WorkingSections second;
    const auto repaired = trvx::SplitImage(kind, image, second, ctx);
    if (!repaired || repaired->any() || second.VendorSection != first.VendorSection ||
        second.UserSection != first.UserSection || second.ProfileSection != first.ProfileSection)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    trvx::WorkingSections sections;
    const trvx::SectionDefaultsContext ctx{trvx::StorageKind::I2C, "Sync", 1, 1, 2};
    // As given: refused unless exactly an image's size.
    for (auto kind : {trvx::StorageKind::None, trvx::StorageKind::I2C, trvx::StorageKind::Flash}) {
        const bool ok = trvx::SplitImage(kind, input, sections, ctx).has_value();
        if (ok != (size != 0 && size == trvx::ImageSizeFor(kind)))
            std::abort();
    }
    (void)trvx::ReadDefaultImageHead(input);
    if (size == 0)
        return 0;
    // Padded or cut to each image size, so the sections see the fuzzer's bytes.
    for (auto kind : {trvx::StorageKind::I2C, trvx::StorageKind::Flash}) {
        std::vector<std::uint8_t> image = input;
        image.resize(trvx::ImageSizeFor(kind), 0x00);
        RoundTrip(kind, std::move(image));
    }
    return 0;
}
