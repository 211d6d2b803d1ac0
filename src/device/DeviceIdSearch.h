#pragma once
// Which USB ids the mouse is searched for. The program's own pair comes from its first default
// image; a mouse that enumerates under other ids (its maker's own pair) is found by naming that
// pair in TRVX_DEVICE=VVVV:PPPP, as `lsusb` prints it, which puts it first in the search.

#include "device/DevicePoller.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

inline constexpr const char* kDeviceIdsVariable = "TRVX_DEVICE";

// "1209:0001" (hex, one to four digits each side, blanks around ignored): the pair; nullopt for
// anything else, and for a pair with a zero member, which is never searched for.
std::optional<DeviceIdPair> ParseUsbIdPair(std::string_view text);

struct DeviceSearch {
    std::vector<DeviceIdPair> table; // searched in order
    std::string warning;             // a value that names no pair: why it was ignored
};

// The user's pair (the TRVX_DEVICE value; nullptr or empty: none) first, then the program's own.
DeviceSearch DeviceSearchTable(DeviceIdPair ownPair, const char* userValue);

} // namespace trvx
