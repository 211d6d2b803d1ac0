#pragma once
// The engineering page (gbPage7) as data: its controls. It is a plain class-library page that no
// layout family places and the term table captions; only its key buttons take their font size
// from the layout text, since they show the key page's captions of the current language set.

#include "skin/ControlTable.h"

namespace trvx {

class LayoutRules;

void AddEngineerPageControls(ControlTable& t);
// The profiles' key buttons btn_Key101 .. btn_Key312: font size EngKey_Size.
void EngineerKeyButtonsLayout(LayoutRules& r);

} // namespace trvx
