#include "base/NumberText.h"

namespace trvx {
namespace {

int DecimalDigitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

template <typename DigitValue>
std::optional<std::uint64_t> ParseDigits(std::string_view text, std::uint64_t base,
                                         std::uint64_t max, DigitValue digitValue) {
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const int d = digitValue(c);
        if (d < 0)
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(d);
        // value * base + digit <= max, checked without overflowing.
        if (digit > max || value > (max - digit) / base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

} // namespace

void AppendHexByte(std::string& out, std::uint8_t byte) {
    out.push_back(HexDigitChar(byte >> 4));
    out.push_back(HexDigitChar(byte));
}

std::optional<std::uint8_t> ParseHexByte(std::string_view two) {
    if (two.size() != 2)
        return std::nullopt;
    const int hi = HexDigitValue(static_cast<unsigned char>(two[0]));
    const int lo = HexDigitValue(static_cast<unsigned char>(two[1]));
    if (hi < 0 || lo < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(hi * 16 + lo);
}

std::optional<std::vector<std::uint8_t>> ParseHexByteText(std::string_view digits) {
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const auto b = ParseHexByte(digits.substr(i, 2));
        if (!b)
            return std::nullopt;
        bytes.push_back(*b);
    }
    return bytes;
}

std::optional<std::uint64_t> ParseHexDigits(std::string_view text, std::uint64_t max) {
    return ParseDigits(text, 16, max,
                       [](char c) { return HexDigitValue(static_cast<unsigned char>(c)); });
}

std::optional<std::uint64_t> ParseDecimalDigits(std::string_view text, std::uint64_t max) {
    return ParseDigits(text, 10, max, DecimalDigitValue);
}

} // namespace trvx
