#pragma once
// The one "mouse accepted" state. A mouse is accepted only after its device information named
// the program's storage type and its ID block carried an accepted pair; until then, and again
// from the moment it leaves, every write to it is refused here. Pages reach the mouse only
// through this gate, so a foreign mouse can be read but never written.

#include "device/DeviceLink.h"
#include "device/ImageLayout.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <shared_mutex>
#include <span>

namespace trvx {

class AcceptedMouse {
public:
    explicit AcceptedMouse(DeviceLink& link) : link_(link) {}
    AcceptedMouse(const AcceptedMouse&) = delete;
    AcceptedMouse& operator=(const AcceptedMouse&) = delete;

    // ---- State (set by the device poller) ---------------------------------------------
    // The storage type the open mouse reported; kept also when it is not the program's.
    void SetDeviceStorage(StorageKind kind) { storage_ = kind; }
    // Accepts the open mouse; refused (false) while no storage type is known.
    bool Accept();
    // No usable mouse: writes refused, storage type forgotten. Waits for a write that already
    // passed the gate, so none of them can reach a mouse that is opened after this returns.
    void Revoke();

    bool IsAccepted() const { return accepted_; }
    // The open mouse's storage type (DevStorageType), None while none is known.
    StorageKind DeviceStorage() const { return storage_; }
    // The storage type to read and write by: the mouse's while it is accepted, None otherwise.
    StorageKind AcceptedStorage() const { return accepted_ ? storage_.load() : StorageKind::None; }

    // ---- Writes: each false, with nothing sent, unless the mouse is accepted -----------
    bool WriteRegister(std::uint8_t reg, std::uint8_t d0, std::uint8_t d1, std::uint8_t d2,
                       std::uint8_t count);
    bool WriteRegisterEntry(std::uint8_t reg, std::uint8_t e0, std::uint8_t e1, std::uint8_t e2,
                            std::uint8_t e3);
    bool WriteRegisterRun(std::uint8_t bank, std::uint8_t first,
                          std::span<const std::uint8_t> data);
    bool WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data);
    bool WriteXData(std::uint16_t address, std::uint8_t value);
    bool Reset();

    // ---- Reads: allowed on any open mouse ---------------------------------------------
    bool ReadRegisters(std::uint8_t bank, std::uint8_t reg, int length,
                       std::span<std::uint8_t> dest) {
        return link_.ReadRegisters(bank, reg, length, dest);
    }
    bool ReadBlock(std::uint16_t address, int length, std::span<std::uint8_t> dest) {
        return link_.ReadBlock(address, length, dest);
    }
    bool ReadBlockShowBusy(std::uint16_t address, int length, std::span<std::uint8_t> dest) {
        return link_.ReadBlockShowBusy(address, length, dest);
    }
    std::optional<std::uint8_t> ReadXData(std::uint16_t address) {
        return link_.ReadXData(address);
    }

private:
    // Held shared by each write from its check to its end, exclusively to change acceptance.
    std::shared_mutex gate_;
    DeviceLink& link_;
    std::atomic<bool> accepted_{false};
    std::atomic<StorageKind> storage_{StorageKind::None};
};

} // namespace trvx
