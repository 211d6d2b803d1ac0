#pragma once
// A timer whose ticks come from a worker thread of its own (or, when not threaded, from a timer
// of the UI thread). The worker only waits: on a condition variable, never by spinning or by
// being suspended, and each tick is handed to the UI thread and run there while the worker
// waits for it. Destroying the timer cancels a tick still queued for the UI thread and joins
// the worker.
//
// All properties are set on the UI thread.

#include "base/Clock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace trvx {

enum class TThreadPriority : std::uint8_t {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// What the timer needs of the UI thread; the widget layer implements it with queued calls and
// a QTimer, the tests with a queue they run themselves.
class TimerUiHost {
public:
    virtual ~TimerUiHost() = default;
    // Queues `fn` to run on the UI thread; callable from any thread.
    virtual void post(std::function<void()> fn) = 0;
    virtual bool onUiThread() const = 0;
    // The non-threaded mode: `fn` every `ms` on the UI thread. False when no timer can be had.
    virtual bool startUiTimer(std::uint32_t ms, std::function<void()> fn) = 0;
    virtual void stopUiTimer() = 0;
};

class TAnimTimer {
public:
    using Handler = std::function<void(TAnimTimer&)>;

    // `clock` gives the time the worker waits by (a steady clock when null). With a virtual
    // clock, call ClockChanged() after moving it so the worker looks at the time again.
    explicit TAnimTimer(TimerUiHost& host, Clock* clock = nullptr);
    virtual ~TAnimTimer();
    TAnimTimer(const TAnimTimer&) = delete;
    TAnimTimer& operator=(const TAnimTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t ms);
    bool Threaded() const { return threaded_; }
    void SetThreaded(bool value);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority value);
    // Threaded mode: true runs each tick on the UI thread, false on the worker.
    bool SyncEvent() const { return syncEvent_; }
    void SetSyncEvent(bool value) { syncEvent_ = value; }
    bool HasOnTimer() const;
    void SetOnTimer(Handler handler);

    // Calls the handler when enabled, not being destroyed and a handler is set.
    virtual void FireTick();

    // Runs `fn` on the UI thread and waits for it, when called from the running worker;
    // otherwise (worker paused or ended, or called on any other thread) runs it at once.
    void RunOnUIThread(const std::function<void()>& fn);

    // Wakes the worker so it reads the clock again (for clocks that jump).
    void ClockChanged();

    // The worker is released and waiting or ticking.
    bool WorkerRunning() const;
    // The error that ended the ticks or that the last unsynchronised tick raised; empty if none.
    std::string LastError() const;
    // Counts of the worker's interval waits begun and of its wake-ups, so that tests can meet
    // the worker at a known point and see that it never spins.
    std::uint64_t WaitsStarted() const;
    std::uint64_t Wakeups() const;
    // Waits (real time) until the worker has begun its n-th interval wait; false on timeout.
    bool WaitForWaitsStarted(std::uint64_t n, std::chrono::milliseconds timeout) const;
    // Waits (real time) until the worker is in an interval wait begun under the settings now in
    // force; false on timeout.
    bool WaitForWorkerWaiting(std::chrono::milliseconds timeout) const;
    // Waits (real time) until the worker has queued a call for the UI thread and waits for it
    // to run; false on timeout.
    bool WaitForHandOff(std::chrono::milliseconds timeout) const;

private:
    struct Handoff; // a call queued for the UI thread that the worker waits for

    void applyTimerSettings();
    bool runCondition() const;
    void workerLoop();
    // Worker side: queue fn on the UI thread and wait; false when the timer went away meanwhile.
    bool handToUiAndWait(std::unique_lock<std::mutex>& lock, const std::function<void()>& fn,
                         std::string* error);
    void applyPriorityOnWorker();

    TimerUiHost& host_;
    Clock* clock_;

    // UI-thread properties; the worker reads enabled_ and syncEvent_ only.
    std::atomic<bool> enabled_{true};
    std::uint32_t interval_ = 1000;
    bool threaded_ = true;
    TThreadPriority priority_ = TThreadPriority::tpNormal;
    std::atomic<bool> syncEvent_{true};
    bool uiTimerActive_ = false;

    // Shared with the worker, under mutex_.
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Handler handler_;
    bool paused_ = true;
    bool terminating_ = false;
    bool ended_ = false; // the run loop has ended (terminated or stopped by an error)
    std::uint32_t workerInterval_ = 1000;
    std::uint64_t releaseCount_ = 0;
    std::uint64_t waitsStarted_ = 0;
    bool inWait_ = false;
    std::uint64_t waitRelease_ = 0;
    std::uint64_t wakeups_ = 0;
    int workerNice_ = 0;
    std::string lastError_;
    std::shared_ptr<Handoff> pending_;
    std::thread::id workerId_;

    std::thread worker_; // last: started once everything above exists
};

} // namespace trvx
