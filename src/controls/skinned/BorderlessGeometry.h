#pragma once
// Geometry of the borderless panel and group box: frame widths, the rings of the border colour,
// the client area, the caption box and the grid.

#include "controls/skinned/SkinGeometry.h"

#include <cstdint>
#include <vector>

namespace trvx {

enum class TFrameStyleEx : std::uint8_t {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};

enum class TAlignmentVertical : std::uint8_t { avTop, avCenter, avBottom };

// Sides a frame is drawn on.
struct TSides {
    bool left = true;
    bool top = true;
    bool right = true;
    bool bottom = true;
};

// Width a frame style takes on each framed side.
int FrameStyleWidth(TFrameStyleEx style, int bevelWidth);

// Shrinks r by `amount` on the given sides.
SkinRect ShrinkSides(const SkinRect& r, const TSides& sides, int amount);

struct PlainPanelLayout {
    SkinRect outerFrame;         // where the outer frame is drawn
    std::vector<SkinRect> rings; // one-pixel rings of the border colour, outermost first
    SkinRect innerFrame;         // where the inner frame is drawn
    SkinRect fill;               // what is filled with the colour
};

PlainPanelLayout PlainPanelPaintLayout(int width, int height, TFrameStyleEx outer,
                                       TFrameStyleEx inner, const TSides& sides, int bevelWidth,
                                       int borderWidth);

// The client area for children: the frames and the border-width rings taken off.
SkinRect PlainPanelClientRect(int width, int height, TFrameStyleEx outer, TFrameStyleEx inner,
                              const TSides& sides, int bevelWidth, int borderWidth);

// The caption's text box within `box` (the area less its margins) for a text of textHeight.
SkinRect PlainCaptionBox(const SkinRect& box, int textHeight, TAlignmentVertical vertical);

// Grid line positions across a range: start + i * size - 1 for i = 1, 2, ... while inside.
std::vector<int> PlainGridLines(int start, int end, int size);

// --- Borderless group box ---

enum class TPlainBorderStyle : std::uint8_t { bsNone, bsSingle, bsDouble };
enum class TCaptionPosition : std::uint8_t {
    cpTopLeft,
    cpTopRight,
    cpTopCenter,
    cpBottomLeft,
    cpBottomRight,
    cpBottomCenter
};

int PlainGroupBorderWidth(TPlainBorderStyle style, bool ctl3d);

struct PlainGroupLayout {
    SkinRect caption; // empty when there is neither caption nor image
    SkinRect border;
    SkinRect client;
};

// textWidth/textHeight: the caption's size (0 when empty); imageWidth/imageHeight: the image's
// (0 when none).
PlainGroupLayout PlainGroupBoxLayout(int width, int height, TPlainBorderStyle style, bool ctl3d,
                                     TCaptionPosition position, int textWidth, int textHeight,
                                     int imageWidth, int imageHeight);

} // namespace trvx
