#include "controls/wide/ui/KeyedPainting.h"

#include <QPainter>
#include <QWidget>

namespace trvx {

KeyedPixels ToKeyedPixels(const QImage& image) {
    KeyedPixels out;
    if (image.isNull())
        return out;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    out.width = argb.width();
    out.height = argb.height();
    out.monochrome = image.depth() == 1;
    out.argb.reserve(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        out.argb.insert(out.argb.end(), line, line + out.width);
    }
    return out;
}

void DrawBitmapKeyed(QPainter& painter, const QImage& bitmap, KeySpec key, const QRect& dest,
                     const QRect& source) {
    const KeyedPixels pixels = ToKeyedPixels(bitmap);
    const auto plan = PlanKeyedDraw(pixels, key, dest.x(), dest.y(), dest.width(), dest.height(),
                                    source.x(), source.y(), source.width(), source.height());
    if (!plan)
        return;
    const KeyedPixels part = KeyedSource(pixels, *plan);
    const QImage image(reinterpret_cast<const uchar*>(part.argb.data()), part.width, part.height,
                       part.width * 4, QImage::Format_ARGB32);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(plan->dx, plan->dy, plan->dw, plan->dh), image);
    painter.restore();
}

void PaintParentImage(const QWidget* control, QPainter& painter) {
    if (!control)
        return;
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    const QRect bounds = control->geometry();
    // The parent alone (no children), then the earlier siblings over it. A source region's
    // top-left lands on the target offset.
    parent->render(&painter, QPoint(0, 0), QRegion(bounds), QWidget::DrawWindowBackground);
    for (QObject* child : parent->children()) {
        if (child == control)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisible())
            continue;
        const QRect overlap = sibling->geometry() & bounds;
        if (overlap.isEmpty())
            continue;
        sibling->render(&painter, overlap.topLeft() - control->pos(),
                        QRegion(overlap.translated(-sibling->pos())),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

} // namespace trvx
