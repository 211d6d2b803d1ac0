#include "sim/SimFirmware.h"

#include <algorithm>

namespace trvx {

namespace {

constexpr std::uint8_t kCmdXDataWrite = 1;
constexpr std::uint8_t kCmdXDataRead = 2;
constexpr std::uint8_t kCmdRegisterWrite = 5;
constexpr std::uint8_t kCmdRegisterRead = 6;
constexpr std::uint8_t kCmdBlockWrite = 7;
constexpr std::uint8_t kCmdBlockRead = 9;
constexpr std::uint8_t kCmdDeviceInfo = 13;
constexpr std::uint8_t kCmdReset = 14;

constexpr int kProfileRegister = 164;
constexpr std::uint8_t kProfileReloadMark = 15;

std::uint16_t BigEndian(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>(high << 8 | low);
}

} // namespace

SimFirmware::SimFirmware(StorageKind kind, std::vector<std::uint8_t> image)
    : kind_(kind), image_(std::move(image)), xdata_(kXDataSize, 0) {
    const std::uint8_t defaultInfo[] = {
        0x41, 0x3A, static_cast<std::uint8_t>(kind == StorageKind::Flash ? 0x80 : 0xC0)};
    setInfoReply(defaultInfo);
}

void SimFirmware::setInfoReply(std::span<const std::uint8_t> bytes) {
    info_.fill(0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), info_.size()), info_.begin());
}

SimFirmware::Effect SimFirmware::command(const SimReport& r) {
    // Every command starts a new exchange: whatever the last one left behind is dropped.
    blockWriteActive_ = false;
    replies_.clear();

    switch (r[1]) {
    case kCmdXDataWrite:
        xdata_[BigEndian(r[2], r[3])] = r[4];
        break;
    case kCmdXDataRead: {
        const std::uint8_t value[] = {xdata_[BigEndian(r[2], r[3])]};
        queueBytes(value);
        break;
    }
    case kCmdRegisterWrite:
        if (r[2] == 0) {
            if (r[7] >= 1 && r[7] <= 3)
                writeRegisters(r[3], std::span(r).subspan(4, r[7]));
        } else if (r[2] == 1) {
            writeRegisters(r[3], std::span(r).subspan(4, 4));
        }
        break;
    case kCmdRegisterRead:
        queueRegisterRange(r[3], r[5]);
        break;
    case kCmdBlockWrite:
        blockNext_ = BigEndian(r[2], r[3]);
        blockRemaining_ = BigEndian(r[4], r[5]);
        blockWriteActive_ = blockRemaining_ > 0;
        break;
    case kCmdBlockRead:
        queueImageRange(BigEndian(r[2], r[3]), BigEndian(r[4], r[5]));
        break;
    case kCmdDeviceInfo:
        replies_.push_back(info_);
        break;
    case kCmdReset:
        return Effect::Reset;
    default:
        break; // unknown commands do nothing
    }
    return Effect::None;
}

void SimFirmware::data(const SimReport& r) {
    if (!blockWriteActive_)
        return;
    const std::uint32_t n = std::min<std::uint32_t>(blockRemaining_, 7);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t address = blockNext_ + i;
        if (address < image_.size())
            image_[address] = r[1 + i];
    }
    blockNext_ += n;
    blockRemaining_ -= n;
    blockWriteActive_ = blockRemaining_ > 0;
}

SimReply SimFirmware::takeReply() {
    if (replies_.empty())
        return SimReply{};
    SimReply reply = replies_.front();
    replies_.pop_front();
    return reply;
}

void SimFirmware::powerCycle() {
    replies_.clear();
    blockWriteActive_ = false;
    blockRemaining_ = 0;
    reloadArmed_ = false;
    std::fill(xdata_.begin(), xdata_.end(), 0);
}

void SimFirmware::writeRegisters(int first, std::span<const std::uint8_t> bytes) {
    bool vendorTouched = false;
    bool userTouched = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int reg = first + static_cast<int>(i);
        if (reg >= kRegisterCount)
            break; // no such register; the write does not wrap
        storeRegister(reg, bytes[i]);
        (reg < kUserRegisterFirst ? vendorTouched : userTouched) = true;
    }
    // The firmware keeps the section it changed valid, so a later check does not throw the
    // change away.
    auto renew = [this](int firstRegister, std::size_t size) {
        const auto offset = RegisterImageOffset(kind_, firstRegister);
        if (offset && *offset + size <= image_.size())
            SetSectionChecksum(std::span(image_).subspan(*offset, size));
    };
    if (vendorTouched)
        renew(0, kVendorSectionSize);
    if (userTouched)
        renew(kUserRegisterFirst, kUserSectionSize);
}

void SimFirmware::storeRegister(int reg, std::uint8_t value) {
    const auto offset = RegisterImageOffset(kind_, reg);
    if (!offset || *offset >= image_.size())
        return;
    image_[*offset] = value;
    if (reg != kProfileRegister)
        return;
    if (value == kProfileReloadMark) {
        reloadArmed_ = true;
    } else if (reloadArmed_) {
        reloadArmed_ = false;
        reloads_.push_back(value);
    }
}

void SimFirmware::queueBytes(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += 7) {
        SimReply reply{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    std::min<std::size_t>(7, bytes.size() - at), reply.begin());
        replies_.push_back(reply);
    }
}

void SimFirmware::queueImageRange(std::uint32_t address, std::uint32_t length) {
    std::vector<std::uint8_t> bytes(length, 0xFF);
    for (std::uint32_t i = 0; i < length; ++i) {
        if (address + i < image_.size())
            bytes[i] = image_[address + i];
    }
    queueBytes(bytes);
}

void SimFirmware::queueRegisterRange(int first, int length) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length), 0xFF);
    for (int i = 0; i < length; ++i) {
        const auto offset = RegisterImageOffset(kind_, first + i);
        if (offset && *offset < image_.size())
            bytes[static_cast<std::size_t>(i)] = image_[*offset];
    }
    queueBytes(bytes);
}

} // namespace trvx
