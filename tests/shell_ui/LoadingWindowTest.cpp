#include "shell/ui/LoadingWindow.h"

#include "controls/wide/ui/GifAnimator.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace trvx {
namespace {

// The spinner turns only while the busy window is shown: hidden, it would wake the program
// for frames nobody sees.
TEST(LoadingWindowTest, SpinnerTurnsOnlyWhileShown) {
    QWidget main;
    main.resize(400, 300);
    TFormLoadingUI busy(main);
    ASSERT_NE(busy.WaitGif(), nullptr);
    EXPECT_FALSE(busy.WaitGif()->Animate());
    busy.ShowCentred();
    EXPECT_TRUE(busy.WaitGif()->Animate());
    busy.hide();
    EXPECT_FALSE(busy.WaitGif()->Animate());
    busy.ShowCentred();
    EXPECT_TRUE(busy.WaitGif()->Animate());
}

} // namespace
} // namespace trvx
