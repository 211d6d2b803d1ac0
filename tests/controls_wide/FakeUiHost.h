#pragma once
// A UI thread for the timer tests: posted calls wait in a queue until the test runs them on its
// own thread, and the non-threaded mode's timer is only recorded.

#include "controls/wide/ThreadedTimer.h"
#include "support/Waiting.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace trvx::timer_test {

class FakeUiHost final : public TimerUiHost {
public:
    void post(std::function<void()> fn) override {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(fn));
        ++posted_;
        changed_.notify_all();
    }
    bool onUiThread() const override { return std::this_thread::get_id() == ui_; }
    bool startUiTimer(std::uint32_t ms, std::function<void()> fn) override {
        if (!timersAvailable)
            return false;
        uiTimerMs = ms;
        uiTimerFn = std::move(fn);
        uiTimerRunning = true;
        return true;
    }
    void stopUiTimer() override { uiTimerRunning = false; }

    // Waits (real time) until n calls have been posted in all.
    bool waitPosted(std::size_t n, std::chrono::milliseconds timeout = test::kWaitDeadline) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return posted_ >= n; });
    }
    std::size_t posted() {
        std::lock_guard lock(mutex_);
        return posted_;
    }
    std::size_t queued() {
        std::lock_guard lock(mutex_);
        return queue_.size();
    }
    // Runs the queued calls on the calling thread, as the UI's event loop would.
    int runPosted() {
        int n = 0;
        for (;;) {
            std::function<void()> fn;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    return n;
                fn = std::move(queue_.front());
                queue_.pop_front();
            }
            fn();
            ++n;
        }
    }

    bool timersAvailable = true;
    bool uiTimerRunning = false;
    std::uint32_t uiTimerMs = 0;
    std::function<void()> uiTimerFn;

private:
    std::thread::id ui_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    std::size_t posted_ = 0;
};

} // namespace trvx::timer_test
