// The fire-macro recorder on the global capture: XTest clicks on an Xvfb of the test's own
// compile to the slot's bytes; only the left button is recorded, and nothing is heard once the
// recording stopped.
#include "fire/FireMacro.h"
#include "platform/ui/X11InputCapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// Last: Xlib's macros (None, True, Bool) clash with the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef None

namespace trvx {
namespace {

class FireRecorderCapture : public ::testing::Test {
protected:
    void SetUp() override {
        xvfb_.setProgram("Xvfb");
        xvfb_.setArguments({"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        xvfb_.start();
        if (!xvfb_.waitForStarted(5000))
            GTEST_SKIP() << "Xvfb is not installed";
        QByteArray number;
        QDeadlineTimer deadline(10000);
        while (!number.contains('\n') && !deadline.hasExpired()) {
            xvfb_.waitForReadyRead(100);
            number += xvfb_.readAllStandardOutput();
        }
        ASSERT_TRUE(number.contains('\n')) << "Xvfb gave no display";
        const std::string display = ":" + number.trimmed().toStdString();
        savedDisplay_ = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        setenv("DISPLAY", display.c_str(), 1);
        driver_ = XOpenDisplay(display.c_str());
        ASSERT_NE(driver_, nullptr);
    }
    void TearDown() override {
        if (driver_ != nullptr)
            XCloseDisplay(driver_);
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            xvfb_.waitForFinished(5000);
        }
        if (savedDisplay_.empty())
            unsetenv("DISPLAY");
        else
            setenv("DISPLAY", savedDisplay_.c_str(), 1);
    }
    void Click(unsigned button) {
        XTestFakeButtonEvent(driver_, button, True, 0);
        XTestFakeButtonEvent(driver_, button, False, 0);
    }
    void Pump(const std::size_t& seen, std::size_t count) {
        XSync(driver_, False);
        QDeadlineTimer deadline(5000);
        while (seen < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    QProcess xvfb_;
    Display* driver_ = nullptr;
    std::string savedDisplay_;
};

TEST_F(FireRecorderCapture, LeftClicksWithAFixedDelayCompileToTheSlot) {
    ASSERT_TRUE(X11InputCapture::Available());
    X11InputCapture capture;
    FireRecorder recorder;
    recorder.Start(FireRecorder::DelayMode::Fixed, 50);
    std::size_t seen = 0;
    ASSERT_TRUE(capture.Start([&](const CapturedInput& in) {
        ++seen;
        EXPECT_TRUE(recorder.Take(in));
    }));
    Click(1);
    Click(3); // heard, not recorded
    Click(1);
    Pump(seen, 6);
    ASSERT_EQ(seen, 6u);
    capture.Stop();
    Click(1); // after the recording
    XSync(driver_, False);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(seen, 6u);

    const auto bytes = CompileFireMacro(recorder.Lines());
    ASSERT_TRUE(bytes);
    const std::vector<std::uint8_t> want{0xA1, 0xFE, 0x00, 0x32, 0x21, 0xFE, 0x00,
                                         0x32, 0xA1, 0xFE, 0x00, 0x32, 0x21, 0x00};
    EXPECT_EQ(*bytes, want);
}

TEST_F(FireRecorderCapture, WithoutDelaysARecordingStopsAtTheSlotSize) {
    X11InputCapture capture;
    FireRecorder recorder;
    recorder.Start(FireRecorder::DelayMode::None, 50);
    std::size_t seen = 0;
    bool full = false;
    ASSERT_TRUE(capture.Start([&](const CapturedInput& in) {
        ++seen;
        if (!full && !recorder.Take(in)) {
            full = true;
            capture.Stop();
        }
    }));
    for (int i = 0; i < 13; ++i)
        Click(1);
    Pump(seen, 24);
    EXPECT_TRUE(full);
    EXPECT_FALSE(capture.Running());
    const auto bytes = CompileFireMacro(recorder.Lines());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 24u); // 23 events and the end byte
    EXPECT_EQ((*bytes)[22], 0xA1);
    EXPECT_EQ((*bytes)[23], 0x00);
}

} // namespace
} // namespace trvx
