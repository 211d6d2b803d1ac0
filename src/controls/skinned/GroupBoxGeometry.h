#pragma once
// Geometry of the flat group box: its one-pixel frame with the caption written into a gap of
// the top line, and the area left to its children.

#include "controls/skinned/SkinGeometry.h"

#include <vector>

namespace trvx {

// The frame's top line lies half a text line below the client top: |fontHeight| div 2 + 1.
int GroupBoxFrameTop(int fontHeight);

// The frame as a polyline (first point a move, then lines). The gap for the caption spans
// left + 2 to left + captionWidth + 6 (mirrored when right to left); an empty caption closes
// the frame.
std::vector<SkinPoint> GroupBoxFramePath(const SkinRect& client, int fontHeight, int captionWidth,
                                         bool hasCaption, bool rightToLeft);

// Where the caption text starts: (5, 0), or (width - captionWidth - 6, 0) right to left.
SkinPoint GroupBoxCaptionOrigin(int width, int captionWidth, bool rightToLeft);

// The area for the children: 3 pixels off the left, right and bottom, |fontHeight| + 5 off the
// top.
SkinRect GroupBoxChildArea(const SkinRect& client, int fontHeight);

} // namespace trvx
