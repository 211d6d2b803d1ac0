#pragma once
// Caption texts: the captions, messages and font name of one language set, stored as UTF-16
// with a byte-order mark, one quoted "key=value" entry a line, in a section [lang1] .. [lang3].
//
// The texts are held as UTF-8 (std::string) from the moment they are read: Czech and Chinese
// letters reach the controls unchanged.

#include "controls/wide/ParseResult.h"
#include "skin/LayoutText.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// The caption keys of one language set.
class CaptionSection {
public:
    CaptionSection() = default;
    explicit CaptionSection(LayoutSection section) : section_(std::move(section)) {}

    const std::string& Name() const { return section_.Name(); }
    // The caption of the key, "" when absent (captions never fail).
    std::string Text(std::string_view key) const { return section_.ReadString(key); }
    std::optional<std::string_view> Find(std::string_view key) const { return section_.Find(key); }
    bool Has(std::string_view key) const { return section_.Has(key); }

private:
    LayoutSection section_;
};

// The stored bytes as UTF-8 text: after a mark FF FE the rest, else the whole, read as UTF-16
// little-endian up to the first U+0000 (a trailing odd byte ignored; an unpaired surrogate
// becomes U+FFFD).
std::string DecodeCaptionBytes(std::span<const std::uint8_t> bytes);

// Splits the text into entries. Separators are runs of characters of code 1 to 32. An entry
// that starts with a double quote runs to the next double quote that is not doubled ("" stands
// for one) or, when there is none, to the end of its line; it keeps its blanks. Any other entry
// runs to the next character of code 32 or less.
std::vector<std::string> SplitCaptionEntries(std::string_view text);

// Decodes, splits and reads the entries as layout lines; fails when the text has no section of
// that name (so a broken text is refused before any caption is applied).
ParseResult<CaptionSection> ParseCaptionText(std::span<const std::uint8_t> bytes,
                                             std::string_view sectionName);

// ParseCaptionText of the embedded caption text of that name ("lang1" .. "lang3", any case).
ParseResult<CaptionSection> ReadCaptionSection(std::string_view name);

// The caption key that a shown text came from, so it can be shown again in another language
// set: the sets are searched in order and within each set "Str0" to "Str800" (numbers written
// without leading zeros, so "Str001" .. "Str099" are never tried); the last match wins. Keys a
// set lacks are skipped and the empty text matches nothing. Result "" when nothing matches.
std::string FindTextKey(std::string_view text, std::span<const CaptionSection> sets);

// FindTextKey over the embedded sets lang1, lang2 and lang3 (a set that does not load is
// skipped).
std::string FindTextKey(std::string_view text);

} // namespace trvx
