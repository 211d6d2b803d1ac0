// The animated picture's sequencing: frame delays and their limits, the frame advance on the
// timer's ticks (virtual clock, ticks run by the test as the UI thread), looping and stopping,
// and the composed screen of the frame shown.

#include "controls/wide/GifAnimation.h"
#include "controls_wide/FakeUiHost.h"
#include "controls_wide/GifTestEncoder.h"
#include "controls_wide/ManualClock.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <chrono>

namespace trvx {
namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::Rgb;
using timer_test::FakeUiHost;

const std::vector<Rgb> kFour{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
constexpr GifColor kRed = 0x0000FF;
constexpr GifColor kGreen = 0x00FF00;
constexpr GifColor kBlue = 0xFF0000;

// Four 2 x 2 frames, red, green, blue, green, with delays in hundredths of a second.
Bytes fourFrames(int d0, int d1, int d2, int d3) {
    return GifBuilder()
        .header(2, 2, kFour)
        .control(1, d0)
        .image(0, 0, 2, 2, Bytes(4, 1))
        .control(1, d1)
        .image(0, 0, 2, 2, Bytes(4, 2))
        .control(1, d2)
        .image(0, 0, 2, 2, Bytes(4, 3))
        .control(1, d3)
        .image(0, 0, 1, 1, {2})
        .trailer()
        .bytes();
}

TEST(GifFrameDelayTest, LimitsTheDelayAndIsZeroOutsideOrForOneFrame) {
    GifImage image;
    ASSERT_EQ(image.load(fourFrames(0, 2, 7, 1500)), std::nullopt);
    struct Case {
        int index;
        std::uint32_t delay;
    };
    const Case cases[] = {{0, 50}, {1, 50}, {2, 70}, {3, 10000}, {-1, 0}, {4, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GifFrameDelay(image, c.index), c.delay) << "frame " << c.index;

    GifImage single;
    ASSERT_EQ(single.load(GifBuilder()
                              .header(2, 2, kFour)
                              .control(1, 30)
                              .image(0, 0, 2, 2, Bytes(4, 1))
                              .trailer()
                              .bytes()),
              std::nullopt);
    EXPECT_EQ(GifFrameDelay(single, 0), 0u);
}

TEST(AnimatorDestinationTest, StretchCentreOrCorner) {
    EXPECT_EQ(AnimatorDestination(400, 384, 200, 192, true, false), (AnimRect{0, 0, 400, 384}));
    EXPECT_EQ(AnimatorDestination(400, 384, 200, 192, true, true), (AnimRect{0, 0, 400, 384}));
    EXPECT_EQ(AnimatorDestination(201, 193, 100, 100, false, true), (AnimRect{50, 46, 100, 100}));
    EXPECT_EQ(AnimatorDestination(90, 90, 100, 101, false, true), (AnimRect{-5, -5, 100, 101}));
    EXPECT_EQ(AnimatorDestination(400, 384, 200, 192, false, false), (AnimRect{0, 0, 200, 192}));
}

class GifAnimationTest : public ::testing::Test {
protected:
    // Lets one interval pass on the virtual clock and runs the tick as the UI thread would.
    void tick() {
        ASSERT_TRUE(anim.Timer().WaitForWorkerWaiting(test::kWaitDeadline));
        const std::size_t before = host.posted();
        clock.advanceMillis(anim.Timer().Interval());
        anim.Timer().ClockChanged();
        ASSERT_TRUE(host.waitPosted(before + 1));
        host.runPosted();
    }

    FakeUiHost host;
    timer_test::ManualClock clock;
    GifAnimation anim{host, &clock};
    int starts = 0;
    int stops = 0;
    int frameChanges = 0;
    int repaints = 0;
};

TEST_F(GifAnimationTest, PlaysEachFrameForItsDelayAndLoops) {
    anim.OnStart = [&] { ++starts; };
    anim.OnFrameChanged = [&] { ++frameChanges; };
    anim.RepaintNow = [&] { ++repaints; };

    // As the busy window's picture is read: Animate, a FrameIndex before any image, the image.
    anim.SetAnimate(true);
    anim.SetAnimate(true);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(anim.Timer().Interval(), 1000u);
    anim.SetFrameIndex(1);
    EXPECT_EQ(anim.FrameIndex(), -1);
    ASSERT_EQ(anim.LoadImage(fourFrames(0, 2, 7, 1500)), std::nullopt);
    EXPECT_EQ(anim.FrameIndex(), 0);
    EXPECT_EQ(anim.Timer().Interval(), 50u);

    const int expectedFrames[] = {1, 2, 3, 0, 1};
    const std::uint32_t expectedInterval[] = {50, 70, 10000, 50, 50};
    for (int i = 0; i < 5; ++i) {
        tick();
        EXPECT_EQ(anim.FrameIndex(), expectedFrames[i]) << "tick " << i;
        EXPECT_EQ(anim.Timer().Interval(), expectedInterval[i]) << "tick " << i;
    }
    EXPECT_EQ(frameChanges, 5);
    EXPECT_EQ(repaints, 5);
    EXPECT_TRUE(anim.Animate());
}

TEST_F(GifAnimationTest, WithoutLoopingStopsOnFrameZeroAfterOnePass) {
    anim.OnStop = [&] { ++stops; };
    anim.SetLoop(false);
    ASSERT_EQ(anim.LoadImage(fourFrames(5, 5, 5, 5)), std::nullopt);
    anim.SetAnimate(true);
    for (int i = 0; i < 4; ++i)
        tick();
    EXPECT_EQ(anim.FrameIndex(), 0);
    EXPECT_FALSE(anim.Animate());
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(anim.Timer().HasOnTimer());
    EXPECT_FALSE(anim.Timer().WorkerRunning());
}

TEST_F(GifAnimationTest, OneFrameStartsNoTicks) {
    ASSERT_EQ(
        anim.LoadImage(
            GifBuilder().header(2, 2, kFour).image(0, 0, 2, 2, Bytes(4, 1)).trailer().bytes()),
        std::nullopt);
    anim.SetAnimate(true);
    EXPECT_EQ(anim.FrameDelay(), 0u);
    EXPECT_EQ(anim.Timer().Interval(), 0u);
    EXPECT_FALSE(anim.Timer().WorkerRunning());
}

TEST_F(GifAnimationTest, FrameIndexIgnoresEqualNegativeAndTooLargeValues) {
    anim.OnFrameChanged = [&] { ++frameChanges; };
    ASSERT_EQ(anim.LoadImage(fourFrames(0, 2, 7, 1500)), std::nullopt);
    for (int value : {0, -1, 4, 99})
        anim.SetFrameIndex(value);
    EXPECT_EQ(anim.FrameIndex(), 0);
    EXPECT_EQ(frameChanges, 0);
    anim.SetFrameIndex(3);
    EXPECT_EQ(anim.FrameIndex(), 3);
    EXPECT_EQ(anim.Timer().Interval(), 10000u);
    EXPECT_EQ(frameChanges, 1);
}

TEST_F(GifAnimationTest, ATickDoesNothingWhileTheControlCannotShowIt) {
    bool showing = false;
    anim.CanAdvance = [&] { return showing; };
    ASSERT_EQ(anim.LoadImage(fourFrames(5, 5, 5, 5)), std::nullopt);
    anim.AdvanceFrame();
    EXPECT_EQ(anim.FrameIndex(), 0);
    showing = true;
    anim.AdvanceFrame();
    EXPECT_EQ(anim.FrameIndex(), 1);
}

TEST_F(GifAnimationTest, ComposesTheFrameShownOverThePreviousOnes) {
    ASSERT_EQ(anim.LoadImage(fourFrames(5, 5, 5, 5)), std::nullopt);
    const GifScreen* screen = anim.ComposeCurrent();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->at(1, 1), kRed);
    anim.SetFrameIndex(2);
    screen = anim.ComposeCurrent();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->at(0, 0), kBlue);
    anim.SetFrameIndex(3); // a 1 x 1 green dot over the blue frame
    screen = anim.ComposeCurrent();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->at(0, 0), kGreen);
    EXPECT_EQ(screen->at(1, 1), kBlue);

    ASSERT_EQ(anim.LoadImage({}), std::nullopt);
    EXPECT_EQ(anim.ComposeCurrent(), nullptr);
}

} // namespace
} // namespace trvx
