#pragma once
// What every skinned page shares, as data: the pages and state radios, the frame of each page
// copy (title-bar buttons, side menu, language and web buttons), the cover label and the exit and
// minimise buttons; the frame's layout and caption rules.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <vector>

namespace trvx {

class LayoutRules;

// gbPage1 .. gbPage7 and the radios rb_1 .. rb_8, rb_Lang1 .. rb_Lang3.
void AddWindowPages(ControlTable& t);
// Frame, then cover and close buttons, of skinned page copies 1 .. 5.
void AddWindowFrames(ControlTable& t);

// The set's backgrounds, then families A (title bar) and B (side menu).
void WindowFrameLayout(LayoutRules& r);
void AddWindowFrameFonts(std::vector<std::string>& fonts);
// Title, side-menu captions, the no-device text, the menu marker and the kept texts.
void WindowFrameCaptions(LayoutRules& r);

// Side menu, language and restore buttons, five copies each.
std::span<const CaptionBinding> FrameCaptionKeys();

} // namespace trvx
