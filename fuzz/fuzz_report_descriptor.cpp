// Arbitrary bytes as a HID report descriptor (read from sysfs, so outside data).
#include "device/ReportDescriptor.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const trvx::ReportDescriptorParse p = trvx::ParseReportDescriptor({data, size});
    if (p.descriptor.has_value() != (p.error == trvx::ReportDescriptorError::None))
        std::abort();
    if (!p.descriptor)
        return p.errorOffset <= size ? 0 : (std::abort(), 0);
    const trvx::ReportDescriptor& d = *p.descriptor;
    // No report may be longer than a HID device can send (16 KiB plus the id byte).
    for (int length : {d.inputReportLength, d.outputReportLength, d.featureReportLength})
        if (length < 0 || length > 16385)
            std::abort();
    for (std::size_t i = 1; i < d.reports.size(); ++i)
        if (d.reports[i - 1].reportId >= d.reports[i].reportId)
            std::abort();
    return 0;
}
