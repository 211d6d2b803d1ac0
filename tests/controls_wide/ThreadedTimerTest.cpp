// The threaded timer: ticks on the UI thread after each interval of a virtual clock, a paused
// worker that neither spins nor ticks, and destruction that cancels a queued tick and joins.

#include "controls/wide/ThreadedTimer.h"
#include "controls_wide/FakeUiHost.h"
#include "controls_wide/ManualClock.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace trvx {
namespace {

using namespace std::chrono_literals;
using test::kWaitDeadline;
using test::WaitUntil;
using timer_test::FakeUiHost;

class ThreadedTimerTest : public ::testing::Test {
protected:
    // Moves the virtual clock and lets the worker look at it.
    void advance(TAnimTimer& timer, std::int64_t ms) {
        clock.advanceMillis(ms);
        timer.ClockChanged();
    }
    void startTicking(TAnimTimer& timer, std::uint32_t interval) {
        timer.SetInterval(interval);
        timer.SetOnTimer([this](TAnimTimer&) {
            ++ticks;
            tickThread = std::this_thread::get_id();
        });
    }

    FakeUiHost host;
    timer_test::ManualClock clock;
    int ticks = 0;
    std::thread::id tickThread;
};

TEST_F(ThreadedTimerTest, TicksOnTheUiThreadAfterEachIntervalAndWaitsForTheUi) {
    TAnimTimer timer(host, &clock);
    startTicking(timer, 50);
    ASSERT_TRUE(timer.WorkerRunning());
    ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));

    advance(timer, 49);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(host.posted(), 0u) << "ticked before the interval was over";

    advance(timer, 1);
    ASSERT_TRUE(host.waitPosted(1));
    EXPECT_EQ(ticks, 0) << "the tick must wait for the UI thread";

    // While the UI has not run the tick, the worker waits for it: time passing adds no tick.
    advance(timer, 1000);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(host.posted(), 1u);

    EXPECT_EQ(host.runPosted(), 1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(tickThread, std::this_thread::get_id());

    // The next interval starts once the tick has run.
    ASSERT_TRUE(timer.WaitForWaitsStarted(2, kWaitDeadline));
    advance(timer, 50);
    ASSERT_TRUE(host.waitPosted(2));
    host.runPosted();
    EXPECT_EQ(ticks, 2);
}

TEST_F(ThreadedTimerTest, StaysPausedUntilIntervalEnabledAndHandlerAreAllThere) {
    struct Case {
        const char* name;
        std::uint32_t interval;
        bool enabled;
        bool handler;
    };
    const Case cases[] = {
        {"interval 0", 0, true, true},
        {"disabled", 50, false, true},
        {"no handler", 50, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeUiHost localHost;
        TAnimTimer timer(localHost, &clock);
        timer.SetInterval(c.interval);
        timer.SetEnabled(c.enabled);
        if (c.handler)
            timer.SetOnTimer([&](TAnimTimer&) { ++ticks; });
        EXPECT_FALSE(timer.WorkerRunning());
        advance(timer, 10'000);
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(localHost.posted(), 0u);
        EXPECT_EQ(timer.WaitsStarted(), 0u);
    }
}

TEST_F(ThreadedTimerTest, AssigningTheFirstHandlerStartsTheTicksAndEqualValuesChangeNothing) {
    TAnimTimer timer(host, &clock);
    timer.SetInterval(20);
    EXPECT_FALSE(timer.WorkerRunning());
    startTicking(timer, 20);
    ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));

    // Setting what is already set does not restart the worker's wait.
    timer.SetInterval(20);
    timer.SetEnabled(true);
    timer.SetThreaded(true);
    timer.SetThreadPriority(TThreadPriority::tpNormal);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(timer.WaitsStarted(), 1u);

    advance(timer, 20);
    ASSERT_TRUE(host.waitPosted(1));
    host.runPosted();
    EXPECT_EQ(ticks, 1);

    timer.SetOnTimer(nullptr);
    EXPECT_FALSE(timer.WorkerRunning());
}

TEST_F(ThreadedTimerTest, APausedWorkerNeverWakes) {
    TAnimTimer timer(host, &clock);
    timer.SetInterval(0);
    timer.SetOnTimer([&](TAnimTimer&) { ++ticks; });
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(timer.Wakeups(), 0u);

    // Released on a clock that does not move: it sleeps the whole interval, no polling. The
    // release woke it once; each further wake-up needs a whole second of real time to pass.
    timer.SetInterval(1000);
    const auto released = std::chrono::steady_clock::now();
    ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));
    std::this_thread::sleep_for(200ms);
    const std::uint64_t wakeups = timer.Wakeups();
    const auto seconds = (std::chrono::steady_clock::now() - released) / 1s;
    EXPECT_LE(wakeups, 1u + static_cast<std::uint64_t>(seconds));
}

TEST_F(ThreadedTimerTest, DestroyingCancelsTheQueuedTickAndJoinsTheWorker) {
    {
        TAnimTimer timer(host, &clock);
        startTicking(timer, 10);
        ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));
        advance(timer, 10);
        ASSERT_TRUE(host.waitPosted(1));
        // The worker now waits for the UI thread; the destructor must not wait for that tick.
    }
    EXPECT_EQ(host.queued(), 1u);
    host.runPosted(); // the stale tick finds nothing to call
    EXPECT_EQ(ticks, 0);
}

TEST_F(ThreadedTimerTest, DestroyingWhileTheWorkerSleepsEndsItAtOnceWithoutATick) {
    const auto start = std::chrono::steady_clock::now();
    {
        TAnimTimer timer(host); // real clock, a long interval
        startTicking(timer, 10'000);
        ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));
    }
    // Well below the interval, whatever the load.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(host.posted(), 0u);
    EXPECT_EQ(ticks, 0);
}

TEST_F(ThreadedTimerTest, ATickDestroyingItsTimerIsSafe) {
    auto* timer = new TAnimTimer(host, &clock);
    timer->SetInterval(10);
    timer->SetOnTimer([&](TAnimTimer& t) {
        ++ticks;
        delete &t;
    });
    ASSERT_TRUE(timer->WaitForWaitsStarted(1, kWaitDeadline));
    clock.advanceMillis(10);
    timer->ClockChanged();
    ASSERT_TRUE(host.waitPosted(1));
    host.runPosted();
    EXPECT_EQ(ticks, 1);
}

TEST_F(ThreadedTimerTest, AFailingSynchronisedTickEndsTheTicks) {
    TAnimTimer timer(host, &clock);
    timer.SetInterval(10);
    timer.SetOnTimer([&](TAnimTimer&) {
        ++ticks;
        throw std::runtime_error("frame broken");
    });
    ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));
    advance(timer, 10);
    ASSERT_TRUE(host.waitPosted(1));
    host.runPosted();
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(WaitUntil([&] { return !timer.WorkerRunning(); }));
    EXPECT_EQ(timer.LastError(), "frame broken");
    advance(timer, 1000);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(host.posted(), 1u);
}

TEST_F(ThreadedTimerTest, UnsynchronisedTicksRunOnTheWorkerAndHandBackThroughRunOnUIThread) {
    TAnimTimer timer(host, &clock);
    timer.SetSyncEvent(false);
    std::atomic<int> workerTicks{0};
    std::thread::id workerThread;
    std::thread::id handedThread;
    timer.SetInterval(10);
    timer.SetOnTimer([&](TAnimTimer& t) {
        workerThread = std::this_thread::get_id();
        t.RunOnUIThread([&] { handedThread = std::this_thread::get_id(); });
        ++workerTicks;
    });
    ASSERT_TRUE(timer.WaitForWaitsStarted(1, kWaitDeadline));
    advance(timer, 10);
    ASSERT_TRUE(host.waitPosted(1)); // the handed-over call, not the tick
    EXPECT_EQ(workerTicks, 0) << "RunOnUIThread must wait for the UI thread";
    host.runPosted();
    ASSERT_TRUE(WaitUntil([&] { return workerTicks > 0; }));
    EXPECT_EQ(workerTicks, 1);
    EXPECT_NE(workerThread, std::this_thread::get_id());
    EXPECT_EQ(handedThread, std::this_thread::get_id());
    timer.SetEnabled(false);

    // Outside the worker it runs at once.
    bool ran = false;
    timer.RunOnUIThread([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(ThreadedTimerTest, NonThreadedModeUsesTheUiTimerAndPausesTheWorker) {
    TAnimTimer timer(host, &clock);
    startTicking(timer, 40);
    ASSERT_TRUE(timer.WorkerRunning());

    timer.SetThreaded(false);
    EXPECT_FALSE(timer.WorkerRunning());
    ASSERT_TRUE(host.uiTimerRunning);
    EXPECT_EQ(host.uiTimerMs, 40u);
    host.uiTimerFn();
    EXPECT_EQ(ticks, 1);

    // A priority change while not threaded is kept for later.
    timer.SetThreadPriority(TThreadPriority::tpLower);
    EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpLower);
    EXPECT_TRUE(host.uiTimerRunning);

    timer.SetThreaded(true);
    EXPECT_FALSE(host.uiTimerRunning);
    EXPECT_TRUE(timer.WorkerRunning());
}

TEST_F(ThreadedTimerTest, NonThreadedModeWithoutATimerSaysSo) {
    host.timersAvailable = false;
    TAnimTimer timer(host, &clock);
    timer.SetThreaded(false);
    startTicking(timer, 40);
    EXPECT_EQ(timer.LastError(), "Not enough timers available");
    EXPECT_FALSE(host.uiTimerRunning);
}

} // namespace
} // namespace trvx
