#pragma once
// Builds the whole logical screen of a GIF as it looks while one frame is shown, honouring each
// frame's position, transparency and disposal. Keeps the last screen so that the next frame is
// normally drawn onto it instead of replaying the frames before it.

#include "controls/wide/GifImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

struct GifScreen {
    int width = 0;
    int height = 0;
    std::vector<GifColor> pixels;     // width * height colours, top row first
    std::optional<GifColor> keyColor; // the see-through colour, when the picture has one
    GifColor at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    // 0xAARRGGBB pixels; with `keyed`, pixels of the key colour get alpha 0.
    std::vector<std::uint32_t> toArgb32(bool keyed) const;
};

class GifComposer {
public:
    // Composes frame `index` (limited to the last frame) of `image`. `windowColor` fills the
    // screen of a picture that has neither a transparent colour nor a background colour to use.
    // Returns an error text when a frame fails to decode or the screen is too large.
    std::optional<std::string> compose(GifImage& image, int index, GifColor windowColor = 0xFFFFFF);

    const GifScreen& screen() const { return screen_; }
    int cachedIndex() const { return cacheIndex_; }
    // Forgets the kept screen (the picture changed).
    void reset();

private:
    GifScreen screen_;
    int cacheIndex_ = -1;
};

} // namespace trvx
