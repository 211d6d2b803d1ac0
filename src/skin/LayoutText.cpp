#include "skin/LayoutText.h"

#include "base/NumberText.h"
#include "base/Resources.h"

#include <algorithm>

namespace trvx {
namespace {

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return out;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

} // namespace

std::string_view TrimText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && lowerAscii(a) == lowerAscii(b);
}

std::optional<std::int32_t> StrToIntStrict(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    // No digits at all is no number, nor is anything past 32 bits.
    const std::string_view digits = text.substr(i);
    const auto parsed =
        hex ? ParseHexDigits(digits, 0xFFFFFFFF) : ParseDecimalDigits(digits, 0xFFFFFFFF);
    if (!parsed)
        return std::nullopt;
    const std::uint64_t value = *parsed;
    if (hex) {
        // Hexadecimal reads all 32 bits, so $FFFFFFFF is -1.
        std::uint32_t bits = static_cast<std::uint32_t>(value);
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    if (negative) {
        if (value > 0x80000000ull)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
    }
    if (value > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string InvalidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

// ---- LayoutSection ---------------------------------------------------------------------------

void LayoutSection::AddLine(std::string_view line) {
    const std::size_t eq = line.find('=');
    Line entry;
    if (eq == std::string_view::npos) {
        entry.value = std::string(line);
        lines_.push_back(std::move(entry));
        return;
    }
    entry.key = std::string(TrimText(line.substr(0, eq)));
    entry.value = std::string(TrimText(line.substr(eq + 1)));
    entry.hasValue = true;
    lastByKey_[lowerAscii(entry.key)] = lines_.size();
    lines_.push_back(std::move(entry));
}

std::optional<std::string_view> LayoutSection::Find(std::string_view key) const {
    const auto it = lastByKey_.find(lowerAscii(TrimText(key)));
    if (it == lastByKey_.end())
        return std::nullopt;
    return std::string_view(lines_[it->second].value);
}

std::string LayoutSection::ReadString(std::string_view key) const {
    return std::string(Find(key).value_or(std::string_view()));
}

ParseResult<std::int32_t> LayoutSection::ReadInteger(std::string_view key) const {
    const std::string text = ReadString(key);
    if (const auto value = StrToIntStrict(text))
        return ParseResult<std::int32_t>::Ok(*value);
    return ParseResult<std::int32_t>::Fail(InvalidIntegerMessage(text), std::string(key));
}

// ---- LayoutIni -------------------------------------------------------------------------------

LayoutIni LayoutIni::Parse(std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    LayoutIni ini;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        ini.AddLine(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return ini;
}

LayoutIni LayoutIni::Parse(std::span<const std::uint8_t> bytes) {
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void LayoutIni::AddLine(std::string_view line) {
    line = TrimText(line);
    if (line.empty() || line.front() == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        sections_.emplace_back(std::string(TrimText(line.substr(1, line.size() - 2))));
        return;
    }
    if (!sections_.empty())
        sections_.back().AddLine(line);
}

const LayoutSection* LayoutIni::FindSection(std::string_view name) const {
    name = TrimText(name);
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it)
        if (SameKey(it->Name(), name))
            return &*it;
    return nullptr;
}

// ---- LayoutReader ----------------------------------------------------------------------------

std::int32_t LayoutReader::Int(std::string_view key) {
    if (!ok())
        return 0;
    const auto value = section_.ReadInteger(key);
    if (value.ok())
        return *value;
    error_ = value.error;
    errorKey_ = std::string(key);
    return 0;
}

// ---- resources -------------------------------------------------------------------------------

std::span<const std::uint8_t> FindTextResource(std::string_view name) {
    for (const std::string& candidate : {std::string(name), upperAscii(name), lowerAscii(name)}) {
        if (hasResource(candidate))
            return resource(candidate);
    }
    return {};
}

ParseResult<LayoutSection> ReadLayoutSection(std::string_view name) {
    const std::string shown(name);
    bool present = false;
    for (const std::string& candidate : {shown, upperAscii(name), lowerAscii(name)})
        present = present || hasResource(candidate);
    if (!present)
        return ParseResult<LayoutSection>::Fail("Resource " + shown + " not found", shown);
    const LayoutIni ini = LayoutIni::Parse(FindTextResource(name));
    const LayoutSection* section = ini.FindSection(name);
    if (!section)
        return ParseResult<LayoutSection>::Fail(
            "Layout text " + shown + " has no section [" + shown + "]", shown);
    return ParseResult<LayoutSection>::Ok(*section);
}

} // namespace trvx
