#pragma once
// An open hidraw node behind hidapi. The hidapi calls go through a small table so tests can
// play a device's answers (short replies, errors, time-outs) without hardware.

#include "device/HidBackend.h"

#include <functional>
#include <memory>

struct hid_device_; // hidapi's opaque device

namespace trvx {

struct HidapiDeviceCalls {
    std::function<int(hid_device_*, const unsigned char*, std::size_t)> sendFeatureReport;
    std::function<int(hid_device_*, unsigned char*, std::size_t)> getFeatureReport;
    std::function<int(hid_device_*, unsigned char*, std::size_t, int)> readTimeout;
    std::function<void(hid_device_*)> close;
};

// The real hidapi functions.
const HidapiDeviceCalls& RealHidapiCalls();

// Takes ownership of device (closed with calls.close). usesReportIds comes from the node's
// descriptor: hidraw hands input reports of a device without ids over without the id byte.
std::unique_ptr<HidHandle> MakeHidapiHandle(hid_device_* device, bool usesReportIds,
                                            HidapiDeviceCalls calls = RealHidapiCalls());

} // namespace trvx
