#pragma once
// Time for the device link and the program's timers. The real clock sleeps; the virtual clock
// of the tests and the scenario runner only moves its hands, so the mouse's waits cost nothing.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace trvx {

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary epoch; never goes backwards.
    virtual std::int64_t nowMicros() = 0;
    virtual void sleepMicros(std::int64_t us) = 0;
    void sleepMillis(std::int64_t ms) { sleepMicros(ms * 1000); }
};

class RealClock final : public Clock {
public:
    std::int64_t nowMicros() override;
    void sleepMicros(std::int64_t us) override;
};

// Time moves only when a sleep or advance() moves it. A sleep moves the clock to the sleeper's
// wake time at once, so single-threaded code behaves as if it had waited.
class VirtualClock final : public Clock {
public:
    std::int64_t nowMicros() override;
    void sleepMicros(std::int64_t us) override;
    void advanceMicros(std::int64_t us);
    void advanceMillis(std::int64_t ms) { advanceMicros(ms * 1000); }
    // Total time slept through sleepMicros (what the waits would have cost on a real clock).
    std::int64_t sleptMicros();
    // The part of it the calling thread slept: its own waits, told apart from those of other
    // threads that move the same clock meanwhile.
    std::int64_t sleptMicrosOnThisThread();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t now_ = 0;
    std::int64_t slept_ = 0;
    std::unordered_map<std::thread::id, std::int64_t> sleptByThread_;
};

} // namespace trvx
