#include "controls/skinned/TrayIconState.h"

namespace trvx {

std::u16string TrayTipText(std::u16string_view hint, bool showHint) {
    if (hint.empty() || !showHint)
        return {};
    return std::u16string(hint.substr(0, 127));
}

} // namespace trvx
