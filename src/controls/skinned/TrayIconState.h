#pragma once
// What the notification-area icon shows besides its picture.

#include <string>
#include <string_view>

namespace trvx {

// The tip: the first 127 UTF-16 units of the hint when there is one and hints are shown, else
// nothing.
std::u16string TrayTipText(std::u16string_view hint, bool showHint);

} // namespace trvx
