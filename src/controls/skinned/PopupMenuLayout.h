#pragma once
// The skinned popup menu's look and item geometry: item sizes, the side bar, the highlight, the
// separator line, where caption, shortcut and check mark go, and the colours an item uses.

#include "controls/skinned/LayoutRect.h"
#include "controls/skinned/StyleTable.h"

#include <string_view>

namespace trvx {

struct PopupMenuLook {
    int barWidth = 0;
    int menuItemHeight = 21;
    int separatorHeight = 21;
    SkinColor barColor = 0;
    SkinColor color = 0xFFFFFF;
    SkinColor separatorColor = 0x808080;
    SkinColor selectedBorderColor = 0;
    SkinColor selectedColor = 0;
    SkinColor selectedFontColor = 0xFFFFFF;
    SkinColor fontColor = 0xFFFFFF;
};

// What setting the menu's look gives it.
PopupMenuLook popupMenuLook(SkinUIStyle look);

inline bool isMenuSeparator(std::string_view caption) {
    return caption == "-";
}

int menuItemHeight(const PopupMenuLook& look, bool separator);
int menuItemWidth(const PopupMenuLook& look, int captionWidth, int shortcutWidth);

inline constexpr SkinColor kMenuDisabledTextColor = 0x808080;

struct MenuItemLayout {
    SkinRect bar;        // side bar, empty without one
    SkinRect background; // the rest of a not-highlighted item
    bool highlighted = false;
    // Separator line from (lineLeft, lineY) to (lineRight, lineY).
    int lineLeft = 0;
    int lineRight = 0;
    int lineY = 0;
    SkinPoint caption; // left end of the caption, or its right end when mirrored
    bool captionRightAligned = false;
    SkinPoint shortcut;  // left end of the shortcut text
    SkinPoint glyph;     // check mark or item image
    SkinRect checkFrame; // black frame round a checked item's image
    SkinRect checkFill;  // filled with the selected colour inside it
    SkinColor textColor = 0;
};

struct MenuItemState {
    bool selected = false;
    bool enabled = true;
    int shortcutWidth = 0;
    bool mirrored = false; // right-to-left reading on a Middle-East locale
};

MenuItemLayout layoutMenuItem(const PopupMenuLook& look, SkinRect r, const MenuItemState& s);

} // namespace trvx
