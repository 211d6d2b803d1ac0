#pragma once
// Painting shared by the skinned controls: the skin images' pieces (from SkinGeometry) drawn
// with Qt, key-colour masking, frames cut from strips, and the thin borders of edits and lists.

#include "controls/skinned/SkinGeometry.h"
#include "controls/skinned/StyleTable.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <optional>

class QPainter;
class QWidget;

namespace trvx {

// Pixels of this colour are see-through in skin images drawn "masked".
inline constexpr QRgb kSkinKeyColor = 0xFFFF00FF;

inline QRect ToQRect(const SkinRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}
inline SkinRect ToSkinRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
// A colour of the theme table (0x00BBGGRR).
inline QColor ToQColor(SkinColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// A copy of the image in which every pixel of colour `key` is fully transparent.
QImage MaskedImage(const QImage& image, QRgb key = kSkinKeyColor);
// The colour of one pixel of the image, the key of images keyed by a corner pixel; none when
// the point is outside the image.
std::optional<QRgb> PixelKey(const QImage& image, SkinPoint pixel);

// Draws the image at `topLeft`; with a key, pixels of that colour are left out.
void DrawMasked(QPainter& painter, QPoint topLeft, const QImage& image, std::optional<QRgb> key);

// Stretches the image over `rect` by nine pieces: corners kept (masked with the fuchsia key
// when `masked`), edges and centre stretched and always keyed with fuchsia.
void DrawNinePatch(QPainter& painter, const QImage& image, const QRect& rect, bool masked);

// Draws a strip of three equal frames over `rect`: the end frames masked at the two ends, the
// middle frame stretched between them. The key is fuchsia or the colour of a corner pixel.
void DrawThreePart(QPainter& painter, const QImage& image, const QRect& rect,
                   KeyColorSource key = KeyColorSource::Fuchsia);

// Repeats the picture from the painter's origin until `rect`'s width and height are covered.
// A picture without area draws nothing.
void DrawTiled(QPainter& painter, const QImage& picture, const QRect& rect);

// Half turn in place: (x, y) goes to (W - 1 - x, H - 1 - y).
void RotateBitmapHalf(QImage& image);

// Frame `index` (from 1) of `count` equal-width frames; a null image when the count or index
// is out of range.
QImage ExtractBitmapFrame(const QImage& strip, int count, int index);

// Lets `control`'s parent paint its own background and face under the control, so a
// "transparent" control drawn into an off-screen buffer shows what lies behind it.
void PaintParentBackground(QPainter& painter, const QWidget* control);

// A one-pixel frame of `rect` in `outer`, and with `inner` a second frame inset by one pixel.
void DrawControlBorder(QPainter& painter, const QRect& rect, const QColor& outer,
                       std::optional<QColor> inner);

} // namespace trvx
