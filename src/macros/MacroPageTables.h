#pragma once
// The macro page (gbPage4) as data: its controls and its layout and caption rules, put into the
// main window's tables by the shell in window order.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class LayoutRules;

void AddMacroPageControls(ControlTable& t);

// Family F, the page's text labels, and the pop-up menus' width key read after every page's
// labels.
void MacroPageLayout(LayoutRules& r);
void MacroPageLabels(LayoutRules& r);
void MacroPageWidths(LayoutRules& r);

void AddMacroPageFonts(std::vector<std::string>& fonts);
void MacroPageCaptions(LayoutRules& r);
// The page's free-standing text labels and their caption keys.
std::span<const CaptionBinding> MacroPageLabelCaptionKeys();
// Buttons, insert panel labels and radios.
std::span<const CaptionBinding> MacroPageCaptionKeys();
// Items 0 .. 7 of the insert list, in item order.
std::span<const std::string_view> MacroInsertItemKeys();

} // namespace trvx
