#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kU32 = 0xFFFFFFFF;
constexpr std::uint64_t kU64 = std::numeric_limits<std::uint64_t>::max();

TEST(HexDigit, ValuesOfBothCasesAndNothingElse) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('a'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    for (char32_t c : {U'/', U':', U'@', U'G', U'`', U'g', U' ', U'x', U'\0'})
        EXPECT_EQ(HexDigitValue(c), -1) << std::uint32_t(c);
    // A wide character whose low byte is a digit is not one.
    EXPECT_EQ(HexDigitValue(char32_t(0x0141)), -1); // low byte 'A'
    EXPECT_EQ(HexDigitValue(char32_t(0xFF10)), -1); // full-width zero
    // A char above 0x7F read through unsigned char is no digit either.
    EXPECT_EQ(HexDigitValue(static_cast<unsigned char>('\xC1')), -1);
}

TEST(HexDigit, CharsAreUpperCaseOfTheLowFourBits) {
    EXPECT_EQ(HexDigitChar(0), '0');
    EXPECT_EQ(HexDigitChar(10), 'A');
    EXPECT_EQ(HexDigitChar(0x1F), 'F');
    std::string out = "x";
    AppendHexByte(out, 0x0A);
    AppendHexByte(out, 0xF0);
    EXPECT_EQ(out, "x0AF0");
}

TEST(HexByte, ExactlyTwoDigits) {
    const struct {
        std::string_view text;
        std::optional<std::uint8_t> value;
    } cases[] = {
        {"00", 0x00},         {"7f", 0x7F},         {"A5", 0xA5},          {"fF", 0xFF},
        {"", std::nullopt},   {"1", std::nullopt},  {"123", std::nullopt}, {"0g", std::nullopt},
        {" 1", std::nullopt}, {"-1", std::nullopt}, {"x1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseHexByte(c.text), c.value) << '"' << c.text << '"';
}

TEST(HexByteText, TwoDigitsPerByteNothingElse) {
    const struct {
        std::string_view text;
        std::optional<Bytes> bytes;
    } cases[] = {
        {"", Bytes{}},
        {"00", Bytes{0x00}},
        {"40052c", Bytes{0x40, 0x05, 0x2C}},
        {"DEADbeef", Bytes{0xDE, 0xAD, 0xBE, 0xEF}},
        {"123", std::nullopt},   // odd count
        {"12 34", std::nullopt}, // blank inside
        {"12G4", std::nullopt},
        {"0x12", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseHexByteText(c.text), c.bytes) << '"' << c.text << '"';
}

TEST(DigitNumbers, HexAndDecimalWithTheirLimit) {
    const struct {
        bool hex;
        std::string_view text;
        std::uint64_t max;
        std::optional<std::uint64_t> value;
    } cases[] = {
        // Valid, either case, leading zeros of any length.
        {true, "0", kU32, 0},
        {true, "ff", kU32, 0xFF},
        {true, "FfFf", 0xFFFF, 0xFFFF},
        {true, "0000000000FFFFFFFF", kU32, kU32},
        {false, "0", kU32, 0},
        {false, "2147483647", 2147483647, 2147483647},
        {false, "000000000000123", 200, 123},
        // Empty.
        {true, "", kU32, std::nullopt},
        {false, "", kU32, std::nullopt},
        // Bad digit, blanks, signs, prefixes.
        {true, "1g", kU32, std::nullopt},
        {true, "0x10", kU32, std::nullopt},
        {true, " 10", kU32, std::nullopt},
        {false, "12a", kU32, std::nullopt},
        {false, "+1", kU32, std::nullopt},
        {false, "-0", kU32, std::nullopt},
        {false, "1 ", kU32, std::nullopt},
        // Over the limit by one, and far over without wrapping round.
        {true, "100000000", kU32, std::nullopt},
        {true, "10000", 0xFFFF, std::nullopt},
        {false, "2147483648", 2147483647, std::nullopt},
        {false, "18446744073709551615", kU64, kU64},
        {false, "18446744073709551616", kU64, std::nullopt},
        {false, "99999999999999999999999", kU64, std::nullopt},
        {true, "FFFFFFFFFFFFFFFF", kU64, kU64},
        {true, "10000000000000000", kU64, std::nullopt},
        // A digit above a small limit.
        {false, "7", 5, std::nullopt},
        {false, "5", 5, 5},
        {true, "a", 9, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = c.hex ? ParseHexDigits(c.text, c.max) : ParseDecimalDigits(c.text, c.max);
        EXPECT_EQ(got, c.value) << (c.hex ? "hex" : "decimal") << " \"" << c.text << "\" max "
                                << c.max;
    }
}

} // namespace
} // namespace trvx
