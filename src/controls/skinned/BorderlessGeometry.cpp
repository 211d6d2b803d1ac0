#include "controls/skinned/BorderlessGeometry.h"

#include <algorithm>

namespace trvx {

int FrameStyleWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case TFrameStyleEx::fsNone:
        return 0;
    case TFrameStyleEx::fsFlat:
        return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup:
        return bevelWidth;
    default:
        return 2;
    }
}

SkinRect ShrinkSides(const SkinRect& r, const TSides& sides, int amount) {
    SkinRect out = r;
    if (sides.left)
        out.left += amount;
    if (sides.top)
        out.top += amount;
    if (sides.right)
        out.right -= amount;
    if (sides.bottom)
        out.bottom -= amount;
    return out;
}

PlainPanelLayout PlainPanelPaintLayout(int width, int height, TFrameStyleEx outer,
                                       TFrameStyleEx inner, const TSides& sides, int bevelWidth,
                                       int borderWidth) {
    PlainPanelLayout out;
    SkinRect r{0, 0, width, height};
    out.outerFrame = r;
    r = ShrinkSides(r, sides, FrameStyleWidth(outer, bevelWidth));
    for (int i = 0; i < borderWidth; ++i) {
        out.rings.push_back(r);
        r = ShrinkSides(r, sides, 1);
    }
    out.innerFrame = r;
    out.fill = ShrinkSides(r, sides, FrameStyleWidth(inner, bevelWidth));
    return out;
}

SkinRect PlainPanelClientRect(int width, int height, TFrameStyleEx outer, TFrameStyleEx inner,
                              const TSides& sides, int bevelWidth, int borderWidth) {
    // The panel's own border width is taken from every side, the frames only from theirs.
    SkinRect r{borderWidth, borderWidth, width - borderWidth, height - borderWidth};
    r = ShrinkSides(r, sides, FrameStyleWidth(outer, bevelWidth));
    return ShrinkSides(r, sides, FrameStyleWidth(inner, bevelWidth));
}

SkinRect PlainCaptionBox(const SkinRect& box, int textHeight, TAlignmentVertical vertical) {
    SkinRect r = box;
    switch (vertical) {
    case TAlignmentVertical::avTop:
        r.bottom = std::max(r.bottom, r.top + textHeight);
        break;
    case TAlignmentVertical::avCenter: {
        r.top = (r.top + r.bottom - textHeight) / 2;
        r.bottom = std::max(r.bottom, r.top + textHeight);
        break;
    }
    case TAlignmentVertical::avBottom: {
        const int top = r.bottom - textHeight - 1;
        if (top >= r.top)
            r.top = top;
        break;
    }
    }
    return r;
}

std::vector<int> PlainGridLines(int start, int end, int size) {
    std::vector<int> out;
    if (size <= 0)
        return out;
    for (int p = start + size - 1; p < end; p += size)
        out.push_back(p);
    return out;
}

int PlainGroupBorderWidth(TPlainBorderStyle style, bool ctl3d) {
    switch (style) {
    case TPlainBorderStyle::bsNone:
        return 1;
    case TPlainBorderStyle::bsSingle:
        return ctl3d ? 2 : 1;
    case TPlainBorderStyle::bsDouble:
        return ctl3d ? 4 : 2;
    }
    return 1;
}

PlainGroupLayout PlainGroupBoxLayout(int width, int height, TPlainBorderStyle style, bool ctl3d,
                                     TCaptionPosition position, int textWidth, int textHeight,
                                     int imageWidth, int imageHeight) {
    PlainGroupLayout out;
    const bool hasText = textWidth > 0;
    const bool hasImage = imageWidth > 0;
    const int gap = hasText && hasImage ? 3 : 0;
    const int cw = imageWidth + gap + textWidth;
    const int ch = hasText || hasImage ? std::max(imageHeight, textHeight) + 2 : 0;
    const bool top = position == TCaptionPosition::cpTopLeft ||
                     position == TCaptionPosition::cpTopRight ||
                     position == TCaptionPosition::cpTopCenter;
    int left = 8;
    if (position == TCaptionPosition::cpTopRight || position == TCaptionPosition::cpBottomRight)
        left = width - 8 - cw;
    else if (position == TCaptionPosition::cpTopCenter ||
             position == TCaptionPosition::cpBottomCenter)
        left = (width - cw) / 2;
    const int captionTop = top ? 0 : height - ch;
    if (hasText || hasImage)
        out.caption = {left, captionTop, left + cw, captionTop + ch};

    const int bw = PlainGroupBorderWidth(style, ctl3d);
    const int band = std::max(bw, ch);
    out.border = {0, 0, width, height};
    if (top)
        out.border.top += band / 2;
    else if (hasText || hasImage)
        out.border.bottom -= band / 2;

    out.client = {bw, bw, width - bw, height - bw};
    if (top)
        out.client.top = band;
    else
        out.client.bottom = height - band;
    out.client = {out.client.left + 1, out.client.top + 1, out.client.right - 1,
                  out.client.bottom - 1};
    return out;
}

} // namespace trvx
