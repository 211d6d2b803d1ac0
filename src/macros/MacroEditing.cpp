#include "macros/MacroEditing.h"

#include "base/NumberText.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace trvx {

namespace {

// The name between the type digit's blank and " CODE:".
std::string_view LineName(std::string_view line) {
    if (line.size() < 2)
        return {};
    const std::string_view rest = line.substr(2);
    return rest.substr(0, rest.find(" CODE:"));
}

char TypeOf(const MacroScript& script, std::size_t line) {
    return script[line].empty() ? '\0' : script[line][0];
}

} // namespace

std::optional<int> PartnerItem(const MacroScript& script, int item) {
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size())
        return std::nullopt;
    const char type = TypeOf(script, line);
    const std::string_view name = LineName(script[line]);
    if (type == '1') {
        for (std::size_t j = line + 1; j < script.size(); ++j)
            if (TypeOf(script, j) == '2' && LineName(script[j]) == name)
                return static_cast<int>(j) - 1;
    } else if (type == '2') {
        for (std::size_t j = line - 1; j >= 1; --j)
            if (TypeOf(script, j) == '1' && LineName(script[j]) == name)
                return static_cast<int>(j) - 1;
    }
    return std::nullopt;
}

LineDeletion DeleteScriptItem(MacroScript& script, int item) {
    LineDeletion result;
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size())
        return result;
    const char type = TypeOf(script, line);
    const int items = static_cast<int>(script.size()) - 1;
    if (type == '0' || type == '3' || type == '8') {
        script.erase(script.begin() + static_cast<std::ptrdiff_t>(line));
        result.removed = true;
        result.selectItem = item > 0 ? item - 1 : (items - 1 > 0 ? 0 : -1);
        return result;
    }
    if (type != '1' && type != '2')
        return result;
    const std::optional<int> partner = PartnerItem(script, item);
    if (!partner) {
        result.partnerMissing = true;
        return result;
    }
    const int first = std::min(item, *partner);
    const int second = std::max(item, *partner);
    script.erase(script.begin() + second + 1);
    script.erase(script.begin() + first + 1);
    result.removed = true;
    const int left = items - 2;
    if (type == '1')
        result.selectItem = item > 0 ? item - 1 : (left > 0 ? 0 : -1);
    else
        result.selectItem = item > 1 ? item - 2 : (left > 0 ? 0 : -1);
    return result;
}

} // namespace trvx

namespace trvx {

namespace {

std::optional<long> NumberOf(const std::string& text) {
    if (text.empty() || text == "-" || text.size() > 9)
        return std::nullopt;
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used);
    } catch (...) {
        return std::nullopt;
    }
    if (used != text.size())
        return std::nullopt;
    return value;
}

std::string Hex2(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

bool Before(InsertKind kind) {
    return kind == InsertKind::DelayBefore || kind == InsertKind::KeyBefore ||
           kind == InsertKind::MoveBefore || kind == InsertKind::LoopStartBefore;
}

} // namespace

std::size_t RecordedInsertLine(InsertKind kind, int item) {
    return static_cast<std::size_t>(item) + (Before(kind) ? 1 : 2);
}

LineInsertion InsertScriptLine(MacroScript& script, InsertKind kind, int item,
                               const InsertValues& values) {
    LineInsertion result;
    const int items = static_cast<int>(script.size()) - 1;
    if (item < 0 || item >= items || kind == InsertKind::KeyBefore || kind == InsertKind::KeyAfter)
        return result;
    MacroScriptLine line;
    switch (kind) {
    case InsertKind::DelayBefore:
    case InsertKind::DelayAfter: {
        const auto ms = NumberOf(values.delay);
        if (!ms) {
            result.badValue = true;
            return result;
        }
        line = DelayLine(static_cast<std::uint16_t>(std::clamp<long>(*ms, 1, 65535)));
        break;
    }
    case InsertKind::MoveBefore:
    case InsertKind::MoveAfter: {
        const auto x = NumberOf(values.x);
        const auto y = NumberOf(values.y);
        if (!x || !y) {
            result.badValue = true;
            return result;
        }
        line = MoveLine(static_cast<std::int8_t>(std::clamp<long>(*x, -128, 127)),
                        static_cast<std::int8_t>(std::clamp<long>(*y, -128, 127)));
        break;
    }
    case InsertKind::LoopStartBefore: {
        const auto count = NumberOf(values.repeat);
        if (!count) {
            result.badValue = true;
            return result;
        }
        line = LoopStartLine(static_cast<std::uint8_t>(std::clamp<long>(*count, 0, 255)));
        break;
    }
    case InsertKind::LoopEndAfter:
        line = LoopEndLine();
        break;
    default:
        return result;
    }
    const std::size_t at = RecordedInsertLine(kind, item);
    script.insert(script.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    result.inserted = true;
    result.selectItem = static_cast<int>(at) - 1;
    return result;
}

std::string CorrectAxisText(const std::string& text) {
    if (text == "-")
        return text;
    const auto value = NumberOf(text);
    if (!value)
        return text.empty() ? "0" : text;
    return std::to_string(std::clamp<long>(*value, -128, 127));
}

std::string CorrectRepeatText(const std::string& text) {
    const auto value = NumberOf(text);
    if (!value)
        return text;
    return std::to_string(std::clamp<long>(*value, 0, 255));
}

std::string CorrectDelayText(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // A readable number below 1.
    if (text.size() > 1 && text.front() == '-' &&
        std::all_of(text.begin() + 1, text.end(), isDigit))
        return "1";
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return "1"; // empty, or zero
    // More than five significant digits lie above the range whatever they are.
    const auto value = ParseDecimalDigits(std::string_view(digits).substr(first), 99999);
    if (!value || *value > 65535)
        return "65535";
    return digits.size() == text.size() ? std::string(text) : digits;
}

std::optional<std::uint16_t> DelayOfText(std::string_view text) {
    const auto value = ParseDecimalDigits(text, 65535);
    if (!value || *value == 0)
        return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

KeyLineEdit ReplaceKeyLinePair(MacroScript& script, int item, std::string_view keyName,
                               std::uint8_t usage) {
    KeyLineEdit result;
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size() || keyName.empty())
        return result;
    const char type = TypeOf(script, line);
    if (type != '1' && type != '2')
        return result;
    const std::optional<int> partner = PartnerItem(script, item);
    const auto lineOf = [&](char t) {
        return std::string(1, t) + " " + std::string(keyName) +
               " CODE:" + (t == '1' ? "82" : "02") + Hex2(usage);
    };
    script[line] = lineOf(type);
    if (partner) {
        script[static_cast<std::size_t>(*partner) + 1] = lineOf(type == '1' ? '2' : '1');
        result.partnerItem = *partner;
    }
    result.changed = true;
    return result;
}

bool ReplaceDelayLine(MacroScript& script, int item, std::uint16_t milliseconds) {
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size() || TypeOf(script, line) != '0')
        return false;
    script[line] = DelayLine(milliseconds);
    return true;
}

} // namespace trvx
