#pragma once
// Geometry and rules of the skinned tab strip: tab widths, the walk that places the tabs (also
// used to hit-test them, so a click always lands on the tab that is drawn there), the scroll
// buttons, and which page becomes active when the active page's tab is hidden.

#include "controls/skinned/LayoutRect.h"

#include <array>
#include <vector>

namespace trvx {

// The width table keeps entries for tabs 0 to 62; the visibility table has 64 entries.
inline constexpr int kTabTableSize = 64;
inline constexpr int kTabWidthEntries = 63;

// Width of a tab: 80 for an empty caption, else the caption's width plus 20, at least 15.
int tabWidth(bool emptyCaption, int captionWidth);

struct TabInput {
    bool emptyCaption = true;
    int captionWidth = 0;
    bool visible = true;
};

struct TabStripInput {
    int stripWidth = 0;
    int stripHeight = 0;
    int scrollButtonWidth = 0;
    int activeTabHeight = 0;
    int inactiveTabHeight = 0;
    int lineHeight = 0;
    bool tabsAtBottom = false;
    int leftMargin = 10;
    int scrollOffset = 0; // visible tabs scrolled out on the left
    int tabIndex = -1;    // the active tab
    std::vector<TabInput> tabs;
};

struct TabPlace {
    int index = 0;
    SkinRect rect; // where the tab is drawn and hit
    bool active = false;
    bool clipped = false; // cut at the scroll buttons: caption left-aligned with insets 10 and 4
};

struct TabStripLayout {
    std::vector<TabPlace> tabs; // drawn tabs, left to right
    int lastWholeIndex = -1;    // index of the last tab drawn whole
    bool scrollNeeded = false;
    int tabHeight = 0;
    SkinRect line;                           // the tab-line picture, stretched
    SkinRect leftEdge;                       // border-coloured line at x = 0 beside the tab line
    SkinRect rightEdge;                      // and at x = W - 1
    std::array<int, kTabTableSize> widths{}; // -1 unused, 0 hidden tab
};
TabStripLayout layoutTabStrip(const TabStripInput& in);

// The scroll offset that shows the active tab whole: raised from `in.scrollOffset` one tab at a
// time until the active tab is drawn whole, and never past the number of tabs (a tab too wide to
// fit anywhere ends the search).
int ensureTabVisibleOffset(const TabStripInput& in);

// The tab under a point, by the same walk as the drawing; -1 when none.
int hitTestTab(const TabStripLayout& layout, SkinPoint p);

struct ScrollButtonsLayout {
    bool shown = false;
    SkinRect left;
    SkinRect right;
};
// The two buttons at the strip's right end, shown while scrolling is needed or tabs are
// scrolled out.
ScrollButtonsLayout layoutScrollButtons(const TabStripInput& in, bool scrollNeeded,
                                        int scrollButtonHeight);

// Frame of the scroll-button image (4 frames) a button shows.
inline int scrollButtonFrame(bool rightButton, bool hot) {
    return rightButton ? (hot ? 2 : 1) : (hot ? 4 : 3);
}

// The offset after a click on a scroll button (-1 left, 1 right), kept within 0..tab count.
int scrollOffsetAfterClick(int offset, int hotButton, bool scrollNeeded, int tabCount);

// The page to show when the active page `from` loses its tab: first the lower indices from
// `from` - 1 down to 0, then the higher ones upwards; -1 when no other tab is visible.
int nearestVisibleTab(const std::vector<bool>& visible, int from);

} // namespace trvx
