#include "keys/KeyEntry.h"

#include "base/NumberText.h"

namespace trvx {

std::string TKeyEntry::ToText() const {
    std::string text;
    for (std::uint8_t b : bytes)
        AppendHexByte(text, b);
    return text;
}

std::optional<TKeyEntry> TKeyEntry::Parse(std::string_view text) {
    if (text.size() != 8) {
        return std::nullopt;
    }
    TKeyEntry entry;
    for (std::size_t i = 0; i < entry.bytes.size(); ++i) {
        const auto b = ParseHexByte(text.substr(2 * i, 2));
        if (!b) {
            return std::nullopt;
        }
        entry.bytes[i] = *b;
    }
    return entry;
}

} // namespace trvx
