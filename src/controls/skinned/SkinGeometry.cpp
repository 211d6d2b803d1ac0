#include "controls/skinned/SkinGeometry.h"

#include <algorithm>

namespace trvx {

namespace {

SkinRect Clip(const SkinRect& r, int width, int height) {
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
            std::min(r.bottom, height)};
}

void AddPiece(std::vector<SkinPiece>& out, const SkinRect& source, const SkinRect& target,
              bool corner, int imageWidth, int imageHeight) {
    const SkinRect clipped = Clip(source, imageWidth, imageHeight);
    if (clipped.empty() || target.empty())
        return;
    out.push_back({clipped, target, corner});
}

int NonNegative(int v) {
    return std::max(v, 0);
}

} // namespace

std::vector<SkinPiece> NinePatchPieces(int W, int H, int w, int h) {
    std::vector<SkinPiece> pieces;
    if (W <= 0 || H <= 0 || w <= 0 || h <= 0)
        return pieces;
    const int hW = W / 2, hH = H / 2, hw = w / 2, hh = h / 2;
    const int R = w, B = h;

    // Corner cut sizes: the left and top corners take half the image, the right and bottom
    // ones one pixel less, so that an odd-sized image keeps its middle column and row for the
    // stretched pieces.
    const int leftW = std::min(hW, hw);
    const int rightW = NonNegative(std::min(hW - 1, hw - 1));
    const int topH = std::min(hH, hh);
    const int bottomH = NonNegative(std::min(hH - 1, hh - 1));

    // An undrawn corner keeps an empty rectangle at its own corner, so the edges next to it
    // stretch up to the rectangle's border.
    SkinRect TL{0, 0, 0, 0}, BL{0, B, 0, B}, TR{R, 0, R, 0}, BR{R, B, R, B};

    if (leftW > 0 && topH > 0) {
        TL = {0, 0, leftW, topH};
        AddPiece(pieces, {0, 0, leftW, topH}, TL, true, W, H);
    }
    if (leftW > 0 && bottomH > 0) {
        BL = {0, B - bottomH, leftW, B};
        AddPiece(pieces, {0, H - bottomH, leftW, H}, BL, true, W, H);
    }
    AddPiece(pieces, {0, hH, std::min(hW, TL.width()), H - hH}, {0, TL.bottom, TL.right, BL.top},
             false, W, H);
    if (rightW > 0 && topH > 0) {
        TR = {R - rightW, 0, R, topH};
        AddPiece(pieces, {W - rightW, 0, W, topH}, TR, true, W, H);
    }
    if (rightW > 0 && bottomH > 0) {
        BR = {R - rightW, B - bottomH, R, B};
        AddPiece(pieces, {W - rightW, H - bottomH, W, H}, BR, true, W, H);
    }
    AddPiece(pieces, {W - std::min(hW - 1, TR.width()), H - hH, W, hH + 2},
             {TR.left, TR.bottom, TR.right, BR.top}, false, W, H);
    AddPiece(pieces, {hW, 0, W - hW + 1, std::min(hH, TL.height())},
             {TL.right, 0, TR.left, TL.bottom}, false, W, H);
    AddPiece(pieces, {hW, hH, W - hW + 1, H - hH}, {TL.right, TL.bottom, TR.left, BR.top - 1},
             false, W, H);
    const SkinRect bottomTarget{TL.right - 1, BL.top - 1, BR.left, BR.bottom};
    const int bottomCut = std::min(hH, bottomTarget.height());
    AddPiece(pieces, {hW, H - bottomCut, W - hW + 1, H}, bottomTarget, false, W, H);
    return pieces;
}

std::vector<SkinPiece> ThreePartPieces(int imageWidth, int imageHeight, const SkinRect& target) {
    std::vector<SkinPiece> pieces;
    const int fw = imageWidth / 3;
    if (fw <= 0 || imageHeight <= 0)
        return pieces;
    const int H = imageHeight;
    AddPiece(pieces, {0, 0, fw, H}, {target.left, target.top, target.left + fw, target.top + H},
             true, imageWidth, H);
    AddPiece(pieces, {2 * fw, 0, 3 * fw, H},
             {target.right - fw, target.top, target.right, target.top + H}, true, imageWidth, H);
    AddPiece(pieces, {fw, 0, 2 * fw, H},
             {target.left + fw, target.top, target.right - fw, target.bottom}, false, imageWidth,
             H);
    return pieces;
}

std::optional<SkinPoint> KeyPixel(KeyColorSource source, int imageWidth, int imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0)
        return std::nullopt;
    switch (source) {
    case KeyColorSource::TopLeftPixel:
        return SkinPoint{0, 0};
    case KeyColorSource::BottomLeftPixel:
        return SkinPoint{0, imageHeight - 1};
    case KeyColorSource::Fuchsia:
        break;
    }
    return std::nullopt;
}

std::optional<SkinRect> FrameRect(int imageWidth, int imageHeight, int count, int index) {
    if (count <= 0 || index < 1 || index > count || imageHeight <= 0)
        return std::nullopt;
    const int fw = imageWidth / count;
    if (fw <= 0)
        return std::nullopt;
    return SkinRect{fw * (index - 1), 0, fw * index, imageHeight};
}

std::vector<SkinPoint> TilePositions(int pictureWidth, int pictureHeight, int width, int height) {
    std::vector<SkinPoint> tiles;
    // A picture without area would never cover anything.
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return tiles;
    for (int y = 0; y < height; y += pictureHeight)
        for (int x = 0; x < width; x += pictureWidth)
            tiles.push_back({x, y});
    return tiles;
}

int ButtonFrame(bool enabled, bool pressed, bool mouseOver) {
    if (!enabled)
        return 1;
    if (pressed)
        return 3;
    return mouseOver ? 2 : 1;
}

int CheckBoxFrame(bool checked, bool enabled) {
    if (enabled)
        return checked ? 1 : 2;
    return checked ? 3 : 4;
}

GlyphPlacement PlaceGlyph(GlyphLayout layout, int W, int H, int TW, int TH, int GW, int GH,
                          int spacing) {
    if (GW == 2 * GH)
        GW = GH;
    GlyphPlacement p;
    p.glyphWidth = GW;
    switch (layout) {
    case GlyphLayout::Left:
        p.glyph = {(W - GW - TW - spacing) / 2, (H - GH) / 2};
        p.text = {p.glyph.x + GW + spacing, (H - TH) / 2};
        break;
    case GlyphLayout::Right:
        p.glyph = {(W + TW + spacing - GW) / 2, (H - GH) / 2};
        p.text = {p.glyph.x - TW - spacing, (H - TH) / 2};
        break;
    case GlyphLayout::Top:
        p.glyph = {(W - GW) / 2, (H - TH - GH - spacing) / 2};
        p.text = {(W - TW) / 2, p.glyph.y + GH + spacing};
        break;
    case GlyphLayout::Bottom:
        p.glyph = {(W - GW) / 2, (H + TH + spacing - GH) / 2};
        p.text = {(W - TW) / 2, p.glyph.y - TH - spacing};
        break;
    }
    return p;
}

CheckBoxPlacement PlaceCheckBox(int W, int H, int GW, int GH, int lineHeight, bool rightToLeft) {
    CheckBoxPlacement p;
    const int T = (H - lineHeight) / 2;
    const int glyphY = (H - GH) / 2;
    if (rightToLeft) {
        p.glyph = {W - GW - 1, glyphY};
        p.caption = {0, T, W - GW - 4, H};
        p.focus = {0, T, W - GW - 2, T + lineHeight + 2};
    } else {
        p.glyph = {1, glyphY};
        p.caption = {GW + 4, T, W, H};
        p.focus = {GW + 3, T, W, T + lineHeight + 2};
    }
    return p;
}

SkinPoint CheckBoxAutoSize(int GW, int GH, int lineHeight, int captionWidth) {
    return {GW + captionWidth + 8, std::max(lineHeight + 2, GH) + 4};
}

std::array<SkinPoint, 3> ComboArrow(const SkinRect& button) {
    const int x = button.left + button.width() / 2 - 3;
    const int y = button.height() / 2;
    return {SkinPoint{x, y}, SkinPoint{x + 6, y}, SkinPoint{x + 3, y + 3}};
}

} // namespace trvx
