// The global capture against a real X server: an Xvfb of the test's own, driven by XTest.
#include "platform/ui/X11InputCapture.h"
#include "macros/MacroRecorder.h"

#include "XvfbTest.h"

#include <cstddef>
#include <vector>

namespace trvx {
namespace {

class X11Capture : public XvfbTest {
protected:
    void Pump(const std::vector<CapturedInput>& seen, std::size_t count) {
        PumpUntil([&] { return seen.size() >= count; });
    }
};

// X key codes: the kernel's code + 8.
constexpr unsigned kXLeftCtrl = 37;
constexpr unsigned kXShift = 50;
constexpr unsigned kXA = 38;
constexpr unsigned kX1 = 10;

TEST_F(X11Capture, RecordsKeysWithModifiersAndButtonsToTheByte) {
    ASSERT_TRUE(X11InputCapture::Available());
    X11InputCapture capture;
    MacroRecorder recorder;
    recorder.Start(MacroDelayMode::None, 50);
    std::vector<CapturedInput> seen;
    ASSERT_TRUE(capture.Start([&](const CapturedInput& in) {
        seen.push_back(in);
        recorder.Input(in);
    }));
    EXPECT_TRUE(capture.Running());
    Key(kXLeftCtrl, true);
    Key(kXA, true);
    Key(kXA, false);
    Key(kXLeftCtrl, false);
    Key(kXShift, true);
    Key(kX1, true);
    Key(kX1, false);
    Key(kXShift, false);
    for (unsigned b : {1u, 2u, 3u, 8u, 9u})
        Click(b);
    Pump(seen, 18);
    ASSERT_EQ(seen.size(), 18u);
    recorder.Finish(0);
    MacroScript script{recorder.Header()};
    script.insert(script.end(), recorder.Lines().begin(), recorder.Lines().end());
    const CompileResult c = CompilePCMacroScript(script);
    ASSERT_TRUE(c.macro);
    EXPECT_EQ(c.macro->hexLine, "81018204020401018102821E021E0102"
                                "A121A424A222B030A82800");
    capture.Stop();
    EXPECT_FALSE(capture.Running());
}

TEST_F(X11Capture, HearsNothingOutsideARecording) {
    X11InputCapture capture;
    std::vector<CapturedInput> seen;
    auto sink = [&](const CapturedInput& in) { seen.push_back(in); };
    ASSERT_TRUE(capture.Start(sink));
    capture.Stop();
    Key(kXA, true);
    Key(kXA, false);
    XSync(driver_, False);
    // A new start hears only what comes after it.
    ASSERT_TRUE(capture.Start(sink));
    Click(3);
    Pump(seen, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, CapturedInput::Kind::ButtonDown);
    EXPECT_EQ(seen[0].code, 3u);
    EXPECT_EQ(seen[1].kind, CapturedInput::Kind::ButtonUp);
}

TEST_F(X11Capture, StopFromInsideTheSinkEndsReading) {
    X11InputCapture capture;
    int calls = 0;
    ASSERT_TRUE(capture.Start([&](const CapturedInput&) {
        ++calls;
        capture.Stop();
    }));
    Click(1);
    Click(1);
    PumpUntil([&] { return calls > 0; });
    // The other three events were sent too: a capture still reading would hear them now.
    QDeadlineTimer quiet(500);
    while (!quiet.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(capture.Running());
}

} // namespace
} // namespace trvx
