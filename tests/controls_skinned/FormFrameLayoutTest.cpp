// Form frame geometry: the look's frame values, border strips and bands, the title pictures in
// the top border, and the rounded window shape.

#include "controls/skinned/FormFrameLayout.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(FormFrameLayoutTest, LookValues) {
    const FormFrameLook xp = formFrameLook(SkinUIStyle::WinXP);
    EXPECT_EQ(xp.borderColor, 0xC82C00u);
    EXPECT_EQ(xp.borderWidth, 3);
    EXPECT_EQ(xp.color, 0xDEEBEFu);
    EXPECT_EQ(xp.roundCorner, 13);
    const FormFrameLook blue = formFrameLook(SkinUIStyle::DeepBlue);
    EXPECT_EQ(blue.borderColor, 0x000000u);
    EXPECT_EQ(blue.borderWidth, 1);
    EXPECT_EQ(blue.color, 0xE8E8E8u);
    EXPECT_EQ(blue.roundCorner, 0);
}

std::vector<FrameFill> nonEmpty(const FrameBorderLayout& l) {
    std::vector<FrameFill> out;
    for (const FrameFill& f : l.fills) {
        if (!f.rect.empty()) {
            out.push_back(f);
        }
    }
    return out;
}

TEST(FormFrameLayoutTest, BorderStripsAndTheBandInsideAThinBorder) {
    // WinXP: a 3-pixel border leaves no band.
    auto xp = nonEmpty(layoutFrameBorder(248, 174, 3, true, 26, nullptr));
    ASSERT_EQ(xp.size(), 3u);
    EXPECT_EQ(xp[0].rect, (SkinRect{0, 0, 3, 174}));
    EXPECT_EQ(xp[1].rect, (SkinRect{0, 171, 248, 174}));
    EXPECT_EQ(xp[2].rect, (SkinRect{245, 0, 248, 174}));
    for (const FrameFill& f : xp) {
        EXPECT_EQ(f.paint, FramePaint::Border);
    }

    // DeepBlue: 1 pixel of border, then 2 pixels of the frame's colour below the title bar.
    auto blue = nonEmpty(layoutFrameBorder(200, 100, 1, true, 20, nullptr));
    ASSERT_EQ(blue.size(), 6u);
    EXPECT_EQ(blue[3].rect, (SkinRect{1, 20, 3, 99}));
    EXPECT_EQ(blue[4].rect, (SkinRect{1, 97, 199, 99}));
    EXPECT_EQ(blue[5].rect, (SkinRect{197, 20, 199, 99}));
    EXPECT_EQ(blue[4].paint, FramePaint::Color);
}

TEST(FormFrameLayoutTest, WithoutTitleBarTheTopGetsABorderLine) {
    auto fills = nonEmpty(layoutFrameBorder(200, 100, 1, false, 20, nullptr));
    ASSERT_EQ(fills.size(), 8u);
    EXPECT_EQ(fills[3].rect, (SkinRect{1, 0, 3, 99})); // the band reaches the top
    EXPECT_EQ(fills[6].rect, (SkinRect{0, 0, 200, 1}));
    EXPECT_EQ(fills[6].paint, FramePaint::Border);
    EXPECT_EQ(fills[7].rect, (SkinRect{1, 1, 199, 3}));
    EXPECT_EQ(fills[7].paint, FramePaint::Color);
}

TEST(FormFrameLayoutTest, TitlePicturesShowInTheTopBorder) {
    const FrameTitlePictures pics{{35, 29}, {37, 29}, {35, 29}};
    FrameBorderLayout thin = layoutFrameBorder(200, 100, 1, true, 26, &pics);
    ASSERT_EQ(thin.leftStrip.size(), 1u);
    EXPECT_EQ(thin.leftStrip[0].target, (SkinRect{1, 0, 3, 29}));
    EXPECT_EQ(thin.leftStrip[0].sourceLeft, 0);
    EXPECT_EQ(thin.leftStrip[0].sourceRight, 2);
    ASSERT_EQ(thin.rightStrip.size(), 1u);
    EXPECT_EQ(thin.rightStrip[0].target, (SkinRect{197, 0, 199, 29}));
    EXPECT_EQ(thin.rightStrip[0].sourceLeft, 33);
    EXPECT_EQ(thin.rightStrip[0].sourceRight, 35);
    ASSERT_EQ(thin.topBand.size(), 3u);
    EXPECT_EQ(thin.topBand[0].target, (SkinRect{0, 0, 35, 29}));
    EXPECT_EQ(thin.topBand[1].target, (SkinRect{35, 0, 165, 29}));
    EXPECT_TRUE(thin.topBand[1].stretch);
    EXPECT_EQ(thin.topBand[2].target, (SkinRect{165, 0, 200, 29}));
    for (const FrameTitlePiece& p : thin.topBand) {
        EXPECT_EQ(p.clip, (SkinRect{2, 0, 197, 3}));
    }

    // A 3-pixel border has no side strips but still the top band.
    FrameBorderLayout xp = layoutFrameBorder(248, 174, 3, true, 26, &pics);
    EXPECT_TRUE(xp.leftStrip.empty());
    EXPECT_TRUE(xp.rightStrip.empty());
    EXPECT_EQ(xp.topBand.size(), 3u);

    // A right picture narrower than 3 pixels is stretched into its strip.
    const FrameTitlePictures narrow{{35, 29}, {37, 29}, {1, 29}};
    FrameBorderLayout n = layoutFrameBorder(200, 100, 1, true, 26, &narrow);
    EXPECT_TRUE(n.rightStrip[0].stretch);

    // Broad borders draw no pictures.
    EXPECT_TRUE(layoutFrameBorder(200, 100, 4, true, 26, &pics).topBand.empty());
}

TEST(FormFrameLayoutTest, WindowShapeRoundsOnlyTheTopCornersOfWinXp) {
    struct Case {
        int x, y;
        bool in;
    };
    const Case cases[] = {
        {0, 0, false},  {247, 0, false}, {1, 1, false},    {3, 3, true},
        {124, 0, true}, {0, 20, true},   {0, 173, true},   {247, 173, true},
        {0, 86, true},  {247, 87, true}, {248, 10, false}, {10, 174, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frameRegionContains(248, 174, 13, 0, c.x, c.y), c.in) << c.x << "," << c.y;
    }
    const auto row0 = frameRegionRow(248, 174, 13, 0, 0);
    ASSERT_EQ(row0.size(), 1u);
    EXPECT_GT(row0[0].first, 2);
    EXPECT_EQ(row0[0].first, 248 - row0[0].second); // symmetric
    EXPECT_EQ(frameRegionRow(248, 174, 13, 0, 100), (std::vector<std::pair<int, int>>{{0, 248}}));
}

TEST(FormFrameLayoutTest, WindowShapeWithoutAndWithBottomCorners) {
    for (int y : {0, 50, 99}) {
        EXPECT_EQ(frameRegionRow(120, 100, 0, 0, y), (std::vector<std::pair<int, int>>{{0, 120}}));
        EXPECT_EQ(frameRegionRow(120, 100, 0, -1, y), (std::vector<std::pair<int, int>>{{0, 120}}));
    }
    EXPECT_FALSE(frameRegionContains(120, 100, 0, 10, 0, 99));
    EXPECT_FALSE(frameRegionContains(120, 100, 0, 10, 119, 99));
    EXPECT_TRUE(frameRegionContains(120, 100, 0, 10, 0, 50)); // square where the halves meet
    EXPECT_TRUE(frameRegionContains(120, 100, 0, 10, 0, 0));
}

} // namespace
} // namespace trvx
