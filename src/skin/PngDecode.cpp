#include "skin/PngDecode.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace trvx {
namespace {

// Far above any skin picture; keeps a corrupt header from asking for gigabytes.
constexpr png_uint_32 kMaxSide = 16384;

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at;
};

void readFromSource(png_structp png, png_bytep out, png_size_t length) {
    auto* src = static_cast<Source*>(png_get_io_ptr(png));
    if (length > src->size - src->at)
        png_error(png, "unexpected end of data");
    std::memcpy(out, src->data + src->at, length);
    src->at += length;
}

void ignoreWarning(png_structp, png_const_charp) {}

// Everything libpng may leave by longjmp lives here: only trivially destructible locals, the
// buffers belong to the caller.
PngDecodeResult decode(png_structp png, png_infop info, Source* src,
                       const std::function<PngTarget(const PngHeader&)>* target,
                       std::vector<std::uint8_t>* passRow) {
    if (setjmp(png_jmpbuf(png)))
        return PngDecodeResult::Failed;
    png_set_read_fn(png, src, readFromSource);
    png_set_user_limits(png, kMaxSide, kMaxSide);
#ifdef PNG_IGNORE_ADLER32
    // The chunks' CRCs still guard the data; the zlib stream's own sum over every decoded byte
    // costs as much as the inflating.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colour = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    if (depth != 8 || (colour != PNG_COLOR_TYPE_RGB && colour != PNG_COLOR_TYPE_RGB_ALPHA) ||
        png_get_valid(png, info,
                      PNG_INFO_tRNS | PNG_INFO_gAMA | PNG_INFO_cHRM | PNG_INFO_sRGB |
                          PNG_INFO_iCCP))
        return PngDecodeResult::Unsupported;

    // 0xAARRGGBB in native order: B, G, R, A bytes on little-endian machines.
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        if (colour == PNG_COLOR_TYPE_RGB)
            png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        if (colour == PNG_COLOR_TYPE_RGB)
            png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
        else
            png_set_swap_alpha(png);
    }
    png_read_update_info(png, info);

    const PngHeader header{static_cast<int>(width), static_cast<int>(height),
                           colour == PNG_COLOR_TYPE_RGB_ALPHA};
    const PngTarget rows = (*target)(header);
    if (rows.first == nullptr)
        return PngDecodeResult::Failed;

    if (interlace == PNG_INTERLACE_NONE) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, rows.first + static_cast<std::ptrdiff_t>(y) * rows.stride, nullptr);
    } else {
        // Each pass is a small image of its own; its pixels go to their places in the rows.
        passRow->resize(static_cast<std::size_t>(width) * 4);
        for (int pass = 0; pass < 7; ++pass) {
            const png_uint_32 cols = PNG_PASS_COLS(width, pass);
            const png_uint_32 passRows = PNG_PASS_ROWS(height, pass);
            if (cols == 0 || passRows == 0)
                continue;
            const png_uint_32 firstCol = PNG_PASS_START_COL(pass);
            const png_uint_32 colStep = 1u << PNG_PASS_COL_SHIFT(pass);
            for (png_uint_32 r = 0; r < passRows; ++r) {
                png_read_row(png, passRow->data(), nullptr);
                const png_uint_32 y = PNG_ROW_FROM_PASS_ROW(r, pass);
                auto* out = reinterpret_cast<std::uint32_t*>(
                    rows.first + static_cast<std::ptrdiff_t>(y) * rows.stride);
                const auto* in = passRow->data();
                for (png_uint_32 c = 0, x = firstCol; c < cols; ++c, x += colStep, in += 4)
                    std::memcpy(out + x, in, 4);
            }
        }
    }
    png_read_end(png, nullptr);
    return PngDecodeResult::Decoded;
}

} // namespace

PngDecodeResult DecodePng(std::span<const std::uint8_t> bytes,
                          const std::function<PngTarget(const PngHeader&)>& target) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        return PngDecodeResult::Failed;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
    if (png == nullptr)
        return PngDecodeResult::Failed;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return PngDecodeResult::Failed;
    }
    Source src{bytes.data(), bytes.size(), 0};
    std::vector<std::uint8_t> passRow;
    const PngDecodeResult result = decode(png, info, &src, &target, &passRow);
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

} // namespace trvx
