#include "skin/ui/SkinPicture.h"

#include "skin/ui/SkinImages.h"

#include <QMouseEvent>
#include <QPainter>

namespace trvx {

SkinPicture::SkinPicture(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
}

void SkinPicture::setPicture(const QImage& picture) {
    pending_.clear();
    picture_ = picture;
    if (autoSize_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

bool SkinPicture::setSkinPicture(std::string_view name) {
    const QSize size = SkinImageSize(name);
    if (!size.isValid())
        return false;
    pending_.assign(name);
    picture_ = QImage();
    if (autoSize_)
        resize(size);
    // A picture that shows when its window does decodes now, while the window is still being
    // built; the others when they come into view.
    if (isVisible() || (!window()->isVisible() && isVisibleTo(window())))
        PrefetchSkinImage(pending_);
    update();
    return true;
}

const QImage& SkinPicture::picture() const {
    if (!pending_.empty()) {
        picture_ = SkinImage(pending_);
        pending_.clear();
    }
    return picture_;
}

QSize SkinPicture::pictureSize() const {
    return pending_.empty() ? picture_.size() : SkinImageSize(pending_);
}

void SkinPicture::setAutoSize(bool on) {
    autoSize_ = on;
    if (const QSize size = pictureSize(); autoSize_ && !size.isEmpty())
        resize(size);
}

void SkinPicture::paintEvent(QPaintEvent*) {
    const QImage& shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    // A picture that takes no clicks (its own or its parent's) shows faded, so that a row of
    // steps the user cannot set does not look like one that ignores the click.
    if (!isEnabled())
        painter.setOpacity(kDisabledOpacity);
    painter.drawImage(0, 0, shown);
}

void SkinPicture::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void SkinPicture::showEvent(QShowEvent* event) {
    // Every picture of a page that comes into view decodes at once, side by side, before the
    // page's first paint asks for them one by one.
    if (!pending_.empty())
        PrefetchSkinImage(pending_);
    QWidget::showEvent(event);
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

void PrefetchSkinPicturesOf(const QWidget& area) {
    for (const SkinPicture* picture : area.findChildren<SkinPicture*>())
        if (!picture->pendingSkinPicture().empty() && picture->isVisibleTo(&area))
            PrefetchSkinImage(picture->pendingSkinPicture());
}

} // namespace trvx
