#include "platform/HidapiHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Plays what hidapi's hidraw functions return for one device.
struct FakeDevice {
    int result = 0; // return value of the next call
    Bytes answer;   // bytes the device puts into the caller's buffer
    Bytes seen;     // bytes handed to the device
    std::size_t askedLength = 0;
    int timeoutMs = 0;
    int closed = 0;

    HidapiDeviceCalls calls() {
        return {
            [this](hid_device_*, const unsigned char* data, std::size_t length) {
                seen.assign(data, data + length);
                return result;
            },
            [this](hid_device_*, unsigned char* data, std::size_t length) {
                seen.assign(data, data + length);
                askedLength = length;
                std::copy_n(answer.begin(), std::min(answer.size(), length), data);
                return result;
            },
            [this](hid_device_*, unsigned char* data, std::size_t length, int ms) {
                askedLength = length;
                timeoutMs = ms;
                std::copy_n(answer.begin(), std::min(answer.size(), length), data);
                return result;
            },
            [this](hid_device_*) { ++closed; },
        };
    }
    std::unique_ptr<HidHandle> open(bool usesReportIds = true) {
        return MakeHidapiHandle(reinterpret_cast<hid_device_*>(this), usesReportIds, calls());
    }
};

const Bytes kReply = {0x41, 0x40, 0x3A, 0xC0, 0x04, 0x05, 0x06, 0x07};

struct GetCase {
    const char* name;
    int result;
    Bytes answer;
    bool ok;
};

TEST(HidapiHandle, GetFeatureSucceedsOnlyOnAWholeReportOfTheAskedId) {
    const GetCase cases[] = {
        {"whole report", 8, kReply, true},
        {"short report: hidraw returns the bytes the device sent", 5, kReply, false},
        {"nothing", 0, {}, false},
        {"error", -1, {}, false},
        {"another report id", 8, {0x40, 1, 2, 3, 4, 5, 6, 7}, false},
    };
    for (const GetCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDevice device;
        device.result = c.result;
        device.answer = c.answer;
        auto handle = device.open();
        Bytes report = {0x41, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(handle->getFeature(report), c.ok);
        EXPECT_EQ(device.askedLength, 8u);
        EXPECT_EQ(device.seen[0], 0x41); // the id goes down in byte 0
        // A failed read leaves the caller's bytes alone instead of half a reply.
        EXPECT_EQ(report, c.ok ? kReply : Bytes({0x41, 0, 0, 0, 0, 0, 0, 0}));
    }
}

TEST(HidapiHandle, SetFeatureSucceedsOnlyWhenEveryByteWentOut) {
    const Bytes command = {0x40, 13, 0, 0, 0, 0, 0, 0};
    for (const auto& [result, ok] : {std::pair{8, true}, {7, false}, {0, false}, {-1, false}}) {
        FakeDevice device;
        device.result = result;
        EXPECT_EQ(device.open()->setFeature(command), ok) << result;
        EXPECT_EQ(device.seen, command);
    }
    FakeDevice device;
    EXPECT_FALSE(device.open()->setFeature({}));
}

TEST(HidapiHandle, ReadInputMapsTimeoutErrorAndLength) {
    for (const auto& [result, expected] : {std::pair{0, InputReadResult::Timeout},
                                           {-1, InputReadResult::Error},
                                           {8, InputReadResult::Ok},
                                           {3, InputReadResult::Ok}}) {
        FakeDevice device;
        device.result = result;
        device.answer = {0x42, 1, 2, 3, 4, 5, 6, 7};
        Bytes buffer(8, 0xEE);
        std::size_t got = 99;
        EXPECT_EQ(device.open()->readInput(buffer, 200, got), expected) << result;
        EXPECT_EQ(got, result > 0 ? static_cast<std::size_t>(result) : 0u);
        EXPECT_EQ(device.askedLength, 8u);
        EXPECT_EQ(device.timeoutMs, 200);
    }
}

TEST(HidapiHandle, InputOfADeviceWithoutReportIdsGetsTheZeroIdByteInFront) {
    FakeDevice device;
    device.result = 3;
    device.answer = {0x01, 0x10, 0xF0}; // hidraw delivers the bare report
    auto handle = device.open(false);
    Bytes buffer(4, 0xEE);
    std::size_t got = 0;
    ASSERT_EQ(handle->readInput(buffer, 0, got), InputReadResult::Ok);
    EXPECT_EQ(device.askedLength, 3u);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(buffer, (Bytes{0x00, 0x01, 0x10, 0xF0}));

    Bytes tooSmall(1);
    EXPECT_EQ(handle->readInput(tooSmall, 0, got), InputReadResult::Error);
}

TEST(HidapiHandle, ClosesTheDeviceOnceWhenReleased) {
    FakeDevice device;
    device.open().reset();
    EXPECT_EQ(device.closed, 1);
}

} // namespace
} // namespace trvx
