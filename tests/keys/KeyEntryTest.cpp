#include "keys/KeyEntry.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(KeyEntry, TextIsEightUpperCaseHexDigitsInImageOrder) {
    EXPECT_EQ(TKeyEntry(0x03, 0x00, 0xCD, 0x00).ToText(), "0300CD00");
    EXPECT_EQ(TKeyEntry(0xFF, 0xAB, 0x0F, 0xF0).ToText(), "FFAB0FF0");
    EXPECT_EQ(TKeyEntry().ToText(), "00000000");
}

TEST(KeyEntry, TextRoundTripsForEveryByteValue) {
    for (int b = 0; b < 256; ++b) {
        const TKeyEntry entry(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(255 - b),
                              static_cast<std::uint8_t>(b ^ 0x5A), static_cast<std::uint8_t>(b));
        const auto parsed = TKeyEntry::Parse(entry.ToText());
        ASSERT_TRUE(parsed.has_value()) << entry.ToText();
        EXPECT_EQ(*parsed, entry);
    }
}

TEST(KeyEntry, ParseAcceptsEitherCaseAndRefusesAnythingElse) {
    EXPECT_EQ(TKeyEntry::Parse("0300cd00"), TKeyEntry(0x03, 0x00, 0xCD, 0x00));
    for (const char* bad : {"", "0300CD0", "0300CD000", "0300CG00", " 300CD00", "+300CD00",
                            "0x00CD00", "0300CD0\n", "-1000000"}) {
        EXPECT_FALSE(TKeyEntry::Parse(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_FALSE(TKeyEntry::Parse(std::string_view("0300\0D00", 8)).has_value());
}

} // namespace
} // namespace trvx
