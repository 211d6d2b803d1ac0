// The input-report listener on its own thread, against the simulated mouse.
#include "device/InputListener.h"
#include "DevicePollerRig.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <chrono>
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
    std::vector<std::string> Seen() {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    void add(std::string e) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(e));
    }
    std::mutex mutex_;
    std::vector<std::string> events_;
};

std::vector<std::uint8_t> Report(std::uint8_t code, std::uint8_t id = ReportIdInput) {
    return {id, 0, 0, code, 0, 0, 0, 0};
}

// How long a test watches for something that must not happen (reads while no mouse is open).
constexpr auto kQuietWindow = 200ms;

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

    // Waits (real time) until the listener has handled `count` reports and is blocked in its
    // next read. Only then is what it does for a report over: its events and frames come before
    // the count, and the count before that read.
    bool WaitUntilHandled(std::int64_t count) {
        return WaitUntil(
            [&] { return listener->ReportsHandled() >= count && sim.WaitingInputReads() > 0; });
    }
    // Waits (real time) until the listener has let go of the mouse and is parked.
    bool WaitUntilParked() {
        return WaitUntil([&] { return listener->IsWaiting(); });
    }

    std::vector<std::string> Sent() { return SentFrames(sim.Frames()); }

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
    ASSERT_TRUE(rig.WaitUntilHandled(1));
    EXPECT_EQ(rig.log.Seen(), std::vector<std::string>{"held 1"});
    EXPECT_EQ(rig.Sent(), (std::vector<std::string>{kStatusA, kStatusB}));

    const std::int64_t slept = rig.clock.sleptMicros();
    ASSERT_TRUE(rig.sim.InjectInput(Report(0)));
    ASSERT_TRUE(rig.WaitUntilHandled(2));
    EXPECT_EQ(rig.log.Seen(), (std::vector<std::string>{"held 1", "cpi 3", "released 1"}));
    EXPECT_EQ(rig.Sent(), (std::vector<std::string>{kStatusA, kStatusB, "40 09 00 A6 00 01 00 00",
                                                    kStatusA, kStatusB}));
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
    ASSERT_TRUE(rig.WaitUntilHandled(2));
    EXPECT_EQ(rig.log.Seen(), (std::vector<std::string>{"held 8", "profile 21", "released 8"}));
    const auto sent = rig.Sent();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[2], "40 09 20 00 00 01 00 00");
}

TEST(InputListenerTest, ButtonsHeldInTurnAreHandledAtOneReleaseCpiFirst) {
    ListenerRig rig(StorageKind::I2C);
    rig.listener->MouseOpened();
    const std::uint8_t user[3]{0x02, 0x00, 0x05}; // profile 3, CPI level 5
    ASSERT_TRUE(rig.sim.Poke(164, user));

    for (std::uint8_t code : {1, 8, 0})
        ASSERT_TRUE(rig.sim.InjectInput(Report(code)));
    ASSERT_TRUE(rig.WaitUntilHandled(3));
    EXPECT_EQ(rig.log.Seen(), (std::vector<std::string>{"held 1", "held 8", "cpi 5", "released 1",
                                                        "profile 02", "released 8"}));
    const auto sent = rig.Sent();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[4], "40 09 00 A6 00 01 00 00");
    EXPECT_EQ(sent[5], "40 09 00 A4 00 01 00 00");
}

TEST(InputListenerTest, OtherCodesShowNothingButStillReadTheStatusAndOtherReportsAreIgnored) {
    ListenerRig rig(StorageKind::I2C);
    rig.listener->MouseOpened();
    ASSERT_TRUE(rig.sim.InjectInput(Report(3)));       // two buttons at once
    ASSERT_TRUE(rig.sim.InjectInput(Report(1, 0x43))); // not an input report of ours
    ASSERT_TRUE(rig.sim.InjectInput(Report(4)));       // marks the end
    ASSERT_TRUE(rig.WaitUntilHandled(2));
    EXPECT_EQ(rig.listener->ReportsHandled(), 2);
    EXPECT_EQ(rig.log.Seen(), std::vector<std::string>{"held 4"});
    EXPECT_EQ(rig.Sent(), (std::vector<std::string>{kStatusA, kStatusB, kStatusA, kStatusB}));
}

TEST(InputListenerTest, WaitsWithoutReadingWhileNoMouseIsOpen) {
    ListenerRig rig(StorageKind::I2C, 20);
    ASSERT_TRUE(rig.WaitUntilParked());
    std::this_thread::sleep_for(kQuietWindow);
    EXPECT_EQ(rig.listener->ReadCount(), 0);
    EXPECT_TRUE(rig.listener->IsWaiting());

    // Open: reads, each at most one per timeout while the mouse is silent.
    const auto opened = std::chrono::steady_clock::now();
    rig.listener->MouseOpened();
    EXPECT_FALSE(rig.listener->IsWaiting());
    ASSERT_TRUE(WaitUntil([&] { return rig.listener->ReadCount() >= 5; }));
    const std::int64_t reads = rig.listener->ReadCount();
    const auto elapsed = std::chrono::steady_clock::now() - opened;
    EXPECT_LE(reads, elapsed / 20ms + 1) << "reads came faster than their timeout";

    // Closed again: the reads stop.
    rig.listener->MouseClosed();
    ASSERT_TRUE(rig.WaitUntilParked());
    const std::int64_t afterClose = rig.listener->ReadCount();
    std::this_thread::sleep_for(kQuietWindow);
    EXPECT_EQ(rig.listener->ReadCount(), afterClose);
    EXPECT_TRUE(rig.listener->IsWaiting());
}

TEST(InputListenerTest, ReadErrorDropsTheHandleUntilTheMouseIsOpenedAgain) {
    ListenerRig rig(StorageKind::I2C, 20);
    rig.listener->MouseOpened();
    rig.sim.Unplug(); // the handle dies
    ASSERT_TRUE(rig.WaitUntilParked());
    EXPECT_EQ(rig.log.Seen(), std::vector<std::string>{"lost"});
    const std::int64_t reads = rig.listener->ReadCount();
    std::this_thread::sleep_for(kQuietWindow);
    EXPECT_EQ(rig.listener->ReadCount(), reads); // no loop of failing reads
    EXPECT_TRUE(rig.listener->IsWaiting());

    rig.sim.Plug();
    rig.Open();
    rig.listener->MouseOpened();
    ASSERT_TRUE(rig.sim.InjectInput(Report(2)));
    ASSERT_TRUE(rig.WaitUntilHandled(1));
    EXPECT_EQ(rig.log.Seen(), (std::vector<std::string>{"lost", "held 2"}));
}

TEST(InputListenerTest, WithoutAReadableInputHandleItWaitsInsteadOfSpinning) {
    ListenerRig rig(StorageKind::I2C, 20);
    rig.sim.RefuseReadWriteOpen(true);
    rig.sim.Unplug();
    rig.sim.Plug();
    rig.Open(); // commands work, the input handle was refused
    ASSERT_FALSE(rig.link.HasInputHandle());
    rig.listener->MouseOpened();
    ASSERT_TRUE(rig.WaitUntilParked());
    EXPECT_EQ(rig.log.Seen(), std::vector<std::string>{"lost"});
    std::this_thread::sleep_for(kQuietWindow);
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
    ASSERT_TRUE(rig.WaitUntilHandled(2));
    EXPECT_EQ(rig.listener->ReportsHandled(), 2);
    EXPECT_EQ(rig.log.Seen(), (std::vector<std::string>{"held 1", "cpi 5", "released 1"}));
    EXPECT_EQ(rig.Sent(), (std::vector<std::string>{kStatusA, kStatusB, "40 09 00 A6 00 01 00 00",
                                                    kStatusA, kStatusB}));
}

TEST(InputListenerTest, StopsAndJoinsPromptlyWhileBlockedInARead) {
    auto rig = std::make_unique<ListenerRig>(StorageKind::I2C);
    rig->listener->MouseOpened();
    ASSERT_TRUE(WaitUntil([&] { return rig->sim.WaitingInputReads() > 0; }));
    const auto start = std::chrono::steady_clock::now();
    rig->listener.reset();
    // One read timeout (200 ms) at most, with room for a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

} // namespace
} // namespace trvx::test
