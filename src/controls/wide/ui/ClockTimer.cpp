#include "controls/wide/ui/ClockTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <algorithm>
#include <cstdint>

namespace trvx {
namespace {
VirtualTimerScheduler* g_current = nullptr;
} // namespace

ClockTimer::ClockTimer(QObject* parent) : QObject(parent), scheduler_(g_current) {
    if (scheduler_)
        scheduler_->Add(this);
    else
        connect(&real_, &QTimer::timeout, this, &ClockTimer::timeout);
}

ClockTimer::~ClockTimer() {
    if (scheduler_)
        scheduler_->Remove(this);
}

void ClockTimer::setInterval(int ms) {
    interval_ = std::max(ms, 0);
    if (!scheduler_)
        real_.setInterval(interval_);
}

void ClockTimer::setSingleShot(bool singleShot) {
    singleShot_ = singleShot;
    if (!scheduler_)
        real_.setSingleShot(singleShot);
}

bool ClockTimer::isActive() const {
    return scheduler_ ? active_ : real_.isActive();
}

void ClockTimer::start(int ms) {
    setInterval(ms);
    start();
}

void ClockTimer::start() {
    if (!scheduler_) {
        real_.start();
        return;
    }
    active_ = true;
    dueMicros_ = scheduler_->clock().nowMicros() + std::int64_t(interval_) * 1000;
    startOrder_ = scheduler_->nextOrder_++;
}

void ClockTimer::stop() {
    if (scheduler_)
        active_ = false;
    else
        real_.stop();
}

void ClockTimer::FireFromScheduler() {
    if (singleShot_) {
        active_ = false;
        emit timeout();
        return;
    }
    // The next interval counts from the end of the tick, so a tick that waited (the arrival
    // wait, a reset) is not followed by a burst of missed ticks. The end is the firing time
    // plus this thread's own waits in the tick: work it handed to another thread moves the
    // same clock at a moment of that thread's choosing, and reading the clock here would make
    // the next due time depend on how far that thread had got. A tick that stopped or
    // restarted its own timer keeps what it set.
    const std::uint64_t order = startOrder_;
    dueMicros_ = INT64_MAX;
    VirtualClock& clock = scheduler_->clock();
    const std::int64_t firedAt = clock.nowMicros();
    const std::int64_t sleptBefore = clock.sleptMicrosOnThisThread();
    const QPointer<ClockTimer> self(this);
    emit timeout();
    if (self && scheduler_ && active_ && startOrder_ == order) {
        const std::int64_t ownWaits = clock.sleptMicrosOnThisThread() - sleptBefore;
        dueMicros_ = firedAt + ownWaits + std::int64_t(std::max(interval_, 1)) * 1000;
    }
}

VirtualTimerScheduler::VirtualTimerScheduler(VirtualClock& clock) : clock_(clock) {}

VirtualTimerScheduler::~VirtualTimerScheduler() {
    for (ClockTimer* timer : timers_)
        timer->scheduler_ = nullptr;
    if (g_current == this)
        g_current = nullptr;
}

VirtualTimerScheduler* VirtualTimerScheduler::Current() {
    return g_current;
}

void VirtualTimerScheduler::SetCurrent(VirtualTimerScheduler* scheduler) {
    g_current = scheduler;
}

void VirtualTimerScheduler::Add(ClockTimer* timer) {
    timers_.push_back(timer);
}

void VirtualTimerScheduler::Remove(ClockTimer* timer) {
    std::erase(timers_, timer);
}

ClockTimer* VirtualTimerScheduler::NextDue(std::int64_t limit) const {
    ClockTimer* next = nullptr;
    for (ClockTimer* timer : timers_) {
        if (!timer->active_ || timer->dueMicros_ > limit)
            continue;
        if (!next || timer->dueMicros_ < next->dueMicros_ ||
            (timer->dueMicros_ == next->dueMicros_ && timer->startOrder_ < next->startOrder_))
            next = timer;
    }
    return next;
}

void VirtualTimerScheduler::Advance(std::int64_t ms) {
    const std::int64_t target = clock_.nowMicros() + std::max<std::int64_t>(ms, 0) * 1000;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (ClockTimer* timer = NextDue(target)) {
        const std::int64_t now = clock_.nowMicros();
        if (timer->dueMicros_ > now)
            clock_.advanceMicros(timer->dueMicros_ - now);
        timer->FireFromScheduler();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (settle_)
            settle_();
    }
    const std::int64_t now = clock_.nowMicros();
    if (target > now)
        clock_.advanceMicros(target - now);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace trvx
