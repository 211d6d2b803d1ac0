#include "macros/MacroCode.h"

#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace trvx {
namespace {

std::string Hex2(std::uint8_t b) {
    std::string hex;
    AppendHexByte(hex, b);
    return hex;
}

// The last n characters of a line, or the whole line when it is shorter.
std::string_view Tail(std::string_view line, std::size_t n) {
    return line.size() <= n ? line : line.substr(line.size() - n);
}

// A decimal integer filling the whole text (leading blanks allowed); nullopt when unreadable.
std::optional<long long> ReadDecimal(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<long long>::max();
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

int MacroEventSize(std::uint8_t opcode) {
    switch (opcode) {
    case meEnd:
        return 1;
    case meModifierUp:
    case meKeyUp:
    case meModifierDown:
    case meKeyDown:
    case meLoopStart:
        return 2;
    case meMove:
    case meDelay:
        return 3;
    case meLoopEnd:
        return 1;
    default:
        break;
    }
    for (std::uint8_t bit : kMacroButtonBits) {
        if (opcode == kButtonDownBase + bit || opcode == kButtonUpBase + bit)
            return 1;
    }
    return 0;
}

std::optional<std::size_t> MacroBodyEnd(std::span<const std::uint8_t> bytes) {
    const std::size_t limit = std::min(bytes.size(), kMacroBodySize);
    std::size_t p = 0;
    while (p < limit) {
        const int size = MacroEventSize(bytes[p]);
        if (size == 0 || p + static_cast<std::size_t>(size) > limit)
            return std::nullopt;
        if (bytes[p] == meEnd)
            return p + 1;
        p += static_cast<std::size_t>(size);
    }
    return std::nullopt;
}

std::string_view ModifierName(std::uint8_t mask) {
    switch (mask) {
    case 0x01:
        return "Ctrl";
    case 0x02:
        return "Shift";
    case 0x04:
        return "Alt";
    case 0x08:
        return "Left Windows";
    case 0x80:
        return "Right Windows";
    default:
        return {};
    }
}

std::string_view ButtonName(std::uint8_t bit) {
    switch (bit) {
    case 0x01:
        return "LeftKey";
    case 0x02:
        return "RightKey";
    case 0x04:
        return "MiddleKey";
    case 0x08:
        return "Forward";
    case 0x10:
        return "Backward";
    default:
        return {};
    }
}

MacroScriptLine DelayLine(std::uint16_t milliseconds) {
    return "0 " + std::to_string(milliseconds);
}

MacroScriptLine ModifierLine(bool down, std::uint8_t mask) {
    return std::string(down ? "1 " : "2 ") + std::string(ModifierName(mask)) +
           " CODE:" + (down ? "81" : "01") + Hex2(mask);
}

MacroScriptLine KeyLine(bool down, std::uint8_t usage, std::string_view keyName) {
    return std::string(down ? "1 " : "2 ") + std::string(keyName) +
           " CODE:" + (down ? "82" : "02") + Hex2(usage);
}

MacroScriptLine ButtonLine(bool down, std::uint8_t bit) {
    const auto op = static_cast<std::uint8_t>((down ? kButtonDownBase : kButtonUpBase) + bit);
    return std::string(down ? "1 " : "2 ") + std::string(ButtonName(bit)) + " CODE:00" + Hex2(op);
}

MacroScriptLine MoveLine(std::int8_t x, std::int8_t y) {
    return "3 04" + Hex2(static_cast<std::uint8_t>(x)) + Hex2(static_cast<std::uint8_t>(y));
}

MacroScriptLine LoopStartLine(std::uint8_t count) {
    return "7 FD" + Hex2(count);
}

MacroScriptLine LoopEndLine() {
    return "8 FC";
}

MacroScriptLine DelayHeaderLine(MacroDelayMode mode, std::uint16_t fixedDelay) {
    switch (mode) {
    case MacroDelayMode::Fixed:
        return "01" + std::to_string(fixedDelay);
    case MacroDelayMode::Recorded:
        return "10";
    case MacroDelayMode::None:
        break;
    }
    return "00";
}

CompileResult CompilePCMacroScript(const MacroScript& lines) {
    CompileResult result;
    std::vector<std::uint8_t> bytes;
    std::string hex;
    auto bad = [&](std::size_t index) {
        result.error = CompileError::BadLine;
        result.errorLine = static_cast<int>(index);
        return result;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty())
            continue;
        std::string part;
        switch (line[0]) {
        case '1':
        case '2': {
            std::string_view code = Tail(line, 4);
            if (code.size() == 4 && code.substr(0, 2) == "00")
                code = code.substr(2); // a one-byte button event
            part = code;
            break;
        }
        case '3':
        case '4':
        case '5':
        case '6':
            part = Tail(line, 6);
            break;
        case '7':
            part = Tail(line, 4);
            break;
        case '8':
            part = Tail(line, 2);
            break;
        case '0': {
            const auto value = ReadDecimal(line.substr(std::min<std::size_t>(2, line.size())));
            const long long ms = value.value_or(0);
            if (ms < 0 || ms > 0xFFFF)
                return bad(i);
            part = "FE" + Hex2(static_cast<std::uint8_t>(ms >> 8)) +
                   Hex2(static_cast<std::uint8_t>(ms & 0xFF));
            break;
        }
        default:
            continue;
        }
        if (part.size() % 2 != 0)
            return bad(i);
        for (std::size_t k = 0; k < part.size(); k += 2) {
            const auto b = ParseHexByte(std::string_view(part).substr(k, 2));
            if (!b)
                return bad(i);
            bytes.push_back(*b);
            hex += Hex2(*b);
        }
        // Stop early: a script far too long must not grow without bound either.
        if (bytes.size() >= kMacroBodySize) {
            result.error = CompileError::TooLong;
            return result;
        }
    }
    bytes.push_back(meEnd);
    hex += "00";
    CompiledMacro macro;
    std::copy(bytes.begin(), bytes.end(), macro.body.begin());
    macro.length = static_cast<std::uint16_t>(bytes.size());
    macro.hexLine = std::move(hex);
    result.macro = std::move(macro);
    return result;
}

std::string CompileErrorText(const CompileResult& result) {
    if (result.macro)
        return {};
    if (result.error == CompileError::TooLong)
        return "The macro is too long: it must fit in 256 bytes.";
    return "Line " + std::to_string(result.errorLine) + " of the macro is no valid macro line.";
}

MacroListing MacroBodyToScript(std::span<const std::uint8_t> body, std::size_t length,
                               const KeyNameFunction& keyName) {
    MacroListing listing;
    listing.lines.push_back("00");
    std::array<std::uint16_t, 4> delays{};
    std::size_t delayCount = 0;
    std::size_t p = 0;
    while (p + 1 < length && p < body.size()) {
        const std::uint8_t op = body[p];
        const int size = MacroEventSize(op);
        if (size == 0 || op == meEnd || p + static_cast<std::size_t>(size) > body.size()) {
            listing.complete = false;
            break;
        }
        const std::uint8_t a = size > 1 ? body[p + 1] : 0;
        const std::uint8_t b = size > 2 ? body[p + 2] : 0;
        switch (op) {
        case meModifierDown:
        case meModifierUp:
            if (ModifierName(a).empty()) {
                listing.complete = false;
                p = body.size();
                continue;
            }
            listing.lines.push_back(ModifierLine(op == meModifierDown, a));
            break;
        case meKeyDown:
        case meKeyUp:
            listing.lines.push_back(KeyLine(op == meKeyDown, a, keyName ? keyName(a) : ""));
            break;
        case meMove:
            listing.lines.push_back(
                MoveLine(static_cast<std::int8_t>(a), static_cast<std::int8_t>(b)));
            break;
        case meLoopStart:
            listing.lines.push_back(LoopStartLine(a));
            break;
        case meLoopEnd:
            listing.lines.push_back(LoopEndLine());
            break;
        case meDelay: {
            const auto ms = static_cast<std::uint16_t>(a * 256 + b);
            listing.lines.push_back(DelayLine(ms));
            if (delayCount < delays.size())
                delays[delayCount++] = ms;
            break;
        }
        default: {
            const bool down = op >= kButtonDownBase;
            listing.lines.push_back(ButtonLine(
                down, static_cast<std::uint8_t>(op - (down ? kButtonDownBase : kButtonUpBase))));
            break;
        }
        }
        p += static_cast<std::size_t>(size);
    }
    const bool allZero = std::all_of(delays.begin(), delays.end(), [](auto d) { return d == 0; });
    const bool allEqual =
        std::all_of(delays.begin(), delays.end(), [&](auto d) { return d == delays[0]; });
    if (allZero) {
        listing.mode = MacroDelayMode::None;
    } else if (allEqual) {
        listing.mode = MacroDelayMode::Fixed;
        listing.fixedDelay = delays[0];
    } else {
        listing.mode = MacroDelayMode::Recorded;
    }
    listing.lines[0] = DelayHeaderLine(listing.mode, listing.fixedDelay);
    return listing;
}

std::optional<std::size_t> FlashMacroBodyLength(std::span<const std::uint8_t> body) {
    for (std::size_t i = 0; i + 2 < body.size(); ++i) {
        if (body[i] == 0 && body[i + 1] == 0 && body[i + 2] == 0)
            return i + 1;
    }
    return std::nullopt;
}

std::optional<std::string> ValidateScriptLines(const MacroScript& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] < '0' || line[0] > '9')
            return "'" + line.substr(0, 1) + "' is not a valid integer value";
    }
    return std::nullopt;
}

int MacroLineType(std::string_view line) {
    if (line.empty() || line[0] < '0' || line[0] > '9')
        return 0;
    return line[0] - '0';
}

int MacroItemType(const MacroScript& script, int item) {
    const auto line = static_cast<std::size_t>(item) + 1;
    return item >= 0 && line < script.size() ? MacroLineType(script[line]) : 0;
}

std::string MacroDelayText(std::uint32_t milliseconds) {
    return std::to_string(milliseconds) + " ms";
}

std::string MacroMoveText(std::int8_t x, std::int8_t y) {
    return "X: " + std::to_string(x) + "  Y: " + std::to_string(y);
}

std::string MacroLoopStartText(std::uint8_t count) {
    return "Rep-Start  " + std::to_string(count);
}

std::string MacroLoopEndText() {
    return "Rep-Stop";
}

std::string MacroLineDrawText(std::string_view line) {
    switch (MacroLineType(line)) {
    case 1:
    case 2:
        return line.size() > 12 ? std::string(line.substr(2, line.size() - 12)) : std::string();
    case 0:
        if (!line.empty() && line[0] == '0')
            return std::string(line.substr(std::min<std::size_t>(2, line.size()))) + " ms";
        return {};
    case 3: {
        const std::string_view xy = Tail(line, 4);
        const auto x = xy.size() == 4 ? ParseHexByte(xy.substr(0, 2)) : std::nullopt;
        const auto y = xy.size() == 4 ? ParseHexByte(xy.substr(2, 2)) : std::nullopt;
        return MacroMoveText(static_cast<std::int8_t>(x.value_or(0)),
                             static_cast<std::int8_t>(y.value_or(0)));
    }
    case 7:
        return MacroLoopStartText(ParseHexByte(Tail(line, 2)).value_or(0));
    case 8:
        return MacroLoopEndText();
    default:
        return {};
    }
}

} // namespace trvx
