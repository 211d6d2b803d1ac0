#include "platform/SysfsHidraw.h"

#include "device/ReportDescriptor.h"

#include <fstream>
#include <system_error>

namespace trvx {
namespace {

// The kernel caps descriptors at 4 KiB; allow headroom but never read an endless file whole.
constexpr std::size_t kMaxDescriptorBytes = 64 * 1024;

} // namespace

int CountHidrawNodes(const std::filesystem::path& classRoot) {
    std::error_code ec;
    std::filesystem::directory_iterator it(classRoot, ec);
    if (ec)
        return 0;
    int count = 0;
    // Entries are symlinks into /sys/devices; count them as they are, following nothing.
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        ++count;
    }
    return count;
}

std::optional<std::vector<std::uint8_t>>
ReadHidrawReportDescriptor(const std::filesystem::path& classRoot, const std::string& devicePath) {
    const std::filesystem::path node = std::filesystem::path(devicePath).filename();
    if (node.empty() || node == "." || node == "..")
        return std::nullopt;
    std::ifstream in(classRoot / node / "device" / "report_descriptor", std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(kMaxDescriptorBytes + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return std::nullopt;
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > kMaxDescriptorBytes)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

HidrawReportInfo ReadHidrawReportInfo(const std::filesystem::path& classRoot,
                                      const std::string& devicePath) {
    HidrawReportInfo info;
    const auto bytes = ReadHidrawReportDescriptor(classRoot, devicePath);
    if (!bytes)
        return info;
    const ReportDescriptorParse parse = ParseReportDescriptor(*bytes);
    if (!parse.descriptor)
        return info;
    info.parsed = true;
    info.usesReportIds = parse.descriptor->usesReportIds;
    for (const ReportBits& report : parse.descriptor->reports) {
        const int length = parse.descriptor->reportLength(ReportKind::Feature, report.reportId);
        if (length > 0)
            info.featureReportLengths[report.reportId] = length;
    }
    info.inputReportLength = parse.descriptor->inputReportLength;
    return info;
}

} // namespace trvx
