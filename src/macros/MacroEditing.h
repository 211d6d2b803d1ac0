#pragma once
// Changes the macro editor makes to a script (line 0 the header, list item i is line i + 1).

#include "macros/MacroCode.h"

#include <optional>

namespace trvx {

struct LineDeletion {
    bool removed = false;
    bool partnerMissing = false; // a press or release without its partner: nothing removed
    int selectItem = -1;         // the list item to select afterwards (-1: none)
};

// Deletes list item `item`: a delay, move or loop end alone; a press with the first later
// release of the same name; a release with the nearest earlier press of the same name. A loop
// start stays.
LineDeletion DeleteScriptItem(MacroScript& script, int item);

// The list item of the partner of a press or release line (its release or press, found as the
// deletion finds it); nullopt for other lines and a missing partner.
std::optional<int> PartnerItem(const MacroScript& script, int item);

} // namespace trvx
