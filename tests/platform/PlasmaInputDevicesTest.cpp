// Which of the compositor's input devices the pointer settings go to: what sysfs says of a node
// before the compositor is asked, and what the compositor says of the device.
#include "platform/PlasmaInputDevices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace trvx {
namespace {

namespace fs = std::filesystem;

class InputClass : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("input-class-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Node(const std::string& name, const std::string& rel) {
        fs::create_directories(dir / "input" / name / "device" / "capabilities");
        std::ofstream(dir / "input" / name / "device" / "capabilities" / "rel") << rel << "\n";
    }
};

TEST_F(InputClass, RelativePointersAreTheNodesWithBothAxes) {
    struct Case {
        const char* rel;
        bool pointer;
    };
    // The lowest word is printed last.
    const Case cases[] = {{"103", true},  {"1943", true}, {"0", false},     {"1", false},
                          {"2 0", false}, {"0 3", true},  {"garbage", true}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string node = "event" + std::to_string(n++);
        Node(node, c.rel);
        EXPECT_EQ(MovesRelativePointer(dir / "input", node), c.pointer) << c.rel;
    }
    // Unknown to sysfs: asked about rather than missed.
    EXPECT_TRUE(MovesRelativePointer(dir / "input", "event99"));
}

InputDeviceProperties Mouse() {
    return {{"pointer", true},
            {"touchpad", false},
            {"supportsPointerAcceleration", true},
            {"pointerAcceleration", -0.4},
            {"supportsPointerAccelerationProfileFlat", true},
            {"supportsPointerAccelerationProfileAdaptive", true},
            {"pointerAccelerationProfileFlat", true}};
}

TEST(MouseOfDevice, APlainMouseCarriesItsSpeedAndProfile) {
    const auto m = MouseOfDevice("event3", Mouse());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->sysName, "event3");
    EXPECT_TRUE(m->speedSettable);
    EXPECT_DOUBLE_EQ(m->speed, -0.4);
    EXPECT_TRUE(m->profileSettable);
    EXPECT_TRUE(m->flat);
}

TEST(MouseOfDevice, OtherDevicesAndWhatTheyCannotSetAreToldApart) {
    struct Case {
        const char* what;
        InputDeviceProperties changes; // laid over a plain mouse
        const char* removed;           // a property the device does not have
        bool mouse;
        bool speedSettable;
        bool profileSettable;
    };
    const Case cases[] = {
        {"touchpad", {{"touchpad", true}}, nullptr, false, false, false},
        {"touch screen", {{"touch", true}}, nullptr, false, false, false},
        {"tablet tool", {{"tabletTool", true}}, nullptr, false, false, false},
        {"no pointer", {{"pointer", false}}, nullptr, false, false, false},
        {"silent on pointer", {}, "pointer", false, false, false},
        {"speed unsupported", {{"supportsPointerAcceleration", false}}, nullptr, true, false, true},
        {"speed of another type", {{"pointerAcceleration", true}}, nullptr, true, false, true},
        {"no adaptive profile",
         {{"supportsPointerAccelerationProfileAdaptive", false}},
         nullptr,
         true,
         true,
         false},
        {"no flat profile",
         {{"supportsPointerAccelerationProfileFlat", false}},
         nullptr,
         true,
         true,
         false},
        {"profile not told", {}, "pointerAccelerationProfileFlat", true, true, false},
    };
    for (const Case& c : cases) {
        InputDeviceProperties p = Mouse();
        for (const auto& [name, value] : c.changes)
            p[name] = value;
        if (c.removed != nullptr)
            p.erase(c.removed);
        const auto m = MouseOfDevice("event3", p);
        ASSERT_EQ(m.has_value(), c.mouse) << c.what;
        if (!m)
            continue;
        EXPECT_EQ(m->speedSettable, c.speedSettable) << c.what;
        EXPECT_EQ(m->profileSettable, c.profileSettable) << c.what;
    }
}

} // namespace
} // namespace trvx
