#pragma once
// The HidBackend of the real program: hidapi's hidraw backend for transfers, sysfs for the
// cheap interface count and for the report lengths (parsed from each node's descriptor).

#include "device/HidBackend.h"
#include "platform/SysfsHidraw.h"

#include <filesystem>

namespace trvx {

class HidapiBackend : public HidBackend {
public:
    // classRoot is where the hidraw class folder lives; tests point it at a temporary folder.
    explicit HidapiBackend(std::filesystem::path classRoot = kHidrawClassRoot);

    // One entry per hidraw node (hidapi lists a node once per top-level collection).
    std::vector<HidInterfaceInfo> enumerate() override;
    int countInterfaces() override;
    // Both access kinds open the node for reading and writing: hidraw needs a writable
    // descriptor for feature reports, so a node that refuses that refuses both.
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override;
    // A failed open is AccessDenied when this user may not read and write the node.
    HidOpenResult openWithReason(const std::string& path, HidAccess access) override;

private:
    std::filesystem::path classRoot_;
};

} // namespace trvx
