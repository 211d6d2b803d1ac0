#pragma once
// Sizes and the half-open point test the control layouts use beside the shared rectangles.

#include "controls/skinned/SkinGeometry.h"

namespace trvx {

struct LayoutSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const LayoutSize&, const LayoutSize&) = default;
};

// Left and top edges inside, right and bottom outside: the test a drawn piece is hit with.
constexpr bool RectContains(const SkinRect& r, SkinPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace trvx
