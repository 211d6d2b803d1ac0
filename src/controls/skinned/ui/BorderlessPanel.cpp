#include "controls/skinned/ui/BorderlessPanel.h"

#include "controls/skinned/ui/SkinPainting.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace trvx {

PlainPanel::PlainPanel(QWidget* parent) : QWidget(parent) {
    realign();
}

#define TRVX_PLAIN_SETTER(name, member, type, after)                                               \
    void PlainPanel::name(type value) {                                                            \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        after;                                                                                     \
        update();                                                                                  \
    }

TRVX_PLAIN_SETTER(setAlignment, alignment_, Qt::Alignment, )
TRVX_PLAIN_SETTER(setAlignmentVertical, alignmentVertical_, TAlignmentVertical, )
TRVX_PLAIN_SETTER(setBevelWidth, bevelWidth_, int, realign())
TRVX_PLAIN_SETTER(setBorderInner, borderInner_, TFrameStyleEx, realign())
TRVX_PLAIN_SETTER(setBorderOuter, borderOuter_, TFrameStyleEx, realign())
TRVX_PLAIN_SETTER(setBorderColor, borderColor_, const QColor&, )
TRVX_PLAIN_SETTER(setBorderHighlight, borderHighlight_, const QColor&, )
TRVX_PLAIN_SETTER(setBorderShadow, borderShadow_, const QColor&, )
TRVX_PLAIN_SETTER(setBorderWidth, borderWidth_, int, realign())
TRVX_PLAIN_SETTER(setColor, color_, const QColor&, )
TRVX_PLAIN_SETTER(setFlatColor, flatColor_, const QColor&, )
TRVX_PLAIN_SETTER(setGradientColorStart, gradientStart_, const QColor&, )
TRVX_PLAIN_SETTER(setGradientColorStop, gradientStop_, const QColor&, )
TRVX_PLAIN_SETTER(setGradientDirection, gradientDirection_, TGradientDirection, )
TRVX_PLAIN_SETTER(setGridColor, gridColor_, const QColor&, )
TRVX_PLAIN_SETTER(setGridStyle, gridStyle_, TPlainGridStyle, )
TRVX_PLAIN_SETTER(setGridXSize, gridX_, int, )
TRVX_PLAIN_SETTER(setGridYSize, gridY_, int, )
TRVX_PLAIN_SETTER(setPaintClientArea, paintClientArea_, bool, )
TRVX_PLAIN_SETTER(setShowGrid, showGrid_, bool, )
TRVX_PLAIN_SETTER(setTextMargin, textMargin_, int, )
TRVX_PLAIN_SETTER(setTextMarginVertical, textMarginVertical_, int, )
TRVX_PLAIN_SETTER(setVisualStyle, visualStyle_, TPlainVisualStyle, )
TRVX_PLAIN_SETTER(setWordWrap, wordWrap_, bool, )
TRVX_PLAIN_SETTER(setCaption, caption_, const QString&, )

#undef TRVX_PLAIN_SETTER

void PlainPanel::setBorderSides(TSides s) {
    borderSides_ = s;
    realign();
    update();
}

void PlainPanel::setTransparent(bool on) {
    if (transparent_ == on)
        return;
    transparent_ = on;
    // Transparent children show the new background too.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->update();
    update();
}

void PlainPanel::realign() {
    const SkinRect client = PlainPanelClientRect(width(), height(), borderOuter_, borderInner_,
                                                 borderSides_, bevelWidth_, borderWidth_);
    setContentsMargins(client.left, client.top, width() - client.right, height() - client.bottom);
}

void PlainPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    realign();
}

void PlainPanel::drawFrame(QPainter& p, const SkinRect& r, TFrameStyleEx style) {
    const int w = FrameStyleWidth(style, bevelWidth_);
    if (w == 0 || r.empty())
        return;
    QColor topLeft = borderHighlight_;
    QColor bottomRight = borderShadow_;
    switch (style) {
    case TFrameStyleEx::fsFlat:
    case TFrameStyleEx::fsFlatBold:
    case TFrameStyleEx::fsFlatRounded:
        topLeft = bottomRight = flatColor_;
        break;
    case TFrameStyleEx::fsLowered:
    case TFrameStyleEx::fsButtonDown:
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsGroove:
        std::swap(topLeft, bottomRight);
        break;
    default:
        break;
    }
    SkinRect ring = r;
    for (int i = 0; i < w; ++i) {
        if (borderSides_.left)
            p.fillRect(QRect(ring.left, ring.top, 1, ring.height()), topLeft);
        if (borderSides_.top)
            p.fillRect(QRect(ring.left, ring.top, ring.width(), 1), topLeft);
        if (borderSides_.right)
            p.fillRect(QRect(ring.right - 1, ring.top, 1, ring.height()), bottomRight);
        if (borderSides_.bottom)
            p.fillRect(QRect(ring.left, ring.bottom - 1, ring.width(), 1), bottomRight);
        ring = ShrinkSides(ring, borderSides_, 1);
    }
}

void PlainPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const PlainPanelLayout layout = PlainPanelPaintLayout(
        width(), height(), borderOuter_, borderInner_, borderSides_, bevelWidth_, borderWidth_);
    drawFrame(p, layout.outerFrame, borderOuter_);
    for (const SkinRect& ring : layout.rings) {
        // Left and top sides first, then right and bottom, each on the sides asked for.
        if (borderSides_.left)
            p.fillRect(QRect(ring.left, ring.top, 1, ring.height()), borderColor_);
        if (borderSides_.top)
            p.fillRect(QRect(ring.left, ring.top, ring.width(), 1), borderColor_);
        if (borderSides_.right)
            p.fillRect(QRect(ring.right - 1, ring.top, 1, ring.height()), borderColor_);
        if (borderSides_.bottom)
            p.fillRect(QRect(ring.left, ring.bottom - 1, ring.width(), 1), borderColor_);
    }
    drawFrame(p, layout.innerFrame, borderInner_);
    const QRect fill = ToQRect(layout.fill);
    if (!transparent_ && paintClientArea_ && !fill.isEmpty()) {
        if (visualStyle_ == TPlainVisualStyle::vsGradient) {
            QLinearGradient g(fill.topLeft(),
                              gradientDirection_ == TGradientDirection::gdHorizontalEnd
                                  ? fill.topRight()
                                  : fill.bottomLeft());
            g.setColorAt(0, gradientStart_);
            g.setColorAt(1, gradientStop_);
            p.fillRect(fill, g);
        } else {
            p.fillRect(fill, color_);
        }
    }
    if (showGrid_) {
        const auto xs = PlainGridLines(layout.fill.left, layout.fill.right, gridX_);
        const auto ys = PlainGridLines(layout.fill.top, layout.fill.bottom, gridY_);
        QPen pen(gridColor_);
        if (gridStyle_ == TPlainGridStyle::gsDottedLines)
            pen.setDashPattern({1, 1});
        p.setPen(pen);
        if (gridStyle_ == TPlainGridStyle::gsDots) {
            for (int x : xs)
                for (int y : ys)
                    p.drawPoint(x, y);
        } else {
            for (int x : xs)
                p.drawLine(x, layout.fill.top, x, layout.fill.bottom - 1);
            for (int y : ys)
                p.drawLine(layout.fill.left, y, layout.fill.right - 1, y);
        }
    }
    if (!caption_.isEmpty()) {
        const SkinRect box{layout.fill.left + textMargin_, layout.fill.top + textMarginVertical_,
                           layout.fill.right - textMargin_,
                           layout.fill.bottom - textMarginVertical_};
        int flags = Qt::TextExpandTabs | Qt::TextShowMnemonic | int(alignment_);
        if (wordWrap_)
            flags |= Qt::TextWordWrap;
        p.setFont(font());
        const QRect measured = p.boundingRect(ToQRect(box), flags, caption_);
        const QRect textBox = ToQRect(PlainCaptionBox(box, measured.height(), alignmentVertical_));
        p.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                             : palette().color(QPalette::Disabled, QPalette::Text));
        // Vertical centring of the drawing flags only acts on single lines; the box is placed
        // already, so the text starts at its top.
        p.drawText(textBox, flags | Qt::AlignTop, caption_);
    }
    if (onPaint)
        onPaint(p);
}

void PlainPanel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    emit mouseEnter();
}

void PlainPanel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit mouseLeave();
}

void PlainPanel::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace trvx
