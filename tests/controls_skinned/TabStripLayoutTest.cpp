// Tab strip geometry: widths, the tab walk, clipping, scrolling, hit tests and the rule that
// picks the page shown when the active page's tab is hidden.

#include "controls/skinned/TabStripLayout.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(TabStripLayoutTest, TabWidths) {
    EXPECT_EQ(tabWidth(true, 0), 80);  // empty caption
    EXPECT_EQ(tabWidth(false, 7), 27); // one letter: its width + 20
    EXPECT_EQ(tabWidth(false, 0), 20);
    EXPECT_EQ(tabWidth(false, -10), 15); // never less than 15
}

// A strip of the MacOS look: tab image 18 x 27 per state, tab line 7 high, scroll button 18.
TabStripInput strip(int width, std::vector<int> captionWidths) {
    TabStripInput in;
    in.stripWidth = width;
    in.stripHeight = 34;
    in.scrollButtonWidth = 18;
    in.activeTabHeight = 27;
    in.inactiveTabHeight = 27;
    in.lineHeight = 7;
    in.tabIndex = 0;
    for (int w : captionWidths) {
        in.tabs.push_back({false, w, true});
    }
    return in;
}

TEST(TabStripLayoutTest, TabsThatFitAreDrawnWholeFromTheLeftMargin) {
    TabStripInput in = strip(300, {50, 60, 70});
    in.tabIndex = 1;
    TabStripLayout out = layoutTabStrip(in);
    ASSERT_EQ(out.tabs.size(), 3u);
    EXPECT_EQ(out.tabs[0].rect, (SkinRect{10, 0, 80, 27}));
    EXPECT_EQ(out.tabs[1].rect, (SkinRect{80, 1, 160, 28})); // active: one row nearer the line
    EXPECT_TRUE(out.tabs[1].active);
    EXPECT_EQ(out.tabs[2].rect, (SkinRect{160, 0, 250, 27}));
    EXPECT_EQ(out.lastWholeIndex, 2);
    EXPECT_FALSE(out.scrollNeeded);
    EXPECT_EQ(out.line, (SkinRect{1, 27, 299, 34}));
    EXPECT_EQ(out.leftEdge, (SkinRect{0, 27, 1, 34}));
    EXPECT_EQ(out.rightEdge, (SkinRect{299, 27, 300, 34}));
    EXPECT_EQ(out.widths[0], 70);
    EXPECT_EQ(out.widths[3], -1);
}

TEST(TabStripLayoutTest, HiddenTabsTakeNoPlace) {
    TabStripInput in = strip(300, {50, 60, 70});
    in.tabs[1].visible = false;
    TabStripLayout out = layoutTabStrip(in);
    ASSERT_EQ(out.tabs.size(), 2u);
    EXPECT_EQ(out.tabs[1].index, 2);
    EXPECT_EQ(out.tabs[1].rect.left, 80);
    EXPECT_EQ(out.widths[1], 0);

    for (TabInput& t : in.tabs) {
        t.visible = false;
    }
    EXPECT_TRUE(layoutTabStrip(in).tabs.empty());
}

TEST(TabStripLayoutTest, ATabThatDoesNotFitIsClippedAtTheScrollButtons) {
    // Width 200: other tabs end by 200 - 36 - 2 = 162, the last by 190.
    TabStripInput in = strip(200, {50, 60, 70});
    TabStripLayout out = layoutTabStrip(in);
    ASSERT_EQ(out.tabs.size(), 3u);
    EXPECT_EQ(out.tabs[2].rect, (SkinRect{160, 0, 162, 27}));
    EXPECT_TRUE(out.tabs[2].clipped);
    EXPECT_EQ(out.widths[2], 2);
    EXPECT_EQ(out.lastWholeIndex, 1);
    EXPECT_TRUE(out.scrollNeeded);

    // Once clipped, no further tab is drawn.
    in.tabs.push_back({false, 10, true});
    out = layoutTabStrip(in);
    EXPECT_EQ(out.tabs.size(), 3u);
    EXPECT_EQ(out.tabs[2].rect.right, 162);
}

TEST(TabStripLayoutTest, ScrollingSkipsVisibleTabsAndShowsTheActiveOneWhole) {
    TabStripInput in = strip(200, {50, 60, 70});
    in.tabIndex = 2;
    EXPECT_EQ(ensureTabVisibleOffset(in), 1);
    in.scrollOffset = 1;
    TabStripLayout out = layoutTabStrip(in);
    ASSERT_EQ(out.tabs.size(), 2u);
    EXPECT_EQ(out.tabs[0].index, 1);
    EXPECT_EQ(out.tabs[0].rect.left, 10);
    EXPECT_EQ(out.lastWholeIndex, 2);

    // A tab too wide for the strip at any offset ends the search where it started.
    TabStripInput wide = strip(200, {500});
    EXPECT_EQ(ensureTabVisibleOffset(wide), 0);
}

TEST(TabStripLayoutTest, HitTestFollowsTheDrawnTabs) {
    TabStripInput in = strip(300, {50, 60, 70, 40});
    in.tabs[0].visible = false;
    in.scrollOffset = 1; // the first visible tab (index 1) is scrolled out
    TabStripLayout out = layoutTabStrip(in);
    EXPECT_EQ(hitTestTab(out, {20, 10}), 2);
    EXPECT_EQ(hitTestTab(out, {105, 10}), 3);
    EXPECT_EQ(hitTestTab(out, {10, 10}), -1);  // left edge belongs to no tab
    EXPECT_EQ(hitTestTab(out, {20, 0}), -1);   // top row
    EXPECT_EQ(hitTestTab(out, {290, 10}), -1); // past the last tab
}

TEST(TabStripLayoutTest, TabsAtTheBottom) {
    TabStripInput in = strip(300, {50});
    in.tabsAtBottom = true;
    in.tabs.push_back({true, 0, true});
    in.tabIndex = 1;
    TabStripLayout out = layoutTabStrip(in);
    EXPECT_EQ(out.line, (SkinRect{1, 0, 299, 7}));
    EXPECT_EQ(out.tabs[0].rect, (SkinRect{10, 7, 80, 34}));
    EXPECT_EQ(out.tabs[1].rect, (SkinRect{80, 6, 160, 33})); // active: one row up
}

TEST(TabStripLayoutTest, ScrollButtonPlaces) {
    TabStripInput in = strip(300, {});
    ScrollButtonsLayout top = layoutScrollButtons(in, true, 18);
    EXPECT_TRUE(top.shown);
    EXPECT_EQ(top.right, (SkinRect{280, 6, 298, 24}));
    EXPECT_EQ(top.left, (SkinRect{262, 6, 280, 24}));
    EXPECT_FALSE(layoutScrollButtons(in, false, 18).shown);
    in.scrollOffset = 1;
    EXPECT_TRUE(layoutScrollButtons(in, false, 18).shown);

    in.tabsAtBottom = true;
    EXPECT_EQ(layoutScrollButtons(in, true, 18).right.top, 10);
    in.stripHeight = 20; // too low for the margins
    EXPECT_EQ(layoutScrollButtons(in, true, 18).right.top, 2);
    in.tabsAtBottom = false;
    EXPECT_EQ(layoutScrollButtons(in, true, 18).right.top, 0);

    EXPECT_EQ(scrollButtonFrame(true, false), 1);
    EXPECT_EQ(scrollButtonFrame(true, true), 2);
    EXPECT_EQ(scrollButtonFrame(false, false), 3);
    EXPECT_EQ(scrollButtonFrame(false, true), 4);
}

TEST(TabStripLayoutTest, ScrollButtonClicksMoveTheFirstShownTabByOne) {
    struct Case {
        int offset, hot;
        bool needed;
        int tabs, result;
    };
    const Case cases[] = {{0, 1, true, 3, 1},  {1, -1, true, 3, 0}, {0, -1, true, 3, 0},
                          {1, 1, false, 3, 1}, {3, 1, true, 3, 3},  {2, 0, true, 3, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(scrollOffsetAfterClick(c.offset, c.hot, c.needed, c.tabs), c.result)
            << c.offset << " " << c.hot;
    }
}

TEST(TabStripLayoutTest, NearestVisibleTabLooksDownFirst) {
    struct Case {
        std::vector<bool> visible;
        int from;
        int result;
    };
    const Case cases[] = {
        {{true, true, true}, 2, 1},    // third of three: the second
        {{true, false, true}, 2, 0},   // second hidden: the first
        {{false, false, true}, 2, -1}, // no other: none
        {{false, true, true}, 0, 1},   // nothing below: upwards
        {{true, false, false, true}, 1, 0}, {{false, false, true, true}, 1, 2}, {{}, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nearestVisibleTab(c.visible, c.from), c.result) << c.from;
    }
}

} // namespace
} // namespace trvx
