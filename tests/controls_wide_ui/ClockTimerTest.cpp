#include "controls/wide/ui/ClockTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace trvx {
namespace {

struct VirtualTimers : ::testing::Test {
    VirtualClock clock;
    VirtualTimerScheduler scheduler{clock};
    void SetUp() override { VirtualTimerScheduler::SetCurrent(&scheduler); }
    void TearDown() override { VirtualTimerScheduler::SetCurrent(nullptr); }
};

TEST_F(VirtualTimers, AdvancingFiresEveryDueTimerInTimeOrderAtItsDueTime) {
    std::vector<std::string> log;
    ClockTimer poll;
    ClockTimer label;
    ClockTimer once;
    once.setSingleShot(true);
    QObject::connect(&poll, &ClockTimer::timeout,
                     [&] { log.push_back("poll@" + std::to_string(clock.nowMicros() / 1000)); });
    QObject::connect(&label, &ClockTimer::timeout,
                     [&] { log.push_back("label@" + std::to_string(clock.nowMicros() / 1000)); });
    QObject::connect(&once, &ClockTimer::timeout,
                     [&] { log.push_back("once@" + std::to_string(clock.nowMicros() / 1000)); });
    poll.start(1500);
    label.start(600);
    once.start(1000);

    scheduler.Advance(3000);
    EXPECT_EQ(log,
              (std::vector<std::string>{"label@600", "once@1000", "label@1200", "poll@1500",
                                        "label@1800", "label@2400", "poll@3000", "label@3000"}));
    EXPECT_EQ(clock.nowMicros(), 3'000'000);
    EXPECT_FALSE(once.isActive());
    EXPECT_TRUE(poll.isActive());
}

TEST_F(VirtualTimers, StoppedTimersStayQuietAndATickThatSleepsDoesNotCatchUp) {
    int polls = 0;
    int labels = 0;
    ClockTimer poll;
    ClockTimer label;
    QObject::connect(&poll, &ClockTimer::timeout, [&] {
        ++polls;
        clock.sleepMillis(2100); // the arrival wait inside a poll tick
    });
    QObject::connect(&label, &ClockTimer::timeout, [&] { ++labels; });
    poll.start(1500);
    label.start(200);
    label.stop();

    scheduler.Advance(1500);
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(clock.nowMicros(), 3'600'000); // the tick's own wait moved the clock past the target
    scheduler.Advance(1500);                 // the next poll was due at 5100 ms
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(labels, 0);
}

TEST_F(VirtualTimers, SettleWaitsForWorkATickHandedToAnotherThread) {
    // A poll tick that hands its arrival wait to a worker thread, as the main window does: the
    // settle hook joins it before the next due timer is looked for, so the next poll always
    // comes after that wait has moved the clock, never racing it. The next poll is due one
    // interval after the tick itself ended, however far the worker had got by then: here once
    // when it has surely not begun, once when it has surely ended.
    for (const bool workerDoneInTick : {false, true}) {
        SCOPED_TRACE(workerDoneInTick ? "worker done in the tick" : "worker joined at settle");
        VirtualClock localClock;
        VirtualTimerScheduler localScheduler(localClock);
        VirtualTimerScheduler::SetCurrent(&localScheduler);
        std::vector<std::int64_t> pollTimes;
        std::thread worker;
        ClockTimer poll;
        QObject::connect(&poll, &ClockTimer::timeout, [&] {
            pollTimes.push_back(localClock.nowMicros() / 1000);
            worker = std::thread([&localClock] { localClock.sleepMillis(2100); });
            if (workerDoneInTick)
                worker.join();
        });
        int settles = 0;
        localScheduler.SetSettle([&] {
            ++settles;
            if (worker.joinable())
                worker.join();
        });
        poll.start(1500);
        localScheduler.Advance(4500);
        localScheduler.SetSettle(nullptr);
        VirtualTimerScheduler::SetCurrent(&scheduler);
        EXPECT_EQ(pollTimes, (std::vector<std::int64_t>{1500, 3600}));
        EXPECT_EQ(settles, 2);
        EXPECT_EQ(localClock.nowMicros(), 5'700'000);
    }
}

TEST(ClockTimerReal, WithoutASchedulerItIsARealTimer) {
    ClockTimer timer;
    timer.setSingleShot(true);
    timer.start(1);
    EXPECT_TRUE(timer.isActive());
    timer.stop();
    EXPECT_FALSE(timer.isActive());
}

} // namespace
} // namespace trvx
