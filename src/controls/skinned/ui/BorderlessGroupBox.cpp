#include "controls/skinned/ui/BorderlessGroupBox.h"

#include "controls/skinned/ui/SkinPainting.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace trvx {

PlainGroupBox::PlainGroupBox(QWidget* parent) : QWidget(parent) {
    realign();
}

void PlainGroupBox::setBorderColor(const QColor& c) {
    if (borderColor_ == c)
        return;
    borderColor_ = c;
    update();
}

void PlainGroupBox::setBorderStyle(TPlainBorderStyle s) {
    if (borderStyle_ == s)
        return;
    borderStyle_ = s;
    realign();
    update();
}

void PlainGroupBox::setCaptionPosition(TCaptionPosition p) {
    if (captionPosition_ == p)
        return;
    captionPosition_ = p;
    realign();
    update();
}

void PlainGroupBox::setImages(const std::vector<QImage>* images) {
    if (images_ == images)
        return;
    images_ = images;
    if (!images_)
        imageIndex_ = -1;
    realign();
    update();
}

void PlainGroupBox::setImageIndex(int index) {
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    realign();
    update();
}

void PlainGroupBox::setTransparent(bool on) {
    if (transparent_ == on)
        return;
    transparent_ = on;
    update();
}

void PlainGroupBox::setRoundEdges(bool on) {
    if (roundEdges_ == on)
        return;
    roundEdges_ = on;
    update();
}

void PlainGroupBox::setCtl3D(bool on) {
    if (ctl3d_ == on)
        return;
    ctl3d_ = on;
    realign();
    update();
}

void PlainGroupBox::setColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    update();
}

void PlainGroupBox::setCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    realign();
    update();
}

const QImage* PlainGroupBox::image() const {
    if (!images_ || imageIndex_ < 0 || imageIndex_ >= int(images_->size()))
        return nullptr;
    const QImage& img = (*images_)[std::size_t(imageIndex_)];
    return img.isNull() ? nullptr : &img;
}

PlainGroupLayout PlainGroupBox::layout() const {
    const QFontMetrics fm(font());
    const int tw = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_);
    const int th = caption_.isEmpty() ? 0 : fm.height();
    const QImage* img = image();
    return PlainGroupBoxLayout(width(), height(), borderStyle_, ctl3d_, captionPosition_, tw, th,
                               img ? img->width() : 0, img ? img->height() : 0);
}

void PlainGroupBox::realign() {
    const SkinRect c = layout().client;
    setContentsMargins(c.left, c.top, width() - c.right, height() - c.bottom);
}

void PlainGroupBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    realign();
}

void PlainGroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Transparent: nothing is painted, so the parent's picture shows through wherever the box
    // is moved; otherwise the box's own colour.
    if (!transparent_)
        p.fillRect(rect(), palette().color(QPalette::Window));
    const PlainGroupLayout l = layout();
    const QRect border = ToQRect(l.border);
    const QRect caption = ToQRect(l.caption);
    // No border line crosses the caption band (one pixel round it).
    if (!l.caption.empty())
        p.setClipRegion(QRegion(rect()) - QRegion(caption.adjusted(-1, -1, 1, 1)));
    p.setBrush(Qt::NoBrush);
    switch (borderStyle_) {
    case TPlainBorderStyle::bsNone:
        break;
    case TPlainBorderStyle::bsSingle:
        p.setPen(borderColor_);
        if (roundEdges_)
            p.drawRoundedRect(border.adjusted(0, 0, -1, -1), 3, 3);
        else
            p.drawRect(border.adjusted(0, 0, -1, -1));
        break;
    case TPlainBorderStyle::bsDouble:
        if (ctl3d_) {
            p.setPen(Qt::white);
            p.drawRect(border.adjusted(1, 1, -1, -1));
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.drawRect(border.adjusted(0, 0, -2, -2));
        } else {
            p.setPen(borderColor_);
            p.drawRect(border.adjusted(0, 0, -1, -1));
            p.drawRect(border.adjusted(2, 2, -3, -3));
        }
        break;
    }
    if (l.caption.empty())
        return;
    p.setClipping(false);
    int x = caption.left();
    if (const QImage* img = image()) {
        p.drawImage(QPoint(x, caption.top()),
                    isEnabled() ? *img : img->convertToFormat(QImage::Format_Grayscale8));
        x += img->width() + (caption_.isEmpty() ? 0 : 3);
    }
    if (!caption_.isEmpty()) {
        p.setFont(font());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.drawText(QRect(x, caption.top(), caption.right() + 1 - x, caption.height()),
                   Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignLeft, caption_);
    }
}

void PlainGroupBox::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    emit mouseDown(event->button(), event->position().toPoint());
}

void PlainGroupBox::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace trvx
