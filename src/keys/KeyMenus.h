#pragma once
// The key-function menus of the key and engineering pages, in one table: each menu panel, its
// entries in row order with their Tags and caption keys, and the panel or list each opener
// opens. The control table, the layout pass and the caption pass all read it.

#include <span>
#include <string>
#include <string_view>

namespace trvx {

struct KeyMenuEntry {
    std::string_view name;       // the entry label, "Key_Media"
    int tag = 0;                 // an opener's number (1 .. 13) or a function's Tag (900 ..)
    std::string_view captionKey; // shown behind the menu marker
    std::string_view opens;      // the panel or list an opener shows, "" for a function entry
    bool arrow = false;          // an arrow label "ST_" + the name's tail marks the sub-menu
};

struct KeyMenu {
    std::string_view panel; // "Pnl_Main"
    std::span<const KeyMenuEntry> entries;
};

// The menu panels in the order they are created (so they stack in it), entries in row order.
std::span<const KeyMenu> KeyMenus();

// The two pick lists an opener of the main menu shows beside it (device macros, gun keys).
inline constexpr std::string_view kKeyMenuLists[] = {"LB_Name", "LB_Script"};

// The panel of that name, or nullptr.
const KeyMenu* FindKeyMenu(std::string_view panel);
// The entry of that label name in any menu, or nullptr.
const KeyMenuEntry* FindKeyMenuEntry(std::string_view name);
// The arrow label of an entry: "ST_Media" for "Key_Media".
std::string KeyMenuArrow(const KeyMenuEntry& entry);

// The first Tag of a function entry; smaller Tags open menus.
inline constexpr int kFirstFunctionTag = 900;

} // namespace trvx
