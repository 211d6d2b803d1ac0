#include "controls/skinned/ui/Panel.h"

#include "controls/skinned/ui/SkinPainting.h"

#include <QMouseEvent>
#include <QPainter>

namespace trvx {

SkinCustomPanel::SkinCustomPanel(QWidget* parent) : QWidget(parent) {}

void SkinCustomPanel::setPicture(const QImage& picture) {
    picture_ = picture;
    pictureChanged();
}

void SkinCustomPanel::pictureChanged() {
    if (!picture_.isNull() && autoSize_) {
        // The size follows the picture (a panel here is never aligned to its parent's edges).
        resize(picture_.size());
    }
    update();
}

void SkinCustomPanel::setTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void SkinCustomPanel::setAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    pictureChanged();
}

void SkinCustomPanel::setDrawStyle(SkinDrawStyle style) {
    if (drawStyle_ == style)
        return;
    drawStyle_ = style;
    update();
}

void SkinCustomPanel::setText(const QString& text) {
    text_ = text;
    captionChanged(captionRect_);
    update();
}

void SkinCustomPanel::setAlignment(Qt::Alignment alignment) {
    if (alignment_ == alignment)
        return;
    alignment_ = alignment;
    update();
}

void SkinCustomPanel::paintSurface(QPainter& painter) {
    const bool hasPicture = !picture_.isNull() && picture_.width() > 0 && picture_.height() > 0;
    if (hasPicture) {
        switch (drawStyle_) {
        case SkinDrawStyle::skStretch:
            painter.drawImage(rect(), picture_);
            break;
        case SkinDrawStyle::skTile:
            DrawTiled(painter, picture_, rect());
            break;
        case SkinDrawStyle::skNormal:
            painter.drawImage(QPoint(0, 0), picture_);
            break;
        }
    } else if (!transparent_) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    // Transparent: nothing painted, so the parent shows through.
}

void SkinCustomPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSurface(painter);
    if (text_.trimmed().isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::TextSingleLine | Qt::AlignVCenter | alignment_, text_);
    captionRect_ = rect();
}

void SkinCustomPanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void SkinCustomPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace trvx
