#pragma once
// Everything the skin layer needs to know about one window's pages, handed in by its owner (the
// shell puts the main window's together from the pages), so the skin layer knows no page.

#include <vector>

namespace trvx {

struct ControlSpec; // skin/ControlTable.h
struct SkinOp;      // skin/LayoutPlan.h
class LayoutRules;  // skin/LayoutRules.h

struct WindowTables {
    // Every control, parents before their children, in creation (stacking) order.
    const std::vector<ControlSpec>& (*controls)() = nullptr;
    // The layout rules, reading the layout keys in their listed order.
    void (*place)(LayoutRules&) = nullptr;
    // The caption rules; run only when every layout key read well.
    void (*captions)(LayoutRules&) = nullptr;
    // The pictures of the start-up image load while that page radio (0 .. 8) is checked.
    std::vector<SkinOp> (*startImages)(int pageRadio) = nullptr;
};

} // namespace trvx
