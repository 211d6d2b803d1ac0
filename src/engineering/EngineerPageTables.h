#pragma once
// The engineering page (gbPage7) as data: its controls. It is a plain class-library page that no
// layout family places and the term table captions.

#include "skin/ControlTable.h"

namespace trvx {

void AddEngineerPageControls(ControlTable& t);

} // namespace trvx
