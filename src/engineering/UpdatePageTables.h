#pragma once
// The update page (gbPage5: firmware patch file) as data: its controls and its layout and
// caption rules, put into the main window's tables by the shell in window order.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <vector>

namespace trvx {

class LayoutRules;

void AddUpdatePageControls(ControlTable& t);
// Family I.
void UpdatePageLayout(LayoutRules& r);
void AddUpdatePageFonts(std::vector<std::string>& fonts);
void UpdatePageCaptions(LayoutRules& r);
std::span<const CaptionBinding> UpdatePageCaptionKeys();

} // namespace trvx
