#include "base/Clock.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(VirtualClock, SleepsMoveTheHandsAndCountAsSlept) {
    VirtualClock clock;
    clock.sleepMillis(100);
    clock.sleepMicros(500);
    clock.advanceMillis(2100);
    EXPECT_EQ(clock.nowMicros(), 100'000 + 500 + 2'100'000);
    EXPECT_EQ(clock.sleptMicros(), 100'500);
}

} // namespace
} // namespace trvx
