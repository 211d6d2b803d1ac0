#pragma once
// Geometry of the skinned form frame: the border strips and bands it paints round the window,
// where the title pictures show in the top border, and the window shape with its rounded
// corners. The frame widget paints what these functions compute.

#include "controls/skinned/LayoutRect.h"
#include "controls/skinned/StyleTable.h"

#include <vector>

namespace trvx {

// The frame's colours and sizes that a built-in look gives it.
struct FormFrameLook {
    SkinColor borderColor = 0;
    int borderWidth = 1;
    SkinColor color = 0;
    int roundCorner = 0;
};
FormFrameLook formFrameLook(SkinUIStyle look);

// Inset of the client area from each window edge (the system dialog frame the skinned frame
// paints over).
inline constexpr int kFrameInset = 3;

enum class FramePaint { Border, Color };

struct FrameFill {
    SkinRect rect;
    FramePaint paint;
};

struct FrameTitlePiece {
    SkinRect target;     // window coordinates the source columns are drawn into
    SkinRect clip;       // the part of the target that is painted
    int sourceLeft = 0;  // first column of the picture shown there
    int sourceRight = 0; // column after the last
    bool stretch = false;
};

struct FrameTitlePictures {
    LayoutSize left;
    LayoutSize client;
    LayoutSize right;
};

struct FrameBorderLayout {
    std::vector<FrameFill> fills; // painted in this order
    // The title pictures in the top border, each clipped to its target: the left strip, the
    // right strip, and the top band (left, client, right picture in that order).
    std::vector<FrameTitlePiece> leftStrip;
    std::vector<FrameTitlePiece> rightStrip;
    std::vector<FrameTitlePiece> topBand;
};

// The border of a W x H window with border width `b`. `titleHeight` is the visible title bar's
// height (0 when hidden); `titlePictures` is non-null when a visible title bar has its pictures.
FrameBorderLayout layoutFrameBorder(int width, int height, int borderWidth, bool titleVisible,
                                    int titleHeight, const FrameTitlePictures* titlePictures);

// The window shape: the upper half has rounded top corners (ellipses r x r), the lower half
// rounded bottom corners (rb x rb, -1 counting as 0); the corners where the halves meet stay
// square. True when pixel (x, y) of a W x H window belongs to it.
bool frameRegionContains(int width, int height, int roundCorner, int roundCornerBottom, int x,
                         int y);

// Horizontal runs [x0, x1) of row y that belong to the window shape, for building a mask.
std::vector<std::pair<int, int>> frameRegionRow(int width, int height, int roundCorner,
                                                int roundCornerBottom, int y);

} // namespace trvx
