#pragma once
// A simulated mouse behind the HID backend interface: the tests, the scenario runner and
// TRVX_SIMULATE=i2c|flash talk to it exactly as the program talks to the real mouse.
//
// What the host sees
// - The mouse is two interfaces with the same vendor and product id (0x1209:0x0001 unless
//   SetUsbIds says otherwise): the mouse collection (no feature report, 5-byte input reports,
//   answers no feature transfer) and the vendor collection (8-byte feature and input reports)
//   that takes the commands on 0x40, the data on 0x41, answers GetFeature 0x41 and delivers the
//   input reports 0x42. Other HID devices (a keyboard by default) can come and go beside it.
// - A handle dies when the mouse leaves the bus (unplug or reset): every transfer on it fails
//   and readInput returns Error, also after the mouse is back; the host has to open it again.
// - With SetLinuxLayout the mouse is instead what Linux shows of a real one: one hidraw node
//   for its USB interface holding both collections (pointer input report 0x01, the reports
//   0x40, 0x41 and 0x42), another vendor feature report 0x44 of 64 bytes and a 64-byte input
//   report 0x43. The node takes the feature transfers and delivers every injected report.
// - A Query open (access 0) gives feature transfers only; readInput on it returns Error.
// - Feature transfers must be whole 8-byte reports with id 0x40 or 0x41 (GetFeature: 0x41);
//   anything else fails without reaching the firmware and without a frame.
//
// Firmware choices (where the mouse's behaviour is ours to decide)
// - Command 5 (register write) stores the bytes at the registers' image offsets and renews the
//   check byte of every section it touched (vendor 0..163, user 164..191), also when the write
//   hits the check byte itself. Bank 0 takes count 1..3 bytes (another count writes nothing),
//   bank 1 four bytes; any other bank does nothing. Registers past 191 do not exist: their
//   bytes are dropped, the write never wraps to register 0.
// - Register 164 written with 15 and then with another value is the profile reload; the value
//   is recorded (ProfileReloads). Both writes are stored like any other.
// - Command 6 answers ceil(length / 7) replies whatever the bank; a register past 191 reads
//   0xFF. The unused bytes of the last reply are 0x00 (the same for commands 2 and 9).
// - Command 7 expects ceil(length / 7) data reports and writes each as it arrives; image
//   addresses past the end are dropped (no wrap). A new command abandons an unfinished block
//   write: the bytes already received stay written, later data reports are ignored. Data
//   reports without a block write are ignored.
// - Command 9 answers ceil(length / 7) replies; bytes past the end of the image read 0xFF.
// - Commands 1 and 2 use a 64 KB X-data memory (RAM: cleared by a reset or an unplug).
// - Command 13 answers the device information reply: 0x41, ':', 0xC0 (I2C) or 0x80 (flash),
//   then zeros, unless SetInfoReply set other bytes.
// - Command 14 takes the mouse off the bus at once (the SetFeature itself succeeds); it comes
//   back, with new handles needed, once the clock has moved on by the reset delay (1500 ms).
//   The image is non-volatile and kept; replies, block write and X-data are lost.
// - Every command drops the replies the last one left unread.
// - A GetFeature of 0x41 with no reply pending answers seven 0x00 bytes.
// - Unknown commands do nothing.
//
// Input reports
// - InjectInput queues a report for the vendor collection (at most 64; the oldest is dropped,
//   as the kernel does; dropped too while the mouse is away). readInput blocks on a condition
//   variable for up to timeoutMs of real time (negative: until a report arrives or the mouse
//   leaves); it never spins and never moves the clock, so a listener thread can wait beside a
//   test that drives a VirtualClock, and an injected report wakes it at once.
//
// Fault switches (each counts from the call; 1 is the next one; 0 switches it off)
// - FailSend(n): the n-th feature report sent to the mouse fails and does not reach the
//   firmware. It is still logged as sent: the host did send it.
// - FailReply(n): the n-th GetFeature fails; the reply it would have carried is lost.
// - SetGarbageReplies: replies carry pseudo-random bytes (never a valid information reply).
// - RefuseReadWriteOpen: the ReadWrite open of the mouse's interfaces fails; Query works.
// - DenyAccess: every open of the mouse's interfaces is refused for lack of permission, as a
//   hidraw node without the udev rule refuses a user; the mouse stays listed.
// - SetInfoReply: another device information reply (a wrong storage type, say).
// - A foreign ID block or a broken section: Poke the image.
//
// Every call is guarded by one mutex: the UI thread and the listener thread may use the mouse
// and its handles at the same time. Handles keep the mouse's state alive; the clock must
// outlive the mouse and its handles.

#include "base/Clock.h"
#include "device/HidBackend.h"
#include "device/ImageLayout.h"
#include "sim/FrameLog.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace trvx {

class SimulatedMouse final : public HidBackend {
public:
    static constexpr std::uint16_t kDefaultVendorId = 0x1209;
    static constexpr std::uint16_t kDefaultProductId = 0x0001;
    static constexpr std::uint16_t kVersion = 0x0100;
    static constexpr int kMouseInputLength = 5;
    static constexpr int kVendorReportLength = 8;
    static constexpr std::int64_t kDefaultResetDelayMillis = 1500;
    static constexpr const char* kMouseCollectionPath = "sim:mouse:0";
    static constexpr const char* kVendorCollectionPath = "sim:mouse:1";
    // The Linux layout: its one node, and the lengths its descriptor gives (id byte included).
    static constexpr const char* kLinuxNodePath = "sim:mouse:node";
    static constexpr std::uint8_t kLinuxPointerReportId = 0x01;
    static constexpr int kLinuxPointerReportLength = 7;
    static constexpr std::uint8_t kLinuxLongInputReportId = 0x43;
    static constexpr std::uint8_t kLinuxExtraFeatureReportId = 0x44;
    static constexpr int kLinuxLongReportLength = 65;

    // Starts plugged in, from the default image of the kind (the embedded first default image;
    // all 0xFF while there is none of the right size). Kind None is taken as I2C.
    SimulatedMouse(StorageKind kind, Clock& clock);
    // Starts from these image bytes; nullptr when kind is None or their size is not the kind's.
    static std::unique_ptr<SimulatedMouse> Create(StorageKind kind, Clock& clock,
                                                  std::span<const std::uint8_t> image);
    ~SimulatedMouse() override;
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    static std::vector<std::uint8_t> DefaultImage(StorageKind kind);
    // What PlugOther adds when given nothing: a keyboard without feature reports.
    static HidInterfaceInfo KeyboardInfo();

    StorageKind Kind() const;

    // HidBackend
    std::vector<HidInterfaceInfo> enumerate() override;
    int countInterfaces() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override;
    HidOpenResult openWithReason(const std::string& path, HidAccess access) override;

    // Presence
    void Plug();
    void Unplug();
    bool IsPresent();
    // Adds another HID interface and returns its path (the info's path is replaced).
    std::string PlugOther(HidInterfaceInfo info = KeyboardInfo());
    // Removes the other interface plugged last, or the one with this path; false when none.
    bool UnplugOther();
    bool UnplugOther(const std::string& path);
    void SetUsbIds(std::uint16_t vendorId, std::uint16_t productId);
    // One node per USB interface, as Linux shows a real mouse (see above). Handles opened
    // before a change die with it.
    void SetLinuxLayout(bool on);
    void SetResetDelayMillis(std::int64_t ms);
    int ResetCount();

    // Firmware state
    std::vector<std::uint8_t> Image();
    // Writes image bytes directly (no frames, no check bytes); false and nothing written when
    // the range does not fit the image.
    bool Poke(std::size_t offset, std::span<const std::uint8_t> bytes);
    std::uint8_t XData(std::uint16_t address);
    std::vector<std::uint8_t> ProfileReloads();
    void SetInfoReply(std::span<const std::uint8_t> bytes);

    // Input reports 0x42; false when the mouse is away and the report was dropped.
    bool InjectInput(std::span<const std::uint8_t> report);
    // How many readInput calls are blocked now for want of a report: a test meets a reader
    // thread there, knowing it has done everything it did before that read.
    int WaitingInputReads();

    // Fault switches (see above)
    void FailSend(int n);
    void FailReply(int n);
    void SetGarbageReplies(bool on);
    void RefuseReadWriteOpen(bool on);
    void DenyAccess(bool on);

    // Every feature transfer on the vendor collection sleeps this long on the clock first.
    void SetTransferLatencyMicros(std::int64_t us);
    // Feature transfers the vendor collection saw (sent and received, failed ones included).
    std::int64_t FeatureTransferCount();

    // Frame log
    std::vector<SimFrame> Frames();
    std::vector<SimFrame> TakeFrames(); // the frames so far, and the log cleared
    void ClearFrames();
    std::string FrameLogText(); // FormatFrames of the log

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace trvx
