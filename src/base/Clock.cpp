#include "base/Clock.h"

#include <thread>

namespace trvx {

std::int64_t RealClock::nowMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::sleepMicros(std::int64_t us) {
    if (us > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(us));
}

std::int64_t VirtualClock::nowMicros() {
    std::lock_guard lock(mutex_);
    return now_;
}

void VirtualClock::sleepMicros(std::int64_t us) {
    if (us <= 0)
        return;
    std::lock_guard lock(mutex_);
    now_ += us;
    slept_ += us;
    sleptByThread_[std::this_thread::get_id()] += us;
    changed_.notify_all();
}

void VirtualClock::advanceMicros(std::int64_t us) {
    if (us <= 0)
        return;
    std::lock_guard lock(mutex_);
    now_ += us;
    changed_.notify_all();
}

std::int64_t VirtualClock::sleptMicros() {
    std::lock_guard lock(mutex_);
    return slept_;
}

std::int64_t VirtualClock::sleptMicrosOnThisThread() {
    std::lock_guard lock(mutex_);
    const auto it = sleptByThread_.find(std::this_thread::get_id());
    return it == sleptByThread_.end() ? 0 : it->second;
}

} // namespace trvx
