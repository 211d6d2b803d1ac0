#pragma once
// Numbers written as text: hex digits, hex bytes and decimal digits. Only the digits are read
// here; blanks, signs, prefixes and what an empty text means stay each caller's own rules.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// The value of one hex digit of either case; -1 for any other character. Takes a whole code
// point, so a wide character whose low byte happens to be a digit is not one.
constexpr int HexDigitValue(char32_t c) {
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a') + 10;
    if (c >= 'A' && c <= 'F')
        return int(c - 'A') + 10;
    return -1;
}

// The upper-case hex digit of the low four bits of `value`.
constexpr char HexDigitChar(unsigned value) {
    return "0123456789ABCDEF"[value & 0xF];
}

// Appends `byte` as two upper-case hex digits.
void AppendHexByte(std::string& out, std::uint8_t byte);

// Exactly two hex digits as a byte; none for any other text.
std::optional<std::uint8_t> ParseHexByte(std::string_view two);

// Hex digits only, two per byte, as bytes: none for an odd count or any other character. The
// empty text is no bytes.
std::optional<std::vector<std::uint8_t>> ParseHexByteText(std::string_view digits);

// At least one digit and nothing else (no blanks, signs or prefixes; leading zeros are fine),
// read as a number of at most `max`; none otherwise.
std::optional<std::uint64_t> ParseHexDigits(std::string_view text, std::uint64_t max);
std::optional<std::uint64_t> ParseDecimalDigits(std::string_view text, std::uint64_t max);

} // namespace trvx
