#include "platform/X11PointerSettings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace trvx {
namespace {

// An X server of its own (Xvfb), so the test never changes the desktop's pointer.
class XvfbServer : public ::testing::Test {
protected:
    pid_t pid = -1;
    std::string display;

    void SetUp() override {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                   "640x480x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            GTEST_SKIP() << "Xvfb did not start";
        display = ":" + number;
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

TEST_F(XvfbServer, SpeedAndAccelerationRoundTripThroughThePointerControl) {
    X11PointerSettings x11(display.c_str());
    ASSERT_TRUE(x11.Available());
    PointerState wanted;
    wanted.speed = 0.5;
    ASSERT_TRUE(x11.Write(PointerSetting::Speed, wanted).ok);
    PointerState s = x11.Read();
    ASSERT_TRUE(s.speed);
    EXPECT_NEAR(*s.speed, 0.5, 0.07);
    const bool before = *s.acceleration;
    wanted.acceleration = !before;
    ASSERT_TRUE(x11.Write(PointerSetting::Acceleration, wanted).ok);
    s = x11.Read();
    EXPECT_EQ(s.acceleration, !before);
    // The speed stayed as it was: only the asked setting changed.
    EXPECT_NEAR(*s.speed, 0.5, 0.07);
    EXPECT_EQ(s.doubleClickMs, std::nullopt);
    EXPECT_FALSE(x11.Write(PointerSetting::DoubleClick, wanted).ok);
    EXPECT_FALSE(x11.Write(PointerSetting::WheelLines, wanted).ok);
}

TEST(X11PointerSettings, WithoutADisplayNothingIsWrittenAndTheWriteSaysSo) {
    X11PointerSettings none(":999999");
    EXPECT_FALSE(none.Available());
    PointerState wanted;
    wanted.speed = 0.1;
    EXPECT_FALSE(none.Write(PointerSetting::Speed, wanted).ok);
    EXPECT_EQ(none.Read(), PointerState{});
}

} // namespace
} // namespace trvx
