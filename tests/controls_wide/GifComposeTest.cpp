// Composing the logical screen of an animation: positions, disposal, transparency, the cache.

#include "controls/wide/GifCompose.h"
#include "controls_wide/GifTestEncoder.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::Rgb;

const std::vector<Rgb> kFour{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
constexpr GifColor kBlack = 0x000000;
constexpr GifColor kRed = 0x0000FF;
constexpr GifColor kGreen = 0x00FF00;
constexpr GifColor kBlue = 0xFF0000;
constexpr GifColor kWhite = 0xFFFFFF;

// Rows of the 4 x 4 screen, one character per pixel: K black, R red, G green, B blue, W white.
std::vector<std::string> rows(const GifScreen& screen) {
    std::vector<std::string> out;
    for (int y = 0; y < screen.height; ++y) {
        std::string row;
        for (int x = 0; x < screen.width; ++x) {
            switch (screen.at(x, y)) {
            case kBlack:
                row += 'K';
                break;
            case kRed:
                row += 'R';
                break;
            case kGreen:
                row += 'G';
                break;
            case kBlue:
                row += 'B';
                break;
            case kWhite:
                row += 'W';
                break;
            default:
                row += '?';
            }
        }
        out.push_back(row);
    }
    return out;
}

GifImage load(const Bytes& file) {
    GifImage image;
    EXPECT_EQ(image.load(file), std::nullopt);
    return image;
}

// Red screen, a blue square in the middle, then a green dot in the corner.
Bytes threeFrames(int middleDisposal) {
    return GifBuilder()
        .header(4, 4, kFour)
        .control(1, 5)
        .image(0, 0, 4, 4, Bytes(16, 1))
        .control(middleDisposal, 5)
        .image(1, 1, 2, 2, Bytes(4, 3))
        .control(1, 5)
        .image(0, 0, 1, 1, {2})
        .trailer()
        .bytes();
}

TEST(GifComposeTest, LeaveInPlaceAndRestoreToBackground) {
    GifImage image = load(threeFrames(2));
    GifComposer composer;
    ASSERT_EQ(composer.compose(image, 0), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"RRRR", "RRRR", "RRRR", "RRRR"}));
    ASSERT_EQ(composer.compose(image, 1), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"RRRR", "RBBR", "RBBR", "RRRR"}));
    ASSERT_EQ(composer.compose(image, 2), std::nullopt);
    const std::vector<std::string> expected{"GRRR", "RWWR", "RWWR", "RRRR"};
    EXPECT_EQ(rows(composer.screen()), expected);
    EXPECT_EQ(composer.cachedIndex(), 2);
    EXPECT_EQ(composer.screen().keyColor, std::nullopt);

    // Composing frame 2 from nothing replays the frames before it to the same screen.
    GifComposer fresh;
    ASSERT_EQ(fresh.compose(image, 2), std::nullopt);
    EXPECT_EQ(rows(fresh.screen()), expected);
    // An index past the last frame shows the last frame.
    ASSERT_EQ(fresh.compose(image, 9), std::nullopt);
    EXPECT_EQ(rows(fresh.screen()), expected);
}

TEST(GifComposeTest, RestoreToPreviousComposesFromScratch) {
    GifImage image = load(threeFrames(3));
    GifComposer composer;
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(composer.compose(image, i), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"GRRR", "RRRR", "RRRR", "RRRR"}));
}

TEST(GifComposeTest, TransparentPixelsShowWhatLiesBelow) {
    // Like the busy spinner: full-size frames, each leaving the last in place, index 0 clear.
    const Bytes file = GifBuilder()
                           .header(4, 4, kFour)
                           .loop(0)
                           .control(1, 5, 0)
                           .image(0, 0, 4, 4, {1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                           .control(1, 5, 0)
                           .image(0, 0, 4, 4, {0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 2})
                           .trailer()
                           .bytes();
    GifImage image = load(file);
    GifComposer composer;
    ASSERT_EQ(composer.compose(image, 1), std::nullopt);
    const GifScreen& screen = composer.screen();
    EXPECT_EQ(rows(screen), (std::vector<std::string>{"RRKK", "RBBK", "KKKK", "KKKG"}));
    EXPECT_EQ(screen.keyColor, kBlack);

    const auto argb = screen.toArgb32(true);
    EXPECT_EQ(argb[0], 0xFFFF0000u);  // red, opaque
    EXPECT_EQ(argb[2], 0x00000000u);  // key colour, see-through
    EXPECT_EQ(argb[15], 0xFF00FF00u); // green
    EXPECT_EQ(screen.toArgb32(false)[2], 0xFF000000u);
}

TEST(GifComposeTest, BackgroundColourOfATransparentPicture) {
    // The first frame has no transparent colour, a later one has: the screen starts in the
    // picture's background colour (index 2, green) and has no key colour.
    const Bytes file = GifBuilder()
                           .header(4, 4, kFour, 2)
                           .control(1, 5)
                           .image(0, 0, 2, 2, Bytes(4, 1))
                           .control(1, 5, 0)
                           .image(2, 2, 2, 2, {3, 0, 0, 3})
                           .trailer()
                           .bytes();
    GifImage image = load(file);
    GifComposer composer;
    ASSERT_EQ(composer.compose(image, 1), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"RRGG", "RRGG", "GGBG", "GGGB"}));
    EXPECT_EQ(composer.screen().keyColor, std::nullopt);

    // Opaque picture without transparency anywhere: the window colour.
    GifImage opaque = load(GifBuilder().header(4, 4, kFour, 2).image(1, 1, 1, 1, {3}).bytes());
    ASSERT_EQ(composer.compose(opaque, 0, kBlack), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"KKKK", "KBKK", "KKKK", "KKKK"}));
}

TEST(GifComposeTest, FramesReachingPastTheScreenAreClipped) {
    const Bytes file =
        GifBuilder().header(4, 4, kFour).image(3, 2, 3, 3, Bytes(9, 3)).trailer().bytes();
    GifImage image = load(file);
    GifComposer composer;
    ASSERT_EQ(composer.compose(image, 0, kWhite), std::nullopt);
    EXPECT_EQ(rows(composer.screen()), (std::vector<std::string>{"WWWW", "WWWW", "WWWB", "WWWB"}));
}

TEST(GifComposeTest, ScreenWithoutWidthHoldsNothing) {
    // Frames restored to the background on a screen 0 pixels wide touch no pixel.
    const Bytes file = GifBuilder()
                           .header(0, 4, kFour)
                           .control(2, 5)
                           .image(4, 0, 2, 2, Bytes(4, 1))
                           .control(2, 5)
                           .image(4, 1, 2, 2, Bytes(4, 2))
                           .trailer()
                           .bytes();
    GifImage image = load(file);
    GifComposer composer;
    for (int i : {0, 1, 0, 1})
        ASSERT_EQ(composer.compose(image, i), std::nullopt);
    EXPECT_EQ(composer.screen().width, 0);
    EXPECT_TRUE(composer.screen().pixels.empty());
}

TEST(GifComposeTest, ErrorsLeaveNoScreen) {
    GifComposer composer;
    GifImage empty;
    EXPECT_TRUE(composer.compose(empty, 0).has_value());
    EXPECT_EQ(composer.cachedIndex(), -1);

    // A later frame that cannot decode fails when it is composed.
    Bytes file = GifBuilder().header(4, 4, kFour).image(0, 0, 4, 4, Bytes(16, 1)).bytes();
    file.insert(file.end(), {',', 0, 0, 0, 0, 4, 0, 4, 0, 0, 2, 0});
    GifImage image = load(file);
    ASSERT_EQ(image.frameCount(), 2);
    ASSERT_EQ(composer.compose(image, 0), std::nullopt);
    EXPECT_EQ(composer.compose(image, 1), "Stream read error");
    EXPECT_EQ(composer.cachedIndex(), -1);

    // A screen too large to hold.
    GifImage huge = load(GifBuilder().header(65535, 65535, kFour).image(0, 0, 1, 1, {1}).bytes());
    EXPECT_EQ(composer.compose(huge, 0), "GIF image is too large");
}

} // namespace
} // namespace trvx
