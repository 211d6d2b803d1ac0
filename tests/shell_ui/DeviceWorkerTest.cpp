// The device thread's jobs as the window waits for them.
#include "shell/ui/DeviceWorker.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

// The window closes on the idle notice when a close waited for a job, so whoever waits for the
// jobs must find that notice delivered too. It leaves the device thread just after the job
// stops counting: many rounds, so a wait that returned in between is caught.
TEST(DeviceWorkerTest, WaitIdleReturnsWithTheIdleNoticeDelivered) {
    DeviceWorker worker;
    int notices = 0;
    QObject::connect(&worker, &DeviceWorker::idle, [&] { ++notices; });
    for (int round = 1; round <= 2000; ++round) {
        worker.Post([] {});
        ASSERT_TRUE(worker.WaitIdle());
        ASSERT_EQ(notices, round);
    }
}

} // namespace
} // namespace trvx
