#pragma once
// What a key-function menu choice takes from the option controls of the other pages when it
// builds an entry: the fire-key edits of the sensitivity page, byte 3 of the named buttons and
// the profile-switch options of the engineering page.

#include "keys/KeyEntryText.h"
#include "pages/ui/PageHost.h"

namespace trvx {

// Fills ctx.fireKeyEdits, ctx.optionBytes and ctx.profileSwitch from the controls; a control
// that is missing or holds no valid value leaves its field as it was.
void CollectKeyFunctionOptions(PageHost& host, KeyEntryContext& ctx);

} // namespace trvx
