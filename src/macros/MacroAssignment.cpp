#include "macros/MacroAssignment.h"

#include <algorithm>

namespace trvx {

KeyEntryBytes DeviceMacroKeyEntry(std::uint16_t start) {
    return {0x10, static_cast<std::uint8_t>(start >> 8), static_cast<std::uint8_t>(start & 0xFF),
            0x00};
}

bool IsLastLeftButton(std::span<const std::string> captions, int edited,
                      const std::string& leftButtonCaption) {
    if (edited < 1 || edited > static_cast<int>(captions.size()))
        return false;
    if (captions[static_cast<std::size_t>(edited - 1)] != leftButtonCaption)
        return false;
    return std::count(captions.begin(), captions.end(), leftButtonCaption) == 1;
}

} // namespace trvx
