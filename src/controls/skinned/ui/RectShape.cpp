#include "controls/skinned/ui/RectShape.h"

#include "controls/skinned/RectShapeGeometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace trvx {

namespace {

Qt::PenStyle qtPenStyle(TPenStyle style) {
    switch (style) {
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// A rectangle as the platform's rectangle call draws it between two corners: the outline on
// the pixels from (left, top) to (right - 1, bottom - 1), the inside filled; without a pen the
// fill alone is one pixel smaller each way.
void drawCornerRect(QPainter& p, const SkinRect& r, const QPen& pen, const QBrush& brush) {
    if (r.width() < 1 || r.height() < 1)
        return;
    if (pen.style() == Qt::NoPen) {
        if (brush.style() != Qt::NoBrush)
            p.fillRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1), brush);
        return;
    }
    p.setPen(pen);
    p.setBrush(brush);
    p.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

} // namespace

RectShape::RectShape(QWidget* parent) : QWidget(parent) {
    resize(65, 65);
}

#define TRVX_SHAPE_SETTER(name, member, type)                                                      \
    void RectShape::name(type value) {                                                             \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        update();                                                                                  \
    }

TRVX_SHAPE_SETTER(setBrushColor, brushColor_, const QColor&)
TRVX_SHAPE_SETTER(setBrushStyle, brushStyle_, TBrushStyle)
TRVX_SHAPE_SETTER(setPenColor, penColor_, const QColor&)
TRVX_SHAPE_SETTER(setPenStyle, penStyle_, TPenStyle)
TRVX_SHAPE_SETTER(setPenWidth, penWidth_, int)
TRVX_SHAPE_SETTER(setShadow, shadow_, bool)
TRVX_SHAPE_SETTER(setShadowOffset, shadowOffset_, int)
TRVX_SHAPE_SETTER(setShadowColor, shadowColor_, const QColor&)

#undef TRVX_SHAPE_SETTER

void RectShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const RectShapeRects rects =
        RectShapeLayout(width(), height(), penWidth_, shadowOffset_, shadow_);
    const int width = std::max(penWidth_, 1);
    const Qt::PenStyle style = qtPenStyle(penStyle_);
    if (rects.shadow) {
        const QPen pen = style == Qt::NoPen ? QPen(Qt::NoPen) : QPen(shadowColor_, width);
        drawCornerRect(painter, *rects.shadow, pen, QBrush(shadowColor_));
    }
    QPen pen(penColor_, width, style);
    pen.setJoinStyle(Qt::MiterJoin);
    const QBrush brush =
        brushStyle_ == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(brushColor_);
    drawCornerRect(painter, rects.shape, pen, brush);
}

void RectShape::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), event->position().toPoint());
}

void RectShape::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button(), event->position().toPoint());
}

} // namespace trvx
