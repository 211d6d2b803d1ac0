#include "device/InputListener.h"

#include <algorithm>
#include <array>
#include <vector>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace trvx {
namespace {

constexpr std::uint8_t kReleased = 0;
constexpr std::size_t kButtonByte = 3;
// Room for the mouse's own report 0x42 even when the node declares no input report.
constexpr std::size_t kMinReadBufferSize = 8;
constexpr int kBelowNormalNice = 5;

constexpr std::uint8_t kStatusRegisterA = 22;
constexpr std::uint8_t kStatusRegisterB = 24;
constexpr std::uint16_t kCurrentCpiI2C = 166;
constexpr std::uint16_t kCurrentCpiFlash = 0x2002;
constexpr std::uint16_t kCurrentProfileI2C = 164;
constexpr std::uint16_t kCurrentProfileFlash = 0x2000;

// Linux gives each thread its own nice value; failure just leaves normal priority.
void LowerThisThreadsPriority() {
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    (void)::setpriority(PRIO_PROCESS, tid, kBelowNormalNice);
}

} // namespace

InputListener::InputListener(DeviceLink& link, AcceptedMouse& mouse, Clock& clock,
                             InputListenerEvents events, int readTimeoutMs)
    : link_(link), mouse_(mouse), clock_(clock), events_(std::move(events)),
      readTimeoutMs_(readTimeoutMs > 0 ? readTimeoutMs : kDefaultReadTimeoutMs) {
    thread_ = std::thread([this] { Run(); });
}

InputListener::~InputListener() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void InputListener::MouseOpened() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        ++generation_;
    }
    changed_.notify_all();
}

void InputListener::MouseClosed() {
    std::lock_guard lock(mutex_);
    open_ = false;
    ++generation_;
}

bool InputListener::IsWaiting() const {
    std::lock_guard lock(mutex_);
    return parked_ && !open_ && !stop_;
}

std::int64_t InputListener::WaitForMouse() {
    std::unique_lock lock(mutex_);
    if (!stop_ && !open_) {
        parked_ = true;
        changed_.wait(lock, [this] { return stop_ || open_; });
        parked_ = false;
    }
    return stop_ ? -1 : generation_;
}

void InputListener::Run() {
    LowerThisThreadsPriority();
    std::vector<std::uint8_t> buffer;
    for (;;) {
        const std::int64_t generation = WaitForMouse();
        if (generation < 0)
            return;

        // Every read has room for the longest input report of the node: a hidraw node holds
        // every collection of the mouse's USB interface, whose reports may be far longer
        // than 0x42.
        const std::size_t length = std::max<std::size_t>(
            kMinReadBufferSize, static_cast<std::size_t>(std::max(0, link_.InputReportLength())));
        buffer.assign(length, 0);
        std::size_t bytesRead = 0;
        const InputReadResult result = link_.ReadInputReport(buffer, readTimeoutMs_, bytesRead);
        ++reads_;
        if (result == InputReadResult::Timeout)
            continue;
        if (result == InputReadResult::Error) {
            // The handle is gone (the mouse left or was reset) or never readable: stop reading
            // until the poller opens the mouse again, instead of failing in a loop.
            bool dropped = false;
            {
                std::lock_guard lock(mutex_);
                if (generation == generation_ && open_) {
                    open_ = false;
                    dropped = true;
                }
            }
            if (dropped && events_.inputLost)
                events_.inputLost();
            continue;
        }
        if (buffer[0] != ReportIdInput)
            continue;
        HandleReport(buffer[kButtonByte]);
        ReadStatusRegisters();
        ++handled_;
    }
}

void InputListener::HandleReport(std::uint8_t code) {
    const auto held = [this](InputButton button) {
        if (events_.buttonTest)
            events_.buttonTest(button, true);
    };
    switch (code) {
    case static_cast<std::uint8_t>(InputButton::Cpi):
        heldCpi_ = true;
        held(InputButton::Cpi);
        return;
    case static_cast<std::uint8_t>(InputButton::CpiUp):
        heldCpiUp_ = true;
        held(InputButton::CpiUp);
        return;
    case static_cast<std::uint8_t>(InputButton::CpiDown):
        heldCpiDown_ = true;
        held(InputButton::CpiDown);
        return;
    case static_cast<std::uint8_t>(InputButton::Profile):
        heldProfile_ = true;
        held(InputButton::Profile);
        return;
    case kReleased:
        break;
    default:
        return; // two buttons at once, or a code the mouse does not send
    }

    // Each release waits for the mouse to apply the change before asking it.
    const auto release = [this](bool& flag, InputButton button, bool profile) {
        if (!flag)
            return;
        clock_.sleepMillis(kReleaseSettleMillis);
        if (profile)
            RefreshCurrentProfileStatus();
        else
            RefreshCurrentDPIStatus();
        flag = false;
        if (events_.buttonTest)
            events_.buttonTest(button, false);
    };
    release(heldCpi_, InputButton::Cpi, false);
    release(heldCpiUp_, InputButton::CpiUp, false);
    release(heldCpiDown_, InputButton::CpiDown, false);
    release(heldProfile_, InputButton::Profile, true);
}

void InputListener::RefreshCurrentDPIStatus() {
    const StorageKind kind = mouse_.DeviceStorage();
    if (kind == StorageKind::None)
        return;
    std::array<std::uint8_t, 1> level{};
    // A lost reply is no level: the marks stay as they are.
    if (!mouse_.ReadBlock(kind == StorageKind::I2C ? kCurrentCpiI2C : kCurrentCpiFlash, 1, level))
        return;
    if (events_.currentCpi)
        events_.currentCpi(level[0]);
}

void InputListener::RefreshCurrentProfileStatus() {
    const StorageKind kind = mouse_.DeviceStorage();
    if (kind == StorageKind::None)
        return;
    std::array<std::uint8_t, 1> profile{};
    if (!mouse_.ReadBlock(kind == StorageKind::I2C ? kCurrentProfileI2C : kCurrentProfileFlash, 1,
                          profile))
        return;
    if (events_.currentProfile)
        events_.currentProfile(profile[0]);
}

void InputListener::ReadStatusRegisters() {
    // The mouse expects these reads after each report; their values are not used.
    std::array<std::uint8_t, 1> ignored{};
    (void)mouse_.ReadRegisters(0, kStatusRegisterA, 1, ignored);
    (void)mouse_.ReadRegisters(0, kStatusRegisterB, 1, ignored);
}

} // namespace trvx
