#pragma once
// Geometry of the skinned controls' drawing: which piece of a skin image goes where. The widgets
// only copy and stretch what these functions compute, so the rules are tested without a display.

#include <array>
#include <optional>
#include <vector>

namespace trvx {

// A rectangle as left, top, right, bottom; right and bottom lie just outside it.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const SkinRect&, const SkinRect&) = default;
};

struct SkinPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const SkinPoint&, const SkinPoint&) = default;
};

// Edges included: left <= x <= right and top <= y <= bottom.
constexpr bool PointInRect(int x, int y, const SkinRect& r) {
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}
constexpr bool PointInRect(SkinPoint p, const SkinRect& r) {
    return PointInRect(p.x, p.y, r);
}

// One piece of an image: copied from `source` of the image into `target`, stretched when the
// two differ in size.
struct SkinPiece {
    SkinRect source;
    SkinRect target;
    // Corners are drawn masked only when the caller asks; edges and the centre are always keyed.
    bool corner = false;
    friend constexpr bool operator==(const SkinPiece&, const SkinPiece&) = default;
};

// The nine pieces of an image of imageWidth x imageHeight stretched over a rectangle of
// width x height at the origin: four corners kept at their size (cut when the rectangle is
// small), four edges and the centre stretched. Pieces are in drawing order (top-left,
// bottom-left, left edge, top-right, bottom-right, right edge, top edge, centre, bottom edge);
// pieces that would be empty are left out.
std::vector<SkinPiece> NinePatchPieces(int imageWidth, int imageHeight, int width, int height);

// The three pieces of a strip of three equal frames drawn over `target`: frame 1 at the left,
// frame 3 at the right (both unscaled), frame 2 stretched between them.
std::vector<SkinPiece> ThreePartPieces(int imageWidth, int imageHeight, const SkinRect& target);

// Where the key colour of a three-part image comes from.
enum class KeyColorSource { Fuchsia, TopLeftPixel, BottomLeftPixel };
// The pixel that holds the key, or none for the fixed fuchsia key.
std::optional<SkinPoint> KeyPixel(KeyColorSource source, int imageWidth, int imageHeight);

// Frame `index` (from 1) of `count` equal-width frames side by side in an image: the columns
// fw * (index - 1) up to fw * index with fw = imageWidth / count, full height. None when the
// count or index is out of range or the frames would be empty.
std::optional<SkinRect> FrameRect(int imageWidth, int imageHeight, int count, int index);

// Top-left corners of the tiles that cover a rectangle of width x height, starting at the
// origin. A picture without area gives no tiles.
std::vector<SkinPoint> TilePositions(int pictureWidth, int pictureHeight, int width, int height);

// Where pixel (x, y) goes under a half turn of an image of width x height.
constexpr SkinPoint HalfTurn(int x, int y, int width, int height) {
    return {width - 1 - x, height - 1 - y};
}

// --- Buttons and check boxes ---

// Frame of the three-frame button image for a state: 1 normal (and disabled), 2 mouse over,
// 3 pressed.
int ButtonFrame(bool enabled, bool pressed, bool mouseOver);

// Frame of the four-frame check box image: 1 checked, 2 unchecked, 3 checked disabled,
// 4 unchecked disabled.
int CheckBoxFrame(bool checked, bool enabled);

enum class GlyphLayout { Left = 0, Right = 1, Top = 2, Bottom = 3 };

struct GlyphPlacement {
    SkinPoint glyph;
    SkinPoint text;
    int glyphWidth = 0; // a two-frame glyph (twice as wide as high) shows one frame
    friend constexpr bool operator==(const GlyphPlacement&, const GlyphPlacement&) = default;
};

// Places a glyph of glyphWidth x glyphHeight and a caption of textWidth x textHeight on a
// button of width x height.
GlyphPlacement PlaceGlyph(GlyphLayout layout, int width, int height, int textWidth, int textHeight,
                          int glyphWidth, int glyphHeight, int spacing);

struct CheckBoxPlacement {
    SkinPoint glyph;
    SkinRect caption;
    SkinRect focus;
    friend constexpr bool operator==(const CheckBoxPlacement&, const CheckBoxPlacement&) = default;
};

// Glyph, caption and focus rectangles of a check box; lineHeight is the text height of "W".
CheckBoxPlacement PlaceCheckBox(int width, int height, int glyphWidth, int glyphHeight,
                                int lineHeight, bool rightToLeft);

// The size a check box takes with AutoSize on.
SkinPoint CheckBoxAutoSize(int glyphWidth, int glyphHeight, int lineHeight, int captionWidth);

// --- Combo box ---

// The drop-down arrow: a triangle (X, Y), (X + 6, Y), (X + 3, Y + 3) with X centred on the
// button and Y half the button's height, counted from the control's top.
std::array<SkinPoint, 3> ComboArrow(const SkinRect& button);

} // namespace trvx
