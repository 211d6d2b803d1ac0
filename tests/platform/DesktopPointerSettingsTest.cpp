#include "platform/DesktopPointerSettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace trvx {
namespace {

namespace fs = std::filesystem;

// A stand-in for the gsettings tool: logs its arguments, answers "get" from a table, fails when
// the key is "double-click" and FAIL_SET is set.
class LoggingTool : public ::testing::Test {
protected:
    fs::path dir;
    fs::path tool;
    fs::path log;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("pointer-tool-" + std::to_string(getpid()));
        fs::create_directories(dir);
        tool = dir / "gsettings";
        log = dir / "log";
        std::ofstream(tool)
            << "#!/bin/sh\n"
               "echo \"$*\" >> '"
            << log.string()
            << "'\n"
               "if [ \"$1\" = list-recursively ]; then\n"
               "  echo \"$2 left-handed false\"\n"
               "  echo \"$2 speed 0.4\"\n"
               "  echo \"$2 accel-profile 'flat'\"\n"
               "  echo \"$2 double-click 620\"\n"
               "  exit 0\n"
               "fi\n"
               "if [ \"$1\" = get ]; then exit 0; fi\n"
               "if [ -n \"$FAIL_SET\" ]; then echo 'not writable' >&2; exit 1; fi\n";
        fs::permissions(tool, fs::perms::owner_all);
    }
    void TearDown() override {
        unsetenv("FAIL_SET");
        fs::remove_all(dir);
    }
    std::string Log() {
        std::ifstream in(log);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(LoggingTool, ReadsTheThreeKeysOfTheMouseSchema) {
    GSettingsPointerSettings store(tool.string());
    EXPECT_TRUE(store.Available());
    const PointerState s = store.Read();
    EXPECT_EQ(s.speed, 0.4);
    EXPECT_EQ(s.acceleration, false);
    EXPECT_EQ(s.doubleClickMs, 620);
    EXPECT_EQ(s.wheelLines, std::nullopt);
}

TEST_F(LoggingTool, WritesOnlyTheSettingAsked) {
    GSettingsPointerSettings store(tool.string());
    PointerState wanted;
    wanted.speed = -0.6;
    wanted.acceleration = true;
    wanted.doubleClickMs = 270;
    ASSERT_TRUE(store.Write(PointerSetting::DoubleClick, wanted).ok);
    ASSERT_TRUE(store.Write(PointerSetting::Acceleration, wanted).ok);
    EXPECT_EQ(Log(), "set org.gnome.desktop.peripherals.mouse double-click 270\n"
                     "set org.gnome.desktop.peripherals.mouse accel-profile default\n");
}

TEST_F(LoggingTool, FailuresAreReportedWithTheToolsWords) {
    GSettingsPointerSettings store(tool.string());
    setenv("FAIL_SET", "1", 1);
    PointerState wanted;
    wanted.speed = 0.2;
    const PointerResult r = store.Write(PointerSetting::Speed, wanted);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("not writable"), std::string::npos) << r.error;
    // Wheel lines are not a setting of this desktop: refused, not silently dropped.
    EXPECT_FALSE(store.Write(PointerSetting::WheelLines, wanted).ok);
    // A missing tool is no store at all.
    GSettingsPointerSettings missing((dir / "none").string());
    EXPECT_FALSE(missing.Available());
    EXPECT_FALSE(missing.Write(PointerSetting::Speed, wanted).ok);
}

// The window runs under the user's locale, where a number may be written "0,6": the tool
// still reads and writes "0.6".
TEST_F(LoggingTool, NumbersKeepTheirDecimalPointUnderACommaLocale) {
    const fs::path locales = dir / "locales";
    fs::create_directories(locales);
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0)
        GTEST_SKIP() << "no de_DE locale can be built here";
    setenv("LOCPATH", locales.c_str(), 1);
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        unsetenv("LOCPATH");
        GTEST_SKIP() << "the de_DE locale does not load";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    GSettingsPointerSettings store(tool.string());
    const PointerState s = store.Read();
    PointerState wanted;
    wanted.speed = 0.6;
    const bool wrote = store.Write(PointerSetting::Speed, wanted).ok;
    std::setlocale(LC_NUMERIC, before.c_str());
    unsetenv("LOCPATH");

    EXPECT_STREQ(probe, "0,5"); // the locale really writes a comma
    EXPECT_EQ(s.speed, 0.4);
    EXPECT_TRUE(wrote);
    EXPECT_EQ(Log(), "list-recursively org.gnome.desktop.peripherals.mouse\n"
                     "set org.gnome.desktop.peripherals.mouse speed 0.600000\n");
}

TEST(GSettingsMemoryBackend, TheRealToolReadsTheSchemaDefaultsAndAcceptsWrites) {
    setenv("GSETTINGS_BACKEND", "memory", 1);
    GSettingsPointerSettings store;
    if (!store.Available())
        GTEST_SKIP() << "gsettings or the mouse schema is not installed";
    const PointerState s = store.Read();
    ASSERT_TRUE(s.speed && s.doubleClickMs && s.acceleration);
    EXPECT_DOUBLE_EQ(*s.speed, 0.0);
    EXPECT_EQ(*s.doubleClickMs, 400);
    PointerState wanted = s;
    wanted.doubleClickMs = 550;
    EXPECT_TRUE(store.Write(PointerSetting::DoubleClick, wanted).ok);
    wanted.speed = 0.6;
    EXPECT_TRUE(store.Write(PointerSetting::Speed, wanted).ok);
    unsetenv("GSETTINGS_BACKEND");
}

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
