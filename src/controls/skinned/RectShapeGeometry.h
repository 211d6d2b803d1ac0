#pragma once
// Rectangles of the rectangle shape and of its drop shadow, as the corners the rectangle call
// receives: (left, top) inside, (right, bottom) just outside.

#include "controls/skinned/SkinGeometry.h"

#include <optional>

namespace trvx {

struct RectShapeRects {
    std::optional<SkinRect> shadow; // drawn first, when the shadow is on
    SkinRect shape;
    friend bool operator==(const RectShapeRects&, const RectShapeRects&) = default;
};

// A width x height shape with a pen of penWidth and a shadow offset down and right by
// shadowOffset: with the shadow the shape is that much smaller each way and the shadow, of the
// same size, sits that much down and right; without it the shape fills the control.
RectShapeRects RectShapeLayout(int width, int height, int penWidth, int shadowOffset, bool shadow);

} // namespace trvx
