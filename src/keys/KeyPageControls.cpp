#include "keys/KeyMenus.h"
#include "keys/KeyPageTables.h"

namespace trvx {
namespace {

using K = ControlKind;

// A key-function menu: a hidden panel with one entry label a row, and the arrows of the entries
// that open a sub-menu.
void addMenu(ControlTable& t, const KeyMenu& menu) {
    const std::string panel(menu.panel);
    const int rows = static_cast<int>(menu.entries.size());
    t.add(panel, K::Panel, "gbPage1", 0, 0, 170, 4 + 20 * rows).hidden = true;
    int row = 0;
    for (const KeyMenuEntry& e : menu.entries) {
        t.label(std::string(e.name), panel, 2, 2 + 20 * row, 166, 20);
        if (e.arrow)
            t.label(KeyMenuArrow(e), panel, 146, 2 + 20 * row, 20, 20, ">");
        ++row;
    }
}

} // namespace

void AddKeyPageControls(ControlTable& t) {
    const std::string p = "gbPage1";
    t.picture("Img_Base_1", p);
    t.picture("Img_P1", p);
    for (int n = 1; n <= 12; ++n) {
        t.picture(Numbered("Img_Key", n), p);
        t.label(Numbered("Key", n), p, 0, 0, 150, 30).centred = true;
    }
    // The eighth option (gun key) shows only while the gun display asks for it.
    for (int n = 1; n <= 8; ++n) {
        t.picture(Numbered("Img_ComboKey", n), p).hidden = n == 8;
        t.label(Numbered("IB_ComboKey", n), p, 0, 0, 320, 16).hidden = n == 8;
    }
    for (const KeyMenu& menu : KeyMenus())
        addMenu(t, menu);
    for (std::string_view list : kKeyMenuLists)
        t.add(std::string(list), K::ListBox, p, 0, 0, 170, 200).hidden = true;
}

} // namespace trvx
