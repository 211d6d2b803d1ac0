#pragma once
// Geometry of the skinned title bar: where its three background pieces, its caption buttons and
// its caption go, which frames of the button strip a button shows, and how a long caption is
// shortened. The widget paints and hit-tests what these functions compute.

#include "controls/skinned/LayoutRect.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

enum class TitleBarButtonType : std::uint8_t {
    Max = 0,
    Min = 1,
    Close = 2,
    Help = 3,
    ControlBox = 4,
    Custom = 5
};

enum class TitleBarAlign : std::uint8_t { Left = 0, Right = 1, Client = 2 };

// The title-bar button image holds this many equal frames, three per button type.
inline constexpr int kTitleButtonFrameCount = 18;

// First of the three frames (normal, mouse over, pressed; counted from 1) that a button of this
// type shows; the maximise button shows the restore frames while the form is maximised. A custom
// button keeps pictures of its own: 0.
int titleButtonFirstFrame(TitleBarButtonType type, bool formMaximized);

// Where the three section pictures go. `onSkinForm`: the bar sits on a skinned form frame, which
// draws the outer three rows and columns of the pictures itself; `sideBorderWidth` is the width of
// the frame's side-border picture (0 with the built-in looks).
struct TitleSectionsLayout {
    SkinRect left;   // section 1, unscaled
    SkinRect right;  // section 2, unscaled
    SkinRect client; // section 3, stretched
};
TitleSectionsLayout layoutTitleSections(int barWidth, bool onSkinForm, int sideBorderWidth,
                                        LayoutSize left, LayoutSize right, LayoutSize client);

// Height of an auto-sized bar: the left picture's height, less the three rows that a skinned
// form frame draws.
int titleBarAutoHeight(int leftPictureHeight, bool onSkinForm);

struct TitleButtonInput {
    TitleBarButtonType type = TitleBarButtonType::Custom;
    bool visible = true;
    LayoutSize picture; // size of the button's normal picture
};

struct TitleButtonsInput {
    int barWidth = 0;
    int buttonTop = 0;         // the look's button top, shared by every button
    int buttonImageHeight = 0; // height of the look's title-button image
    int buttonInterval = 0;
    int leftBtnXOffset = 0;
    int rightBtnXOffset = 0;
    int sideBorderWidth = 0;
    bool drawAppIcon = false;
    std::vector<TitleButtonInput> buttons; // in collection order
    SkinPoint cursor{-1000000, -1000000};  // in bar coordinates
    bool mouseDown = false;
};

enum class TitleButtonState : std::uint8_t { Normal, MouseOver, Pressed };

struct TitleButtonPlace {
    bool shown = false; // visible buttons only
    SkinRect rect;      // where it is hit and drawn
    TitleButtonState state = TitleButtonState::Normal;
};

struct TitleButtonsLayout {
    std::vector<TitleButtonPlace> buttons; // one per input button
    int hotIndex = -1;                     // the button under the cursor
    int controlBoxIndex = -1;
    SkinRect appIcon; // 16 x 16 icon place with DrawAppIcon, else empty
    int captionLeft = 0;
    int captionRight = 0; // the caption fits between captionLeft and captionRight
};
TitleButtonsLayout layoutTitleButtons(const TitleButtonsInput& in);

// Vertical place of the caption text: centred on the button image, rounded toward zero.
int titleCaptionTop(int buttonTop, int buttonImageHeight, int textHeight);

// Left end of the caption text: at the caption's left place, or under right-to-left reading
// ten pixels in from the buttons.
inline int titleCaptionLeft(const TitleButtonsLayout& l, int textWidth, bool rightToLeft) {
    return rightToLeft ? l.captionRight - textWidth - 10 : l.captionLeft;
}

// The caption as shown in `available` pixels: whole when it fits, else the longest prefix that
// fits followed by "...". When not even "..." fits, the result is "..." alone (the shortening
// always ends). Surrogate pairs are never split.
std::u16string fitTitleCaption(std::u16string_view caption, int available,
                               const std::function<int(std::u16string_view)>& textWidth);

} // namespace trvx
