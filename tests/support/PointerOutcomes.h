#pragma once
// The pointer settings' outcomes as their worker reports them, from its own thread.

#include "sensitivity/PointerSettings.h"
#include "support/Waiting.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace trvx::test {

class PointerOutcomes {
public:
    PointerSettings::OutcomeReport Report() {
        return [this](const PointerOutcome& outcome) {
            std::lock_guard lock(mutex_);
            got_.push_back(outcome);
            changed_.notify_all();
        };
    }
    // Waits until `count` outcomes came (or the deadline passed); those that came.
    std::vector<PointerOutcome> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kWaitDeadline, [&] { return got_.size() >= count; });
        return got_;
    }
    std::vector<PointerOutcome> Got() {
        std::lock_guard lock(mutex_);
        return got_;
    }
    void Forget() {
        std::lock_guard lock(mutex_);
        got_.clear();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<PointerOutcome> got_;
};

} // namespace trvx::test
