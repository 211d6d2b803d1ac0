#pragma once
// Which control of the engineering page (and the sixth menu copy) shows which term of the term
// table. Captions first, then the combo boxes whose items are replaced by terms.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

struct TermCaption {
    std::string control;
    std::uint8_t code;
};

struct TermItems {
    std::string control;
    std::vector<std::uint8_t> codes; // the combo's items, after clearing it
};

// In the order they are applied.
const std::vector<TermCaption>& TermCaptionTable();
const std::vector<TermItems>& TermItemsTable();

// The font the term captions are shown in, whichever column is in use.
inline constexpr std::string_view kTermFontName = "MS Sans Serif";

} // namespace trvx
