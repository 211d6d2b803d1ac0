// Geometry of the group boxes, borderless panels and the rectangle shape, and the tray tip.

#include "controls/skinned/BorderlessGeometry.h"
#include "controls/skinned/GroupBoxGeometry.h"
#include "controls/skinned/RectShapeGeometry.h"
#include "controls/skinned/TrayIconState.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using Path = std::vector<SkinPoint>;

TEST(GroupBoxGeometryTest, FramePathWithAndWithoutCaption) {
    const SkinRect client{0, 0, 185, 105};
    // h = 9: the top line sits at 9 div 2 + 1 = 5, whatever the sign of the height.
    EXPECT_EQ(GroupBoxFrameTop(-9), 5);
    EXPECT_EQ(GroupBoxFrameTop(9), 5);
    EXPECT_EQ(GroupBoxFrameTop(-11), 6);

    EXPECT_EQ(GroupBoxFramePath(client, -9, 40, true, false),
              (Path{{2, 5}, {0, 5}, {0, 104}, {184, 104}, {184, 5}, {46, 5}}));
    EXPECT_EQ(GroupBoxFramePath(client, -9, 0, false, false),
              (Path{{2, 5}, {0, 5}, {0, 104}, {184, 104}, {184, 5}, {0, 5}}))
        << "an empty caption closes the frame";
    EXPECT_EQ(GroupBoxFramePath(client, 9, 40, true, true),
              (Path{{182, 5}, {184, 5}, {184, 104}, {1, 104}, {1, 5}, {138, 5}}));
    EXPECT_EQ(GroupBoxFramePath(client, 9, 0, false, true).back(), (SkinPoint{184, 5}));
    // A caption wider than the box: the back-stroke ends beyond the right edge.
    EXPECT_EQ(GroupBoxFramePath(client, -9, 300, true, false).back(), (SkinPoint{306, 5}));
}

TEST(GroupBoxGeometryTest, CaptionOriginAndChildArea) {
    EXPECT_EQ(GroupBoxCaptionOrigin(185, 40, false), (SkinPoint{5, 0}));
    EXPECT_EQ(GroupBoxCaptionOrigin(185, 40, true), (SkinPoint{139, 0}));
    EXPECT_EQ(GroupBoxChildArea({0, 0, 185, 105}, -11), (SkinRect{3, 16, 182, 102}));
}

TEST(RectShapeGeometryTest, ShapeAndShadowRectangles) {
    struct Case {
        int w, h, pen, offset;
        bool shadow;
        RectShapeRects expect;
    };
    const Case cases[] = {
        {48, 48, 1, 2, false, {std::nullopt, {0, 0, 48, 48}}},
        {48, 48, 1, 2, true, {SkinRect{2, 2, 48, 48}, {0, 0, 46, 46}}},
        {32, 33, 1, 2, false, {std::nullopt, {0, 0, 32, 33}}},
        {48, 48, 0, 2, false, {std::nullopt, {0, 0, 48, 48}}},
        {48, 48, 0, 2, true, {SkinRect{2, 2, 48, 48}, {0, 0, 46, 46}}},
        {48, 48, 3, 4, true, {SkinRect{5, 5, 47, 47}, {1, 1, 43, 43}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectShapeLayout(c.w, c.h, c.pen, c.offset, c.shadow), c.expect)
            << c.w << "x" << c.h << " pen " << c.pen << " offset " << c.offset << " shadow "
            << c.shadow;
}

TEST(BorderlessGeometryTest, FrameWidthsOfTheStyles) {
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsNone, 3), 0);
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsFlat, 3), 1);
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsStatus, 3), 3);
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsPopup, 1), 1);
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsRaised, 3), 2);
    EXPECT_EQ(FrameStyleWidth(TFrameStyleEx::fsFlatRounded, 3), 2);
}

TEST(BorderlessGeometryTest, PanelWithOneRingOfBorderColour) {
    const TSides all;
    const auto layout =
        PlainPanelPaintLayout(100, 50, TFrameStyleEx::fsNone, TFrameStyleEx::fsNone, all, 1, 1);
    ASSERT_EQ(layout.rings.size(), 1u);
    EXPECT_EQ(layout.rings[0], (SkinRect{0, 0, 100, 50}));
    EXPECT_EQ(layout.fill, (SkinRect{1, 1, 99, 49}));
    EXPECT_EQ(
        PlainPanelClientRect(100, 50, TFrameStyleEx::fsNone, TFrameStyleEx::fsNone, all, 1, 1),
        (SkinRect{1, 1, 99, 49}));

    const auto none =
        PlainPanelPaintLayout(100, 50, TFrameStyleEx::fsNone, TFrameStyleEx::fsNone, all, 1, 0);
    EXPECT_TRUE(none.rings.empty());
    EXPECT_EQ(none.fill, (SkinRect{0, 0, 100, 50}));

    // Frames only on the sides asked for.
    TSides topOnly{false, true, false, false};
    const auto framed = PlainPanelPaintLayout(100, 50, TFrameStyleEx::fsRaised,
                                              TFrameStyleEx::fsFlat, topOnly, 1, 2);
    EXPECT_EQ(framed.rings[1], (SkinRect{0, 3, 100, 50}));
    EXPECT_EQ(framed.fill, (SkinRect{0, 5, 100, 50}));
}

TEST(BorderlessGeometryTest, CaptionBoxByVerticalAlignment) {
    const SkinRect box{0, 10, 100, 50};
    EXPECT_EQ(PlainCaptionBox(box, 13, TAlignmentVertical::avTop), (SkinRect{0, 10, 100, 50}));
    EXPECT_EQ(PlainCaptionBox(box, 13, TAlignmentVertical::avCenter), (SkinRect{0, 23, 100, 50}));
    EXPECT_EQ(PlainCaptionBox(box, 13, TAlignmentVertical::avBottom), (SkinRect{0, 36, 100, 50}));
    EXPECT_EQ(PlainCaptionBox({0, 0, 100, 10}, 13, TAlignmentVertical::avTop),
              (SkinRect{0, 0, 100, 13}));
    EXPECT_EQ(PlainCaptionBox({0, 0, 100, 10}, 13, TAlignmentVertical::avBottom),
              (SkinRect{0, 0, 100, 10}))
        << "never above the old top";
    EXPECT_EQ(PlainGridLines(0, 20, 8), (std::vector<int>{7, 15}));
    EXPECT_TRUE(PlainGridLines(0, 20, 0).empty());
}

TEST(BorderlessGeometryTest, GroupBoxCaptionBorderAndClient) {
    // The program's boxes: no border, no caption, no image.
    auto plain = PlainGroupBoxLayout(800, 600, TPlainBorderStyle::bsNone, false,
                                     TCaptionPosition::cpTopLeft, 0, 0, 0, 0);
    EXPECT_TRUE(plain.caption.empty());
    EXPECT_EQ(plain.border, (SkinRect{0, 0, 800, 600}));
    EXPECT_EQ(plain.client, (SkinRect{2, 2, 798, 598}));

    auto single = PlainGroupBoxLayout(200, 100, TPlainBorderStyle::bsSingle, false,
                                      TCaptionPosition::cpTopLeft, 40, 13, 0, 0);
    EXPECT_EQ(single.caption, (SkinRect{8, 0, 48, 15}));
    EXPECT_EQ(single.border, (SkinRect{0, 7, 200, 100}));
    EXPECT_EQ(single.client, (SkinRect{2, 16, 198, 98}));

    auto bottomRight = PlainGroupBoxLayout(200, 100, TPlainBorderStyle::bsDouble, true,
                                           TCaptionPosition::cpBottomRight, 40, 13, 16, 16);
    EXPECT_EQ(bottomRight.caption, (SkinRect{133, 82, 192, 100}));
    EXPECT_EQ(bottomRight.border, (SkinRect{0, 0, 200, 91}));
    EXPECT_EQ(bottomRight.client, (SkinRect{5, 5, 195, 81}));

    EXPECT_EQ(PlainGroupBorderWidth(TPlainBorderStyle::bsSingle, true), 2);
    EXPECT_EQ(PlainGroupBorderWidth(TPlainBorderStyle::bsDouble, false), 2);
}

TEST(TrayIconStateTest, TipIsTheHintCutTo127UnitsWhenShown) {
    EXPECT_EQ(TrayTipText(u"", true), u"");
    EXPECT_EQ(TrayTipText(u"Mouse", false), u"");
    EXPECT_EQ(TrayTipText(u"Mouse", true), u"Mouse");
    const std::u16string longHint(200, u'\u4E2D');
    EXPECT_EQ(TrayTipText(longHint, true), std::u16string(127, u'\u4E2D'));
}

} // namespace
} // namespace trvx
