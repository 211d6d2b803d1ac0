#include "controls/wide/ThreadedTimer.h"

#include <exception>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace trvx {

namespace {

// The timer must not need the device library for its default clock.
class SteadyClock final : public Clock {
public:
    std::int64_t nowMicros() override {
        using namespace std::chrono;
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleepMicros(std::int64_t us) override {
        if (us > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(us));
    }
};

SteadyClock& steadyClock() {
    static SteadyClock clock;
    return clock;
}

// Nice values for the priorities; raising a thread above normal needs privileges the program
// does not have, so those stay normal.
int niceOf(TThreadPriority p) {
    switch (p) {
    case TThreadPriority::tpIdle:
        return 19;
    case TThreadPriority::tpLowest:
        return 10;
    case TThreadPriority::tpLower:
        return 5;
    default:
        return 0;
    }
}

} // namespace

struct TAnimTimer::Handoff {
    std::atomic<bool> cancelled{false};
    bool queued = false; // under the timer's mutex: the call is on the UI thread's queue
    bool done = false;   // under the timer's mutex
    std::string error;   // set when the call threw
};

TAnimTimer::TAnimTimer(TimerUiHost& host, Clock* clock)
    : host_(host), clock_(clock ? clock : &steadyClock()) {
    worker_ = std::thread([this] { workerLoop(); });
}

TAnimTimer::~TAnimTimer() {
    {
        std::lock_guard lock(mutex_);
        enabled_ = false;
        handler_ = nullptr;
        terminating_ = true;
        paused_ = false;
        // A tick already queued for the UI thread must find nothing to call when it runs.
        if (pending_)
            pending_->cancelled = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
    if (uiTimerActive_)
        host_.stopUiTimer();
}

void TAnimTimer::SetEnabled(bool value) {
    if (enabled_ == value)
        return;
    enabled_ = value;
    applyTimerSettings();
}

void TAnimTimer::SetInterval(std::uint32_t ms) {
    if (interval_ == ms)
        return;
    interval_ = ms;
    applyTimerSettings();
}

void TAnimTimer::SetThreaded(bool value) {
    if (threaded_ == value)
        return;
    threaded_ = value;
    applyTimerSettings();
}

void TAnimTimer::SetThreadPriority(TThreadPriority value) {
    if (priority_ == value)
        return;
    priority_ = value;
    if (threaded_)
        applyTimerSettings();
}

bool TAnimTimer::HasOnTimer() const {
    std::lock_guard lock(mutex_);
    return static_cast<bool>(handler_);
}

void TAnimTimer::SetOnTimer(Handler handler) {
    bool had = false;
    bool has = static_cast<bool>(handler);
    {
        std::lock_guard lock(mutex_);
        had = static_cast<bool>(handler_);
        handler_ = std::move(handler);
    }
    if (had != has)
        applyTimerSettings();
}

void TAnimTimer::FireTick() {
    Handler handler;
    {
        std::lock_guard lock(mutex_);
        if (!enabled_ || terminating_ || !handler_)
            return;
        handler = handler_;
    }
    handler(*this);
}

bool TAnimTimer::runCondition() const {
    return interval_ != 0 && enabled_ && HasOnTimer();
}

void TAnimTimer::applyTimerSettings() {
    const bool run = runCondition();
    if (threaded_) {
        if (uiTimerActive_) {
            host_.stopUiTimer();
            uiTimerActive_ = false;
        }
        {
            std::lock_guard lock(mutex_);
            paused_ = true;
            workerInterval_ = interval_;
            if (run) {
                workerNice_ = niceOf(priority_);
                paused_ = false;
                ++releaseCount_;
            }
        }
        changed_.notify_all();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        paused_ = true;
    }
    changed_.notify_all();
    if (uiTimerActive_) {
        host_.stopUiTimer();
        uiTimerActive_ = false;
    }
    if (run) {
        uiTimerActive_ = host_.startUiTimer(interval_, [this] { FireTick(); });
        if (!uiTimerActive_) {
            std::lock_guard lock(mutex_);
            lastError_ = "Not enough timers available";
        }
    }
}

void TAnimTimer::applyPriorityOnWorker() {
    // Linux keeps a nice value per thread; an unprivileged thread may only lower itself.
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, tid, workerNice_);
}

bool TAnimTimer::handToUiAndWait(std::unique_lock<std::mutex>& lock,
                                 const std::function<void()>& fn, std::string* error) {
    auto handoff = std::make_shared<Handoff>();
    pending_ = handoff;
    lock.unlock();
    host_.post([this, handoff, fn] {
        if (handoff->cancelled)
            return;
        std::string failure;
        try {
            fn();
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "Unknown error";
        }
        // The call may have destroyed the timer (its destructor cancels the hand-off).
        if (handoff->cancelled)
            return;
        {
            std::lock_guard inner(mutex_);
            handoff->done = true;
            handoff->error = std::move(failure);
        }
        changed_.notify_all();
    });
    lock.lock();
    handoff->queued = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return terminating_ || handoff->done; });
    if (pending_ == handoff)
        pending_.reset();
    if (!handoff->done)
        return false;
    if (error)
        *error = handoff->error;
    return true;
}

void TAnimTimer::workerLoop() {
    std::unique_lock lock(mutex_);
    workerId_ = std::this_thread::get_id();
    std::uint64_t appliedRelease = 0;
    while (!terminating_) {
        if (paused_) {
            changed_.wait(lock, [&] { return terminating_ || !paused_; });
            ++wakeups_;
            continue;
        }
        if (appliedRelease != releaseCount_) {
            appliedRelease = releaseCount_;
            applyPriorityOnWorker();
        }
        // One interval; a pause or a new release meanwhile starts the wait afresh with the
        // settings then in force.
        const std::uint64_t release = releaseCount_;
        const std::int64_t due = clock_->nowMicros() + std::int64_t(workerInterval_) * 1000;
        ++waitsStarted_;
        inWait_ = true;
        waitRelease_ = release;
        changed_.notify_all();
        bool elapsed = false;
        while (!terminating_ && !paused_ && releaseCount_ == release) {
            const std::int64_t now = clock_->nowMicros();
            if (now >= due) {
                elapsed = true;
                break;
            }
            changed_.wait_for(lock, std::chrono::microseconds(due - now));
            ++wakeups_;
        }
        inWait_ = false;
        if (!elapsed || terminating_)
            continue;
        if (!enabled_)
            continue;
        if (syncEvent_) {
            std::string error;
            if (!handToUiAndWait(
                    lock, [this] { FireTick(); }, &error))
                break;
            if (!error.empty()) {
                // A tick that failed on the UI thread ends the ticks.
                lastError_ = error;
                break;
            }
        } else {
            lock.unlock();
            std::string failure;
            try {
                FireTick();
            } catch (const std::exception& e) {
                failure = e.what();
            }
            lock.lock();
            if (!failure.empty())
                lastError_ = failure;
        }
    }
    ended_ = true;
    changed_.notify_all();
}

void TAnimTimer::RunOnUIThread(const std::function<void()>& fn) {
    std::unique_lock lock(mutex_);
    const bool fromWorker = std::this_thread::get_id() == workerId_;
    if (!fromWorker || paused_ || terminating_ || ended_) {
        lock.unlock();
        fn();
        return;
    }
    std::string error;
    handToUiAndWait(lock, fn, &error);
}

void TAnimTimer::ClockChanged() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

bool TAnimTimer::WorkerRunning() const {
    std::lock_guard lock(mutex_);
    return !paused_ && !terminating_ && !ended_;
}

std::string TAnimTimer::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

std::uint64_t TAnimTimer::WaitsStarted() const {
    std::lock_guard lock(mutex_);
    return waitsStarted_;
}

std::uint64_t TAnimTimer::Wakeups() const {
    std::lock_guard lock(mutex_);
    return wakeups_;
}

bool TAnimTimer::WaitForWaitsStarted(std::uint64_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return waitsStarted_ >= n; });
}

bool TAnimTimer::WaitForWorkerWaiting(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return inWait_ && waitRelease_ == releaseCount_ && !paused_ && !terminating_;
    });
}

bool TAnimTimer::WaitForHandOff(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return pending_ && pending_->queued; });
}

} // namespace trvx
