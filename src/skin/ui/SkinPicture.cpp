#include "skin/ui/SkinPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace trvx {

SkinPicture::SkinPicture(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
}

void SkinPicture::setPicture(const QImage& picture) {
    picture_ = picture;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void SkinPicture::setAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
}

void SkinPicture::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void SkinPicture::enterEvent(QEnterEvent*) {
    emit mouseEnter();
}

void SkinPicture::leaveEvent(QEvent*) {
    emit mouseLeave();
}

void SkinPicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    emit mouseDown(event->button(), event->position().toPoint());
}

void SkinPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    emit mouseUp(event->button(), event->position().toPoint());
    if (click)
        emit clicked();
}

} // namespace trvx
