#pragma once
// Conversions between UTF-16 and 8-bit text. On Linux the program's 8-bit text is UTF-8, so the
// "ANSI code page" of the described program is UTF-8 here and no letter is lost on the way.

#include "controls/wide/ParseResult.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace trvx {

// Code page numbers callers may pass.
inline constexpr unsigned CP_ACP = 0;        // the program's 8-bit text (UTF-8)
inline constexpr unsigned CP_THREAD_ACP = 3; // the same on Linux
inline constexpr unsigned CP_UTF7 = 65000;
inline constexpr unsigned CP_UTF8 = 65001;

// The code page an adapter of code page 0 works in.
inline constexpr unsigned DefaultViewCodePage = CP_THREAD_ACP;

// UTF-8 to UTF-16. Every byte that does not start a well-formed sequence gives U+FFFD, so any
// input converts.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16 to UTF-8. An unpaired surrogate gives U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Widening and narrowing of the program's 8-bit text; never fail.
inline std::u16string Widen(std::string_view text) {
    return Utf8ToUtf16(text);
}
inline std::string Narrow(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

// 8-bit text in the given code page to UTF-16. Code pages 0, 3 and 65001 are UTF-8, 65000 is
// UTF-7 (fails on malformed UTF-7 with "Invalid UTF7"); any other code page is refused.
ParseResult<std::u16string> WideFromCodePage(std::string_view text, unsigned codePage);

// UTF-16 to 8-bit text in the given code page; the same code pages as above.
ParseResult<std::string> WideToCodePage(std::u16string_view text, unsigned codePage);

// Swaps the two bytes of every code unit up to the first NUL (big-endian text read as
// little-endian, or the other way round).
void SwapCodeUnitBytes(std::u16string& text);

// UTF-16 little-endian bytes to code units; a trailing odd byte is ignored.
std::u16string Utf16FromLittleEndianBytes(std::span<const std::uint8_t> bytes);

// The system's text for an errno value, trimmed; "Unspecified error (%d) from system." when
// the system has none.
std::string SystemErrorText(int errorCode);

} // namespace trvx
