#pragma once
// Waiting for what another thread or process does. A wait returns as soon as its condition
// holds; the deadline only ends the wait of a broken program, so it is generous: on a loaded
// machine under the sanitizers a thread may stay unscheduled for whole seconds.

#include <chrono>
#include <thread>

namespace trvx::test {

inline constexpr std::chrono::milliseconds kWaitDeadline{30'000};

// Polls `holds` until it is true or the deadline passed; its last answer.
template <class Condition>
bool WaitUntil(Condition holds, std::chrono::milliseconds deadline = kWaitDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!holds()) {
        if (std::chrono::steady_clock::now() >= end)
            return holds();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace trvx::test
