#pragma once
// A small parser of HID report descriptors: just enough to know how long each report is.
// The lengths follow the HID capabilities convention the device code was written against:
// the largest report of a kind in whole bytes, plus one byte for the report id (also when the
// descriptor has no report ids: that report goes out with a leading zero byte).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trvx {

enum class ReportKind { Input, Output, Feature };

// The fields one report id declares, in bits, per kind.
struct ReportBits {
    std::uint8_t reportId = 0; // 0: the descriptor has no report ids
    std::uint32_t inputBits = 0;
    std::uint32_t outputBits = 0;
    std::uint32_t featureBits = 0;
};

struct ReportDescriptor {
    bool usesReportIds = false;
    // Every report id that declares at least one bit of any kind, ascending.
    std::vector<ReportBits> reports;
    // Largest report of the kind in bytes including the id byte; 0 when there is none.
    int inputReportLength = 0;
    int outputReportLength = 0;
    int featureReportLength = 0;

    // Length of one report (bytes including the id byte); 0 when that id has none of the kind.
    int reportLength(ReportKind kind, std::uint8_t reportId) const;
};

enum class ReportDescriptorError {
    None,
    TruncatedItem,        // an item runs past the end of the descriptor
    PopWithoutPush,       // Pop with an empty global stack
    PushTooDeep,          // more nested Push items than any real descriptor needs
    UnbalancedCollection, // End Collection without Collection, or a collection left open
    CollectionTooDeep,
    ReportIdOutOfRange, // Report ID 0 or above 255
    ReportSizeTooLarge, // Report Size above 256 bits
    ReportCountTooLarge,
    ReportTooLarge, // one report above the largest report a HID device may have
};

struct ReportDescriptorParse {
    std::optional<ReportDescriptor> descriptor; // set exactly when error is None
    ReportDescriptorError error = ReportDescriptorError::None;
    std::size_t errorOffset = 0; // byte offset of the item at fault
};

ReportDescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> bytes);

const char* DescribeReportDescriptorError(ReportDescriptorError error);

} // namespace trvx
