// The "mouse accepted" gate: writes reach only an accepted mouse, and once the poller has let the
// mouse go no write of the old acceptance can still reach whatever it opens next.

#include "device/AcceptedMouse.h"
#include "DeviceLinkFixture.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace trvx::test {
namespace {

using namespace std::chrono_literals;

TEST_F(DeviceLinkTest, GateRefusesEveryWriteUntilTheMouseIsAccepted) {
    AcceptedMouse mouse(link);
    const auto block = Pattern(4);
    const auto refusedAll = [&] {
        return !mouse.WriteRegister(164, 1, 0, 0, 1) && !mouse.WriteRegisterEntry(1, 1, 2, 3, 4) &&
               !mouse.WriteRegisterRun(0, 1, block) && !mouse.WriteBlock(0, block) &&
               !mouse.WriteXData(0x100, 1) && !mouse.Reset();
    };

    EXPECT_FALSE(mouse.Accept()); // no storage type known yet
    EXPECT_TRUE(refusedAll());
    mouse.SetDeviceStorage(StorageKind::I2C);
    EXPECT_TRUE(refusedAll()); // known but not accepted (an ID block not checked)
    EXPECT_TRUE(hid.sentLines().empty());

    ASSERT_TRUE(mouse.Accept());
    EXPECT_TRUE(mouse.WriteBlock(0, block));
    EXPECT_FALSE(hid.sentLines().empty());

    mouse.Revoke();
    hid.clearFrames();
    EXPECT_TRUE(refusedAll());
    EXPECT_EQ(mouse.AcceptedStorage(), StorageKind::None);
    EXPECT_TRUE(hid.sentLines().empty());
}

// A page's write that passed the gate just before the poller let the mouse go must be over
// before the poller goes on to close and reopen: otherwise it would land on whatever mouse
// the next open found, unchecked.
TEST_F(DeviceLinkTest, RevokeWaitsForAWriteThatAlreadyPassedTheGate) {
    AcceptedMouse mouse(link);
    mouse.SetDeviceStorage(StorageKind::I2C);
    ASSERT_TRUE(mouse.Accept());
    hid.setTransferDelay(30ms);

    std::thread page([&] {
        EXPECT_TRUE(mouse.WriteBlock(0, Pattern(20))); // a command and three data reports
    });
    while (hid.frames().empty())
        std::this_thread::sleep_for(1ms);
    mouse.Revoke();
    // Every report of the write went out before Revoke returned.
    EXPECT_EQ(hid.frames().size(), 4u)
        << "the gate was let go of while a write through it was under way";
    page.join();
    EXPECT_FALSE(mouse.WriteBlock(0, Pattern(20)));
}

} // namespace
} // namespace trvx::test
