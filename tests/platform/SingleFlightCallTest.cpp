// A call that may hang for good: a wait gives up after its limit, and the next wait waits for
// the same call instead of starting another beside it.
#include "platform/SingleFlightCall.h"

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <atomic>
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
    // Waits until `count` calls have ended.
    bool WaitEnded(int count) {
        return test::WaitUntil([&] {
            std::lock_guard lock(mutex);
            return ended >= count;
        });
    }
    int Started() {
        std::lock_guard lock(mutex);
        return started;
    }
};

TEST(SingleFlightCall, AHungCallIsWaitedForAgainNotStartedAgain) {
    auto service = std::make_shared<Service>();
    SingleFlightCall call([service] { service->Call(); });

    // The service hangs: every wait gives up, and the waits leave one call behind.
    for (int wait = 0; wait < 3; ++wait)
        EXPECT_FALSE(call.RunWithin(5ms));

    // It answers: the next wait waits for that call to end and then makes its own, since the
    // one under way began before it.
    service->Answer();
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_TRUE(service->WaitEnded(2));
    EXPECT_EQ(service->Started(), 2);

    // With nothing under way, a wait makes just its own call.
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_TRUE(service->WaitEnded(3));
    EXPECT_EQ(service->Started(), 3);
}

// The settings store keeps its call for the whole run; a call that hangs past its owner's end
// finishes without it.
TEST(SingleFlightCall, AHungCallOutlivesItsOwner) {
    auto service = std::make_shared<Service>();
    {
        SingleFlightCall call([service] { service->Call(); });
        EXPECT_FALSE(call.RunWithin(5ms));
    }
    service->Answer();
    EXPECT_TRUE(service->WaitEnded(1));
    EXPECT_EQ(service->Started(), 1);
    // The thread let go of the call it copied: it has ended.
    EXPECT_TRUE(test::WaitUntil([&] { return service.use_count() == 1; }));
}

TEST(SingleFlightCall, ACallThatThrowsEndsAllTheSame) {
    auto calls = std::make_shared<std::atomic<int>>(0);
    SingleFlightCall call([calls] {
        ++*calls;
        throw std::runtime_error("the service went away");
    });
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_TRUE(call.RunWithin(test::kWaitDeadline));
    EXPECT_EQ(calls->load(), 2);
}

} // namespace
} // namespace trvx
