#pragma once
// Key captions as the pages show them: the context KeyCodeToText needs, from the window.

#include "keys/KeyEntryText.h"
#include "pages/ui/PageHost.h"

namespace trvx {

// The captions of the set being applied, the mouse's storage type, and the fire keys named
// after the parameter sets stored in ID bytes 2..10.
KeyEntryContext KeyContextOf(PageHost& host);

// The caption of key k (1..12) of profile p (1..3) in the working image.
QString KeyCaption(PageHost& host, const KeyEntryContext& ctx, int profile, int key);

} // namespace trvx
