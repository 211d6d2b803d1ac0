// Exchanges of two threads (the UI and the input-report listener) never interleave, and the
// busy window runs outside every exchange.

#include "DeviceLinkFixture.h"
#include "support/Waiting.h"

#include <chrono>
#include <condition_variable>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace trvx::test {
namespace {

using namespace std::chrono_literals;

// The frames of an exchange: its command and one data report or reply per seven bytes.
std::size_t ExchangeLength(const std::vector<std::uint8_t>& command) {
    std::size_t length = 0;
    switch (command.at(1)) {
    case 6:
        length = command.at(5);
        break;
    case 7:
    case 9:
        length = command.at(4) * 256u + command.at(5);
        break;
    }
    return 1 + (length + 6) / 7;
}

// Splits the frame log into exchanges and checks that every frame of an exchange came from the
// thread that sent its command.
void ExpectWholeExchanges(const std::vector<FakeHid::Frame>& frames) {
    std::size_t i = 0;
    while (i < frames.size()) {
        ASSERT_EQ(frames[i].bytes.at(0), ReportIdCommand) << "frame " << i;
        const std::size_t length = ExchangeLength(frames[i].bytes);
        ASSERT_LE(i + length, frames.size());
        for (std::size_t k = 1; k < length; ++k) {
            ASSERT_EQ(frames[i + k].bytes.at(0), ReportIdData) << "frame " << i + k;
            ASSERT_EQ(frames[i + k].thread, frames[i].thread) << "frame " << i + k;
        }
        i += length;
    }
}

TEST_F(DeviceLinkTest, ExchangesOfTwoThreadsNeverInterleave) {
    hid.setTransferDelay(20us);
    constexpr int rounds = 40;
    std::atomic<int> failures{0};

    // The listener: a status read as a caller-held exchange, then a one-byte block read.
    std::thread listener([&] {
        for (int r = 0; r < rounds; ++r) {
            {
                DeviceLink::Exchange exchange(link);
                if (!exchange.SendCommand(6, 0, 22, 0, 1) || !exchange.ReadReply())
                    ++failures;
            }
            std::vector<std::uint8_t> one(1);
            if (!link.ReadBlock(166, 1, one))
                ++failures;
        }
    });
    // The UI: block writes and reads of several reports each.
    for (int r = 0; r < rounds; ++r) {
        if (!link.WriteBlock(0, Pattern(20)))
            ++failures;
        std::vector<std::uint8_t> dest(21);
        if (!link.ReadRegisters(0, 0, 21, dest))
            ++failures;
    }
    listener.join();

    EXPECT_EQ(failures, 0);
    const auto frames = hid.frames();
    EXPECT_EQ(frames.size(), static_cast<std::size_t>(rounds) * (2 + 2 + 4 + 4));
    ExpectWholeExchanges(frames);
}

// The busy window must not be shown while an exchange is held: its event processing may start
// another exchange (a timer, the listener waiting), which then has to get through.
class BusyThatStartsAnExchange final : public BusyIndicator {
public:
    explicit BusyThatStartsAnExchange(DeviceLink*& link) : link_(link) {}
    void ShowBusy() override { check(); }
    void HideBusy() override { check(); }
    void ProcessEvents() override { check(); }
    int blocked = 0;
    int calls = 0;
    void finish() { pending_.clear(); }

private:
    void check() {
        ++calls;
        auto done = std::async(std::launch::async, [this] { return link_->WriteXData(0x10, 1); });
        if (done.wait_for(kWaitDeadline) != std::future_status::ready) {
            ++blocked;
            pending_.push_back(std::move(done)); // completes once the exchange lets go
        }
    }
    std::vector<std::future<bool>> pending_;
    DeviceLink*& link_;
};

TEST(DeviceLinkBusy, IsShownAndHiddenOutsideTheExchange) {
    FakeHid hid;
    hid.add(FakeHid::Mouse());
    VirtualClock clock;
    DeviceLink* linkPtr = nullptr;
    BusyThatStartsAnExchange busy(linkPtr);
    DeviceLink link(hid, clock, &busy);
    linkPtr = &link;
    int version = 0;
    ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));

    std::vector<std::uint8_t> dest(14);
    EXPECT_TRUE(link.WriteRegister(1, 2, 0, 0, 1));
    EXPECT_TRUE(link.WriteBlock(0, Pattern(14)));
    EXPECT_TRUE(link.ReadBlockShowBusy(0, 14, dest));
    EXPECT_TRUE(link.WriteRegisterRun(0, 0, Pattern(6)));
    busy.finish();
    EXPECT_EQ(busy.calls, 4 + 2 + 2 + 2);
    EXPECT_EQ(busy.blocked, 0);
}

// One mouse interface whose input read blocks until the test lets it return, and that counts
// its open handles: closing the device must not pull the handle from under a running read.
class BlockingInputHid final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override {
        HidInterfaceInfo info;
        info.path = "mouse";
        info.vendorId = 0x1209;
        info.productId = 0x0001;
        info.featureReportLengths = {{0x40, 8}, {0x41, 8}};
        info.inputReportLength = 8;
        return {info};
    }
    int countInterfaces() override { return 1; }
    std::unique_ptr<HidHandle> open(const std::string&, HidAccess) override {
        return std::make_unique<Handle>(*this);
    }

    int openHandles() {
        std::lock_guard lock(mutex_);
        return open_;
    }
    bool waitUntilReading() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kWaitDeadline, [this] { return reading_; });
    }
    void letReadReturn() {
        std::lock_guard lock(mutex_);
        release_ = true;
        changed_.notify_all();
    }

private:
    class Handle final : public HidHandle {
    public:
        explicit Handle(BlockingInputHid& hid) : hid_(hid) {
            std::lock_guard lock(hid_.mutex_);
            ++hid_.open_;
        }
        ~Handle() override {
            std::lock_guard lock(hid_.mutex_);
            --hid_.open_;
        }
        bool setFeature(std::span<const std::uint8_t>) override { return true; }
        bool getFeature(std::span<std::uint8_t>) override { return true; }
        InputReadResult readInput(std::span<std::uint8_t> buffer, int,
                                  std::size_t& bytesRead) override {
            std::unique_lock lock(hid_.mutex_);
            hid_.reading_ = true;
            hid_.changed_.notify_all();
            hid_.changed_.wait(lock, [this] { return hid_.release_; });
            // A closed handle would be gone by now: prove this one is still alive.
            buffer[0] = ReportIdInput;
            bytesRead = 1;
            return InputReadResult::Ok;
        }

    private:
        BlockingInputHid& hid_;
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    int open_ = 0;
    bool reading_ = false;
    bool release_ = false;
};

TEST(DeviceLinkClose, AHandleInARunningReadIsClosedWhenTheReadReturns) {
    BlockingInputHid hid;
    VirtualClock clock;
    DeviceLink link(hid, clock);
    int version = 0;
    ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
    ASSERT_EQ(hid.openHandles(), 2); // query handle (command and data) and input handle

    auto read = std::async(std::launch::async, [&link] {
        std::array<std::uint8_t, 8> buffer{};
        std::size_t n = 0;
        const InputReadResult result = link.ReadInputReport(buffer, -1, n);
        return result == InputReadResult::Ok && n == 1 && buffer[0] == ReportIdInput;
    });
    ASSERT_TRUE(hid.waitUntilReading());

    // Closing does not wait for the read; it closes what nobody uses at once.
    auto close = std::async(std::launch::async, [&link] { link.CloseDevice(); });
    ASSERT_EQ(close.wait_for(kWaitDeadline), std::future_status::ready);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.HasInputHandle());
    EXPECT_EQ(hid.openHandles(), 1) << "the reading thread still holds the input handle";

    hid.letReadReturn();
    ASSERT_EQ(read.wait_for(kWaitDeadline), std::future_status::ready);
    EXPECT_TRUE(read.get());
    EXPECT_EQ(hid.openHandles(), 0) << "closed once the read let go of it";
}

} // namespace
} // namespace trvx::test
