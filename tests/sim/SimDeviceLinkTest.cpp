// The device link against the simulated mouse: the link finds the vendor collection beside a
// keyboard, and what it writes reads back through it, frame for frame as the mouse saw it.

#include "SimTestSupport.h"

#include "device/DeviceLink.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using simtest::Bytes;
using simtest::PatternImage;

TEST(SimDeviceLink, OpenWriteAndReadBackForBothKindsAndLayouts) {
    for (const bool linuxLayout : {false, true})
        for (StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
            SCOPED_TRACE(std::string(StorageKindName(kind)) + (linuxLayout ? " linux" : ""));
            VirtualClock clock;
            auto mouse = SimulatedMouse::Create(kind, clock, PatternImage(kind));
            mouse->SetLinuxLayout(linuxLayout);
            mouse->PlugOther();
            DeviceLink link(*mouse, clock);
            int version = 256;
            ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
            EXPECT_TRUE(link.HasInputHandle());
            EXPECT_EQ(version, SimulatedMouse::kVersion);
            mouse->ClearFrames();

            const std::uint16_t idBlock = kind == StorageKind::Flash ? 0x6000 : 484;
            const Bytes id{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
            ASSERT_TRUE(link.WriteBlock(idBlock, id));
            const std::string high = kind == StorageKind::Flash ? "60 00" : "01 E4";
            EXPECT_EQ(mouse->FrameLogText(), "> 40 07 " + high +
                                                 " 00 0C 00 00\n"
                                                 "> 41 01 02 03 04 05 06 07\n"
                                                 "> 41 08 09 0A 0B 0C 06 07\n");
            Bytes back(12, 0);
            ASSERT_TRUE(link.ReadBlock(idBlock, 12, back));
            EXPECT_EQ(back, id);

            ASSERT_TRUE(link.WriteRegister(166, 5, 0, 0, 1));
            Bytes user(28, 0);
            ASSERT_TRUE(link.ReadRegisters(0, 164, 28, user));
            EXPECT_EQ(user[2], 5);
            EXPECT_TRUE(SectionChecksumValid(user));

            // A reply the mouse failed to deliver is a failed read, not a good one.
            mouse->FailReply(2);
            Bytes lost(14, 0);
            EXPECT_FALSE(link.ReadBlock(idBlock, 14, lost));
            EXPECT_EQ(Bytes(lost.begin(), lost.begin() + 7), Bytes(id.begin(), id.begin() + 7));
            EXPECT_EQ(Bytes(lost.begin() + 7, lost.end()), Bytes(7, 0xFF));

            ASSERT_TRUE(mouse->InjectInput(Bytes{0x42, 0, 0, 8, 0, 0, 0, 0}));
            std::vector<std::uint8_t> input(static_cast<std::size_t>(link.InputReportLength()));
            std::size_t n = 0;
            ASSERT_EQ(link.ReadInputReport(input, 100, n), InputReadResult::Ok);
            EXPECT_EQ(n, 8u);
            EXPECT_EQ(input[3], 8);
        }
}

TEST(SimDeviceLink, ResetTakesTheMouseAwayUntilTheDelayHasPassed) {
    VirtualClock clock;
    SimulatedMouse mouse(StorageKind::I2C, clock);
    DeviceLink link(mouse, clock);
    int version = 256;
    ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
    ASSERT_TRUE(link.Reset());
    EXPECT_FALSE(link.DeviceInformation()) << "the old handles died with the reset";
    EXPECT_FALSE(link.OpenDevice(0x1209, 0x0001, version));
    clock.advanceMillis(SimulatedMouse::kDefaultResetDelayMillis);
    ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
    const auto info = link.DeviceInformation();
    ASSERT_TRUE(info);
    EXPECT_EQ((*info)[2], 0xC0);
}

} // namespace
} // namespace trvx
