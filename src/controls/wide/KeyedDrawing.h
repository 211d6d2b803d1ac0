#pragma once
// Keyed drawing of bitmaps: one colour of a picture is see-through. Pixels are 0xAARRGGBB,
// key colours 0xRRGGBB.

#include <cstdint>
#include <optional>
#include <vector>

namespace trvx {

struct KeyedPixels {
    int width = 0;
    int height = 0;
    bool monochrome = false;
    std::vector<std::uint32_t> argb; // width * height, top row first
    std::uint32_t at(int x, int y) const { return argb[std::size_t(y) * width + x]; }
};

// The key: none (an ordinary copy), the picture's bottom-left or top-left pixel, or a given
// colour.
struct KeySpec {
    enum class Kind : std::uint8_t { None, BottomLeft, TopLeft, Color };
    Kind kind = Kind::None;
    std::uint32_t rgb = 0;
    static KeySpec none() { return {}; }
    static KeySpec bottomLeft() { return {Kind::BottomLeft, 0}; }
    static KeySpec topLeft() { return {Kind::TopLeft, 0}; }
    static KeySpec color(std::uint32_t rgb) { return {Kind::Color, rgb & 0xFFFFFF}; }
};

struct KeyedDrawPlan {
    int dx = 0, dy = 0, dw = 0, dh = 0; // destination
    int sx = 0, sy = 0, sw = 0, sh = 0; // source
    std::optional<std::uint32_t> key;   // the see-through colour, none for a plain copy
};

// What to draw: destination sizes below 1 take the picture's size; a source width or height
// below 1 takes the whole picture. A monochrome picture's white is see-through whatever key is
// given (other than none). A picture without pixels draws nothing.
std::optional<KeyedDrawPlan> PlanKeyedDraw(const KeyedPixels& bitmap, KeySpec key, int dx, int dy,
                                           int dw, int dh, int sx, int sy, int sw, int sh);

// The source part of the plan with the key colour's pixels made fully transparent.
KeyedPixels KeyedSource(const KeyedPixels& bitmap, const KeyedDrawPlan& plan);

// Draws the plan into `dest` by nearest-neighbour stretching, leaving it unchanged under the
// see-through pixels (what the widget layer does with a painter, for tests and off-screen use).
void DrawKeyed(KeyedPixels& dest, const KeyedPixels& bitmap, const KeyedDrawPlan& plan);

// Picture `index` of an image list kept as one strip of equal pictures side by side, each as
// wide as `entryWidth` and as high as the strip, as the list hands it out: opaque, with its
// translucent pixels laid over the list's background colour (0xRRGGBB). No pixels when the
// strip holds no such picture.
KeyedPixels ImageListEntry(const KeyedPixels& strip, int index, int entryWidth,
                           std::uint32_t backgroundRgb);

} // namespace trvx
