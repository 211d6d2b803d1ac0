// The desktop's pointer settings are found and first read on a worker, not by the window.

#include "shell/PrefetchedPointerSettings.h"

#include <gtest/gtest.h>

#include <future>

namespace trvx {
namespace {

TEST(PrefetchedPointerSettings, FindsTheSettingsOnAWorkerAndHandsOutItsFirstReadingOnce) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    FakePointerSettings* fake = nullptr;
    PrefetchedPointerSettings settings([&] {
        // A desktop whose settings take their time to answer: the window does not wait.
        released.wait();
        auto made = std::make_unique<FakePointerSettings>();
        made->state.speed = 0.5;
        fake = made.get();
        return made;
    });
    release.set_value();

    EXPECT_EQ(settings.Read().speed, 0.5);
    ASSERT_NE(fake, nullptr);
    // Later readings and the writes go to the settings themselves.
    fake->state.speed = -0.25;
    EXPECT_EQ(settings.Read().speed, -0.25);
    PointerState wanted;
    wanted.speed = 1.0;
    EXPECT_TRUE(settings.Write(PointerSetting::Speed, wanted).ok);
    EXPECT_EQ(fake->writes, 1);
}

TEST(PrefetchedPointerSettings, WithoutDesktopSettingsReadsNothingAndWritesNothing) {
    PrefetchedPointerSettings settings([] { return std::unique_ptr<PointerSettings>(); });
    EXPECT_EQ(settings.Read(), PointerState{});
    EXPECT_EQ(settings.Read(), PointerState{});
    PointerState wanted;
    wanted.speed = 0.0;
    const PointerResult result = settings.Write(PointerSetting::Speed, wanted);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

} // namespace
} // namespace trvx
