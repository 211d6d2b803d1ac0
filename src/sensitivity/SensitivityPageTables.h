#pragma once
// The sensitivity page (gbPage2: fire-key settings, pointer speeds, CPI levels, report rate) as
// data: its controls and its layout and caption rules, put into the main window's tables by the
// shell in window order.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <vector>

namespace trvx {

class LayoutRules;

void AddSensitivityPageControls(ControlTable& t);
// The level colour rows of the engineering sheet, after its controls.
void AddEngineerCpiColourControls(ControlTable& t);

// Family D, and the page's text labels (read with the other pages' labels).
void SensitivityPageLayout(LayoutRules& r);
void SensitivityPageLabels(LayoutRules& r);

void AddSensitivityPageFonts(std::vector<std::string>& fonts);
// The page's free-standing text labels and their caption keys.
std::span<const CaptionBinding> SensitivityPageLabelCaptionKeys();

} // namespace trvx
