#include "platform/HidapiHandle.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <vector>

namespace trvx {
namespace {

class HidapiHandle : public HidHandle {
public:
    HidapiHandle(hid_device* device, bool usesReportIds, HidapiDeviceCalls calls)
        : device_(device), usesReportIds_(usesReportIds), calls_(std::move(calls)) {}
    ~HidapiHandle() override { calls_.close(device_); }
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    bool setFeature(std::span<const std::uint8_t> report) override {
        if (report.empty())
            return false;
        const int sent = calls_.sendFeatureReport(device_, report.data(), report.size());
        return sent >= 0 && static_cast<std::size_t>(sent) == report.size();
    }

    bool getFeature(std::span<std::uint8_t> report) override {
        if (report.empty())
            return false;
        // hidraw hands back as many bytes as the device sent, which may be fewer than asked.
        // A short or foreign report is a failed read, and the caller's buffer stays as it was.
        std::vector<std::uint8_t> reply(report.begin(), report.end());
        const int got = calls_.getFeatureReport(device_, reply.data(), reply.size());
        if (got < 0 || static_cast<std::size_t>(got) != reply.size() || reply[0] != report[0])
            return false;
        std::copy(reply.begin(), reply.end(), report.begin());
        return true;
    }

    InputReadResult readInput(std::span<std::uint8_t> buffer, int timeoutMs,
                              std::size_t& bytesRead) override {
        bytesRead = 0;
        // Put the zero id byte in front for a device without report ids, so byte 0 is always
        // the report id.
        const std::size_t skip = usesReportIds_ ? 0 : 1;
        if (buffer.size() <= skip)
            return InputReadResult::Error;
        const int got =
            calls_.readTimeout(device_, buffer.data() + skip, buffer.size() - skip, timeoutMs);
        if (got < 0)
            return InputReadResult::Error;
        if (got == 0)
            return InputReadResult::Timeout;
        if (skip)
            buffer[0] = 0;
        bytesRead = std::min(static_cast<std::size_t>(got), buffer.size() - skip) + skip;
        return InputReadResult::Ok;
    }

private:
    hid_device* device_;
    bool usesReportIds_;
    HidapiDeviceCalls calls_;
};

} // namespace

const HidapiDeviceCalls& RealHidapiCalls() {
    static const HidapiDeviceCalls calls{hid_send_feature_report, hid_get_feature_report,
                                         hid_read_timeout, hid_close};
    return calls;
}

std::unique_ptr<HidHandle> MakeHidapiHandle(hid_device_* device, bool usesReportIds,
                                            HidapiDeviceCalls calls) {
    return std::make_unique<HidapiHandle>(device, usesReportIds, std::move(calls));
}

} // namespace trvx
