#pragma once
// The gun-mode page (gbPage6) as data: its controls, with the gun-key macro editor, and its
// layout and caption rules, put into the main window's tables by the shell in window order.

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class LayoutRules;

void AddFirePageControls(ControlTable& t);
// The fire controls of the engineering page's gun sheet that its own table leaves out; added
// after it.
void AddFireEngineerControls(ControlTable& t);

// Family J, and the page's text labels (read with the other pages' labels).
void FirePageLayout(LayoutRules& r);
void FirePageLabels(LayoutRules& r);

void AddFirePageFonts(std::vector<std::string>& fonts);
void FirePageCaptions(LayoutRules& r);
// The page's free-standing text labels and their caption keys.
std::span<const CaptionBinding> FirePageLabelCaptionKeys();
// Buttons, insert panel labels and radios.
std::span<const CaptionBinding> FirePageCaptionKeys();
// Items 0 .. 5 of the insert list, in item order.
std::span<const std::string_view> FireInsertItemKeys();

} // namespace trvx
