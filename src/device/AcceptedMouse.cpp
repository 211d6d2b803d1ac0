#include "device/AcceptedMouse.h"

namespace trvx {

bool AcceptedMouse::Accept() {
    std::unique_lock lock(gate_);
    if (storage_ == StorageKind::None)
        return false;
    accepted_ = true;
    return true;
}

void AcceptedMouse::Revoke() {
    std::unique_lock lock(gate_);
    accepted_ = false;
    storage_ = StorageKind::None;
}

bool AcceptedMouse::WriteRegister(std::uint8_t reg, std::uint8_t d0, std::uint8_t d1,
                                  std::uint8_t d2, std::uint8_t count) {
    std::shared_lock lock(gate_);
    return accepted_ && link_.WriteRegister(reg, d0, d1, d2, count);
}

bool AcceptedMouse::WriteRegisterEntry(std::uint8_t reg, std::uint8_t e0, std::uint8_t e1,
                                       std::uint8_t e2, std::uint8_t e3) {
    std::shared_lock lock(gate_);
    return accepted_ && link_.WriteRegisterEntry(reg, e0, e1, e2, e3);
}

bool AcceptedMouse::WriteRegisterRun(std::uint8_t bank, std::uint8_t first,
                                     std::span<const std::uint8_t> data) {
    std::shared_lock lock(gate_);
    return accepted_ && link_.WriteRegisterRun(bank, first, data);
}

bool AcceptedMouse::WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
    std::shared_lock lock(gate_);
    return accepted_ && link_.WriteBlock(address, data);
}

bool AcceptedMouse::WriteXData(std::uint16_t address, std::uint8_t value) {
    std::shared_lock lock(gate_);
    return accepted_ && link_.WriteXData(address, value);
}

bool AcceptedMouse::Reset() {
    std::shared_lock lock(gate_);
    return accepted_ && link_.Reset();
}

} // namespace trvx
