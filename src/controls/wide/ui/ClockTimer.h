#pragma once
// A QTimer-like timer that runs on the program's clock. Normally it is a QTimer. When a
// VirtualTimerScheduler is current (tests, the scenario runner, the snapshot tool), it fires
// only when the scheduler advances the virtual clock, so advancing the clock drives every timer
// of the window in time order and a test never waits for real time.

#include "base/Clock.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

namespace trvx {

class VirtualTimerScheduler;

class ClockTimer final : public QObject {
    Q_OBJECT
public:
    // Takes the scheduler current at construction (none: a real QTimer).
    explicit ClockTimer(QObject* parent = nullptr);
    ~ClockTimer() override;

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setSingleShot(bool singleShot);
    bool isSingleShot() const { return singleShot_; }
    bool isActive() const;
    void start();
    void start(int ms);
    void stop();

signals:
    void timeout();

private:
    friend class VirtualTimerScheduler;
    void FireFromScheduler();

    VirtualTimerScheduler* scheduler_;
    QTimer real_;
    int interval_ = 0;
    bool singleShot_ = false;
    bool active_ = false;          // virtual mode only
    std::int64_t dueMicros_ = 0;   // virtual mode only
    std::uint64_t startOrder_ = 0; // ties on the same due time fire in start order
};

class VirtualTimerScheduler {
public:
    explicit VirtualTimerScheduler(VirtualClock& clock);
    ~VirtualTimerScheduler();
    VirtualTimerScheduler(const VirtualTimerScheduler&) = delete;
    VirtualTimerScheduler& operator=(const VirtualTimerScheduler&) = delete;

    // The scheduler that new ClockTimers join; null for real timers.
    static VirtualTimerScheduler* Current();
    static void SetCurrent(VirtualTimerScheduler* scheduler);

    VirtualClock& clock() { return clock_; }

    // Moves the clock forward by ms. Every timer that falls due on the way fires at its due
    // time, in time order, with pending events processed after each tick. A tick that itself
    // slept past later due times fires those timers once, not once per missed interval.
    void Advance(std::int64_t ms);

    // Called after each tick and its events, before the next due timer is looked for: the
    // scenario runner waits there for the work a tick handed to another thread, so the time
    // order stays the same from run to run.
    void SetSettle(std::function<void()> settle) { settle_ = std::move(settle); }

private:
    friend class ClockTimer;
    void Add(ClockTimer* timer);
    void Remove(ClockTimer* timer);
    ClockTimer* NextDue(std::int64_t limit) const;

    VirtualClock& clock_;
    std::vector<ClockTimer*> timers_;
    std::uint64_t nextOrder_ = 0;
    std::function<void()> settle_;
};

} // namespace trvx
