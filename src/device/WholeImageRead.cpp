#include "device/WholeImageRead.h"

namespace trvx {
bool FillFromDefaultImage(StorageKind kind, std::span<const std::uint8_t> image,
                          WorkingModel& model, const SectionDefaultsContext& ctx,
                          const MacroStoreHooks& hooks) {
    return model.LoadImage(kind, image, ctx, hooks).has_value();
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

    std::optional<WorkingModel> read;
    if (kind != StorageKind::None) {
        std::vector<std::uint8_t> image;
        if (!ReadImage(kind, image)) {
            // A partial image would be repaired into defaults section by section and shown
            // as the mouse's; keep what the pages show instead.
            view_.ShowReadFailed();
            view_.EndRead(false);
            return WholeImageReadResult::ReadFailed;
        }
        // Split here, on the device thread, into a model the window has never seen; the window
        // takes it whole, so the two threads never share a working copy.
        read.emplace();
        if (auto repaired = read->LoadImage(kind, image, view_.SectionDefaults(kind), hooks_))
            repairs_ = *repaired;
        result = WholeImageReadResult::Filled;
    }

    view_.FillPages(std::move(read), kind);
    view_.EndRead(true);
    return result;
}

} // namespace trvx
