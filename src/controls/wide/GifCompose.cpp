#include "controls/wide/GifCompose.h"

#include <algorithm>

namespace trvx {

namespace {

constexpr std::uint64_t kMaxScreenPixels = std::uint64_t(1) << 24;

void fillRect(GifScreen& screen, int left, int top, int width, int height, GifColor color) {
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + width, screen.width);
    const int y1 = std::min(top + height, screen.height);
    if (x1 <= x0)
        return;
    for (int y = y0; y < y1; ++y)
        std::fill_n(screen.pixels.begin() + std::ptrdiff_t(y) * screen.width + x0, x1 - x0, color);
}

// Draws a decoded frame at its place; pixels of its transparent colour leave the screen as is.
void drawFrame(GifScreen& screen, const GifFrame& frame) {
    const auto& bitmap = *frame.bitmap;
    // Only the part of the frame that lies on the screen.
    const int x0 = std::max(0, -frame.left);
    const int y0 = std::max(0, -frame.top);
    const int x1 = std::min(bitmap.width, screen.width - frame.left);
    const int y1 = std::min(bitmap.height, screen.height - frame.top);
    for (int y = y0; y < y1; ++y) {
        GifColor* row = screen.pixels.data() + std::size_t(frame.top + y) * screen.width;
        for (int x = x0; x < x1; ++x) {
            const GifColor color = bitmap.colorAt(x, y);
            if (frame.transparentColor && color == *frame.transparentColor)
                continue;
            row[frame.left + x] = color;
        }
    }
}

} // namespace

std::vector<std::uint32_t> GifScreen::toArgb32(bool keyed) const {
    std::vector<std::uint32_t> out(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const GifColor c = pixels[i];
        const std::uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        const bool clear = keyed && keyColor && c == *keyColor;
        out[i] = clear ? rgb : (0xFF000000u | rgb);
    }
    return out;
}

void GifComposer::reset() {
    screen_ = GifScreen{};
    cacheIndex_ = -1;
}

std::optional<std::string> GifComposer::compose(GifImage& image, int index, GifColor windowColor) {
    if (image.frameCount() == 0 || index < 0) {
        reset();
        return std::string(gif_error::kStreamRead);
    }
    index = std::min(index, image.frameCount() - 1);

    // The brush: the current frame's transparent colour (which also becomes the key colour),
    // else the picture's background when it is see-through, else the window colour.
    const int current = std::clamp(image.frameIndex(), 0, image.frameCount() - 1);
    const auto transparent = image.frame(current).transparentColor;
    GifColor brush = windowColor;
    if (transparent)
        brush = *transparent;
    else if (image.backgroundColor() && image.transparent())
        brush = *image.backgroundColor();

    const bool reuse = cacheIndex_ >= 0 && cacheIndex_ == index - 1 &&
                       image.frame(cacheIndex_).disposal != std::uint8_t(GifDisposal::Previous);
    auto failed = [this](std::optional<std::string> error) {
        reset();
        return error;
    };

    if (reuse) {
        const GifFrame& previous = image.frame(cacheIndex_);
        if (previous.disposal == std::uint8_t(GifDisposal::Background))
            fillRect(screen_, previous.left, previous.top, previous.width, previous.height, brush);
    } else {
        reset();
        const int width = image.screenWidth();
        const int height = image.screenHeight();
        if (std::uint64_t(width) * std::uint64_t(height) > kMaxScreenPixels)
            return failed(std::string(gif_error::kTooLarge));
        screen_.width = width;
        screen_.height = height;
        screen_.pixels.assign(std::size_t(width) * std::size_t(height), brush);
        screen_.keyColor = transparent;

        // Start from the latest frame that covers the whole screen by itself.
        int start = 0;
        for (int i = index; i >= 1; --i) {
            if (auto error = image.decodeFrame(i))
                return failed(error);
            const GifFrame& f = image.frame(i);
            const bool fullSize = f.bitmap->width == width && f.bitmap->height == height;
            const bool clears = f.disposal == std::uint8_t(GifDisposal::Background) && i < index;
            if (fullSize && (!f.transparentColor || clears)) {
                start = i;
                break;
            }
        }
        for (int i = start; i < index; ++i) {
            if (auto error = image.decodeFrame(i))
                return failed(error);
            const GifFrame& f = image.frame(i);
            if (f.disposal <= std::uint8_t(GifDisposal::Leave))
                drawFrame(screen_, f);
            else if (f.disposal == std::uint8_t(GifDisposal::Background) && i != start)
                fillRect(screen_, f.left, f.top, f.width, f.height, brush);
        }
    }

    if (auto error = image.decodeFrame(index))
        return failed(error);
    drawFrame(screen_, image.frame(index));
    cacheIndex_ = index;
    return std::nullopt;
}

} // namespace trvx
