#pragma once
// Every feature report that passed between the host and the simulated mouse, in order, and
// its text form: "> " for a report sent to the mouse, "< " for one received from it, then the
// bytes (report id first) as upper-case hex pairs separated by blanks.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace trvx {

struct SimFrame {
    bool sent = true; // false: received by the host
    std::vector<std::uint8_t> bytes;
    bool operator==(const SimFrame&) const = default;
};

// "> 40 05 00 2C 84 00 00 01"
std::string FormatFrame(const SimFrame& frame);
// Upper-case hex pairs separated by blanks, no prefix.
std::string FormatHexBytes(std::span<const std::uint8_t> bytes);
// One formatted frame a line, each line ending in '\n'.
std::string FormatFrames(std::span<const SimFrame> frames);

} // namespace trvx
