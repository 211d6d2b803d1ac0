#include "fire/FireMacro.h"

#include "fire/FireKeys.h"

#include <algorithm>
#include <cstdio>

namespace trvx {
namespace {

std::string Hex2(int byte) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", byte & 0xFF);
    return buf;
}

int Signed(std::uint8_t b) {
    return b >= 128 ? b - 256 : b;
}

std::optional<int> HexByte(std::string_view s) {
    if (s.size() != 2)
        return std::nullopt;
    int v = 0;
    for (char c : s) {
        v <<= 4;
        if (c >= '0' && c <= '9')
            v |= c - '0';
        else if (c >= 'A' && c <= 'F')
            v |= c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v |= c - 'a' + 10;
        else
            return std::nullopt;
    }
    return v;
}

// The bytes of one editor line (empty for a line that adds nothing).
std::vector<std::uint8_t> LineBytes(std::string_view line) {
    if (line.empty())
        return {};
    auto hexTail = [&](std::size_t n) -> std::vector<std::uint8_t> {
        if (line.size() < n + 2)
            return {};
        std::vector<std::uint8_t> out;
        const std::string_view tail = line.substr(line.size() - n);
        for (std::size_t i = 0; i + 1 < n + 1; i += 2) {
            const auto b = HexByte(tail.substr(i, 2));
            if (!b)
                return {};
            out.push_back(static_cast<std::uint8_t>(*b));
        }
        return out;
    };
    switch (line[0]) {
    case '1':
    case '2': {
        const auto at = line.find("CODE:");
        if (at == std::string_view::npos)
            return {};
        std::string_view code = line.substr(at + 5);
        if (code.size() == 4 && code.substr(0, 2) == "00")
            code = code.substr(2);
        const auto b = HexByte(code);
        return b ? std::vector<std::uint8_t>{static_cast<std::uint8_t>(*b)}
                 : std::vector<std::uint8_t>{};
    }
    case '3':
    case '4':
    case '5':
    case '6':
        return hexTail(6);
    case '7':
        return hexTail(4);
    case '8':
        return hexTail(2);
    case '0': {
        const int ms = line.size() > 2 ? ParseDecimal(line.substr(2)).value_or(0) : 0;
        const int v = std::clamp(ms, 0, 0xFFFF);
        return {0xFE, static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v & 0xFF)};
    }
    default:
        return {};
    }
}

// The key name part of a press or release line: between the type digit and " CODE:".
std::string_view NamePart(std::string_view line) {
    const auto at = line.find(" CODE:");
    if (line.size() < 2 || at == std::string_view::npos || at < 2)
        return {};
    return line.substr(2, at - 2);
}

} // namespace

std::optional<int> FireMacroUsedLength(std::span<const std::uint8_t, kFireMacroAreaSize> area,
                                       int slot) {
    if (slot < 0 || slot >= static_cast<int>(kFireMacroSlots))
        return std::nullopt;
    const std::size_t base = static_cast<std::size_t>(slot) * kFireMacroSize;
    for (std::size_t p = 0; p < kFireMacroSize; ++p) {
        const std::size_t at = base + p;
        if (at + 2 >= area.size())
            break; // a run past the area does not count
        if (area[at] == 0 && area[at + 1] == 0 && area[at + 2] == 0)
            return static_cast<int>(p) + 1;
    }
    return std::nullopt;
}

FireMacroFields ParseFireMacro(std::span<const std::uint8_t> slot, int usedLength) {
    FireMacroFields f;
    const int size = static_cast<int>(std::min(slot.size(), kFireMacroSize));
    bool moveSeen = false;
    int i = 0;
    auto at = [&](int n) { return slot[static_cast<std::size_t>(n)]; };
    while (i < usedLength - 1 && i < size) {
        switch (at(i)) {
        case 0xFC:
        case 0x21:
        case 0xA1:
            i += 1;
            break;
        case 0x04:
            if (i + 2 >= size)
                return f;
            f.moveX = FireField{Signed(at(i + 1)), i + 1};
            f.moveY = FireField{Signed(at(i + 2)), i + 2};
            moveSeen = true;
            i += 3;
            break;
        case 0xFD:
            if (i + 1 >= size)
                return f;
            f.count = FireField{at(i + 1), i + 1};
            i += 2;
            break;
        case 0xFE:
            if (i + 2 >= size)
                return f;
            if (moveSeen) {
                f.delay = FireField{at(i + 1) * 256 + at(i + 2), i + 1};
                moveSeen = false;
            }
            i += 3;
            break;
        default:
            i += 1;
            break; // an unknown byte is passed over
        }
    }
    return f;
}

std::vector<std::string> FireMacroToLines(std::span<const std::uint8_t> slot, int usedLength) {
    std::vector<std::string> lines{"00"};
    const int size = static_cast<int>(std::min(slot.size(), kFireMacroSize));
    auto at = [&](int n) { return slot[static_cast<std::size_t>(n)]; };
    int i = 0;
    while (i < usedLength - 1 && i < size) {
        switch (at(i)) {
        case 0xA1:
            lines.push_back("1 LeftKey CODE:00A1");
            i += 1;
            break;
        case 0x21:
            lines.push_back("2 LeftKey CODE:0021");
            i += 1;
            break;
        case 0xFC:
            lines.push_back("8 FC");
            i += 1;
            break;
        case 0x04:
            if (i + 2 >= size)
                return lines;
            lines.push_back("3 04" + Hex2(at(i + 1)) + Hex2(at(i + 2)));
            i += 3;
            break;
        case 0xFD:
            if (i + 1 >= size)
                return lines;
            lines.push_back("7 FD" + Hex2(at(i + 1)));
            i += 2;
            break;
        case 0xFE:
            if (i + 2 >= size)
                return lines;
            lines.push_back("0 " + std::to_string(at(i + 1) * 256 + at(i + 2)));
            i += 3;
            break;
        default:
            i += 1;
            break;
        }
    }
    return lines;
}

std::size_t FireMacroLineBytes(std::span<const std::string> lines) {
    std::size_t n = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        n += LineBytes(lines[i]).size();
    return n;
}

std::optional<std::vector<std::uint8_t>> CompileFireMacro(std::span<const std::string> lines) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto b = LineBytes(lines[i]);
        out.insert(out.end(), b.begin(), b.end());
    }
    out.push_back(0x00);
    if (out.size() > kFireMacroSize)
        return std::nullopt;
    return out;
}

bool DeleteFireMacroLine(std::vector<std::string>& lines, int line) {
    if (line < 1 || line >= static_cast<int>(lines.size()))
        return false;
    const std::string& text = lines[static_cast<std::size_t>(line)];
    const char type = text.empty() ? ' ' : text[0];
    if (type == '7' || (type < '0' || type > '8'))
        return false;
    std::optional<int> partner;
    if (type == '1' || type == '2') {
        const std::string_view name = NamePart(text);
        const char other = type == '1' ? '2' : '1';
        const int step = type == '1' ? 1 : -1;
        for (int j = line + step; j >= 1 && j < static_cast<int>(lines.size()); j += step) {
            const std::string& t = lines[static_cast<std::size_t>(j)];
            if (!t.empty() && t[0] == other && NamePart(t) == name) {
                partner = j;
                break;
            }
        }
    }
    if (partner && *partner > line)
        lines.erase(lines.begin() + *partner);
    lines.erase(lines.begin() + line);
    if (partner && *partner < line)
        lines.erase(lines.begin() + *partner);
    return true;
}

std::string FireInsertLine(FireInsertKind kind, int delayMs, int x, int y, int repeat) {
    switch (kind) {
    case FireInsertKind::DelayFront:
    case FireInsertKind::DelayBack:
        return "0 " + std::to_string(std::clamp(delayMs, 1, 65535));
    case FireInsertKind::MoveFront:
    case FireInsertKind::MoveBack:
        return "3 04" + Hex2(x) + Hex2(y);
    case FireInsertKind::LoopStart:
        return "7 FD" + Hex2(std::clamp(repeat, 0, 255));
    case FireInsertKind::LoopEnd:
        return "8 FC";
    }
    return {};
}

int InsertFireMacroLine(std::vector<std::string>& lines, int line, FireInsertKind kind,
                        const std::string& text) {
    const bool front = kind == FireInsertKind::DelayFront || kind == FireInsertKind::MoveFront ||
                       kind == FireInsertKind::LoopStart;
    int at = front ? line : line + 1;
    at = std::clamp(at, 1, static_cast<int>(lines.size()));
    lines.insert(lines.begin() + at, text);
    return at;
}

void FireRecorder::Start(DelayMode mode, int fixedDelayMs) {
    mode_ = mode;
    fixedDelay_ = std::clamp(fixedDelayMs, 1, 65535);
    lastEvent_.reset();
    switch (mode) {
    case DelayMode::Recorded:
        lines_ = {"10"};
        break;
    case DelayMode::Fixed:
        lines_ = {"01" + std::to_string(fixedDelay_)};
        break;
    case DelayMode::None:
        lines_ = {"00"};
        break;
    }
}

bool FireRecorder::Take(const CapturedInput& input) {
    constexpr std::uint32_t kLeftButton = 1;
    if (input.code != kLeftButton)
        return true;
    if (input.kind == CapturedInput::Kind::ButtonDown)
        return Press(input.tick);
    if (input.kind == CapturedInput::Kind::ButtonUp)
        return Release(input.tick);
    return true;
}

bool FireRecorder::Button(bool down, std::uint64_t timeMs) {
    std::vector<std::string> add;
    if (mode_ != DelayMode::None && lastEvent_) {
        const std::uint64_t since = timeMs >= *lastEvent_ ? timeMs - *lastEvent_ : 0;
        const int ms = mode_ == DelayMode::Recorded
                           ? static_cast<int>(std::min<std::uint64_t>(since, 65535))
                           : fixedDelay_;
        add.push_back("0 " + std::to_string(ms));
    }
    add.push_back(down ? "1 LeftKey CODE:00A1" : "2 LeftKey CODE:0021");
    std::vector<std::string> next = lines_;
    next.insert(next.end(), add.begin(), add.end());
    if (FireMacroLineBytes(next) + 1 > kFireMacroSize)
        return false;
    lines_ = std::move(next);
    if (mode_ != DelayMode::None)
        lastEvent_ = timeMs;
    return true;
}

} // namespace trvx
