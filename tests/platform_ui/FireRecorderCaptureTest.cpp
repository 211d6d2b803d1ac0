// The fire-macro recorder on the global capture: XTest clicks on an Xvfb of the test's own
// compile to the slot's bytes; only the left button is recorded, and nothing is heard once the
// recording stopped.
#include "fire/FireMacro.h"
#include "platform/ui/X11InputCapture.h"

#include "XvfbTest.h"

#include <cstddef>
#include <vector>

namespace trvx {
namespace {

class FireRecorderCapture : public XvfbTest {
protected:
    void Pump(const std::size_t& seen, std::size_t count) {
        PumpUntil([&] { return seen >= count; });
    }
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
