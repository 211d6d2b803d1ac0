#pragma once
// The simulated mouse's firmware: its configuration image, X-data memory, registers, the
// commands of report 0x40, the data reports of 0x41 and the queue of replies. It knows nothing
// of threads, clocks or USB; SimulatedMouse puts it behind the HID backend. The choices it
// makes where the mouse's behaviour is ours to decide are listed in SimulatedMouse.h.

#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace trvx {

using SimReport = std::array<std::uint8_t, 8>; // report id, then seven bytes
using SimReply = std::array<std::uint8_t, 7>;  // what a GetFeature of 0x41 returns after the id

class SimFirmware {
public:
    static constexpr std::size_t kXDataSize = 65536;

    // The image must have the size of the kind (2048 or 65536 bytes); SimulatedMouse checks.
    SimFirmware(StorageKind kind, std::vector<std::uint8_t> image);

    StorageKind kind() const { return kind_; }

    enum class Effect { None, Reset };
    // A report 0x40 that reached the mouse. Returns Reset for command 14: the caller takes the
    // mouse off the bus and calls powerCycle().
    Effect command(const SimReport& report);
    // A report 0x41 that reached the mouse: data of an unfinished block write, else ignored.
    void data(const SimReport& report);
    // The next pending reply, or seven 0x00 when none is pending.
    SimReply takeReply();
    std::size_t pendingReplies() const { return replies_.size(); }

    // What a restart loses: pending replies, an unfinished block write, the reload arming and
    // the X-data memory. The image is non-volatile and stays.
    void powerCycle();

    std::vector<std::uint8_t>& image() { return image_; }
    const std::vector<std::uint8_t>& image() const { return image_; }

    // The reply to command 13; up to seven bytes, the rest 0.
    void setInfoReply(std::span<const std::uint8_t> bytes);
    const SimReply& infoReply() const { return info_; }

    // The values that completed a profile reload (register 164 written with 15, then these).
    const std::vector<std::uint8_t>& profileReloads() const { return reloads_; }

    std::uint8_t xdata(std::uint16_t address) const { return xdata_[address]; }

private:
    void writeRegisters(int first, std::span<const std::uint8_t> bytes);
    void storeRegister(int reg, std::uint8_t value);
    void queueBytes(std::span<const std::uint8_t> bytes); // in 7-byte replies, last padded 0
    void queueImageRange(std::uint32_t address, std::uint32_t length);
    void queueRegisterRange(int first, int length);

    StorageKind kind_;
    std::vector<std::uint8_t> image_;
    std::vector<std::uint8_t> xdata_;
    std::deque<SimReply> replies_;
    SimReply info_{};

    // Unfinished block write: where the next data byte goes and how many are still expected.
    bool blockWriteActive_ = false;
    std::uint32_t blockNext_ = 0;
    std::uint32_t blockRemaining_ = 0;

    bool reloadArmed_ = false;
    std::vector<std::uint8_t> reloads_;
};

} // namespace trvx
