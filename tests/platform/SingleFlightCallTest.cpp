// A call that may hang for good: a wait gives up after its limit, the next wait waits for the
// same call instead of starting another, and once it ended the next wait starts it anew.
#include "platform/SingleFlightCall.h"

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace trvx {
namespace {

using namespace std::chrono_literals;

// A service that hangs until the test lets it answer; it outlives every call made to it.
struct Service {
    std::mutex mutex;
    std::condition_variable changed;
    bool answering = false;
    int started = 0;
    int ended = 0;

    void Call() {
        std::unique_lock lock(mutex);
        ++started;
        changed.wait(lock, [&] { return answering; });
        ++ended;
    }
    void Answer() {
        std::lock_guard lock(mutex);
        answering = true;
        changed.notify_all();
    }
    // The calls started so far, once all of them ended.
    int StartedWhenAllEnded() {
        test::WaitUntil([&] {
            std::lock_guard lock(mutex);
            return started == ended;
        });
        std::lock_guard lock(mutex);
        return started;
    }
};

TEST(SingleFlightCall, AHungCallIsWaitedForAgainNotStartedAgain) {
    auto service = std::make_shared<Service>();
    SingleFlightCall call([service] { service->Call(); });

    // The service hangs: every wait gives up.
    for (int wait = 0; wait < 3; ++wait)
        EXPECT_FALSE(call.RunWithin(5ms));

    // It answers: a wait sees the call end (or starts one that ends at once). The waits that
    // gave up left no calls of their own behind.
    service->Answer();
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    const int calls = service->StartedWhenAllEnded();
    EXPECT_GE(calls, 1);
    EXPECT_LE(calls, 2);

    // With nothing under way, the next wait starts a call of its own.
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_EQ(service->StartedWhenAllEnded(), calls + 1);
}

TEST(SingleFlightCall, ACallThatThrowsEndsAllTheSame) {
    int calls = 0;
    SingleFlightCall call([&calls] {
        ++calls;
        throw std::runtime_error("the service went away");
    });
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_EQ(calls, 2);
}

} // namespace
} // namespace trvx
