#include "controls/skinned/PopupMenuLayout.h"

namespace trvx {

PopupMenuLook popupMenuLook(SkinUIStyle look) {
    PopupMenuLook out;
    out.barWidth = 26;
    if (look == SkinUIStyle::MacOS) {
        out.menuItemHeight = 20;
        out.separatorHeight = 12;
        out.separatorColor = 0x000000;
    } else {
        out.menuItemHeight = 21;
        out.separatorHeight = 5;
        out.separatorColor = 0x848284;
    }
    const SkinUIStyle effective = UsingFileTheme(false, look).second;
    out.barColor = GetStyleColor(effective, theme::kMenuBarColor);
    out.color = GetStyleColor(effective, theme::kMenuBackgroundColor);
    out.fontColor = GetStyleColor(effective, theme::kMenuFontColor);
    out.selectedBorderColor = GetStyleColor(effective, theme::kMenuSelectedBorderColor);
    out.selectedColor = GetStyleColor(effective, theme::kMenuSelectedBackgroundColor);
    out.selectedFontColor = GetStyleColor(effective, theme::kMenuSelectedFontColor);
    return out;
}

int menuItemHeight(const PopupMenuLook& look, bool separator) {
    return separator ? look.separatorHeight : look.menuItemHeight;
}

int menuItemWidth(const PopupMenuLook& look, int captionWidth, int shortcutWidth) {
    return captionWidth + shortcutWidth + look.barWidth + 40;
}

MenuItemLayout layoutMenuItem(const PopupMenuLook& look, SkinRect r, const MenuItemState& s) {
    MenuItemLayout out;
    const int bw = look.barWidth;
    out.highlighted = s.selected && s.enabled;
    out.background = r;
    if (bw > 0) {
        if (s.mirrored) {
            out.bar = {r.right - bw, r.top, r.right, r.bottom};
            out.background.right = out.bar.left;
        } else {
            out.bar = {r.left, r.top, r.left + bw, r.bottom};
            out.background.left = out.bar.right;
        }
    }
    out.lineY = r.top + 2;
    if (s.mirrored) {
        out.lineLeft = r.left + 2;
        out.lineRight = r.right - bw - 4;
        out.caption = {r.right - bw - 4, r.top + 4};
        out.captionRightAligned = true;
        out.shortcut = {r.left + 16, r.top + 4};
    } else {
        out.lineLeft = r.left + bw + 4;
        out.lineRight = r.right - 2;
        out.caption = {r.left + bw + 4, r.top + 4};
        out.shortcut = {r.right - s.shortcutWidth - 16, r.top + 4};
    }
    const int gx = s.mirrored ? r.right - 20 : r.left + 4;
    out.glyph = {gx, r.top + 3};
    out.checkFrame = {gx - 2, r.top + 1, gx + 17, r.top + 20};
    out.checkFill = {gx - 1, r.top + 2, gx + 16, r.top + 19};
    if (!s.enabled) {
        out.textColor = kMenuDisabledTextColor;
    } else if (s.selected) {
        out.textColor = look.selectedFontColor;
    } else {
        out.textColor = look.fontColor;
    }
    return out;
}

} // namespace trvx
