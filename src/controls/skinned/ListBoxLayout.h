#pragma once
// The skinned list box's item colours and text place, and the two border rings round it.

#include "controls/skinned/LayoutRect.h"
#include "controls/skinned/StyleTable.h"

#include <cstdint>

namespace trvx {

enum class ListAlignment : std::uint8_t { Left, Right, Center };

struct ListColors {
    SkinColor color = 0xFFFFFF;     // the list's own colour (item background)
    SkinColor fontColor = 0x000000; // the font's colour
    SkinColor selectedColor = 0;
    SkinColor selectedTextColor = 0;
    SkinColor disabledTextColor = 0;
};

struct ListItemPaint {
    SkinColor brush = 0;
    SkinColor text = 0;
};

// Colours of one item: the selection brush and text when selected; the disabled text colour when
// the item is greyed or the list is disabled, which wins over the selected text colour.
ListItemPaint listItemPaint(const ListColors& c, bool selected, bool itemDisabled,
                            bool listEnabled);

// The item's text rectangle: two pixels in from the leading side (the right one when the text
// reads right to left).
SkinRect listItemTextRect(SkinRect item, bool rightToLeft);

// The border rings of a W x H list: the outer one in the border colour, the inner one in the
// list's colour.
struct ListBorderRings {
    SkinRect outer;
    SkinRect inner;
};
inline ListBorderRings listBorderRings(int width, int height) {
    return {{0, 0, width, height}, {1, 1, width - 1, height - 1}};
}

// The border colour a look gives the list.
inline SkinColor listBorderColor(SkinUIStyle look) {
    return GetStyleColor(UsingFileTheme(false, look).second, theme::kControlBorderColor);
}

} // namespace trvx
