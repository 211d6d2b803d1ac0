#pragma once
// The lighting page (gbPage3: LED modes, breathing steps, palette) as data: its controls and its
// layout and caption rules, put into the main window's tables by the shell in window order.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <vector>

namespace trvx {

class LayoutRules;

void AddLightingPageControls(ControlTable& t);
// The lighting controls of the engineering page, added after that page's own rows.
void AddEngineerLightingControls(ControlTable& t);

// Family E, and the page's text labels (read with the other pages' labels).
void LightingPageLayout(LayoutRules& r);
void LightingPageLabels(LayoutRules& r);

void AddLightingPageFonts(std::vector<std::string>& fonts);
// The page's free-standing text labels and their caption keys.
std::span<const CaptionBinding> LightingPageLabelCaptionKeys();

} // namespace trvx
