#pragma once
// A PNG decoder for the skin art: 8-bit RGB and RGBA images, plain or Adam7-interlaced, straight
// into the caller's 32-bit pixel rows. Interlaced images are put together here row by row of
// each pass, far faster than through libpng's own pixel-by-pixel merging.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace trvx {

struct PngHeader {
    int width = 0;
    int height = 0;
    bool alpha = false; // colour type RGBA (else RGB)
};

// Where the decoded rows go: row y starts at first + y * stride bytes and holds width 32-bit
// pixels 0xAARRGGBB in native byte order (alpha 0xFF for RGB images).
struct PngTarget {
    std::uint8_t* first = nullptr;
    std::ptrdiff_t stride = 0;
};

enum class PngDecodeResult {
    Decoded,
    Unsupported, // another kind of PNG (palette, grey, 16-bit, transparency or colour-space
                 // chunks): use a general decoder
    Failed,      // not a PNG, or corrupt
};

// Reads the header, asks `target` for the rows (a null `first` stops it), and decodes the
// pixels into them. On Failed the rows may hold part of the image.
PngDecodeResult DecodePng(std::span<const std::uint8_t> bytes,
                          const std::function<PngTarget(const PngHeader&)>& target);

} // namespace trvx
