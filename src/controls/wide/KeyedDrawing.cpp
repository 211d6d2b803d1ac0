#include "controls/wide/KeyedDrawing.h"

#include <algorithm>

namespace trvx {

std::optional<KeyedDrawPlan> PlanKeyedDraw(const KeyedPixels& bitmap, KeySpec key, int dx, int dy,
                                           int dw, int dh, int sx, int sy, int sw, int sh) {
    if (bitmap.width < 1 || bitmap.height < 1 ||
        bitmap.argb.size() < std::size_t(bitmap.width) * std::size_t(bitmap.height))
        return std::nullopt;
    KeyedDrawPlan plan;
    plan.dx = dx;
    plan.dy = dy;
    plan.dw = dw < 1 ? bitmap.width : dw;
    plan.dh = dh < 1 ? bitmap.height : dh;
    if (sw < 1 || sh < 1) {
        sx = 0;
        sy = 0;
        sw = bitmap.width;
        sh = bitmap.height;
    }
    // Keep the source inside the picture.
    sx = std::clamp(sx, 0, bitmap.width - 1);
    sy = std::clamp(sy, 0, bitmap.height - 1);
    plan.sx = sx;
    plan.sy = sy;
    plan.sw = std::min(sw, bitmap.width - sx);
    plan.sh = std::min(sh, bitmap.height - sy);
    switch (key.kind) {
    case KeySpec::Kind::None:
        break;
    case KeySpec::Kind::BottomLeft:
        plan.key = bitmap.monochrome ? 0xFFFFFFu : bitmap.at(0, bitmap.height - 1) & 0xFFFFFF;
        break;
    case KeySpec::Kind::Color:
        plan.key = bitmap.monochrome ? 0xFFFFFFu : key.rgb & 0xFFFFFF;
        break;
    }
    return plan;
}

KeyedPixels KeyedSource(const KeyedPixels& bitmap, const KeyedDrawPlan& plan) {
    KeyedPixels out;
    out.width = plan.sw;
    out.height = plan.sh;
    out.monochrome = bitmap.monochrome;
    out.argb.reserve(std::size_t(plan.sw) * std::size_t(plan.sh));
    for (int y = 0; y < plan.sh; ++y) {
        for (int x = 0; x < plan.sw; ++x) {
            std::uint32_t p = bitmap.at(plan.sx + x, plan.sy + y);
            if (plan.key && (p & 0xFFFFFF) == *plan.key)
                p = 0;
            out.argb.push_back(p);
        }
    }
    return out;
}

void DrawKeyed(KeyedPixels& dest, const KeyedPixels& bitmap, const KeyedDrawPlan& plan) {
    if (plan.dw < 1 || plan.dh < 1 || plan.sw < 1 || plan.sh < 1)
        return;
    for (int y = 0; y < plan.dh; ++y) {
        const int ty = plan.dy + y;
        if (ty < 0 || ty >= dest.height)
            continue;
        const int sy = plan.sy + int(std::int64_t(y) * plan.sh / plan.dh);
        for (int x = 0; x < plan.dw; ++x) {
            const int tx = plan.dx + x;
            if (tx < 0 || tx >= dest.width)
                continue;
            const int sx = plan.sx + int(std::int64_t(x) * plan.sw / plan.dw);
            const std::uint32_t p = bitmap.at(sx, sy);
            if (plan.key && (p & 0xFFFFFF) == *plan.key)
                continue;
            dest.argb[std::size_t(ty) * dest.width + tx] = p;
        }
    }
}

} // namespace trvx
