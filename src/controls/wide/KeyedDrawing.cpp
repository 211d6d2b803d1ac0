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
    case KeySpec::Kind::TopLeft:
        plan.key = bitmap.monochrome ? 0xFFFFFFu : bitmap.at(0, 0) & 0xFFFFFF;
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

KeyedPixels ImageListEntry(const KeyedPixels& strip, int index, int entryWidth,
                           std::uint32_t backgroundRgb) {
    KeyedPixels out;
    if (index < 0 || entryWidth < 1 || strip.height < 1 ||
        strip.argb.size() < std::size_t(strip.width) * std::size_t(strip.height) ||
        index >= strip.width / entryWidth)
        return out;
    out.width = entryWidth;
    out.height = strip.height;
    out.argb.reserve(std::size_t(entryWidth) * std::size_t(strip.height));
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < entryWidth; ++x) {
            const std::uint32_t p = strip.at(index * entryWidth + x, y);
            const std::uint32_t a = p >> 24;
            std::uint32_t rgb = 0;
            for (int shift : {16, 8, 0}) {
                const std::uint32_t fore = (p >> shift) & 0xFF;
                const std::uint32_t back = (backgroundRgb >> shift) & 0xFF;
                rgb |= ((fore * a + back * (255 - a) + 127) / 255) << shift;
            }
            out.argb.push_back(0xFF000000u | rgb);
        }
    return out;
}

} // namespace trvx
