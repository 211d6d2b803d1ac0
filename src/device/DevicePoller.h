#pragma once
// Following the mouse: the plug poll that the main window's DevTimer drives every 1500 ms, the
// arrival wait, the open, the device-information and ID checks, the hand-over to the whole-image
// read, the no-device state, and the reset followed by a new search.
//
// The poll looks at the mouse itself, not at the number of HID interfaces alone: the count is
// only the cheap trigger, and when it changed the mouse's own interfaces are enumerated. So a
// keyboard that comes or goes neither announces "No Device Found" nor re-reads a mouse whose
// image the pages show. Runs on one thread (the window's device thread); the window's part goes
// through the view.

#include "base/Clock.h"
#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "device/HidBackend.h"
#include "device/ImageLayout.h"
#include "device/WholeImageRead.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trvx {

// Told when the poller opens the mouse or lets it go (the input-report listener).
class MouseOpenObserver {
public:
    virtual ~MouseOpenObserver() = default;
    virtual void MouseOpened() = 0;
    virtual void MouseClosed() = 0;
};

struct DeviceIdPair {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
};

struct DevicePollerConfig {
    StorageKind StorageType = StorageKind::None; // the program's built-in storage type
    std::vector<DeviceIdPair> DeviceIdTable;     // searched in order; a zero member skips a pair
    std::uint32_t DefaultManuID = 0;             // the first accepted ID pair
    std::uint32_t DefaultProID = 0;
    std::uint32_t RevManuID = 0; // the reserve pair (general settings Rev_Manu_ID, Rev_Pro_ID)
    std::uint32_t RevProID = 0;
};

// Texts of the current language set.
struct DevicePollerTexts {
    std::string Str100; // "No Device Found"
    std::string Str101; // "Please check your device is attached to USB port"
    std::string Str102; // the storage type is not the program's
    std::string Str107; // the ID pair is accepted by neither pair
    std::string Str109; // the mouse stopped answering: plug it in again
    std::string Str115; // the mouse is there but may not be opened: see the udev rule
};

// What the main window does for the poller.
class DeviceLifecycleView {
public:
    virtual ~DeviceLifecycleView() = default;
    virtual void StartTimer() = 0; // DevTimer on
    virtual void StopTimer() = 0;  // DevTimer off
    // Pending window events (no user input); called during the waits.
    virtual void ProcessEvents() {}
    // The no-device state: menus hidden, the no-device appearance, macro lists emptied, LED
    // type and report rate forgotten, cover labels shown, then `message` in the modal message
    // dialog (returns when the user closed it).
    virtual void ShowNoDevice(const std::string& message) = 0;
    // The no-device appearance alone (RefreshErrorAP).
    virtual void ShowNoDeviceAppearance() = 0;
    // The program's modal message dialog.
    virtual void ShowMessageDialog(const std::string& text) = 0;
    // The system message box with an empty title and one OK button; returns when closed.
    virtual void ShowSystemMessage(const std::string& text) = 0;
    // The ID pair read from the mouse, for the engineering page.
    virtual void ShowReadIds(std::uint8_t manuId, std::uint8_t proId) = 0;
};

class DevicePoller {
public:
    static constexpr int kTimerIntervalMillis = 1500;
    static constexpr int kArrivalWaitRounds = 21; // x 100 ms
    // Checks or reads of a present mouse that failed in transfer are tried this many times more.
    static constexpr int kTransferRetries = 2;
    static constexpr int kResetWaitRounds = 51; // x 100 ms

    DevicePoller(DeviceLink& link, HidBackend& backend, Clock& clock, AcceptedMouse& mouse,
                 WholeImageReader& reader, DeviceLifecycleView& view, DevicePollerConfig config,
                 DevicePollerTexts texts);
    DevicePoller(const DevicePoller&) = delete;
    DevicePoller& operator=(const DevicePoller&) = delete;

    void SetOpenObserver(MouseOpenObserver* observer) { observer_ = observer; }
    void SetTexts(DevicePollerTexts texts) { texts_ = std::move(texts); }

    // One DevTimer tick. Returns at once while another tick, its waits or a reset run.
    void Tick();
    // Searches for the mouse at once, as after a reset.
    void ReFindDev();
    // Resets the accepted mouse and finds it again; polling goes on whatever the search found.
    void ResetAndReconnect();
    // The no-device state and its message; the mouse stays open but is no longer accepted.
    void EnterNoDeviceState();
    // The input-report listener lost its handle (handed to the poller's thread by the window). A
    // mouse that has gone is let go at once instead of at the next tick; one still there stays as
    // it is.
    void InputLost();

    bool IsBusy() const { return busy_; }
    int LastHidCount() const { return lastHidCount_; }
    bool MousePresent() const { return !mousePaths_.empty(); }
    std::uint16_t DevVID() const { return devVid_; }
    std::uint16_t DevPID() const { return devPid_; }

private:
    class BusyScope;

    std::vector<std::string> MousePaths();
    void WaitRounds(int rounds);
    void MouseLeft();
    void Search();
    void ReadDevInfo();
    // A transfer to a present mouse failed during its open, check or read: while retries remain,
    // the next tick takes the mouse for a new arrival and opens, checks and reads it again. False
    // when none remain: the user has been told to plug the mouse in again.
    bool RetryOnNextTick();
    // RetryOnNextTick, and when no retry remains, the message that asks for a new plug-in.
    void RetryOrTellToReplug();
    bool IdAccepted(std::uint8_t manuId, std::uint8_t proId) const;
    void CloseMouse();

    DeviceLink& link_;
    HidBackend& backend_;
    Clock& clock_;
    AcceptedMouse& mouse_;
    WholeImageReader& reader_;
    DeviceLifecycleView& view_;
    DevicePollerConfig config_;
    DevicePollerTexts texts_;
    MouseOpenObserver* observer_ = nullptr;

    bool busy_ = false;     // DevTimerBusy, also held by a reset
    bool searched_ = false; // a tick has looked for the mouse
    int lastHidCount_ = 0;
    std::vector<std::string> mousePaths_; // the mouse's interfaces at the last change
    int retriesLeft_ = kTransferRetries;  // for the mouse now present
    std::uint16_t devVid_ = 0;
    std::uint16_t devPid_ = 0;
};

} // namespace trvx
