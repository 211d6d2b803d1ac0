// Title bar geometry: button frames, section places, button row, caption place and ellipsis.

#include "controls/skinned/TitleBarLayout.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using enum TitleBarButtonType;

TEST(TitleBarLayoutTest, ButtonFramesPerType) {
    struct Case {
        TitleBarButtonType type;
        bool maximized;
        int first;
    };
    const Case cases[] = {{ControlBox, false, 1}, {Help, false, 4}, {Max, false, 7},
                          {Max, true, 10},        {Min, true, 13},  {Close, false, 16},
                          {Custom, false, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(titleButtonFirstFrame(c.type, c.maximized), c.first)
            << static_cast<int>(c.type) << " " << c.maximized;
    }
}

TEST(TitleBarLayoutTest, SectionsStartAboveAndLeftOfABarOnAFrame) {
    // The WinXP pictures: left and right 35 x 29, client 37 x 29, on a 242-pixel bar.
    const LayoutSize side{35, 29};
    const LayoutSize client{37, 29};
    TitleSectionsLayout onFrame = layoutTitleSections(242, true, 0, side, side, client);
    EXPECT_EQ(onFrame.left, (SkinRect{-3, -3, 32, 26}));
    EXPECT_EQ(onFrame.right, (SkinRect{210, -3, 245, 26}));
    EXPECT_EQ(onFrame.client, (SkinRect{32, -3, 210, 26}));

    TitleSectionsLayout sideBorder = layoutTitleSections(242, true, 5, side, side, client);
    EXPECT_EQ(sideBorder.left.left, -5);
    EXPECT_EQ(sideBorder.right.right, 247);

    TitleSectionsLayout plain = layoutTitleSections(242, false, 0, side, side, client);
    EXPECT_EQ(plain.left, (SkinRect{0, 0, 35, 29}));
    EXPECT_EQ(plain.right, (SkinRect{207, 0, 242, 29}));
    EXPECT_EQ(plain.client, (SkinRect{35, 0, 207, 29}));

    EXPECT_EQ(titleBarAutoHeight(29, true), 26);
    EXPECT_EQ(titleBarAutoHeight(29, false), 29);
}

TitleButtonsInput winXpBar() {
    TitleButtonsInput in;
    in.barWidth = 242;
    in.buttonTop = 2; // element 9 less the three rows of the frame
    in.buttonImageHeight = 21;
    in.leftBtnXOffset = 2;
    in.rightBtnXOffset = -2;
    return in;
}

TEST(TitleBarLayoutTest, RightButtonsLineUpFromTheRightEdge) {
    TitleButtonsInput in = winXpBar();
    in.buttons = {{Close, true, {21, 21}},
                  {Max, true, {21, 21}},
                  {Min, false, {21, 21}},
                  {Help, true, {21, 21}}};
    in.buttonInterval = 1;
    TitleButtonsLayout out = layoutTitleButtons(in);
    EXPECT_EQ(out.buttons[0].rect, (SkinRect{217, 2, 238, 23}));
    EXPECT_EQ(out.buttons[1].rect, (SkinRect{194, 2, 215, 23}));
    EXPECT_FALSE(out.buttons[2].shown);
    EXPECT_EQ(out.buttons[3].rect, (SkinRect{171, 2, 192, 23}));
    EXPECT_EQ(out.captionRight, 171);
    EXPECT_EQ(out.captionLeft, 3);
    EXPECT_EQ(out.hotIndex, -1);
}

TEST(TitleBarLayoutTest, AButtonPastTheRightEdgeIsPulledBack) {
    TitleButtonsInput in = winXpBar();
    in.rightBtnXOffset = 10;
    in.buttons = {{Close, true, {21, 21}}};
    EXPECT_EQ(layoutTitleButtons(in).buttons[0].rect, (SkinRect{220, 2, 241, 23}));
}

TEST(TitleBarLayoutTest, CaptionStartsAfterTheControlBoxOrAtTheOffset) {
    struct Case {
        int leftOffset;
        int sideBorder;
        bool controlBox;
        bool appIcon;
        int captionLeft;
    };
    const Case cases[] = {
        {2, 0, false, false, 3},  // LeftBtnXOffset + 1
        {-1, 0, false, false, 6}, // sum 0
        {-5, 0, false, false, 6}, // below 0
        {4, 5, false, false, 6},  // side border eats the offset
        {2, 0, true, false, 29},  // 3 + 21 + 5
        {2, 0, true, true, 24},   // 3 + 21
    };
    for (const Case& c : cases) {
        TitleButtonsInput in = winXpBar();
        in.leftBtnXOffset = c.leftOffset;
        in.sideBorderWidth = c.sideBorder;
        in.drawAppIcon = c.appIcon;
        if (c.controlBox) {
            in.buttons.push_back({ControlBox, true, {21, 21}});
        }
        in.buttons.push_back({Close, true, {21, 21}});
        TitleButtonsLayout out = layoutTitleButtons(in);
        EXPECT_EQ(out.captionLeft, c.captionLeft) << c.leftOffset << " " << c.controlBox;
        if (c.controlBox) {
            EXPECT_EQ(out.controlBoxIndex, 0);
            EXPECT_EQ(out.buttons[0].rect, (SkinRect{3, 2, 24, 23}));
            EXPECT_EQ(out.appIcon.empty(), !c.appIcon);
        }
    }
}

TEST(TitleBarLayoutTest, TheButtonUnderTheCursorIsHot) {
    TitleButtonsInput in = winXpBar();
    in.buttons = {{ControlBox, true, {21, 21}}, {Close, true, {21, 21}}, {Max, true, {21, 21}}};
    in.cursor = {220, 10};
    TitleButtonsLayout over = layoutTitleButtons(in);
    EXPECT_EQ(over.hotIndex, 1);
    EXPECT_EQ(over.buttons[1].state, TitleButtonState::MouseOver);
    EXPECT_EQ(over.buttons[2].state, TitleButtonState::Normal);

    in.mouseDown = true;
    EXPECT_EQ(layoutTitleButtons(in).buttons[1].state, TitleButtonState::Pressed);

    in.cursor = {5, 5};
    EXPECT_EQ(layoutTitleButtons(in).hotIndex, 0);
    in.cursor = {100, 10}; // the caption area
    EXPECT_EQ(layoutTitleButtons(in).hotIndex, -1);
}

TEST(TitleBarLayoutTest, RightToLeftCaptionEndsTenPixelsBeforeTheButtons) {
    TitleButtonsLayout l;
    l.captionLeft = 3;
    l.captionRight = 218;
    EXPECT_EQ(titleCaptionLeft(l, 50, false), 3);
    EXPECT_EQ(titleCaptionLeft(l, 50, true), 158);
}

TEST(TitleBarLayoutTest, CaptionTopIsCentredOnTheButtonImage) {
    EXPECT_EQ(titleCaptionTop(2, 21, 13), 6);
    EXPECT_EQ(titleCaptionTop(2, 21, 14), 5);
    EXPECT_EQ(titleCaptionTop(2, 10, 13), 1); // rounded toward zero
}

int tenPerUnit(std::u16string_view s) {
    // A lone high surrogate would mean a character was cut in half.
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
            EXPECT_TRUE(i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF);
        }
    }
    return static_cast<int>(s.size()) * 10;
}

TEST(TitleBarLayoutTest, LongCaptionsEndWithAnEllipsisThatFits) {
    struct Case {
        std::u16string caption;
        int available;
        std::u16string shown;
    };
    const Case cases[] = {
        {u"Password", 80, u"Password"},     {u"Password", 79, u"Pass..."},
        {u"Password", 60, u"Pas..."},       {u"Password", 30, u"..."},
        {u"Password", 29, u"..."}, // not even "..." fits: the shortening still ends
        {u"Password", -50, u"..."},         {u"", -1, u""},
        {u"a\U0001F600bcdef", 55, u"a..."}, {u"a\U0001F600bcdef", 65, u"a\U0001F600..."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitTitleCaption(c.caption, c.available, tenPerUnit), c.shown) << c.available;
    }
}

} // namespace
} // namespace trvx
