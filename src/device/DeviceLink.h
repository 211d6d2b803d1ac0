#pragma once
// The only road to the mouse: finds its HID interfaces, holds the roles of input, command and
// data handle, and offers the device operations built on the command report (0x40) and the
// data report (0x41).
//
// Every operation is one exchange (a command with its data reports or replies) under the link's
// exchange lock, with buffers of its own, so the input-report listener and the UI thread never
// interleave frames. A caller that must run several reports as one exchange holds an
// `Exchange` for that time. The busy indicator is shown before the lock is taken, never while
// holding it, so no window events are processed in the middle of an exchange.

#include "base/Clock.h"
#include "device/HidBackend.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace trvx {

class HidTrace;

inline constexpr std::uint8_t ReportIdCommand = 0x40;
inline constexpr std::uint8_t ReportIdData = 0x41;
inline constexpr std::uint8_t ReportIdInput = 0x42;

// Feature reports of the mouse: report id and seven bytes.
inline constexpr int MouseFeatureReportLength = 8;

// Bit helpers on 32-bit values; the bit number is taken modulo 32.
constexpr bool IsBitSet(std::uint32_t value, int n) {
    return ((value >> (static_cast<unsigned>(n) & 31u)) & 1u) != 0;
}
constexpr std::uint32_t SetBit(std::uint32_t value, int n) {
    return value | (1u << (static_cast<unsigned>(n) & 31u));
}
constexpr std::uint32_t ClearBit(std::uint32_t value, int n) {
    return value & ~(1u << (static_cast<unsigned>(n) & 31u));
}

// The busy window as the link sees it. The link calls it on the thread of the operation, and
// only outside an exchange.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void ShowBusy() = 0;
    virtual void HideBusy() = 0;
    // Lets pending window events run (no user input); called only between exchanges.
    virtual void ProcessEvents() {}
};

class DeviceLink {
public:
    using Reply = std::array<std::uint8_t, 7>;

    // The environment variable TRVX_HID_TRACE, when set, names the trace file.
    DeviceLink(HidBackend& backend, Clock& clock, BusyIndicator* busy = nullptr);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Appends every report sent or received to this file as one hex line; empty switches the
    // trace off.
    void SetTracePath(const std::string& path);
    void SetBusyIndicator(BusyIndicator* busy);

    // ---- Binding ----------------------------------------------------------------------
    // Present HID interfaces (the plug poll compares this count).
    int CountHidInterfaces();
    // Walks every HID interface and takes the roles from those with the given ids whose reports
    // 0x40 and 0x41 are 8-byte feature reports; the last matching interface wins each role. True
    // only when both the command and the data role were found; version then receives the device's
    // version number.
    bool OpenDevice(std::uint16_t vendorId, std::uint16_t productId, int& version);
    // The last OpenDevice failed because the system refused to open an interface of the mouse
    // for lack of permission (the mouse is there; its node's rights must change).
    bool OpenRefused() const;
    // Closes every handle. Waits for an exchange in progress. The input-report listener stops
    // reading before this is called; a read still running keeps its handle alive until it returns.
    void CloseDevice();

    bool IsOpen() const; // command and data roles held
    bool HasCommandHandle() const;
    bool HasDataHandle() const;
    bool HasInputHandle() const;
    std::uint16_t VendorId() const;  // 0 when none
    std::uint16_t ProductId() const; // 0 when none
    int FeatureReportLength() const;
    // The longest input report of the input interface: every input read needs this much room.
    int InputReportLength() const;

    // ---- One exchange held by the caller ----------------------------------------------
    // Holds the exchange lock for its lifetime and has its own reply buffer (seven 0xFF at the
    // start). Do not call the link's own operations while holding one on the same thread.
    class Exchange {
    public:
        explicit Exchange(DeviceLink& link);
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;

        // 0x40, command, p1, p2, p3, p4, 0, 0 on the command handle.
        bool SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                         std::uint8_t p4);
        // 0x40 and the seven given bytes on the command handle.
        bool SendCommandReport(const Reply& bytes);
        // 0x41 and seven data bytes on the data handle.
        bool SendData(const Reply& bytes);
        // Reply := seven 0xFF, then a GetFeature of 0x41 on the data handle; a good reply is
        // copied and followed by a 500 us wait. False when there was no reply.
        bool ReadReply();
        const Reply& reply() const { return reply_; }
        // The staging buffer of data writes; a short chunk leaves the previous chunk's tail here.
        Reply& buffer() { return reply_; }

    private:
        DeviceLink& link_;
        std::unique_lock<std::mutex> lock_;
        std::shared_ptr<HidHandle> command_;
        std::shared_ptr<HidHandle> data_;
        std::shared_ptr<HidTrace> trace_;
        Reply reply_;
    };

    // ---- Single reports, each a whole exchange ----------------------------------------
    bool SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                     std::uint8_t p4);
    bool SendData(const Reply& bytes);
    // reply receives seven 0xFF when there was no reply (false).
    bool ReadReply(Reply& reply);

    // ---- Register operations ----------------------------------------------------------
    // Bank 0, count 1..3 bytes from register on; busy shown, 100 ms wait whatever the result.
    bool WriteRegister(std::uint8_t reg, std::uint8_t d0, std::uint8_t d1, std::uint8_t d2,
                       std::uint8_t count);
    // Bank 1, one 4-byte entry.
    bool WriteRegisterEntry(std::uint8_t reg, std::uint8_t e0, std::uint8_t e1, std::uint8_t e2,
                            std::uint8_t e3);
    // Destination filled with 0xFF first; false when the command or any reply failed.
    bool ReadRegisters(std::uint8_t bank, std::uint8_t reg, int length,
                       std::span<std::uint8_t> dest);
    // 3-byte groups in bank 0, 4-byte entries in bank 1; the busy window stays shown.
    bool WriteRegisterRun(std::uint8_t bank, std::uint8_t first,
                          std::span<const std::uint8_t> data);

    // ---- Block operations (address and length up to 65535) ----------------------------
    // Busy window shown and left shown.
    bool WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data);
    // Destination filled with 0xFF first; false when the command or any reply failed.
    bool ReadBlock(std::uint16_t address, int length, std::span<std::uint8_t> dest);
    // ReadBlock with the busy window shown before the exchange and left shown.
    bool ReadBlockShowBusy(std::uint16_t address, int length, std::span<std::uint8_t> dest);

    // ---- Other commands ---------------------------------------------------------------
    bool WriteXData(std::uint16_t address, std::uint8_t value);
    std::optional<std::uint8_t> ReadXData(std::uint16_t address);
    // Command 13 and its reply (nullopt when the command or the reply failed).
    std::optional<Reply> DeviceInformation();
    // Command 14: the mouse restarts and leaves the bus.
    bool Reset();

    // ---- Input reports (no exchange lock: they use the input handle only) -------------
    // Reads one input report of InputReportLength bytes; Error without an input handle or when
    // the buffer is smaller than the report.
    InputReadResult ReadInputReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                    std::size_t& bytesRead);

    // Sleeps on the link's clock.
    void WaitMicroseconds(std::int64_t us);

private:
    bool ReadBlockImpl(std::uint16_t address, int length, std::span<std::uint8_t> dest,
                       bool showBusy);
    bool WriteRegisterReport(const Reply& bytes);
    void ShowBusyBetweenExchanges();
    void HideBusyBetweenExchanges();
    std::shared_ptr<HidTrace> Trace() const;

    HidBackend& backend_;
    Clock& clock_;
    BusyIndicator* busy_;

    std::mutex exchangeMutex_;      // one exchange at a time; taken before stateMutex_
    mutable std::mutex stateMutex_; // guards the fields below
    std::shared_ptr<HidHandle> input_;
    std::shared_ptr<HidHandle> command_;
    std::shared_ptr<HidHandle> data_;
    std::uint16_t vendorId_ = 0;
    std::uint16_t productId_ = 0;
    int featureReportLength_ = 0;
    bool openRefused_ = false;
    int inputReportLength_ = 0;
    std::shared_ptr<HidTrace> trace_;
};

} // namespace trvx
