#include "platform/SingleFlightCall.h"

#include <memory>
#include <thread>
#include <utility>

namespace trvx {

SingleFlightCall::SingleFlightCall(std::function<void()> call) : call_(std::move(call)) {}

bool SingleFlightCall::RunWithin(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock(mutex_);
    // A call under way began before this wait: it is waited for, then one of this wait's own
    // starts. The lock is let go meanwhile, so other waits wait alike.
    while (underWay_.valid()) {
        const std::shared_future<void> earlier = underWay_;
        lock.unlock();
        const bool ended = earlier.wait_until(end) == std::future_status::ready;
        lock.lock();
        if (!ended)
            return false;
        if (underWay_.valid() &&
            underWay_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            underWay_ = {};
    }
    // The thread keeps what it needs: it may outlive this object.
    auto done = std::make_shared<std::promise<void>>();
    const std::shared_future<void> mine = done->get_future().share();
    underWay_ = mine;
    std::thread([call = call_, done] {
        try {
            call();
        } catch (...) {
            // Ended all the same; what it came to is the caller's to find out.
        }
        done->set_value();
    }).detach();
    lock.unlock();
    return mine.wait_until(end) == std::future_status::ready;
}

} // namespace trvx
