// The animated picture widget: it takes the picture's size, stretches and centres, lets the
// parent's colour through the key colour, and its frames advance on the UI thread from the
// timer's worker on a virtual clock. Keyed painting and the parent's picture behind a control.

// The test encoder names a lambda `emit`, so it comes before any Qt header.
#include "controls_wide/GifTestEncoder.h"

#include "controls/wide/ui/ClockTimer.h"
#include "controls/wide/ui/GifAnimator.h"
#include "controls/wide/ui/KeyedPainting.h"
#include "controls_wide/ManualClock.h"
#include "support/EventWaiting.h"

#include <QApplication>
#include <QPainter>
#include <QThread>

#include <gtest/gtest.h>

namespace trvx {
namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::Rgb;

const std::vector<Rgb> kFour{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// 4 x 4: frame 0 red with a see-through (black, index 0) left half, frame 1 all blue.
Bytes twoFrames() {
    Bytes first(16, 1);
    for (int y = 0; y < 4; ++y)
        first[std::size_t(y) * 4] = first[std::size_t(y) * 4 + 1] = 0;
    return GifBuilder()
        .header(4, 4, kFour)
        .control(1, 5, 0)
        .image(0, 0, 4, 4, first)
        .control(1, 5, 0)
        .image(0, 0, 4, 4, Bytes(16, 3))
        .trailer()
        .bytes();
}

class GifAnimatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QPalette p = parent.palette();
        p.setColor(QPalette::Window, QColor(0, 128, 0));
        parent.setPalette(p);
        parent.resize(100, 100);
    }
    QImage shot() { return anim->grab().toImage(); }

    QWidget parent;
    timer_test::ManualClock clock;
    TAnimGIFAnimator* anim = new TAnimGIFAnimator(&parent, &clock);
};

TEST_F(GifAnimatorTest, TakesThePictureSizeAndShowsTheParentThroughTheKey) {
    ASSERT_EQ(anim->LoadImage(twoFrames()), std::nullopt);
    EXPECT_EQ(anim->size(), QSize(4, 4));
    QImage img = shot();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 128, 0)) << "the key colour is see-through";
    EXPECT_EQ(img.pixelColor(3, 3), QColor(255, 0, 0));

    anim->SetTransparent(false);
    EXPECT_EQ(shot().pixelColor(0, 0), QColor(0, 0, 0));
}

TEST_F(GifAnimatorTest, StretchFillsTheControlAndCenterUsesIntegerHalves) {
    ASSERT_EQ(anim->LoadImage(twoFrames()), std::nullopt);
    anim->SetAutoSize(false);
    anim->resize(9, 9);
    anim->SetTransparent(false);
    anim->SetCenter(true);
    QImage img = shot();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(6, 6), QColor(0, 128, 0));
    anim->SetStretch(true);
    img = shot();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(8, 8), QColor(255, 0, 0));
}

TEST_F(GifAnimatorTest, FramesAdvanceOnTheUiThreadWhetherTheWindowIsShownOrNot) {
    ASSERT_EQ(anim->LoadImage(twoFrames()), std::nullopt);
    ASSERT_FALSE(parent.isVisible());
    QThread* frameThread = nullptr;
    int started = 0;
    QObject::connect(anim, &TAnimGIFAnimator::frameChanged,
                     [&] { frameThread = QThread::currentThread(); });
    QObject::connect(anim, &TAnimGIFAnimator::started, [&] { ++started; });
    anim->SetAnimate(true);
    anim->SetAnimate(true);
    EXPECT_EQ(started, 1);

    TAnimTimer& timer = anim->Animation().Timer();
    ASSERT_TRUE(timer.WaitForWorkerWaiting(test::kWaitDeadline));
    clock.advanceMillis(timer.Interval());
    timer.ClockChanged();
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return anim->FrameIndex() == 1; }));
    EXPECT_EQ(frameThread, QThread::currentThread());
    EXPECT_EQ(shot().pixelColor(0, 0), QColor(0, 0, 255));

    anim->SetAnimate(false);
    EXPECT_FALSE(timer.WorkerRunning());

    // A control hidden itself does not advance.
    anim->hide();
    anim->Animation().AdvanceFrame();
    EXPECT_EQ(anim->FrameIndex(), 1);
    anim->show();
    anim->Animation().AdvanceFrame();
    EXPECT_EQ(anim->FrameIndex(), 0);
}

TEST(GifAnimatorVirtualTest, UnderAVirtualClockTheFramesMoveOnlyWithTheClock) {
    VirtualClock clock;
    VirtualTimerScheduler scheduler(clock);
    VirtualTimerScheduler::SetCurrent(&scheduler);
    QWidget parent;
    auto* anim = new TAnimGIFAnimator(&parent, &clock);
    ASSERT_EQ(anim->LoadImage(twoFrames()), std::nullopt);
    anim->SetAnimate(true);
    EXPECT_FALSE(anim->Animation().Timer().WorkerRunning()); // no thread waits in real time
    const int first = anim->FrameIndex();
    QThread::msleep(80); // longer than a frame's delay: real time moves nothing
    QApplication::processEvents();
    EXPECT_EQ(anim->FrameIndex(), first);
    scheduler.Advance(anim->Animation().FrameDelay());
    EXPECT_NE(anim->FrameIndex(), first);
    VirtualTimerScheduler::SetCurrent(nullptr);
}

TEST_F(GifAnimatorTest, DestroyedWithATickQueuedForTheUi) {
    ASSERT_EQ(anim->LoadImage(twoFrames()), std::nullopt);
    parent.show();
    anim->SetAnimate(true);
    TAnimTimer& timer = anim->Animation().Timer();
    ASSERT_TRUE(timer.WaitForWorkerWaiting(test::kWaitDeadline));
    clock.advanceMillis(timer.Interval());
    timer.ClockChanged();
    // The worker has queued its tick; destroy without running the event loop.
    ASSERT_TRUE(timer.WaitForHandOff(test::kWaitDeadline));
    delete anim;
    anim = nullptr;
    QApplication::processEvents(); // a stale tick, if queued, is dropped
    SUCCEED();
}

TEST(KeyedPaintingTest, KeyColourIsLeftOutAndAnEmptyPictureDrawsNothing) {
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 255, 0));
    bitmap.setPixel(0, 1, qRgb(255, 0, 255)); // bottom-left: the default key
    bitmap.setPixel(1, 1, qRgb(0, 0, 255));

    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter p(&target);
        DrawBitmapKeyed(p, bitmap, KeySpec::bottomLeft(), QRect(0, 0, 4, 4));
        DrawBitmapKeyed(p, QImage(), KeySpec::none(), QRect(0, 0, 4, 4));
        DrawBitmapKeyed(p, QImage(0, 3, QImage::Format_RGB32), KeySpec::none(), QRect(0, 0, 4, 4));
    }
    EXPECT_EQ(target.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(target.pixelColor(3, 0), QColor(0, 255, 0));
    EXPECT_EQ(target.pixelColor(1, 3), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(3, 3), QColor(0, 0, 255));
}

TEST(KeyedPaintingTest, ParentImageHasEarlierSiblingsOnly) {
    QWidget parent;
    parent.resize(40, 40);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, Qt::yellow);
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto makeBlock = [&](QColor c, QRect r) {
        auto* w = new QWidget(&parent);
        QPalette wp = w->palette();
        wp.setColor(QPalette::Window, c);
        w->setPalette(wp);
        w->setAutoFillBackground(true);
        w->setGeometry(r);
        return w;
    };
    makeBlock(Qt::red, QRect(0, 0, 15, 40)); // before the control, overlapping its left part
    QWidget* control = makeBlock(Qt::gray, QRect(10, 0, 20, 20));
    makeBlock(Qt::blue, QRect(20, 0, 20, 40)); // after the control: never painted
    parent.show();

    QImage behind(20, 20, QImage::Format_RGB32);
    behind.fill(Qt::black);
    {
        QPainter p(&behind);
        PaintParentImage(control, p);
    }
    EXPECT_EQ(behind.pixelColor(2, 5), QColor(Qt::red));
    EXPECT_EQ(behind.pixelColor(15, 5), QColor(Qt::yellow));

    QWidget orphan;
    QImage none(5, 5, QImage::Format_RGB32);
    none.fill(Qt::black);
    {
        QPainter p(&none);
        PaintParentImage(&orphan, p);
    }
    EXPECT_EQ(none.pixelColor(2, 2), QColor(Qt::black));
}

} // namespace
} // namespace trvx
