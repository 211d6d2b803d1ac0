#include "platform/HidapiBackend.h"

#include "platform/HidapiHandle.h"
#include "platform/SysfsHidraw.h"

#include <hidapi/hidapi.h>

#include <mutex>
#include <set>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace trvx {
namespace {

// hid_init once per process, hid_exit when the process ends.
bool HidapiReady() {
    static const struct Library {
        bool ok = hid_init() == 0;
        ~Library() { hid_exit(); }
    } library;
    return library.ok;
}

// hid_enumerate and hid_open_path share hidapi's process-wide error string.
std::mutex& HidapiGlobalMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

HidapiBackend::HidapiBackend(std::filesystem::path classRoot) : classRoot_(std::move(classRoot)) {}

std::vector<HidInterfaceInfo> HidapiBackend::enumerate() {
    std::vector<HidInterfaceInfo> result;
    if (!HidapiReady())
        return result;
    std::set<std::string> seen;
    std::lock_guard lock(HidapiGlobalMutex());
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
        if (d->path == nullptr || !seen.insert(d->path).second)
            continue;
        HidInterfaceInfo info;
        info.path = d->path;
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.version = d->release_number;
        const HidrawReportInfo reports = ReadHidrawReportInfo(classRoot_, info.path);
        info.featureReportLengths = reports.featureReportLengths;
        info.inputReportLength = reports.inputReportLength;
        result.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return result;
}

int HidapiBackend::countInterfaces() {
    return CountHidrawNodes(classRoot_);
}

std::unique_ptr<HidHandle> HidapiBackend::open(const std::string& path, HidAccess access) {
    return openWithReason(path, access).handle;
}

HidOpenResult HidapiBackend::openWithReason(const std::string& path, HidAccess) {
    HidOpenResult result;
    if (!HidapiReady())
        return result;
    hid_device* device = nullptr;
    {
        std::lock_guard lock(HidapiGlobalMutex());
        device = hid_open_path(path.c_str());
    }
    if (device == nullptr) {
        // hidapi keeps only a message; ask the system the same question it was asked.
        if (faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0 &&
            (errno == EACCES || errno == EPERM))
            result.failure = HidOpenFailure::AccessDenied;
        return result;
    }
    // A descriptor we cannot read leaves input reports as hidraw delivers them.
    const HidrawReportInfo reports = ReadHidrawReportInfo(classRoot_, path);
    result.handle = MakeHidapiHandle(device, reports.usesReportIds);
    result.failure = HidOpenFailure::None;
    return result;
}

} // namespace trvx
