#include "keys/KeyEntry.h"

namespace trvx {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string TKeyEntry::ToText() const {
    std::string text(8, '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[2 * i] = kHexDigits[bytes[i] >> 4];
        text[2 * i + 1] = kHexDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::optional<TKeyEntry> TKeyEntry::Parse(std::string_view text) {
    if (text.size() != 8) {
        return std::nullopt;
    }
    TKeyEntry entry;
    for (std::size_t i = 0; i < entry.bytes.size(); ++i) {
        const int hi = HexValue(text[2 * i]);
        const int lo = HexValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        entry.bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return entry;
}

} // namespace trvx
