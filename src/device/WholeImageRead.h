#pragma once
// Reading the accepted mouse's whole configuration image into the working copy and handing it
// to the pages. The image is read into a scratch buffer first: only a read whose every reply
// arrived replaces the working image and is split (with check-and-repair) into the sections.
// A read that lost replies changes nothing and the user is told.

#include "device/AcceptedMouse.h"
#include "device/ConfigImage.h"
#include "device/DefaultSections.h"
#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trvx {

// Elements 1..45 held at index 0..44: 12(p-1)+k is key k of profile p, 36+n combination key n;
// eight upper-case hex digits each, in image byte order.
inline constexpr std::size_t kKeyCodeTextCount = 45;
using KeyCodeTextList = std::array<std::string, kKeyCodeTextCount>;

// The whole images and the sections the pages are filled from.
struct WorkingImages {
    std::vector<std::uint8_t> EepromImage = std::vector<std::uint8_t>(kEepromImageSize, 0);
    std::vector<std::uint8_t> FlashImage = std::vector<std::uint8_t>(kFlashImageSize, 0);
    WorkingSections Sections;
    KeyCodeTextList KeyCodeTexts;
};

KeyCodeTextList BuildKeyCodeTexts(const WorkingSections& sections);

// The stored patch checksum as four hex digits: PatchBlock bytes 6..7 (I2C) or FlashSettingsHead
// bytes 14..15 (Flash), big-endian; empty for None.
std::string StoredPatchChecksumText(StorageKind kind, const WorkingSections& sections);

// The no-device fill: default image 1 of the program's storage type becomes the working image and
// is split into the sections (with check-and-repair), and KeyCodeTexts are built; the window
// then fills its pages. False, with nothing changed, when the image is not of the kind's size.
bool FillFromDefaultImage(StorageKind kind, std::span<const std::uint8_t> image,
                          WorkingImages& images, const SectionDefaultsContext& ctx,
                          const MacroStoreHooks& hooks = {});

// What the main window does around a whole-image read.
class PageFillView {
public:
    virtual ~PageFillView() = default;
    // FillingUI on, DevTimer off, cover labels and the busy window shown, pending events run,
    // then the PC macro names listed.
    virtual void BeginRead() = 0;
    // The defaults a failed section check is repaired with, for the mouse of this storage type.
    virtual SectionDefaultsContext SectionDefaults(StorageKind kind) = 0;
    // The pages from the working copy (KeyCodeTexts already built): the page fill, the pointer
    // settings and the main page shown after the read.
    virtual void FillPages(const WorkingImages& images, StorageKind kind) = 0;
    // The read lost replies: nothing was filled; tell the user.
    virtual void ShowReadFailed() = 0;
    // Busy window hidden, pending events run, DevTimer on, FillingUI off; the cover labels go
    // only when the pages were filled.
    virtual void EndRead(bool pagesFilled) = 0;
};

enum class WholeImageReadResult {
    Filled,     // the mouse's image is in the working copy and on the pages
    NoMouse,    // no accepted mouse: the pages were filled from the working copy as it was
    ReadFailed, // replies were lost: working copy and pages unchanged
};

class WholeImageReader {
public:
    WholeImageReader(AcceptedMouse& mouse, PageFillView& view, WorkingImages& images,
                     MacroStoreHooks hooks = {})
        : mouse_(mouse), view_(view), images_(images), hooks_(std::move(hooks)) {}

    void SetMacroStoreHooks(MacroStoreHooks hooks) { hooks_ = std::move(hooks); }

    // The whole-image read (Btn_Read), by the accepted mouse's storage type.
    WholeImageReadResult Read();
    // Which sections the last good read had to repair.
    const RepairedSections& LastRepairs() const { return repairs_; }

private:
    // Reads the whole image of the kind into `image`; false as soon as a block lost a reply.
    bool ReadImage(StorageKind kind, std::vector<std::uint8_t>& image);

    AcceptedMouse& mouse_;
    PageFillView& view_;
    WorkingImages& images_;
    MacroStoreHooks hooks_;
    RepairedSections repairs_;
};

} // namespace trvx
