#include "controls/skinned/ListBoxLayout.h"

namespace trvx {

ListItemPaint listItemPaint(const ListColors& c, bool selected, bool itemDisabled,
                            bool listEnabled) {
    ListItemPaint p{c.color, c.fontColor};
    if (selected) {
        p.brush = c.selectedColor;
        p.text = c.selectedTextColor;
    }
    if (itemDisabled || !listEnabled) {
        p.text = c.disabledTextColor;
    }
    return p;
}

SkinRect listItemTextRect(SkinRect item, bool rightToLeft) {
    if (rightToLeft) {
        item.right -= 2;
    } else {
        item.left += 2;
    }
    return item;
}

} // namespace trvx
