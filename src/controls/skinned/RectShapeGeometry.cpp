#include "controls/skinned/RectShapeGeometry.h"

namespace trvx {

RectShapeRects RectShapeLayout(int width, int height, int penWidth, int shadowOffset, bool shadow) {
    const int p = penWidth;
    const int s = shadowOffset;
    const int zeroPen = p == 0 ? 1 : 0;
    RectShapeRects out;
    if (shadow) {
        const int x = p / 2 + s;
        const int w = width - s - p + 1 - zeroPen;
        const int h = height - s - p + 1 - zeroPen;
        out.shadow = SkinRect{x, x, x + w, x + h};
    }
    const int x = p / 2;
    int w = width - s - p + 1;
    int h = height - s - p + 1;
    if (!shadow) {
        w += s;
        h += s;
    }
    w -= zeroPen;
    h -= zeroPen;
    out.shape = SkinRect{x, x, x + w, x + h};
    return out;
}

} // namespace trvx
