#include "platform/SysfsHidraw.h"
#include "platform/HidapiBackend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace trvx {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Vendor collection: feature reports 0x40 and 0x41 and input report 0x42, 7 data bytes each.
const Bytes kVendorDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x07, 0x85, 0x40, 0x09, 0x02, 0xB1, 0x02, 0x85, 0x41,
    0x09, 0x03, 0xB1, 0x02, 0x85, 0x42, 0x09, 0x04, 0x81, 0x02, 0xC0,
};
// Three-button pointer with report id 1: 3 button bits, 5 padding bits, X and Y.
const Bytes kMouseWithReportId = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05,
    0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01,
    0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09,
    0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0,
};
// Another vendor collection: 64-byte input report 0x43 and feature report 0x44.
const Bytes kLongVendorCollection = {
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95,
    0x40, 0x85, 0x43, 0x09, 0x02, 0x81, 0x02, 0x85, 0x44, 0x09, 0x03, 0xB1, 0x02, 0xC0,
};
// Three-button mouse without report ids.
const Bytes kMouseDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
    0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
    0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0,
};

// A temporary folder shaped like sysfs: class/hidrawN are symlinks to the node folders under
// devices/, whose "device" symlink leads to the HID device folder holding report_descriptor.
class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "trvx-sysfs-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        base_ = tmpl;
        classRoot_ = base_ / "class" / "hidraw";
        fs::create_directories(classRoot_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(base_, ec);
    }

    // Adds node hidraw<n>; a descriptor of nullopt leaves the file out.
    void addNode(int n, const std::optional<Bytes>& descriptor) {
        const std::string node = "hidraw" + std::to_string(n);
        const fs::path hidDevice = base_ / "devices" / ("0003:1209:0001." + std::to_string(n));
        const fs::path nodeDir = hidDevice / "hidraw" / node;
        fs::create_directories(nodeDir);
        fs::create_directory_symlink(hidDevice, nodeDir / "device");
        fs::create_directory_symlink(nodeDir, classRoot_ / node);
        if (descriptor) {
            std::ofstream out(hidDevice / "report_descriptor", std::ios::binary);
            out.write(reinterpret_cast<const char*>(descriptor->data()),
                      static_cast<std::streamsize>(descriptor->size()));
        }
    }

    fs::path base_;
    fs::path classRoot_;
};

TEST_F(FakeSysfs, CountsEveryNodeEntryWithoutLookingInside) {
    EXPECT_EQ(CountHidrawNodes(classRoot_), 0);
    addNode(0, kVendorDescriptor);
    addNode(1, std::nullopt);
    addNode(10, kMouseDescriptor);
    EXPECT_EQ(CountHidrawNodes(classRoot_), 3);
    // A node whose device folder is already gone still counts: hid_enumerate would list it.
    fs::remove_all(base_ / "devices" / "0003:1209:0001.10");
    EXPECT_EQ(CountHidrawNodes(classRoot_), 3);
    EXPECT_EQ(CountHidrawNodes(base_ / "no-such-folder"), 0);

    HidapiBackend backend(classRoot_);
    EXPECT_EQ(backend.countInterfaces(), 3);
}

TEST_F(FakeSysfs, ReadsTheDescriptorOfTheNodeNamedByTheDevicePath) {
    addNode(0, kVendorDescriptor);
    addNode(1, std::nullopt);
    addNode(12, kMouseDescriptor);
    EXPECT_EQ(ReadHidrawReportDescriptor(classRoot_, "/dev/hidraw0"), kVendorDescriptor);
    EXPECT_EQ(ReadHidrawReportDescriptor(classRoot_, "/dev/hidraw12"), kMouseDescriptor);
    EXPECT_EQ(ReadHidrawReportDescriptor(classRoot_, "hidraw12"), kMouseDescriptor);
    const char* missing[] = {
        "/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw", "", "/dev/", "/dev/..", "."};
    for (const char* path : missing)
        EXPECT_FALSE(ReadHidrawReportDescriptor(classRoot_, path).has_value()) << path;
}

TEST_F(FakeSysfs, RefusesADescriptorFileOfImplausibleSize) {
    addNode(0, Bytes(4096, 0x00)); // the largest the kernel allows: fine
    addNode(1, Bytes(64 * 1024 + 1, 0x00));
    EXPECT_EQ(ReadHidrawReportDescriptor(classRoot_, "/dev/hidraw0")->size(), 4096u);
    EXPECT_FALSE(ReadHidrawReportDescriptor(classRoot_, "/dev/hidraw1").has_value());
}

TEST_F(FakeSysfs, ReportLengthsComeFromTheParsedDescriptor) {
    addNode(0, kVendorDescriptor);
    addNode(1, kMouseDescriptor);
    addNode(2, Bytes{0x85, 0x40, 0x75}); // cut off inside an item
    addNode(3, std::nullopt);

    using Lengths = std::map<std::uint8_t, int>;
    const HidrawReportInfo vendor = ReadHidrawReportInfo(classRoot_, "/dev/hidraw0");
    EXPECT_TRUE(vendor.parsed);
    EXPECT_TRUE(vendor.usesReportIds);
    EXPECT_EQ(vendor.featureReportLengths, (Lengths{{0x40, 8}, {0x41, 8}}));
    EXPECT_EQ(vendor.inputReportLength, 8);

    const HidrawReportInfo mouse = ReadHidrawReportInfo(classRoot_, "/dev/hidraw1");
    EXPECT_TRUE(mouse.parsed);
    EXPECT_FALSE(mouse.usesReportIds);
    EXPECT_TRUE(mouse.featureReportLengths.empty());
    EXPECT_EQ(mouse.inputReportLength, 4);

    for (const char* path : {"/dev/hidraw2", "/dev/hidraw3"}) {
        const HidrawReportInfo bad = ReadHidrawReportInfo(classRoot_, path);
        EXPECT_FALSE(bad.parsed) << path;
        EXPECT_TRUE(bad.featureReportLengths.empty()) << path;
        EXPECT_EQ(bad.inputReportLength, 0) << path;
    }
}

// What Linux shows of a real mouse: one node for its USB interface with the pointer collection,
// the vendor collection and another vendor collection of 64-byte reports. Each feature report
// keeps its own length; reads are sized by the longest input report.
TEST_F(FakeSysfs, EveryFeatureReportOfANodeKeepsItsOwnLength) {
    Bytes node = kMouseWithReportId;
    node.insert(node.end(), kVendorDescriptor.begin(), kVendorDescriptor.end());
    node.insert(node.end(), kLongVendorCollection.begin(), kLongVendorCollection.end());
    addNode(4, node);
    const HidrawReportInfo info = ReadHidrawReportInfo(classRoot_, "/dev/hidraw4");
    ASSERT_TRUE(info.parsed);
    EXPECT_EQ(info.featureReportLengths,
              (std::map<std::uint8_t, int>{{0x40, 8}, {0x41, 8}, {0x44, 65}}));
    EXPECT_EQ(info.inputReportLength, 65);

    HidapiBackend backend(classRoot_);
    EXPECT_EQ(backend.countInterfaces(), 1);
}

TEST(HidapiBackend, ARefusedOpenGivesNoHandle) {
    HidapiBackend backend;
    EXPECT_EQ(backend.open("/nonexistent/hidraw99", HidAccess::Query), nullptr);
    EXPECT_EQ(backend.open("/nonexistent/hidraw99", HidAccess::ReadWrite), nullptr);
}

} // namespace
} // namespace trvx
