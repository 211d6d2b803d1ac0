#pragma once
// The main window put together from its pages: the whole control table, the layout and caption
// rules in the window's order, the start-up pictures and every caption key read. Each page's part
// lives beside the page (keys/, sensitivity/, macros/, fire/, engineering/); only here are they
// all visible, so the skin layer gets them handed in and knows no page.

#include "skin/WindowTables.h"

#include <string_view>
#include <vector>

namespace trvx {

// The tables the skin layer builds, lays out and captions the main window from.
const WindowTables& MainWindowTables();

// The whole control table, parents before their children, in creation (stacking) order.
const std::vector<ControlSpec>& MainWindowControlSpecs();
// The entry of that name, or nullptr.
const ControlSpec* FindControlSpec(std::string_view name);

// The pictures of the start-up image load, in order (a Picture op each); the key page's panel
// only while one of rb_1 .. rb_3 (pageRadio 1 .. 3) is checked.
std::vector<SkinOp> SkinImageOps(int pageRadio);

// Every caption key the program reads, FontName and Title included, sorted and without repeats.
std::vector<std::string_view> AllCaptionKeys();

} // namespace trvx
