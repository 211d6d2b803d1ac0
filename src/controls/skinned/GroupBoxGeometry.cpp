#include "controls/skinned/GroupBoxGeometry.h"

#include <cstdlib>

namespace trvx {

int GroupBoxFrameTop(int fontHeight) {
    return std::abs(fontHeight) / 2 + 1;
}

std::vector<SkinPoint> GroupBoxFramePath(const SkinRect& client, int fontHeight, int captionWidth,
                                         bool hasCaption, bool rightToLeft) {
    SkinRect r = client;
    r.top += GroupBoxFrameTop(fontHeight);
    if (!rightToLeft) {
        return {{r.left + 2, r.top},
                {r.left, r.top},
                {r.left, r.bottom - 1},
                {r.right - 1, r.bottom - 1},
                {r.right - 1, r.top},
                hasCaption ? SkinPoint{r.left + captionWidth + 6, r.top}
                           : SkinPoint{r.left, r.top}};
    }
    return {{r.right - 3, r.top},
            {r.right - 1, r.top},
            {r.right - 1, r.bottom - 1},
            {r.left + 1, r.bottom - 1},
            {r.left + 1, r.top},
            hasCaption ? SkinPoint{r.right - captionWidth - 7, r.top}
                       : SkinPoint{r.right - 1, r.top}};
}

SkinPoint GroupBoxCaptionOrigin(int width, int captionWidth, bool rightToLeft) {
    if (rightToLeft)
        return {width - captionWidth - 6, 0};
    return {5, 0};
}

SkinRect GroupBoxChildArea(const SkinRect& client, int fontHeight) {
    return {client.left + 3, client.top + std::abs(fontHeight) + 5, client.right - 3,
            client.bottom - 3};
}

} // namespace trvx
