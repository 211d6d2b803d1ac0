#include "sim/FrameLog.h"

#include "base/NumberText.h"

namespace trvx {

std::string FormatHexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += ' ';
        AppendHexByte(text, bytes[i]);
    }
    return text;
}

std::string FormatFrame(const SimFrame& frame) {
    return (frame.sent ? "> " : "< ") + FormatHexBytes(frame.bytes);
}

std::string FormatFrames(std::span<const SimFrame> frames) {
    std::string text;
    for (const SimFrame& frame : frames) {
        text += FormatFrame(frame);
        text += '\n';
    }
    return text;
}

} // namespace trvx
