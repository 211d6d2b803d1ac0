#pragma once
// Values and key filters of the numeric edits: the hex and integer edits that hold register
// bytes, colour components and times, and the number edit with its format mask. Everything
// here parses without throwing; a text that is not a number gives no value.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

// --- Hex and integer edits ---

enum class EditCharSet { Hex, Decimal };

// True when the character (a whole UTF-16 unit or code point, never just its low byte) may be
// typed into an edit of that set. Backspace always passes.
bool EditCharAllowed(EditCharSet set, char32_t c);

// The characters of `text` that may be typed, in order: what a paste or a drop inserts.
std::u16string FilterEditText(EditCharSet set, std::u16string_view text);

// Whether `text` may stand in a number edit while it is typed: a minus first where `negative`
// values go, then decimal digits, at most `maxDigits` of them (any count when 0). The empty text
// and a lone minus are fine: they are where typing starts.
bool IsDigitEntry(std::u16string_view text, bool negative, std::size_t maxDigits);

// The hex edit's value: the text read as a hexadecimal number of up to 32 bits, taken as
// signed (FFFFFFFF is -1); an empty text is 0. None for anything else.
std::optional<std::int32_t> ParseHexEditValue(std::string_view text);
// The integer edit's value: the text read as a decimal number up to 2147483647; an empty text
// is 0. None for anything else (signs, blanks, too many digits).
std::optional<std::int32_t> ParseIntEditValue(std::string_view text);

// Texts for a value: upper-case hex or decimal digits without leading zeros; 0 and negative
// values give the empty text.
std::string FormatHexEditValue(std::int32_t value);
std::string FormatIntEditValue(std::int32_t value);

// --- Number edit ---

// The separators the number edit uses. Fixed, so that masks and stored texts read the same on
// every system.
inline constexpr char kDecimalSeparator = '.';
inline constexpr char kThousandsSeparator = ',';

// Formats `value` by a mask of digit placeholders: "0" (a digit always shown) and "#" (a digit
// shown when significant), an optional decimal point and thousands separator. Rounds half away
// from zero: 12.345 with "0" is "12", with "0.00" is "12.35".
std::string FormatNumberMask(double value, std::string_view mask);

// The number in a number edit's text, thousands separators ignored; none when it is not one.
std::optional<double> ParseNumberEditText(std::string_view text);

// Whether a typed character passes the number edit's key filter: digits, backspace, the
// decimal separator once when the mask has one, and "-" at the start once when the mask has
// one. `caret` is the caret position in `text`.
bool NumberEditKeyAllowed(char32_t c, std::string_view mask, std::string_view text, int caret);

// The selection made when a number edit is entered: its last `signs` characters.
struct EditSelection {
    int start = 0;
    int length = 0;
    friend bool operator==(const EditSelection&, const EditSelection&) = default;
};
EditSelection AutoSelection(int textLength, int signs);

} // namespace trvx
