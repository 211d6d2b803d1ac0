// The input-report listener on its own thread, against the simulated mouse.
#include "device/InputListener.h"
#include "DevicePollerRig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace trvx::test {
namespace {

using namespace std::chrono_literals;

// What the listener handed to the UI, in order, from its thread.
class EventLog {
public:
    InputListenerEvents Events() {
        InputListenerEvents e;
        e.buttonTest = [this](InputButton b, bool held) {
            add((held ? "held " : "released ") + std::to_string(static_cast<int>(b)));
        };
        e.currentCpi = [this](std::uint8_t v) { add("cpi " + std::to_string(v)); };
        e.currentProfile = [this](std::uint8_t v) { add("profile " + FormatHexBytes({&v, 1})); };
        e.inputLost = [this] { add("lost"); };
        return e;
    }
    // Waits (real time) until `count` events arrived; returns them.
    std::vector<std::string> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 5s, [&] { return events_.size() >= count; });
        return events_;
    }

private:
    void add(std::string e) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(e));
        }
        changed_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
};

std::vector<std::uint8_t> Report(std::uint8_t code, std::uint8_t id = ReportIdInput) {
    return {id, 0, 0, code, 0, 0, 0, 0};
}

class ListenerRig {
public:
    explicit ListenerRig(StorageKind kind, int timeoutMs = InputListener::kDefaultReadTimeoutMs,
                         bool linuxLayout = false)
        : sim(kind, clock) {
        sim.SetLinuxLayout(linuxLayout);
        Open();
        listener = std::make_unique<InputListener>(link, mouse, clock, log.Events(), timeoutMs);
    }
    ~ListenerRig() { listener.reset(); }

    void Open() {
        int version = 0;
        EXPECT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
        mouse.SetDeviceStorage(sim.Kind());
        mouse.Accept();
        sim.ClearFrames();
    }

    // Waits (real time) until the mouse has been sent `count` reports; returns them.
    std::vector<std::string> WaitForSent(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        std::vector<std::string> sent;
        while ((sent = SentFrames(sim.Frames())).size() < count &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        return sent;
    }

    VirtualClock clock;
    SimulatedMouse sim;
    DeviceLink link{sim, clock};
    AcceptedMouse mouse{link};
    EventLog log;
    std::unique_ptr<InputListener> listener;
};

const std::string kStatusA = "40 06 00 16 00 01 00 00";
const std::string kStatusB = "40 06 00 18 00 01 00 00";

TEST(InputListenerTest, CpiButtonIsShownWhileHeldAndTheLevelReadAfterRelease) {
    ListenerRig rig(StorageKind::I2C);
    const std::uint8_t level = 3;
    ASSERT_TRUE(rig.sim.Poke(166, std::span(&level, 1)));
    rig.listener->MouseOpened();

    ASSERT_TRUE(rig.sim.InjectInput(Report(1)));
    EXPECT_EQ(rig.log.WaitFor(1), std::vector<std::string>{"held 1"});
    EXPECT_EQ(rig.WaitForSent(2), (std::vector<std::string>{kStatusA, kStatusB}));

    const std::int64_t slept = rig.clock.sleptMicros();
    ASSERT_TRUE(rig.sim.InjectInput(Report(0)));
    EXPECT_EQ(rig.log.WaitFor(3), (std::vector<std::string>{"held 1", "cpi 3", "released 1"}));
    EXPECT_EQ(rig.WaitForSent(5),
              (std::vector<std::string>{kStatusA, kStatusB, "40 09 00 A6 00 01 00 00", kStatusA,
                                        kStatusB}));
    // The mouse was given 200 ms to apply the change before it was asked.
    EXPECT_GE(rig.clock.sleptMicros() - slept, 200'000);
}

TEST(InputListenerTest, ProfileButtonOnAFlashMouseReadsTheUserSectionByte) {
    ListenerRig rig(StorageKind::Flash);
    const std::uint8_t profile = 0x21;
    ASSERT_TRUE(rig.sim.Poke(0x2000, std::span(&profile, 1)));
    rig.listener->MouseOpened();

    ASSERT_TRUE(rig.sim.InjectInput(Report(8)));
    ASSERT_TRUE(rig.sim.InjectInput(Report(0)));
    EXPECT_EQ(rig.log.WaitFor(3), (std::vector<std::string>{"held 8", "profile 21", "released 8"}));
    const auto sent = rig.WaitForSent(5);
    EXPECT_EQ(sent[2], "40 09 20 00 00 01 00 00");
}

TEST(InputListenerTest, ButtonsHeldInTurnAreHandledAtOneReleaseCpiFirst) {
    ListenerRig rig(StorageKind::I2C);
    rig.listener->MouseOpened();
    const std::uint8_t user[3]{0x02, 0x00, 0x05}; // profile 3, CPI level 5
    ASSERT_TRUE(rig.sim.Poke(164, user));

    for (std::uint8_t code : {1, 8, 0})
        ASSERT_TRUE(rig.sim.InjectInput(Report(code)));
    EXPECT_EQ(rig.log.WaitFor(6),
              (std::vector<std::string>{"held 1", "held 8", "cpi 5", "released 1", "profile 02",
                                        "released 8"}));
    const auto sent = rig.WaitForSent(8);
    EXPECT_EQ(sent[4], "40 09 00 A6 00 01 00 00");
    EXPECT_EQ(sent[5], "40 09 00 A4 00 01 00 00");
}

TEST(InputListenerTest, OtherCodesShowNothingButStillReadTheStatusAndOtherReportsAreIgnored) {
    ListenerRig rig(StorageKind::I2C);
    rig.listener->MouseOpened();
    ASSERT_TRUE(rig.sim.InjectInput(Report(3)));       // two buttons at once
    ASSERT_TRUE(rig.sim.InjectInput(Report(1, 0x43))); // not an input report of ours
    ASSERT_TRUE(rig.sim.InjectInput(Report(4)));       // marks the end
    EXPECT_EQ(rig.log.WaitFor(1), std::vector<std::string>{"held 4"});
    EXPECT_EQ(rig.WaitForSent(4),
              (std::vector<std::string>{kStatusA, kStatusB, kStatusA, kStatusB}));
}

TEST(InputListenerTest, WaitsWithoutReadingWhileNoMouseIsOpen) {
    ListenerRig rig(StorageKind::I2C, 20);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(rig.listener->ReadCount(), 0);
    EXPECT_TRUE(rig.listener->IsWaiting());

    // Open: reads, each at most one per timeout while the mouse is silent.
    rig.listener->MouseOpened();
    std::this_thread::sleep_for(300ms);
    const std::int64_t reads = rig.listener->ReadCount();
    EXPECT_GE(reads, 1);
    EXPECT_LE(reads, 300 / 20 + 2);

    // Closed again: the reads stop.
    rig.listener->MouseClosed();
    std::this_thread::sleep_for(100ms);
    const std::int64_t afterClose = rig.listener->ReadCount();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(rig.listener->ReadCount(), afterClose);
    EXPECT_TRUE(rig.listener->IsWaiting());
}

TEST(InputListenerTest, ReadErrorDropsTheHandleUntilTheMouseIsOpenedAgain) {
    ListenerRig rig(StorageKind::I2C, 20);
    rig.listener->MouseOpened();
    rig.sim.Unplug(); // the handle dies
    EXPECT_EQ(rig.log.WaitFor(1), std::vector<std::string>{"lost"});
    std::this_thread::sleep_for(50ms);
    const std::int64_t reads = rig.listener->ReadCount();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(rig.listener->ReadCount(), reads); // no loop of failing reads
    EXPECT_TRUE(rig.listener->IsWaiting());

    rig.sim.Plug();
    rig.Open();
    rig.listener->MouseOpened();
    ASSERT_TRUE(rig.sim.InjectInput(Report(2)));
    EXPECT_EQ(rig.log.WaitFor(2), (std::vector<std::string>{"lost", "held 2"}));
}

TEST(InputListenerTest, WithoutAReadableInputHandleItWaitsInsteadOfSpinning) {
    ListenerRig rig(StorageKind::I2C, 20);
    rig.sim.RefuseReadWriteOpen(true);
    rig.sim.Unplug();
    rig.sim.Plug();
    rig.Open(); // commands work, the input handle was refused
    ASSERT_FALSE(rig.link.HasInputHandle());
    rig.listener->MouseOpened();
    EXPECT_EQ(rig.log.WaitFor(1), std::vector<std::string>{"lost"});
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(rig.listener->ReadCount(), 1);
}

// On Linux the mouse's one node delivers its pointer reports and a 64-byte vendor report beside
// 0x42: reads have room for the longest, the others are passed over, and the listener goes on.
TEST(InputListenerTest, ListensThroughALinuxNodeWithLongInputReports) {
    ListenerRig rig(StorageKind::I2C, InputListener::kDefaultReadTimeoutMs, true);
    ASSERT_EQ(rig.link.InputReportLength(), SimulatedMouse::kLinuxLongReportLength);
    const std::uint8_t level = 5;
    ASSERT_TRUE(rig.sim.Poke(166, std::span(&level, 1)));
    rig.listener->MouseOpened();

    std::vector<std::uint8_t> longReport(SimulatedMouse::kLinuxLongReportLength, 0x11);
    longReport[0] = SimulatedMouse::kLinuxLongInputReportId;
    ASSERT_TRUE(rig.sim.InjectInput(longReport));
    ASSERT_TRUE(rig.sim.InjectInput(std::vector<std::uint8_t>{0x01, 1, 0, 5, 0, 0xFB, 0xFF}));
    ASSERT_TRUE(rig.sim.InjectInput(Report(1)));
    ASSERT_TRUE(rig.sim.InjectInput(Report(0)));
    EXPECT_EQ(rig.log.WaitFor(3), (std::vector<std::string>{"held 1", "cpi 5", "released 1"}));
    EXPECT_EQ(rig.WaitForSent(5),
              (std::vector<std::string>{kStatusA, kStatusB, "40 09 00 A6 00 01 00 00", kStatusA,
                                        kStatusB}));
    EXPECT_EQ(rig.listener->ReportsHandled(), 2);
}

TEST(InputListenerTest, StopsAndJoinsPromptlyWhileBlockedInARead) {
    auto rig = std::make_unique<ListenerRig>(StorageKind::I2C);
    rig->listener->MouseOpened();
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    rig->listener.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

} // namespace
} // namespace trvx::test
