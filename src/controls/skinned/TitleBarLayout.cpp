#include "controls/skinned/TitleBarLayout.h"

#include <algorithm>

namespace trvx {

int titleButtonFirstFrame(TitleBarButtonType type, bool formMaximized) {
    switch (type) {
    case TitleBarButtonType::ControlBox:
        return 1;
    case TitleBarButtonType::Help:
        return 4;
    case TitleBarButtonType::Max:
        return formMaximized ? 10 : 7;
    case TitleBarButtonType::Min:
        return 13;
    case TitleBarButtonType::Close:
        return 16;
    case TitleBarButtonType::Custom:
        break;
    }
    return 0;
}

TitleSectionsLayout layoutTitleSections(int barWidth, bool onSkinForm, int sideBorderWidth,
                                        LayoutSize left, LayoutSize right, LayoutSize client) {
    // On a frame the pictures start above and left of the bar: the frame shows their outer rows
    // and columns in its own border.
    int x0 = 0;
    int y0 = 0;
    if (onSkinForm) {
        x0 = sideBorderWidth != 0 ? -sideBorderWidth : -3;
        y0 = -3;
    }
    TitleSectionsLayout out;
    out.left = {x0, y0, x0 + left.width, y0 + left.height};
    const int r = barWidth - right.width - x0;
    out.right = {r, y0, r + right.width, y0 + right.height};
    out.client = {out.left.right, y0, r, y0 + client.height};
    return out;
}

int titleBarAutoHeight(int leftPictureHeight, bool onSkinForm) {
    return onSkinForm ? leftPictureHeight - 3 : leftPictureHeight;
}

namespace {

TitleButtonState stateFor(bool hot, bool mouseDown) {
    if (!hot) {
        return TitleButtonState::Normal;
    }
    return mouseDown ? TitleButtonState::Pressed : TitleButtonState::MouseOver;
}

} // namespace

TitleButtonsLayout layoutTitleButtons(const TitleButtonsInput& in) {
    TitleButtonsLayout out;
    out.buttons.resize(in.buttons.size());
    const int w = in.barWidth;
    const int t = in.buttonTop;

    // Right-hand buttons, in collection order from the right edge leftwards.
    int a = w + in.rightBtnXOffset + in.sideBorderWidth;
    for (std::size_t i = 0; i < in.buttons.size(); ++i) {
        const TitleButtonInput& b = in.buttons[i];
        if (!b.visible) {
            continue;
        }
        if (b.type == TitleBarButtonType::ControlBox) {
            out.controlBoxIndex = static_cast<int>(i);
            continue;
        }
        a -= b.picture.width + in.buttonInterval + 1;
        if (a + b.picture.width + 1 > w) {
            a = w - b.picture.width - 1;
        }
        TitleButtonPlace& p = out.buttons[i];
        p.shown = true;
        p.rect = {a, t, a + b.picture.width, t + b.picture.height};
        if (RectContains(p.rect, in.cursor)) {
            out.hotIndex = static_cast<int>(i);
        }
    }

    int x = std::max(0, in.leftBtnXOffset - (in.sideBorderWidth - 1));
    if (out.controlBoxIndex >= 0) {
        const TitleButtonInput& b = in.buttons[static_cast<std::size_t>(out.controlBoxIndex)];
        TitleButtonPlace& p = out.buttons[static_cast<std::size_t>(out.controlBoxIndex)];
        p.shown = true;
        p.rect = {x, t, x + b.picture.width, t + b.picture.height};
        if (RectContains(p.rect, in.cursor)) {
            out.hotIndex = out.controlBoxIndex;
        }
        if (in.drawAppIcon) {
            out.appIcon = {x + 3, t, x + 19, t + 16};
            x += 21;
        } else {
            // The picture sits one row above the place that is hit.
            x += b.picture.width + 5;
        }
    }
    if (x == 0) {
        x = 6;
    }
    for (std::size_t i = 0; i < out.buttons.size(); ++i) {
        out.buttons[i].state = stateFor(static_cast<int>(i) == out.hotIndex, in.mouseDown);
    }
    out.captionLeft = x;
    out.captionRight = a;
    return out;
}

int titleCaptionTop(int buttonTop, int buttonImageHeight, int textHeight) {
    return buttonTop + (buttonImageHeight - textHeight) / 2;
}

std::u16string fitTitleCaption(std::u16string_view caption, int available,
                               const std::function<int(std::u16string_view)>& textWidth) {
    if (caption.empty() || textWidth(caption) <= available) {
        return std::u16string(caption);
    }
    std::u16string shortened(caption);
    // Drop one character at a time from the end; stop at the empty prefix.
    while (!shortened.empty()) {
        shortened.pop_back();
        if (!shortened.empty() && shortened.back() >= 0xD800 && shortened.back() <= 0xDBFF) {
            shortened.pop_back(); // never leave half a surrogate pair
        }
        std::u16string candidate = shortened + u"...";
        if (textWidth(candidate) <= available) {
            return candidate;
        }
    }
    return u"...";
}

} // namespace trvx
