#include "controls/skinned/SkinGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trvx {
namespace {

const SkinPiece* FindTarget(const std::vector<SkinPiece>& pieces, SkinRect target) {
    auto it = std::find_if(pieces.begin(), pieces.end(),
                           [&](const SkinPiece& p) { return p.target == target; });
    return it == pieces.end() ? nullptr : &*it;
}

TEST(NinePatchPieces, SmallRectangleCutsTheCorners) {
    // A 21 x 21 image into 10 x 10: corners of 5x5, 5x4, 4x5 and 4x4, edges between them.
    const auto pieces = NinePatchPieces(21, 21, 10, 10);
    const std::vector<SkinPiece> expected = {
        {{0, 0, 5, 5}, {0, 0, 5, 5}, true},       // top-left
        {{0, 17, 5, 21}, {0, 6, 5, 10}, true},    // bottom-left
        {{0, 10, 5, 11}, {0, 5, 5, 6}, false},    // left edge
        {{17, 0, 21, 5}, {6, 0, 10, 5}, true},    // top-right
        {{17, 17, 21, 21}, {6, 6, 10, 10}, true}, // bottom-right
        {{17, 11, 21, 12}, {6, 5, 10, 6}, false}, // right edge
        {{10, 0, 12, 5}, {5, 0, 6, 5}, false},    // top edge
        {{10, 16, 12, 21}, {4, 5, 6, 10}, false}, // bottom edge (the centre is empty here)
    };
    EXPECT_EQ(pieces, expected);
}

TEST(NinePatchPieces, SameSizeKeepsCornersInPlace) {
    const auto pieces = NinePatchPieces(21, 21, 21, 21);
    for (const SkinRect corner : {SkinRect{0, 0, 10, 10}, SkinRect{0, 12, 10, 21},
                                  SkinRect{12, 0, 21, 10}, SkinRect{12, 12, 21, 21}}) {
        const SkinPiece* p = FindTarget(pieces, corner);
        ASSERT_NE(p, nullptr) << corner.left << "," << corner.top;
        EXPECT_TRUE(p->corner);
        EXPECT_EQ(p->source, corner); // unscaled and from the same place
    }
    const SkinPiece* centre = FindTarget(pieces, {10, 10, 12, 11});
    ASSERT_NE(centre, nullptr);
    EXPECT_EQ(centre->source, (SkinRect{10, 10, 12, 11}));
}

TEST(NinePatchPieces, DegenerateSizesStayInsideTheImage) {
    struct Case {
        int W, H, w, h;
    };
    for (const Case c :
         {Case{1, 1, 50, 20}, Case{2, 2, 1, 1}, Case{0, 21, 10, 10}, Case{21, 21, 0, 5},
          Case{3, 3, 2, 2}, Case{21, 1, 80, 20}, Case{54, 21, 80, 20}}) {
        for (const SkinPiece& p : NinePatchPieces(c.W, c.H, c.w, c.h)) {
            EXPECT_GE(p.source.left, 0);
            EXPECT_GE(p.source.top, 0);
            EXPECT_LE(p.source.right, c.W);
            EXPECT_LE(p.source.bottom, c.H);
            EXPECT_FALSE(p.source.empty());
            EXPECT_FALSE(p.target.empty());
            EXPECT_GE(p.target.left, -1);
            EXPECT_LE(p.target.right, c.w);
            EXPECT_LE(p.target.bottom, c.h);
        }
    }
    EXPECT_TRUE(NinePatchPieces(0, 21, 10, 10).empty());
}

TEST(ThreePartPieces, EndsUnscaledMiddleStretched) {
    const auto pieces = ThreePartPieces(37, 29, {10, 0, 110, 29}); // frames of 12
    const std::vector<SkinPiece> expected = {
        {{0, 0, 12, 29}, {10, 0, 22, 29}, true},
        {{24, 0, 36, 29}, {98, 0, 110, 29}, true},
        {{12, 0, 24, 29}, {22, 0, 98, 29}, false},
    };
    EXPECT_EQ(pieces, expected);
    EXPECT_TRUE(ThreePartPieces(2, 29, {0, 0, 50, 29}).empty());
}

TEST(KeyPixel, TopOrBottomLeftOrFixedKey) {
    EXPECT_EQ(KeyPixel(KeyColorSource::TopLeftPixel, 18, 17), (SkinPoint{0, 0}));
    EXPECT_EQ(KeyPixel(KeyColorSource::BottomLeftPixel, 18, 17), (SkinPoint{0, 16}));
    EXPECT_FALSE(KeyPixel(KeyColorSource::Fuchsia, 18, 17));
    EXPECT_FALSE(KeyPixel(KeyColorSource::TopLeftPixel, 0, 0));
}

TEST(FrameRect, CutsEqualFramesAndGuardsCountAndIndex) {
    struct Case {
        int width, count, index;
        std::optional<SkinRect> expected;
    };
    const Case cases[] = {
        {54, 3, 1, SkinRect{0, 0, 18, 21}},
        {54, 3, 3, SkinRect{36, 0, 54, 21}}, // columns 36 to 53
        {55, 3, 3, SkinRect{36, 0, 54, 21}}, // the spare column is never used
        {378, 18, 16, SkinRect{315, 0, 336, 21}},
        {54, 0, 1, std::nullopt},
        {54, -2, 1, std::nullopt},
        {54, 3, 0, std::nullopt},
        {54, 3, 4, std::nullopt},
        {2, 3, 1, std::nullopt}, // frames narrower than a pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameRect(c.width, 21, c.count, c.index), c.expected)
            << c.width << " " << c.count << " " << c.index;
}

TEST(TilePositions, StartAtTheOriginAndCoverTheRectangle) {
    const std::vector<SkinPoint> expected = {{0, 0}, {4, 0}, {8, 0}, {0, 3}, {4, 3}, {8, 3}};
    EXPECT_EQ(TilePositions(4, 3, 10, 5), expected);
    EXPECT_EQ(TilePositions(4, 3, 8, 3).size(), 2u);
    // A picture without area must not loop forever: it draws nothing.
    EXPECT_TRUE(TilePositions(0, 3, 10, 5).empty());
    EXPECT_TRUE(TilePositions(4, 0, 10, 5).empty());
    EXPECT_TRUE(TilePositions(-1, -1, 10, 5).empty());
}

TEST(PointInRect, EdgesIncluded) {
    const SkinRect r{2, 3, 10, 8};
    for (SkinPoint p : {SkinPoint{2, 3}, SkinPoint{10, 3}, SkinPoint{2, 8}, SkinPoint{10, 8},
                        SkinPoint{6, 3}, SkinPoint{6, 8}, SkinPoint{2, 5}, SkinPoint{10, 5}})
        EXPECT_TRUE(PointInRect(p, r)) << p.x << "," << p.y;
    for (SkinPoint p : {SkinPoint{1, 5}, SkinPoint{11, 5}, SkinPoint{6, 2}, SkinPoint{6, 9}})
        EXPECT_FALSE(PointInRect(p, r)) << p.x << "," << p.y;
}

TEST(HalfTurn, MapsCornersAndIsItsOwnInverse) {
    EXPECT_EQ(HalfTurn(0, 0, 18, 27), (SkinPoint{17, 26}));
    EXPECT_EQ(HalfTurn(17, 0, 18, 27), (SkinPoint{0, 26}));
    const SkinPoint once = HalfTurn(5, 9, 18, 27);
    EXPECT_EQ(HalfTurn(once.x, once.y, 18, 27), (SkinPoint{5, 9}));
}

TEST(StateFrames, ButtonAndCheckBox) {
    EXPECT_EQ(ButtonFrame(true, false, false), 1);
    EXPECT_EQ(ButtonFrame(true, false, true), 2);
    EXPECT_EQ(ButtonFrame(true, true, true), 3);
    EXPECT_EQ(ButtonFrame(false, true, true), 1);
    EXPECT_EQ(CheckBoxFrame(true, true), 1);
    EXPECT_EQ(CheckBoxFrame(false, true), 2);
    EXPECT_EQ(CheckBoxFrame(true, false), 3);
    EXPECT_EQ(CheckBoxFrame(false, false), 4);
}

TEST(PlaceGlyph, FourLayouts) {
    struct Case {
        GlyphLayout layout;
        SkinPoint glyph, text;
    };
    // Button 80 x 27, caption 30 x 13, glyph 16 x 16, spacing 4.
    const Case cases[] = {
        {GlyphLayout::Left, {15, 5}, {35, 7}},
        {GlyphLayout::Right, {49, 5}, {15, 7}},
        {GlyphLayout::Top, {32, -3}, {25, 17}},
        {GlyphLayout::Bottom, {32, 14}, {25, -3}},
    };
    for (const Case& c : cases) {
        const GlyphPlacement p = PlaceGlyph(c.layout, 80, 27, 30, 13, 16, 16, 4);
        EXPECT_EQ(p.glyph, c.glyph) << int(c.layout);
        EXPECT_EQ(p.text, c.text) << int(c.layout);
    }
    // A glyph twice as wide as high holds two frames and is placed by one of them.
    EXPECT_EQ(PlaceGlyph(GlyphLayout::Left, 80, 27, 30, 13, 32, 16, 4).glyphWidth, 16);
}

TEST(PlaceCheckBox, LeftToRightAndRightToLeft) {
    // Box 93 x 17, glyph 13 x 13, line height 13.
    const CheckBoxPlacement ltr = PlaceCheckBox(93, 17, 13, 13, 13, false);
    EXPECT_EQ(ltr.glyph, (SkinPoint{1, 2}));
    EXPECT_EQ(ltr.caption, (SkinRect{17, 2, 93, 17}));
    EXPECT_EQ(ltr.focus, (SkinRect{16, 2, 93, 17}));
    const CheckBoxPlacement rtl = PlaceCheckBox(93, 17, 13, 13, 13, true);
    EXPECT_EQ(rtl.glyph, (SkinPoint{79, 2}));
    EXPECT_EQ(rtl.caption, (SkinRect{0, 2, 76, 17}));
    EXPECT_EQ(rtl.focus, (SkinRect{0, 2, 78, 17}));
    EXPECT_EQ(CheckBoxAutoSize(13, 13, 13, 40), (SkinPoint{61, 19}));
    EXPECT_EQ(CheckBoxAutoSize(15, 17, 10, 40), (SkinPoint{63, 21}));
}

TEST(ComboArrow, CentredOnTheButtonFromTheControlTop) {
    const auto a = ComboArrow({100, 2, 117, 19});
    EXPECT_EQ(a[0], (SkinPoint{105, 8}));
    EXPECT_EQ(a[1], (SkinPoint{111, 8}));
    EXPECT_EQ(a[2], (SkinPoint{108, 11}));
}

} // namespace
} // namespace trvx
