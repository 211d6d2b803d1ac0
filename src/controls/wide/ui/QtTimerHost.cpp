#include "controls/wide/ui/QtTimerHost.h"

#include <QThread>

namespace trvx {

QtTimerHost::QtTimerHost(QObject* parent) : QObject(parent) {
    connect(&timer_, &ClockTimer::timeout, this, [this] {
        if (timerFn_)
            timerFn_();
    });
}

void QtTimerHost::post(std::function<void()> fn) {
    // A queued call to this object: Qt drops it if the object is gone when it comes due.
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

bool QtTimerHost::onUiThread() const {
    return QThread::currentThread() == thread();
}

bool QtTimerHost::startUiTimer(std::uint32_t ms, std::function<void()> fn) {
    timerFn_ = std::move(fn);
    timer_.start(static_cast<int>(std::min<std::uint32_t>(ms, 0x7FFFFFFF)));
    return timer_.isActive();
}

void QtTimerHost::stopUiTimer() {
    timer_.stop();
    timerFn_ = nullptr;
}

} // namespace trvx
