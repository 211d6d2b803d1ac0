#pragma once
// A device link on the scripted backend and a virtual clock, with the mouse already open.

#include "FakeHid.h"
#include "base/Clock.h"
#include "device/DeviceLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx::test {

// Records the busy window's calls with the number of frames on the wire at that moment, so a
// test sees whether it was shown before or after an exchange.
class BusyLog final : public BusyIndicator {
public:
    explicit BusyLog(FakeHid& hid) : hid_(hid) {}
    void ShowBusy() override { add("show"); }
    void HideBusy() override { add("hide"); }
    void ProcessEvents() override { add("events"); }
    std::vector<std::string> events;

private:
    void add(const char* what) {
        events.push_back(std::string(what) + "@" + std::to_string(hid_.frames().size()));
    }
    FakeHid& hid_;
};

inline std::vector<std::uint8_t> Pattern(std::size_t length, std::uint8_t seed = 0) {
    std::vector<std::uint8_t> out(length);
    for (std::size_t i = 0; i < length; ++i)
        out[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 256);
    return out;
}

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        hid.add(FakeHid::Mouse());
        int version = 256;
        ASSERT_TRUE(link.OpenDevice(0x1209, 0x0001, version));
        hid.clearFrames();
        clock.advanceMicros(0);
        sleptBefore = clock.sleptMicros();
    }
    std::int64_t slept() { return clock.sleptMicros() - sleptBefore; }

    FakeHid hid;
    VirtualClock clock;
    BusyLog busy{hid};
    DeviceLink link{hid, clock, &busy};
    std::int64_t sleptBefore = 0;
};

} // namespace trvx::test
