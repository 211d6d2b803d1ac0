// GIF reader: any bytes must load or fail cleanly, and every frame that loads must decode and
// compose without touching memory outside its buffers.
#include "controls/wide/GifCompose.h"
#include "controls/wide/GifImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trvx::GifImage image;
    if (image.load({data, size}))
        return 0;
    trvx::GifComposer composer;
    const bool smallScreen = std::int64_t(image.screenWidth()) * image.screenHeight() <= 512 * 512;
    for (int i = 0; i < image.frameCount(); ++i) {
        if (image.decodeFrame(i))
            continue;
        if (smallScreen)
            (void)composer.compose(image, i);
    }
    return 0;
}
