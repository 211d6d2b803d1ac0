#include "controls/wide/ui/GifAnimator.h"

#include "controls/wide/ui/ClockTimer.h"

#include <QImage>
#include <QPainter>
#include <QThread>

namespace trvx {

TAnimGIFAnimator::TAnimGIFAnimator(QWidget* parent, Clock* clock)
    : QWidget(parent), host_(this), anim_(host_, clock) {
    resize(105, 105);
    // Under a virtual clock the frames tick on the window's timer, which the clock drives,
    // instead of on a worker waiting in real time.
    if (VirtualTimerScheduler::Current() != nullptr)
        anim_.Timer().SetThreaded(false);
    anim_.OnStart = [this] { emit started(); };
    anim_.OnStop = [this] { emit stopped(); };
    anim_.OnChange = [this] { emit changed(); };
    anim_.OnFrameChanged = [this] { emit frameChanged(); };
    // The busy window's picture keeps running while that window is hidden: what counts is the
    // control's own visibility within its parent.
    anim_.CanAdvance = [this] { return parentWidget() && isVisibleTo(parentWidget()); };
    anim_.RepaintNow = [this] {
        // A tick on the timer's worker (asynchronous drawing) must not touch the widget.
        if (QThread::currentThread() == thread())
            repaint();
        else
            QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
    };
    anim_.ControlChanged = [this] {
        adjustSizeToImage();
        update();
    };
}

TAnimGIFAnimator::~TAnimGIFAnimator() {
    anim_.OnStart = anim_.OnStop = anim_.OnChange = anim_.OnFrameChanged = nullptr;
    anim_.CanAdvance = nullptr;
    anim_.RepaintNow = nullptr;
    anim_.ControlChanged = nullptr;
}

std::optional<std::string> TAnimGIFAnimator::LoadImage(std::span<const std::uint8_t> gif) {
    return anim_.LoadImage(gif);
}

void TAnimGIFAnimator::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    adjustSizeToImage();
}

void TAnimGIFAnimator::adjustSizeToImage() {
    const GifImage& image = anim_.Image();
    if (!autoSize_ || image.empty())
        return;
    resize(image.screenWidth(), image.screenHeight());
}

void TAnimGIFAnimator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The parent's colour under the picture; the key colour's pixels let it through.
    const QWidget* parent = parentWidget();
    painter.fillRect(rect(), (parent ? parent->palette() : palette()).color(QPalette::Window));
    std::string error;
    const GifScreen* screen = anim_.ComposeCurrent(&error);
    if (!screen || screen->width < 1 || screen->height < 1)
        return;
    const bool keyed = Transparent() && screen->keyColor.has_value();
    const std::vector<std::uint32_t> argb = screen->toArgb32(keyed);
    const QImage frame(reinterpret_cast<const uchar*>(argb.data()), screen->width, screen->height,
                       screen->width * 4, QImage::Format_ARGB32);
    const AnimRect dest =
        AnimatorDestination(width(), height(), screen->width, screen->height, Stretch(), Center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(dest.x, dest.y, dest.width, dest.height), frame);
}

} // namespace trvx
