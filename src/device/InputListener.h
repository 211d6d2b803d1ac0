#pragma once
// The input-report listener: a thread of its own that waits for the mouse's input reports 0x42
// (its CPI and profile buttons), shows which button is held, and after a release asks the mouse
// for its current CPI level or profile. After every such report it also reads two status
// registers. Each device read is one exchange of the link, so it never interleaves with the UI
// thread's transfers.
//
// While no mouse is open the thread waits on a condition variable; reads have a timeout so it
// notices a stop; a read error drops the handle until the poller opens the mouse again. Results
// go out through callbacks called on the listener's thread: the window queues them to its UI
// thread.

#include "base/Clock.h"
#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "device/DevicePoller.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace trvx {

// Button codes of input report byte 3.
enum class InputButton : std::uint8_t { Cpi = 1, CpiUp = 2, CpiDown = 4, Profile = 8 };

struct InputListenerEvents {
    // A button's test check box: checked while held, unchecked after its release was handled.
    std::function<void(InputButton button, bool held)> buttonTest;
    // The current CPI level byte read from the mouse after a CPI button's release.
    std::function<void(std::uint8_t level)> currentCpi;
    // The user section's byte 0 (current profile in the low nibble) after a profile release.
    std::function<void(std::uint8_t profileByte)> currentProfile;
    // A read failed: the listener stopped reading until the mouse is opened again.
    std::function<void()> inputLost;
};

class InputListener final : public MouseOpenObserver {
public:
    static constexpr int kDefaultReadTimeoutMs = 200;
    static constexpr std::int64_t kReleaseSettleMillis = 200;

    // Starts the thread (below normal priority); it waits until MouseOpened.
    InputListener(DeviceLink& link, AcceptedMouse& mouse, Clock& clock, InputListenerEvents events,
                  int readTimeoutMs = kDefaultReadTimeoutMs);
    // Stops and joins the thread; waits at most for one read timeout and one settle pause.
    ~InputListener() override;
    InputListener(const InputListener&) = delete;
    InputListener& operator=(const InputListener&) = delete;

    // MouseOpenObserver: called by the poller, on its thread.
    void MouseOpened() override;
    void MouseClosed() override;

    // How many reads the thread has made (a wait without a mouse costs none).
    std::int64_t ReadCount() const { return reads_; }
    // True while the thread is parked for want of an open mouse: it has let go of the last one
    // and no open has come since. False from the moment MouseOpened is called, also while the
    // thread has not woken up yet.
    bool IsWaiting() const;
    // How many input reports 0x42 the thread has handled to the end (the status registers
    // read), so a test can wait for one report's work to be done.
    std::int64_t ReportsHandled() const { return handled_; }

private:
    void Run();
    // Blocks until a mouse is open or the listener stops; returns the open's generation, or -1.
    std::int64_t WaitForMouse();
    void HandleReport(std::uint8_t code);
    void RefreshCurrentDPIStatus();
    void RefreshCurrentProfileStatus();
    void ReadStatusRegisters();

    DeviceLink& link_;
    AcceptedMouse& mouse_;
    Clock& clock_;
    InputListenerEvents events_;
    const int readTimeoutMs_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
    bool open_ = false;
    bool parked_ = false;         // the thread is inside WaitForMouse's wait
    std::int64_t generation_ = 0; // counts opens, so an old handle's error drops nothing new

    std::atomic<std::int64_t> reads_{0};
    std::atomic<std::int64_t> handled_{0};
    // Held buttons, in the order their releases are handled. Only the thread touches them.
    bool heldCpi_ = false, heldCpiUp_ = false, heldCpiDown_ = false, heldProfile_ = false;

    std::thread thread_;
};

} // namespace trvx
