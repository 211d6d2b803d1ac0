#pragma once
// Integer rectangles for the control layouts, given as left, top, right and bottom with the
// right and bottom edges outside, as the drawing code thinks of them.

namespace trvx {

struct LayoutPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LayoutPoint&, const LayoutPoint&) = default;
};

struct LayoutSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const LayoutSize&, const LayoutSize&) = default;
};

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    // Left and top edges inside, right and bottom outside.
    bool contains(LayoutPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

} // namespace trvx
