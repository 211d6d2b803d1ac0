#include "controls/skinned/TabStripLayout.h"

#include <algorithm>

namespace trvx {

int tabWidth(bool emptyCaption, int captionWidth) {
    const int w = emptyCaption ? 80 : captionWidth + 20;
    return std::max(w, 15);
}

TabStripLayout layoutTabStrip(const TabStripInput& in) {
    TabStripLayout out;
    out.widths.fill(-1);
    const int w = in.stripWidth;
    const int s = in.scrollButtonWidth;
    const int count = static_cast<int>(in.tabs.size());
    const int clipEdge = w - 2 * s - 2;
    out.tabHeight = in.activeTabHeight;

    // Rows of the inactive tabs; the active tab sits one pixel nearer the line.
    int tabTop = 0;
    int tabBottom = in.inactiveTabHeight;
    int shift = 1;
    if (in.tabsAtBottom) {
        out.line = {1, 0, w - 1, in.lineHeight};
        out.leftEdge = {0, 0, 1, in.lineHeight};
        out.rightEdge = {w - 1, 0, w, in.lineHeight};
        tabTop = in.stripHeight - in.inactiveTabHeight;
        tabBottom = in.stripHeight;
        shift = -1;
    } else {
        const int h = in.inactiveTabHeight;
        out.line = {1, h, w - 1, h + in.lineHeight};
        out.leftEdge = {0, h, 1, h + in.lineHeight};
        out.rightEdge = {w - 1, h, w, h + in.lineHeight};
    }

    int x = in.leftMargin;
    int shown = 0;
    bool clipped = false;
    int limit = w - 10;
    out.lastWholeIndex = count - 1;
    for (int i = 0; i < count; ++i) {
        const TabInput& tab = in.tabs[static_cast<std::size_t>(i)];
        if (!tab.visible) {
            if (i < kTabTableSize) {
                out.widths[static_cast<std::size_t>(i)] = 0;
            }
            continue;
        }
        if (clipped) {
            break;
        }
        limit = i == count - 1 ? w - 10 : clipEdge;
        const int tw = tabWidth(tab.emptyCaption, tab.captionWidth);
        if (i < kTabWidthEntries) {
            out.widths[static_cast<std::size_t>(i)] = tw;
        }
        ++shown;
        if (shown <= in.scrollOffset) {
            continue;
        }
        TabPlace place;
        place.index = i;
        place.active = i == in.tabIndex;
        const int dy = place.active ? shift : 0;
        place.rect = {x, tabTop + dy, x + tw, tabBottom + dy};
        if (place.rect.right > limit) {
            place.rect.right = clipEdge;
            place.clipped = true;
            clipped = true;
            out.lastWholeIndex = i - 1;
            if (!place.active && i < kTabWidthEntries) {
                out.widths[static_cast<std::size_t>(i)] = place.rect.width();
            }
        }
        out.tabs.push_back(place);
        x += tw;
    }
    out.scrollNeeded = (x > limit || clipped) && count > 0;
    return out;
}

int ensureTabVisibleOffset(const TabStripInput& in) {
    const int count = static_cast<int>(in.tabs.size());
    const bool activeShown = in.tabIndex >= 0 && in.tabIndex < count &&
                             in.tabs[static_cast<std::size_t>(in.tabIndex)].visible;
    TabStripInput probe = in;
    for (; probe.scrollOffset <= count; ++probe.scrollOffset) {
        const TabStripLayout l = layoutTabStrip(probe);
        if (l.lastWholeIndex < in.tabIndex) {
            continue;
        }
        if (!activeShown) {
            return probe.scrollOffset;
        }
        for (const TabPlace& t : l.tabs) {
            if (t.index == in.tabIndex && !t.clipped) {
                return probe.scrollOffset;
            }
        }
    }
    // A tab too wide to show whole at any offset stays where it was.
    return in.scrollOffset;
}

int hitTestTab(const TabStripLayout& layout, SkinPoint p) {
    for (const TabPlace& t : layout.tabs) {
        // Edges belong to no tab.
        if (p.x > t.rect.left && p.x < t.rect.right && p.y > t.rect.top && p.y < t.rect.bottom) {
            return t.index;
        }
    }
    return -1;
}

ScrollButtonsLayout layoutScrollButtons(const TabStripInput& in, bool scrollNeeded,
                                        int scrollButtonHeight) {
    ScrollButtonsLayout out;
    out.shown = scrollNeeded || in.scrollOffset > 0;
    const int h = in.stripHeight;
    const int bh = scrollButtonHeight;
    int y = 0;
    if (in.tabsAtBottom) {
        y = bh + 4 < h ? (h - bh) / 2 + 2 : h - bh;
    } else {
        y = bh + 4 < h ? (h - bh) / 2 - 2 : 0;
    }
    const int w = in.stripWidth;
    const int s = in.scrollButtonWidth;
    out.right = {w - s - 2, y, w - 2, y + bh};
    out.left = {w - 2 * s - 2, y, w - s - 2, y + bh};
    return out;
}

int scrollOffsetAfterClick(int offset, int hotButton, bool scrollNeeded, int tabCount) {
    if (hotButton < 0) {
        --offset;
    } else if (hotButton > 0 && scrollNeeded) {
        ++offset;
    }
    return std::clamp(offset, 0, std::max(tabCount, 0));
}

int nearestVisibleTab(const std::vector<bool>& visible, int from) {
    const int count = static_cast<int>(visible.size());
    for (int i = std::min(from, count) - 1; i >= 0; --i) {
        if (visible[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    for (int i = std::max(from + 1, 0); i < count; ++i) {
        if (visible[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return -1;
}

} // namespace trvx
