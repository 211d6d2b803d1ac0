#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>

namespace trvx {
namespace {

// Limits of the Linux HID core: a descriptor beyond them never reaches a hidraw node, so
// anything larger is corrupt data, not a device.
constexpr std::uint32_t kMaxReportSizeBits = 256;
constexpr std::uint32_t kMaxReportCount = 12288;
constexpr std::uint64_t kMaxReportBits = 16384ull * 8;
constexpr std::size_t kMaxPushDepth = 16;
constexpr std::size_t kMaxCollectionDepth = 256;

constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

enum MainTag : std::uint8_t {
    InputTag = 0x8,
    OutputTag = 0x9,
    CollectionTag = 0xA,
    FeatureTag = 0xB,
    EndCollectionTag = 0xC,
};

enum GlobalTag : std::uint8_t {
    ReportSizeTag = 0x7,
    ReportIdTag = 0x8,
    ReportCountTag = 0x9,
    PushTag = 0xA,
    PopTag = 0xB,
};

// The part of the global state that decides report lengths.
struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

struct Bits {
    std::uint64_t of[3] = {0, 0, 0}; // indexed by ReportKind
};

int LengthOf(std::uint64_t bits) {
    return bits == 0 ? 0 : static_cast<int>((bits + 7) / 8) + 1;
}

} // namespace

int ReportDescriptor::reportLength(ReportKind kind, std::uint8_t reportId) const {
    for (const ReportBits& r : reports) {
        if (r.reportId != reportId)
            continue;
        switch (kind) {
        case ReportKind::Input:
            return LengthOf(r.inputBits);
        case ReportKind::Output:
            return LengthOf(r.outputBits);
        case ReportKind::Feature:
            return LengthOf(r.featureBits);
        }
    }
    return 0;
}

ReportDescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
    ReportDescriptorParse result;
    auto fail = [&result](ReportDescriptorError error, std::size_t offset) {
        result.error = error;
        result.errorOffset = offset;
        return result;
    };

    std::array<Bits, 256> perId{};
    GlobalState global;
    std::array<GlobalState, kMaxPushDepth> stack{};
    std::size_t stackDepth = 0;
    std::size_t collectionDepth = 0;
    bool usesReportIds = false;

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t itemStart = pos;
        const std::uint8_t prefix = bytes[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry nothing we use; skip their data.
            if (bytes.size() - pos < 3)
                return fail(ReportDescriptorError::TruncatedItem, itemStart);
            const std::size_t dataSize = bytes[pos + 1];
            if (bytes.size() - pos - 3 < dataSize)
                return fail(ReportDescriptorError::TruncatedItem, itemStart);
            pos += 3 + dataSize;
            continue;
        }
        const std::size_t dataSize = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const auto type = static_cast<std::uint8_t>((prefix >> 2) & 3);
        const auto tag = static_cast<std::uint8_t>(prefix >> 4);
        if (bytes.size() - pos - 1 < dataSize)
            return fail(ReportDescriptorError::TruncatedItem, itemStart);
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < dataSize; ++i)
            value |= static_cast<std::uint32_t>(bytes[pos + 1 + i]) << (8 * i);
        pos += 1 + dataSize;

        if (type == Global) {
            switch (tag) {
            case ReportSizeTag:
                if (value > kMaxReportSizeBits)
                    return fail(ReportDescriptorError::ReportSizeTooLarge, itemStart);
                global.reportSize = value;
                break;
            case ReportCountTag:
                if (value > kMaxReportCount)
                    return fail(ReportDescriptorError::ReportCountTooLarge, itemStart);
                global.reportCount = value;
                break;
            case ReportIdTag:
                if (value == 0 || value > 255)
                    return fail(ReportDescriptorError::ReportIdOutOfRange, itemStart);
                global.reportId = static_cast<std::uint8_t>(value);
                usesReportIds = true;
                break;
            case PushTag:
                if (stackDepth == stack.size())
                    return fail(ReportDescriptorError::PushTooDeep, itemStart);
                stack[stackDepth++] = global;
                break;
            case PopTag:
                if (stackDepth == 0)
                    return fail(ReportDescriptorError::PopWithoutPush, itemStart);
                global = stack[--stackDepth];
                break;
            default:
                break;
            }
        } else if (type == Main) {
            int kind = -1;
            switch (tag) {
            case InputTag:
                kind = static_cast<int>(ReportKind::Input);
                break;
            case OutputTag:
                kind = static_cast<int>(ReportKind::Output);
                break;
            case FeatureTag:
                kind = static_cast<int>(ReportKind::Feature);
                break;
            case CollectionTag:
                if (collectionDepth == kMaxCollectionDepth)
                    return fail(ReportDescriptorError::CollectionTooDeep, itemStart);
                ++collectionDepth;
                break;
            case EndCollectionTag:
                if (collectionDepth == 0)
                    return fail(ReportDescriptorError::UnbalancedCollection, itemStart);
                --collectionDepth;
                break;
            default:
                break;
            }
            if (kind >= 0) {
                // Constant (padding) fields count: they travel in the report like any other.
                std::uint64_t& bits = perId[global.reportId].of[kind];
                bits += static_cast<std::uint64_t>(global.reportSize) * global.reportCount;
                if (bits > kMaxReportBits)
                    return fail(ReportDescriptorError::ReportTooLarge, itemStart);
            }
        }
        // Local items (usages, strings, designators) and reserved types do not change sizes.
    }
    if (collectionDepth != 0)
        return fail(ReportDescriptorError::UnbalancedCollection, bytes.size());

    ReportDescriptor d;
    d.usesReportIds = usesReportIds;
    std::uint64_t largest[3] = {0, 0, 0};
    for (std::size_t id = 0; id < perId.size(); ++id) {
        const Bits& b = perId[id];
        if (b.of[0] == 0 && b.of[1] == 0 && b.of[2] == 0)
            continue;
        ReportBits r;
        r.reportId = static_cast<std::uint8_t>(id);
        r.inputBits = static_cast<std::uint32_t>(b.of[0]);
        r.outputBits = static_cast<std::uint32_t>(b.of[1]);
        r.featureBits = static_cast<std::uint32_t>(b.of[2]);
        d.reports.push_back(r);
        for (int k = 0; k < 3; ++k)
            largest[k] = std::max(largest[k], b.of[k]);
    }
    d.inputReportLength = LengthOf(largest[static_cast<int>(ReportKind::Input)]);
    d.outputReportLength = LengthOf(largest[static_cast<int>(ReportKind::Output)]);
    d.featureReportLength = LengthOf(largest[static_cast<int>(ReportKind::Feature)]);
    result.descriptor = std::move(d);
    return result;
}

const char* DescribeReportDescriptorError(ReportDescriptorError error) {
    switch (error) {
    case ReportDescriptorError::None:
        return "no error";
    case ReportDescriptorError::TruncatedItem:
        return "an item runs past the end of the report descriptor";
    case ReportDescriptorError::PopWithoutPush:
        return "Pop without a matching Push";
    case ReportDescriptorError::PushTooDeep:
        return "too many nested Push items";
    case ReportDescriptorError::UnbalancedCollection:
        return "unbalanced Collection / End Collection";
    case ReportDescriptorError::CollectionTooDeep:
        return "collections nested too deeply";
    case ReportDescriptorError::ReportIdOutOfRange:
        return "Report ID outside 1..255";
    case ReportDescriptorError::ReportSizeTooLarge:
        return "Report Size larger than 256 bits";
    case ReportDescriptorError::ReportCountTooLarge:
        return "Report Count too large";
    case ReportDescriptorError::ReportTooLarge:
        return "report larger than a HID device may send";
    }
    return "unknown error";
}

} // namespace trvx
