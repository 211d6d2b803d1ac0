#pragma once
// One button's function as the mouse stores it: 4 bytes, the function type then three
// parameters. Pages handle it as text, eight upper-case hex digits in image order ("0300CD00").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

struct TKeyEntry {
    std::array<std::uint8_t, 4> bytes{};

    constexpr TKeyEntry() = default;
    constexpr TKeyEntry(std::uint8_t type, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3)
        : bytes{type, p1, p2, p3} {}
    constexpr explicit TKeyEntry(const std::array<std::uint8_t, 4>& imageBytes)
        : bytes(imageBytes) {}

    constexpr std::uint8_t type() const { return bytes[0]; }
    constexpr std::uint8_t p1() const { return bytes[1]; }
    constexpr std::uint8_t p2() const { return bytes[2]; }
    constexpr std::uint8_t p3() const { return bytes[3]; }

    // Always exactly eight upper-case hex digits.
    std::string ToText() const;
    // Exactly eight hex digits (either case); anything else is refused.
    static std::optional<TKeyEntry> Parse(std::string_view text);

    friend constexpr bool operator==(const TKeyEntry&, const TKeyEntry&) = default;
};

} // namespace trvx
