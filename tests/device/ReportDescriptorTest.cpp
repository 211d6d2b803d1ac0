#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Boot-protocol style mouse: three buttons, five bits of padding, X and Y; no report ids.
const Bytes kThreeButtonMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
    0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
    0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0,
};

// Vendor collection with the command and data feature reports and the status input report.
const Bytes kVendorCollection = {
    0x06, 0x00, 0xFF,                   // Usage Page (vendor)
    0x09, 0x01, 0xA1, 0x01,             // Usage, Collection (Application)
    0x15, 0x00, 0x26, 0xFF, 0x00,       // Logical 0..255
    0x75, 0x08, 0x95, 0x07,             // 7 x 8 bits
    0x85, 0x40, 0x09, 0x02, 0xB1, 0x02, // Feature 0x40
    0x85, 0x41, 0x09, 0x03, 0xB1, 0x02, // Feature 0x41
    0x85, 0x42, 0x09, 0x04, 0x81, 0x02, // Input 0x42
    0xC0,
};

// A gaming mouse interface: a mouse collection with report id 1 (5 buttons, 3 padding bits,
// 16-bit X and Y, 8-bit wheel) followed by the vendor collection above.
Bytes MouseWithVendorCollection() {
    Bytes d = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09,
        0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02,
        0x95, 0x01, 0x75, 0x03, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x16, 0x01,
        0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02, 0x81, 0x06, 0x09, 0x38, 0x15, 0x81,
        0x25, 0x7F, 0x75, 0x08, 0x95, 0x01, 0x81, 0x06, 0xC0, 0xC0,
    };
    d.insert(d.end(), kVendorCollection.begin(), kVendorCollection.end());
    return d;
}

// Boot keyboard: modifiers, reserved byte, six key codes in; five LEDs and padding out.
const Bytes kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0,
};

ReportDescriptor ParseOk(const Bytes& bytes) {
    ReportDescriptorParse p = ParseReportDescriptor(bytes);
    EXPECT_EQ(p.error, ReportDescriptorError::None)
        << DescribeReportDescriptorError(p.error) << " at " << p.errorOffset;
    return p.descriptor.value_or(ReportDescriptor{});
}

TEST(ReportDescriptor, MouseWithoutReportIdsCountsTheLeadingZeroByte) {
    const ReportDescriptor d = ParseOk(kThreeButtonMouse);
    EXPECT_FALSE(d.usesReportIds);
    EXPECT_EQ(d.inputReportLength, 4); // 3 data bytes + the zero id byte
    EXPECT_EQ(d.featureReportLength, 0);
    EXPECT_EQ(d.outputReportLength, 0);
    ASSERT_EQ(d.reports.size(), 1u);
    EXPECT_EQ(d.reports[0].reportId, 0);
    EXPECT_EQ(d.reports[0].inputBits, 24u);
}

TEST(ReportDescriptor, VendorCollectionHasEightByteFeatureReports) {
    const ReportDescriptor d = ParseOk(kVendorCollection);
    EXPECT_TRUE(d.usesReportIds);
    EXPECT_EQ(d.featureReportLength, 8);
    EXPECT_EQ(d.inputReportLength, 8);
    EXPECT_EQ(d.reportLength(ReportKind::Feature, 0x40), 8);
    EXPECT_EQ(d.reportLength(ReportKind::Feature, 0x41), 8);
    EXPECT_EQ(d.reportLength(ReportKind::Feature, 0x42), 0);
    EXPECT_EQ(d.reportLength(ReportKind::Input, 0x42), 8);
    EXPECT_EQ(d.reportLength(ReportKind::Input, 0x40), 0);
    ASSERT_EQ(d.reports.size(), 3u);
    EXPECT_EQ(d.reports[0].reportId, 0x40);
    EXPECT_EQ(d.reports[2].reportId, 0x42);
}

TEST(ReportDescriptor, LengthsOfAWholeInterfaceAreTheLargestReportOfEachKind) {
    const ReportDescriptor d = ParseOk(MouseWithVendorCollection());
    EXPECT_EQ(d.reportLength(ReportKind::Input, 0x01), 7); // 48 bits + id
    EXPECT_EQ(d.inputReportLength, 8);                     // report 0x42 is larger
    EXPECT_EQ(d.featureReportLength, 8);
    EXPECT_EQ(d.reports.size(), 4u);
}

TEST(ReportDescriptor, KeyboardHasInputAndOutputReports) {
    const ReportDescriptor d = ParseOk(kKeyboard);
    EXPECT_EQ(d.inputReportLength, 9);  // 8 bytes + id byte
    EXPECT_EQ(d.outputReportLength, 2); // 5 LEDs + 3 padding bits
    EXPECT_EQ(d.featureReportLength, 0);
}

TEST(ReportDescriptor, PushAndPopRestoreSizeCountAndReportId) {
    const Bytes d = {
        0x85, 0x01, 0x75, 0x08, 0x95, 0x02, // id 1, 2 x 8 bits
        0xA4,                               // Push
        0x85, 0x02, 0x75, 0x10, 0x95, 0x04, // id 2, 4 x 16 bits
        0xB1, 0x02,                         // Feature id 2: 64 bits
        0xB4,                               // Pop
        0xB1, 0x02,                         // Feature id 1: 16 bits
    };
    const ReportDescriptor r = ParseOk(d);
    EXPECT_EQ(r.reportLength(ReportKind::Feature, 1), 3);
    EXPECT_EQ(r.reportLength(ReportKind::Feature, 2), 9);
    EXPECT_EQ(r.featureReportLength, 9);
}

TEST(ReportDescriptor, OddBitCountsRoundUpAndFieldsOfOneIdAddUp) {
    const Bytes d = {
        0x85, 0x05, 0x75, 0x01, 0x95, 0x01, 0xB1, 0x02, // 1 bit
        0x85, 0x06, 0x75, 0x03, 0x95, 0x03, 0xB1, 0x02, // 9 bits ...
        0x85, 0x05, 0xB1, 0x02,                         // ... and back to id 5: 1 + 9 bits
    };
    const ReportDescriptor r = ParseOk(d);
    EXPECT_EQ(r.reportLength(ReportKind::Feature, 6), 3);
    EXPECT_EQ(r.reportLength(ReportKind::Feature, 5), 3);
}

TEST(ReportDescriptor, LongItemsAndFourByteDataAreSkippedCleanly) {
    Bytes d = {0xFE, 0x03, 0xF0, 0xAA, 0xBB, 0xCC, // long item with 3 data bytes
               0x27, 0xFF, 0xFF, 0x00, 0x00,       // Logical Maximum, 4 data bytes
               0x34,                               // Physical Minimum, no data
               0xFE, 0x00, 0xF1};                  // long item without data
    d.insert(d.end(), kThreeButtonMouse.begin(), kThreeButtonMouse.end());
    EXPECT_EQ(ParseOk(d).inputReportLength, 4);
}

TEST(ReportDescriptor, EmptyDescriptorHasNoReports) {
    const ReportDescriptor d = ParseOk({});
    EXPECT_TRUE(d.reports.empty());
    EXPECT_EQ(d.inputReportLength, 0);
    EXPECT_EQ(d.featureReportLength, 0);
}

struct BadCase {
    const char* name;
    Bytes bytes;
    ReportDescriptorError error;
    std::size_t offset;
};

TEST(ReportDescriptor, MalformedDescriptorsGiveAnErrorAndNoResult) {
    using E = ReportDescriptorError;
    Bytes tooDeep(17, 0xA4);
    Bytes tooLargeInSum = {0x76, 0x00, 0x01, 0x96, 0x00, 0x01}; // 256 x 256 bits
    for (int i = 0; i < 3; ++i) {
        tooLargeInSum.push_back(0x81);
        tooLargeInSum.push_back(0x02);
    }
    Bytes mouseCut(kThreeButtonMouse.begin(), kThreeButtonMouse.end() - 1);
    Bytes vendorCut(kVendorCollection.begin(), kVendorCollection.begin() + 11);
    const BadCase cases[] = {
        {"prefix without its data byte", {0x75}, E::TruncatedItem, 0},
        {"four-byte item cut short", {0x05, 0x01, 0x27, 0xFF, 0xFF}, E::TruncatedItem, 2},
        {"vendor descriptor cut inside an item", vendorCut, E::TruncatedItem, 9},
        {"long item header cut", {0x05, 0x01, 0xFE, 0x05}, E::TruncatedItem, 2},
        {"long item data cut", {0xFE, 0x05, 0x10, 0x01, 0x02}, E::TruncatedItem, 0},
        {"long item size past the end", {0xFE, 0xFF, 0x10}, E::TruncatedItem, 0},
        {"pop without push", {0x75, 0x08, 0xB4}, E::PopWithoutPush, 2},
        {"second pop", {0xA4, 0xB4, 0xB4}, E::PopWithoutPush, 2},
        {"push without end", tooDeep, E::PushTooDeep, 16},
        {"end collection first", {0xC0}, E::UnbalancedCollection, 0},
        {"collection left open", mouseCut, E::UnbalancedCollection, mouseCut.size()},
        {"report id 0", {0x85, 0x00}, E::ReportIdOutOfRange, 0},
        {"report id 256", {0x86, 0x00, 0x01}, E::ReportIdOutOfRange, 0},
        {"report size 257", {0x76, 0x01, 0x01}, E::ReportSizeTooLarge, 0},
        {"report size 4 GiB", {0x77, 0xFF, 0xFF, 0xFF, 0xFF}, E::ReportSizeTooLarge, 0},
        {"report count 4 G", {0x97, 0xFF, 0xFF, 0xFF, 0xFF}, E::ReportCountTooLarge, 0},
        {"one field too large",
         {0x76, 0x00, 0x01, 0x96, 0x00, 0x30, 0xB1, 0x02},
         E::ReportTooLarge,
         6},
        {"fields of one report add up too large", tooLargeInSum, E::ReportTooLarge, 10},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportDescriptorParse p = ParseReportDescriptor(c.bytes);
        EXPECT_EQ(p.error, c.error) << DescribeReportDescriptorError(p.error);
        EXPECT_EQ(p.errorOffset, c.offset);
        EXPECT_FALSE(p.descriptor.has_value());
    }
}

} // namespace
} // namespace trvx
