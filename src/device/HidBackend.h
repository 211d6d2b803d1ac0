#pragma once
// The road to HID devices. The program uses the hidapi (hidraw) backend; tests and
// TRVX_SIMULATE use the simulated mouse. Everything above this interface is the same for both.

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace trvx {

// One HID interface (one hidraw node) as the enumeration sees it.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0;
    // Report lengths including the report id byte, as the interface's report descriptor
    // gives them (0 when the interface has no report of that kind or the descriptor failed).
    // One hidraw node holds every collection of a USB interface, so a mouse's node may declare
    // other feature reports beside its own: its reports are looked up by id.
    std::map<std::uint8_t, int> featureReportLengths; // per report id (0: no report ids)
    // The longest input report of the interface: a read must have room for any of them.
    int inputReportLength = 0;

    // 0 when the interface declares no feature report of this id.
    int featureReportLength(std::uint8_t reportId) const {
        const auto it = featureReportLengths.find(reportId);
        return it == featureReportLengths.end() ? 0 : it->second;
    }
};

enum class InputReadResult { Ok, Timeout, Error };

// An open interface. Feature transfers move whole reports: byte 0 is the report id.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    virtual bool setFeature(std::span<const std::uint8_t> report) = 0;
    // On success the buffer holds the report (byte 0 the report id); its size is the length asked.
    virtual bool getFeature(std::span<std::uint8_t> report) = 0;
    // Waits up to timeoutMs for one input report; bytesRead receives its length.
    virtual InputReadResult readInput(std::span<std::uint8_t> buffer, int timeoutMs,
                                      std::size_t& bytesRead) = 0;
};

enum class HidAccess {
    Query,     // feature reports only (the "access 0" open)
    ReadWrite, // also input reports; may be refused where the query open is not
};

// Why an open failed. A user whose system denies access to the mouse's node must change its
// permissions (the udev rule); one whose mouse merely went away must plug it in again.
enum class HidOpenFailure {
    None,         // opened
    Other,        // gone, busy, or any other reason
    AccessDenied, // the system refused it for lack of permission
};

struct HidOpenResult {
    std::unique_ptr<HidHandle> handle;
    HidOpenFailure failure = HidOpenFailure::Other; // None exactly when handle is set
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every present HID interface, in a stable order.
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    // How many HID interfaces are present; cheap, opens nothing (the plug poll calls it often).
    virtual int countInterfaces() = 0;
    // nullptr when the system refuses the open.
    virtual std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) = 0;
    // The open with its reason for failing; backends that cannot tell report Other.
    virtual HidOpenResult openWithReason(const std::string& path, HidAccess access) {
        HidOpenResult result{open(path, access)};
        result.failure = result.handle ? HidOpenFailure::None : HidOpenFailure::Other;
        return result;
    }
};

} // namespace trvx
