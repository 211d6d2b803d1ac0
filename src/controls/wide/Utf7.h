#pragma once
// UTF-7 (RFC 2152), the code page 65000 of the wide-text conversions.

#include "controls/wide/ParseResult.h"

#include <string>
#include <string_view>

namespace trvx {

inline constexpr std::string_view kInvalidUtf7Message = "Invalid UTF7";

// Direct and optional direct characters are written as they are, "+" as "+-", every other run
// of code units as "+", its Base64 digits and a closing "-" only when the next character is a
// Base64 digit or "-".
std::string Utf7Encode(std::u16string_view text);

// Fails with "Invalid UTF7" on a byte above 127, an empty run other than "+-", or leftover bits
// that are not zero.
ParseResult<std::u16string> Utf7Decode(std::string_view text);

} // namespace trvx
