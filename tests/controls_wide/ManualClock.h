#pragma once
// A clock for the timer tests that moves only when told, so that the control library's tests
// need nothing of the device library.

#include "base/Clock.h"

#include <atomic>
#include <cstdint>

namespace trvx::timer_test {

class ManualClock final : public Clock {
public:
    std::int64_t nowMicros() override { return now_.load(); }
    void sleepMicros(std::int64_t us) override {
        if (us > 0)
            now_ += us;
    }
    void advanceMillis(std::int64_t ms) { now_ += ms * 1000; }

private:
    std::atomic<std::int64_t> now_{0};
};

} // namespace trvx::timer_test
