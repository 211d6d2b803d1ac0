#include "fire/ui/InWindowCapture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace trvx {

void InWindowCapture::Start(ButtonEvent onButton) {
    onButton_ = std::move(onButton);
    if (!running_)
        qApp->installEventFilter(this);
    running_ = true;
}

void InWindowCapture::Stop() {
    if (running_ && qApp != nullptr)
        qApp->removeEventFilter(this);
    running_ = false;
}

bool InWindowCapture::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Every mouse event reaches its window first, once, whichever widget then takes it.
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
        qobject_cast<QWindow*>(watched) != nullptr) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        const bool onIgnored = ignored_ && ignored_->isVisible() &&
                               ignored_->rect().contains(ignored_->mapFromGlobal(global));
        if (mouse->button() == Qt::LeftButton && !onIgnored && onButton_)
            onButton_(type == QEvent::MouseButtonPress, mouse->timestamp());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace trvx
