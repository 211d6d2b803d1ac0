#pragma once
// A call that may never return (a settings service that stopped answering), waited for at most
// a limit. It runs on a thread of its own, which goes on by itself when the wait gives up; while
// it is under way, a later wait waits for that same call again instead of starting another, so a
// hung service holds one thread rather than one for each wait.

#include <chrono>
#include <functional>
#include <future>
#include <mutex>

namespace trvx {

class SingleFlightCall {
public:
    explicit SingleFlightCall(std::function<void()> call);

    // Starts the call unless it is under way, and waits at most `limit` for it: true when the
    // call that was under way or started ended within it.
    bool RunWithin(std::chrono::milliseconds limit);

private:
    std::function<void()> call_;
    std::mutex mutex_;
    std::shared_future<void> underWay_;
};

} // namespace trvx
