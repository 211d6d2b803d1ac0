#include "controls/skinned/FormFrameLayout.h"

#include <algorithm>

namespace trvx {

FormFrameLook formFrameLook(SkinUIStyle look) {
    FormFrameLook out;
    out.borderColor = GetStyleColor(look, theme::kFormBorderColor);
    out.borderWidth = GetStyleInteger(look, theme::kFormBorderWidthInt);
    out.color = GetStyleColor(look, theme::kFormBackgroundColor);
    out.roundCorner = GetStyleInteger(look, theme::kFormRoundCornerInt);
    return out;
}

FrameBorderLayout layoutFrameBorder(int width, int height, int borderWidth, bool titleVisible,
                                    int titleHeight, const FrameTitlePictures* titlePictures) {
    FrameBorderLayout out;
    const int w = width;
    const int h = height;
    const int b = borderWidth;
    const int t = titleVisible ? titleHeight : 0;
    out.fills.push_back({{0, 0, b, h}, FramePaint::Border});
    out.fills.push_back({{0, h - b, w, h}, FramePaint::Border});
    out.fills.push_back({{w - b, 0, w, h}, FramePaint::Border});
    if (b < 4) {
        // The band between a thin border and the client area takes the frame's colour.
        out.fills.push_back({{b, t, 3, h - b}, FramePaint::Color});
        out.fills.push_back({{b, h - 3, w - b, h - b}, FramePaint::Color});
        out.fills.push_back({{w - 3, t, w - b, h - b}, FramePaint::Color});
    }
    if (titleVisible && titlePictures != nullptr && b < 4) {
        const FrameTitlePictures& p = *titlePictures;
        if (3 - b > 0) {
            const SkinRect left{b, 0, 3, p.left.height};
            out.leftStrip.push_back({left, left, 0, 3 - b, false});
            const SkinRect right{w - 3, 0, w - b, p.right.height};
            if (p.right.width >= 3) {
                const int from = p.right.width - 2;
                out.rightStrip.push_back({right, right, from, from + 3 - b, false});
            } else {
                out.rightStrip.push_back({right, right, 0, p.right.width, true});
            }
        }
        // The top three rows show the pictures where the title bar draws them: the left one at
        // the window's corner, the right one at its right end, the client one between.
        const SkinRect band{2, 0, w - 3, 3};
        const int clientRight = w - p.right.width;
        out.topBand.push_back({{0, 0, p.left.width, p.left.height}, band, 0, p.left.width, false});
        if (clientRight > p.left.width) {
            out.topBand.push_back(
                {{p.left.width, 0, clientRight, p.client.height}, band, 0, p.client.width, true});
        }
        out.topBand.push_back({{clientRight, 0, w, p.right.height}, band, 0, p.right.width, false});
    } else if (!titleVisible) {
        out.fills.push_back({{0, 0, w, 1}, FramePaint::Border});
        out.fills.push_back({{b, 1, w - b, 3}, FramePaint::Color});
    }
    return out;
}

namespace {

// Pixel (x, y) inside the rounded rectangle [l, r) x [t, b) with corner ellipses of diameter d.
bool inRoundRect(int l, int t, int r, int b, int d, int x, int y) {
    if (x < l || x >= r || y < t || y >= b) {
        return false;
    }
    const double rx = std::min(d, r - l) / 2.0;
    const double ry = std::min(d, b - t) / 2.0;
    if (rx <= 0 || ry <= 0) {
        return true;
    }
    const double px = x + 0.5;
    const double py = y + 0.5;
    double cx = 0;
    double cy = 0;
    if (px < l + rx) {
        cx = l + rx;
    } else if (px > r - rx) {
        cx = r - rx;
    } else {
        return true;
    }
    if (py < t + ry) {
        cy = t + ry;
    } else if (py > b - ry) {
        cy = b - ry;
    } else {
        return true;
    }
    const double dx = (px - cx) / rx;
    const double dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool inRect(int l, int t, int r, int b, int x, int y) {
    return x >= l && x < r && y >= t && y < b;
}

} // namespace

bool frameRegionContains(int width, int height, int roundCorner, int roundCornerBottom, int x,
                         int y) {
    const int w = width;
    const int h2 = height / 2;
    const int r = std::max(roundCorner, 0);
    const int rb = std::max(roundCornerBottom, 0);
    // Upper half: rounded on top, its lower corners squared off.
    if (inRoundRect(0, 0, w, h2, r, x, y) || inRect(0, h2 - 2 * r, 2 * r, h2, x, y) ||
        inRect(w - 2 * r, h2 - 2 * r, w, h2, x, y)) {
        return true;
    }
    // Lower half: rounded at the bottom, its upper corners squared off.
    return inRoundRect(0, h2, w, height, rb, x, y) || inRect(0, h2, 2 * rb, h2 + 2 * rb, x, y) ||
           inRect(w - 2 * rb, h2, w, h2 + 2 * rb, x, y);
}

std::vector<std::pair<int, int>> frameRegionRow(int width, int height, int roundCorner,
                                                int roundCornerBottom, int y) {
    std::vector<std::pair<int, int>> runs;
    int start = -1;
    for (int x = 0; x <= width; ++x) {
        const bool in =
            x < width && frameRegionContains(width, height, roundCorner, roundCornerBottom, x, y);
        if (in && start < 0) {
            start = x;
        } else if (!in && start >= 0) {
            runs.emplace_back(start, x);
            start = -1;
        }
    }
    return runs;
}

} // namespace trvx
