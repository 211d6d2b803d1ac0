#pragma once
// A call that may never return (a settings service that stopped answering), waited for at most
// a limit. It runs on a thread of its own, which goes on by itself when the wait gives up. While
// one is under way no other starts: a later wait waits for it first and then starts its own in
// the time left, so a hung service holds one thread rather than one for each wait, and a call
// that began before the caller's work never stands in for one that began after it.

#include <chrono>
#include <functional>
#include <future>
#include <mutex>

namespace trvx {

class SingleFlightCall {
public:
    explicit SingleFlightCall(std::function<void()> call);

    // True when a call that began with this wait ended within `limit`.
    bool RunWithin(std::chrono::milliseconds limit);

private:
    std::function<void()> call_;
    std::mutex mutex_;
    std::shared_future<void> underWay_;
};

} // namespace trvx
