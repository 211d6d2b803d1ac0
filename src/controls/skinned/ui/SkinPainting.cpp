#include "controls/skinned/ui/SkinPainting.h"

#include <QPainter>
#include <QWidget>

namespace trvx {

QImage MaskedImage(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000u) == opaqueKey && qAlpha(line[x]) == 255)
                line[x] = 0;
    }
    return out;
}

std::optional<QRgb> PixelKey(const QImage& image, SkinPoint pixel) {
    if (!image.valid(pixel.x, pixel.y))
        return std::nullopt;
    return image.pixel(pixel.x, pixel.y);
}

void DrawMasked(QPainter& painter, QPoint topLeft, const QImage& image, std::optional<QRgb> key) {
    if (image.isNull())
        return;
    painter.drawImage(topLeft, key ? MaskedImage(image, *key) : image);
}

namespace {

void DrawPiece(QPainter& painter, const QImage& image, const SkinPiece& piece, QPoint offset) {
    const QRect target = ToQRect(piece.target).translated(offset);
    const QRect source = ToQRect(piece.source);
    // Nearest-pixel stretching, as a block copy would: no blending across the key colour.
    painter.drawImage(target, image, source);
}

} // namespace

void DrawNinePatch(QPainter& painter, const QImage& image, const QRect& rect, bool masked) {
    if (image.isNull() || rect.isEmpty())
        return;
    const QImage keyed = MaskedImage(image);
    const QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const SkinPiece& piece :
         NinePatchPieces(image.width(), image.height(), rect.width(), rect.height()))
        DrawPiece(painter, piece.corner && !masked ? opaque : keyed, piece, rect.topLeft());
    painter.restore();
}

void DrawThreePart(QPainter& painter, const QImage& image, const QRect& rect, KeyColorSource key) {
    if (image.isNull() || rect.isEmpty())
        return;
    const auto pixel = KeyPixel(key, image.width(), image.height());
    const QRgb keyColor = pixel ? image.pixel(pixel->x, pixel->y) : kSkinKeyColor;
    const QImage keyed = MaskedImage(image, keyColor);
    const QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const SkinPiece& piece : ThreePartPieces(image.width(), image.height(), ToSkinRect(rect)))
        DrawPiece(painter, piece.corner ? keyed : opaque, piece, QPoint());
    painter.restore();
}

void DrawTiled(QPainter& painter, const QImage& picture, const QRect& rect) {
    if (picture.isNull())
        return;
    for (const SkinPoint& p :
         TilePositions(picture.width(), picture.height(), rect.width(), rect.height()))
        painter.drawImage(QPoint(p.x, p.y), picture);
}

void RotateBitmapHalf(QImage& image) {
    if (image.isNull())
        return;
    // Indexed images would need their colour table carried over; a 32-bit copy needs nothing.
    if (image.depth() < 32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    QImage turned(image.size(), image.format());
    const int w = image.width(), h = image.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const SkinPoint to = HalfTurn(x, y, w, h);
            turned.setPixel(to.x, to.y, image.pixel(x, y));
        }
    image = turned;
}

QImage ExtractBitmapFrame(const QImage& strip, int count, int index) {
    const auto frame = FrameRect(strip.width(), strip.height(), count, index);
    if (strip.isNull() || !frame)
        return QImage();
    return strip.copy(ToQRect(*frame));
}

void PaintParentBackground(QPainter& painter, const QWidget* control) {
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    painter.save();
    // The parent alone, not its children (this control is one of them), clipped to its client
    // area; the control's rectangle of it lands at the painter's origin.
    const QRegion under = QRegion(control->geometry()) & QRegion(parent->rect());
    parent->render(&painter, under.boundingRect().topLeft() - control->pos(), under,
                   QWidget::DrawWindowBackground);
    painter.restore();
}

void DrawControlBorder(QPainter& painter, const QRect& rect, const QColor& outer,
                       std::optional<QColor> inner) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outer, 1));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (inner && rect.width() > 2 && rect.height() > 2) {
        painter.setPen(QPen(*inner, 1));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    painter.restore();
}

} // namespace trvx
