#pragma once
// A test's own X server: an Xvfb started on a free display and driven by XTest. DISPLAY points
// at it for the test and is put back afterwards; the test is skipped where Xvfb is missing.

#include "ChildProcess.h"
#include "support/EventWaiting.h"

#include <QByteArray>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

// Last: Xlib's macros (None, True, Bool) clash with the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef None

namespace trvx {

class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        // -displayfd picks a free display and writes its number to the fd (1 = our stdout pipe).
        const std::optional<QByteArray> number = test::StartForFirstLine(
            xvfb_, "Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        if (!number)
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_EQ(xvfb_.state(), QProcess::Running) << "Xvfb did not start";
        ASSERT_FALSE(number->isEmpty()) << "Xvfb gave no display";
        const std::string display = ":" + number->toStdString();
        savedDisplay_ = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        setenv("DISPLAY", display.c_str(), 1);
        driver_ = XOpenDisplay(display.c_str());
        ASSERT_NE(driver_, nullptr);
    }
    void TearDown() override {
        if (driver_ != nullptr)
            XCloseDisplay(driver_);
        test::Stop(xvfb_);
        if (savedDisplay_.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", savedDisplay_.c_str(), 1);
    }

    void Key(unsigned code, bool down) { XTestFakeKeyEvent(driver_, code, down, 0); }
    void Click(unsigned button) {
        XTestFakeButtonEvent(driver_, button, True, 0);
        XTestFakeButtonEvent(driver_, button, False, 0);
    }
    // Lets the capture's socket notifier run until `done` holds (or a fault made it never).
    template <class Done> void PumpUntil(Done done) {
        XSync(driver_, False);
        test::ProcessEventsUntil(done);
    }

    QProcess xvfb_;
    Display* driver_ = nullptr;
    std::string savedDisplay_;
};

} // namespace trvx
