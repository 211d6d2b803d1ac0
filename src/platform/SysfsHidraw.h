#pragma once
// What sysfs tells about hidraw nodes without opening them: how many there are, and each
// node's report descriptor (which gives the report lengths the device code needs).

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

// The class folder the kernel keeps one entry per hidraw node in.
inline const std::filesystem::path kHidrawClassRoot = "/sys/class/hidraw";

// Entries in the class folder; 0 when it cannot be read.
int CountHidrawNodes(const std::filesystem::path& classRoot);

// The raw report descriptor of the node behind a device path such as /dev/hidraw3 (the node
// is the path's last component); nullopt when it cannot be read or is implausibly large.
std::optional<std::vector<std::uint8_t>>
ReadHidrawReportDescriptor(const std::filesystem::path& classRoot, const std::string& devicePath);

struct HidrawReportInfo {
    bool parsed = false; // false: descriptor missing or malformed, the rest is defaults
    bool usesReportIds = true;
    // Bytes including the id byte, as in HidInterfaceInfo: each feature report by its id, and
    // the longest input report.
    std::map<std::uint8_t, int> featureReportLengths;
    int inputReportLength = 0;
};

HidrawReportInfo ReadHidrawReportInfo(const std::filesystem::path& classRoot,
                                      const std::string& devicePath);

} // namespace trvx
