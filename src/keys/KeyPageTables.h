#pragma once
// The key page (gbPage1) as data: its controls, with the key-function menus, and its layout
// and caption rules. The shell puts these into the main window's tables in window order.

#include "skin/ControlTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class LayoutRules;

void AddKeyPageControls(ControlTable& t);

// Family C (key labels and mode-switch options), family G (the menus), and the options' width
// key read with the text labels.
void KeyPageLayout(LayoutRules& r);
void KeyMenuLayout(LayoutRules& r);
void KeyPageWidths(LayoutRules& r);

// The controls that take the set's font, and the captions.
void AddKeyPageFonts(std::vector<std::string>& fonts);
void KeyPageCaptions(LayoutRules& r);
// Every caption key those read: the mode-switch options and the menu entries.
std::vector<std::string_view> KeyPageCaptionKeys();
// The captions a key entry can show on a key label: the menus' functions, a user-defined key
// with no keys, the gun-mode names.
std::vector<std::string_view> KeyFunctionCaptionKeys();

} // namespace trvx
