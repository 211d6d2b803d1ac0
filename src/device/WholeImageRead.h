#pragma once
// Reading the accepted mouse's whole configuration image and handing it to the pages. The read
// runs on the device thread into a model of its own: only a read whose every reply arrived is
// split (with check-and-repair) and handed to the window as a value, which the window's model
// then becomes. A read that lost replies hands nothing over and the user is told.

#include "device/AcceptedMouse.h"
#include "device/ConfigImage.h"
#include "device/DefaultSections.h"
#include "device/ImageLayout.h"
#include "device/WorkingModel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trvx {

// The no-device fill: default image 1 of the program's storage type becomes the working image and
// is split into the sections (with check-and-repair); the window then fills its pages. False,
// with nothing changed, when the image is not of the kind's size.
bool FillFromDefaultImage(StorageKind kind, std::span<const std::uint8_t> image,
                          WorkingModel& model, const SectionDefaultsContext& ctx,
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
    // The page fill, the pointer settings and the main page shown after the read. `read` is the
    // finished image the read made, handed over as a value: the window's model becomes it. With
    // no mouse to read it is empty and the pages are filled from the model as it is.
    virtual void FillPages(std::optional<WorkingModel> read, StorageKind kind) = 0;
    // The read lost replies: nothing was filled; tell the user.
    virtual void ShowReadFailed() = 0;
    // Busy window hidden, pending events run, DevTimer on, FillingUI off; the cover labels go
    // only when the pages were filled.
    virtual void EndRead(bool pagesFilled) = 0;
};

enum class WholeImageReadResult {
    Filled,     // the mouse's image was handed to the pages
    NoMouse,    // no accepted mouse: the pages were filled from the model as it was
    ReadFailed, // replies were lost: nothing handed over, pages unchanged
};

class WholeImageReader {
public:
    WholeImageReader(AcceptedMouse& mouse, PageFillView& view, MacroStoreHooks hooks = {})
        : mouse_(mouse), view_(view), hooks_(std::move(hooks)) {}

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
    MacroStoreHooks hooks_;
    RepairedSections repairs_;
};

} // namespace trvx
