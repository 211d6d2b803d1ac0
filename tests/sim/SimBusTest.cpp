// How the simulated mouse looks on the bus: its two interfaces beside other HID devices,
// plugging, the reset with its re-enumeration on the clock, handles that die with the mouse,
// and input reports.

#include "SimTestSupport.h"

#include "base/Resources.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <map>
#include <thread>

namespace trvx {
namespace {

using simtest::Bytes;
using simtest::PatternImage;
using simtest::Reply;
using simtest::SimBench;

TEST(SimBus, MouseIsAMouseCollectionAndAVendorCollection) {
    VirtualClock clock;
    SimulatedMouse mouse(StorageKind::I2C, clock);
    const auto list = mouse.enumerate();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(mouse.countInterfaces(), 2);
    for (const auto& info : list) {
        EXPECT_EQ(info.vendorId, 0x1209);
        EXPECT_EQ(info.productId, 0x0001);
    }
    EXPECT_TRUE(list[0].featureReportLengths.empty());
    EXPECT_GT(list[0].inputReportLength, 0);
    EXPECT_EQ(list[1].featureReportLengths, (std::map<std::uint8_t, int>{{0x40, 8}, {0x41, 8}}));
    EXPECT_EQ(list[1].inputReportLength, 8);

    // Only the vendor collection takes the command report.
    const std::array<std::uint8_t, 8> info{0x40, 13};
    auto mouseCollection = mouse.open(list[0].path, HidAccess::Query);
    auto vendor = mouse.open(list[1].path, HidAccess::Query);
    ASSERT_TRUE(mouseCollection && vendor);
    EXPECT_FALSE(mouseCollection->setFeature(info));
    EXPECT_TRUE(vendor->setFeature(info));

    mouse.SetUsbIds(0x1234, 0x5678);
    EXPECT_EQ(mouse.enumerate()[1].productId, 0x5678);
}

TEST(SimBus, TheLinuxLayoutIsOneNodeHoldingEveryCollection) {
    VirtualClock clock;
    SimulatedMouse mouse(StorageKind::I2C, clock);
    auto before = mouse.open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query);
    ASSERT_TRUE(before);
    mouse.SetLinuxLayout(true);
    mouse.PlugOther();
    const auto list = mouse.enumerate();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(mouse.countInterfaces(), 2);
    const HidInterfaceInfo& node = list[0];
    EXPECT_EQ(node.path, SimulatedMouse::kLinuxNodePath);
    EXPECT_EQ(node.featureReportLengths,
              (std::map<std::uint8_t, int>{{0x40, 8}, {0x41, 8}, {0x44, 65}}));
    EXPECT_EQ(node.inputReportLength, 65);

    // Handles of the earlier layout's interfaces are dead; those paths no longer open.
    const std::array<std::uint8_t, 8> info{0x40, 13};
    EXPECT_FALSE(before->setFeature(info));
    EXPECT_FALSE(mouse.open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query));

    auto query = mouse.open(node.path, HidAccess::Query);
    auto readWrite = mouse.open(node.path, HidAccess::ReadWrite);
    ASSERT_TRUE(query && readWrite);
    EXPECT_TRUE(query->setFeature(info));
    std::array<std::uint8_t, 8> reply{0x41};
    EXPECT_TRUE(query->getFeature(reply));
    EXPECT_EQ(reply[2], 0x3A);

    // Every report of the node comes out of it, the 64-byte one whole.
    std::vector<std::uint8_t> longReport(65, 0x5A);
    longReport[0] = 0x43;
    ASSERT_TRUE(mouse.InjectInput(longReport));
    std::vector<std::uint8_t> buffer(65);
    std::size_t n = 0;
    EXPECT_EQ(query->readInput(buffer, 0, n), InputReadResult::Error);
    ASSERT_EQ(readWrite->readInput(buffer, 0, n), InputReadResult::Ok);
    EXPECT_EQ(n, 65u);
    EXPECT_EQ(buffer, longReport);

    mouse.SetLinuxLayout(false);
    EXPECT_EQ(mouse.countInterfaces(), 3);
    EXPECT_EQ(readWrite->readInput(buffer, 0, n), InputReadResult::Error);
}

TEST(SimBus, OtherDevicesComeAndGoBesideTheMouse) {
    VirtualClock clock;
    SimulatedMouse mouse(StorageKind::Flash, clock);
    const std::string keyboard = mouse.PlugOther();
    HidInterfaceInfo gadget;
    gadget.vendorId = 0x1209;
    gadget.productId = 0x0001; // same ids, but no 8-byte feature reports
    gadget.featureReportLengths = {{0x40, 2}};
    const std::string second = mouse.PlugOther(gadget);
    EXPECT_NE(keyboard, second);
    EXPECT_EQ(mouse.countInterfaces(), 4);
    EXPECT_EQ(mouse.enumerate().size(), 4u);

    auto handle = mouse.open(keyboard, HidAccess::ReadWrite);
    ASSERT_TRUE(handle);
    const std::array<std::uint8_t, 8> report{0x40, 13};
    EXPECT_FALSE(handle->setFeature(report));

    mouse.Unplug();
    EXPECT_EQ(mouse.countInterfaces(), 2);
    EXPECT_TRUE(mouse.UnplugOther(keyboard));
    EXPECT_FALSE(mouse.UnplugOther(keyboard));
    EXPECT_EQ(mouse.countInterfaces(), 1);
    EXPECT_FALSE(mouse.open(keyboard, HidAccess::Query));
    mouse.Plug();
    EXPECT_EQ(mouse.countInterfaces(), 3);
    EXPECT_TRUE(mouse.UnplugOther());
    EXPECT_FALSE(mouse.UnplugOther());
    EXPECT_EQ(mouse.countInterfaces(), 2);
}

TEST(SimBus, HandlesDieWhenTheMouseLeaves) {
    SimBench bench(StorageKind::I2C);
    bench.mouse->Unplug();
    EXPECT_FALSE(bench.command({13}));
    EXPECT_FALSE(bench.mouse->open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query));
    bench.mouse->Plug();
    EXPECT_FALSE(bench.command({13})) << "the old handle stays dead";
    bench.dev = bench.mouse->open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query);
    ASSERT_TRUE(bench.dev);
    EXPECT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.mouse->Image(), PatternImage(StorageKind::I2C));
}

TEST(SimBus, ResetKeepsTheImageAndReEnumeratesAfterTheDelay) {
    SimBench bench(StorageKind::I2C);
    bench.writeBlock(484, {0x12, 0x34});
    ASSERT_TRUE(bench.command({1, 0, 5, 0x77}));
    const Bytes image = bench.mouse->Image();

    ASSERT_TRUE(bench.command({14}));
    EXPECT_EQ(bench.mouse->ResetCount(), 1);
    EXPECT_EQ(bench.mouse->countInterfaces(), 0);
    EXPECT_FALSE(bench.command({13}));

    bench.clock.advanceMillis(SimulatedMouse::kDefaultResetDelayMillis - 1);
    EXPECT_EQ(bench.mouse->countInterfaces(), 0);
    EXPECT_TRUE(bench.mouse->enumerate().empty());
    bench.clock.advanceMillis(1);
    EXPECT_EQ(bench.mouse->countInterfaces(), 2);

    EXPECT_FALSE(bench.command({13})) << "a handle from before the reset";
    bench.dev = bench.mouse->open(SimulatedMouse::kVendorCollectionPath, HidAccess::ReadWrite);
    ASSERT_TRUE(bench.dev);
    EXPECT_EQ(bench.mouse->Image(), image);
    EXPECT_EQ(bench.readBlock(484, 2), (Bytes{0x12, 0x34}));
    EXPECT_EQ(bench.mouse->XData(5), 0) << "X-data is RAM";
}

TEST(SimBus, UnplugDuringTheResetKeepsTheMouseAway) {
    SimBench bench(StorageKind::Flash);
    bench.mouse->SetResetDelayMillis(200);
    ASSERT_TRUE(bench.command({14}));
    bench.mouse->Unplug();
    bench.clock.advanceMillis(500);
    EXPECT_FALSE(bench.mouse->IsPresent());
    bench.mouse->Plug();
    EXPECT_TRUE(bench.mouse->IsPresent());
}

TEST(SimBus, ReadWriteOpenCanBeRefused) {
    VirtualClock clock;
    SimulatedMouse mouse(StorageKind::I2C, clock);
    mouse.RefuseReadWriteOpen(true);
    EXPECT_FALSE(mouse.open(SimulatedMouse::kVendorCollectionPath, HidAccess::ReadWrite));
    auto query = mouse.open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query);
    ASSERT_TRUE(query);
    const std::array<std::uint8_t, 8> info{0x40, 13};
    EXPECT_TRUE(query->setFeature(info));
    std::array<std::uint8_t, 8> buffer{};
    std::size_t n = 99;
    EXPECT_EQ(query->readInput(buffer, 0, n), InputReadResult::Error) << "no input on access 0";
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(mouse.open("sim:nothing", HidAccess::Query));
}

TEST(SimBus, InjectedInputIsReadInOrder) {
    SimBench bench(StorageKind::I2C);
    std::array<std::uint8_t, 8> buffer{};
    std::size_t n = 0;
    EXPECT_EQ(bench.dev->readInput(buffer, 0, n), InputReadResult::Timeout);

    ASSERT_TRUE(bench.mouse->InjectInput(Bytes{0x42, 0, 0, 1, 0, 0, 0, 0}));
    ASSERT_TRUE(bench.mouse->InjectInput(Bytes{0x42, 0, 0, 0}));
    ASSERT_EQ(bench.dev->readInput(buffer, 10, n), InputReadResult::Ok);
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(buffer[3], 1);
    ASSERT_EQ(bench.dev->readInput(buffer, 10, n), InputReadResult::Ok);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(buffer[3], 0);

    // The mouse collection never delivers the vendor reports.
    auto mouseCollection =
        bench.mouse->open(SimulatedMouse::kMouseCollectionPath, HidAccess::ReadWrite);
    ASSERT_TRUE(bench.mouse->InjectInput(Bytes{0x42, 0, 0, 8}));
    EXPECT_EQ(mouseCollection->readInput(buffer, 0, n), InputReadResult::Timeout);

    bench.mouse->Unplug();
    EXPECT_FALSE(bench.mouse->InjectInput(Bytes{0x42, 0, 0, 8}));
}

TEST(SimBus, TheInputQueueKeepsTheNewestReports) {
    SimBench bench(StorageKind::I2C);
    for (int i = 0; i < 100; ++i)
        bench.mouse->InjectInput(Bytes{0x42, static_cast<std::uint8_t>(i)});
    std::array<std::uint8_t, 8> buffer{};
    std::size_t n = 0;
    ASSERT_EQ(bench.dev->readInput(buffer, 0, n), InputReadResult::Ok);
    EXPECT_EQ(buffer[1], 100 - 64);
}

TEST(SimBus, BlockedReaderWakesOnInputAndOnUnplug) {
    using namespace std::chrono_literals;
    SimBench bench(StorageKind::I2C);
    auto read = [&bench] {
        std::array<std::uint8_t, 8> buffer{};
        std::size_t n = 0;
        const auto result = bench.dev->readInput(buffer, 30'000, n);
        return std::pair{result, buffer[3]};
    };

    // Each report or unplug comes while the reader is blocked, so it is what wakes it.
    auto first = std::async(std::launch::async, read);
    ASSERT_TRUE(test::WaitUntil([&] { return bench.mouse->WaitingInputReads() == 1; }));
    EXPECT_EQ(first.wait_for(50ms), std::future_status::timeout) << "nothing to read yet";
    bench.mouse->InjectInput(Bytes{0x42, 0, 0, 4});
    ASSERT_EQ(first.wait_for(test::kWaitDeadline), std::future_status::ready);
    EXPECT_EQ(first.get(), (std::pair{InputReadResult::Ok, std::uint8_t{4}}));
    EXPECT_EQ(bench.clock.nowMicros(), 0) << "waiting for input does not move the clock";
    EXPECT_EQ(bench.mouse->WaitingInputReads(), 0);

    auto second = std::async(std::launch::async, read);
    ASSERT_TRUE(test::WaitUntil([&] { return bench.mouse->WaitingInputReads() == 1; }));
    bench.mouse->Unplug();
    ASSERT_EQ(second.wait_for(test::kWaitDeadline), std::future_status::ready);
    EXPECT_EQ(second.get().first, InputReadResult::Error);
}

TEST(SimBus, FeatureTransfersFromTwoThreadsDoNotTearEachOther) {
    SimBench bench(StorageKind::I2C);
    auto other = bench.mouse->open(SimulatedMouse::kVendorCollectionPath, HidAccess::Query);
    // Both threads write whole 8-byte reports; the log must hold each frame intact.
    auto hammer = [](HidHandle& handle, std::uint8_t reg) {
        for (int i = 0; i < 500; ++i) {
            const std::array<std::uint8_t, 8> report{0x40, 5, 0, reg, 1, 0, 0, 1};
            handle.setFeature(report);
        }
    };
    std::thread a(hammer, std::ref(*bench.dev), 10);
    std::thread b(hammer, std::ref(*other), 20);
    a.join();
    b.join();
    const auto frames = bench.mouse->Frames();
    ASSERT_EQ(frames.size(), 1000u);
    for (const auto& frame : frames)
        EXPECT_TRUE(frame.bytes[3] == 10 || frame.bytes[3] == 20);
    EXPECT_EQ(bench.mouse->FeatureTransferCount(), 1000);
}

TEST(SimBus, CreateRefusesAnImageOfTheWrongSize) {
    VirtualClock clock;
    EXPECT_FALSE(SimulatedMouse::Create(StorageKind::I2C, clock, Bytes(2047)));
    EXPECT_FALSE(SimulatedMouse::Create(StorageKind::Flash, clock, Bytes(2048)));
    EXPECT_FALSE(SimulatedMouse::Create(StorageKind::None, clock, Bytes(2048)));
    EXPECT_TRUE(SimulatedMouse::Create(StorageKind::Flash, clock, Bytes(65536)));
}

TEST(SimBus, StartsFromTheFirstDefaultImage) {
    VirtualClock clock;
    for (auto [kind, name] : {std::pair{StorageKind::I2C, "TRVX4410BData_Cfg1"},
                              {StorageKind::Flash, "TRVX4410BFlash_Cfg1"}}) {
        SimulatedMouse mouse(kind, clock);
        const auto bytes = resource(name);
        // Without the embedded image (a build that has none) the mouse starts erased.
        const Bytes expected = hasResource(name) ? Bytes(bytes.begin(), bytes.end())
                                                 : Bytes(simtest::SizeOf(kind), 0xFF);
        EXPECT_EQ(mouse.Image(), expected) << name;
    }
}

} // namespace
} // namespace trvx
