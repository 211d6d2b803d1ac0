#pragma once
// Macro names as the mouse and the macro library store them: eight UTF-16 code units, high byte
// first, zero padded to 16 bytes. Text on our side is UTF-8.

#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trvx {

constexpr std::size_t kMacroNameBytes = 16;
constexpr std::size_t kMacroNameUnits = 8;

static_assert(sizeof(TMacroName) == kMacroNameBytes);

// The hex text of a name: every UTF-16 unit of the text up to the first NUL as four upper-case
// hex digits, high byte first. Bytes that are not valid UTF-8 count as "?".
std::string WideTextToHex(std::string_view text);

// The text of a hex name, read from its end in groups of four digits; a group that is no hex
// number is skipped, leading digits that do not make a group are ignored. A unit 0x0000 becomes
// a NUL character; units UTF-8 cannot carry (lone surrogates, U+FFFE, U+FFFF) become "?".
std::string HexToWideText(std::string_view hex);

// The stored field of a name text: zeros, then the bytes of WideTextToHex from byte 0, at most
// eight units (a longer text is cut).
TMacroName MacroNameFromText(std::string_view text);

// The 16 bytes as 32 upper-case hex digits.
std::string MacroNameToHex(const TMacroName& name);

// The text a list shows for a stored field: HexToWideText of its bytes up to the first NUL.
std::string MacroNameToText(const TMacroName& name);

// When a field counts as empty, by the store that holds it.
bool IsLibraryNameEmpty(const TMacroName& name); // 00 00
bool IsEepromNameEmpty(const TMacroName& name);  // 00 00, or byte 0 or byte 1 is FF
bool IsFlashNameEmpty(const TMacroName& name);   // 00 00 or FF FF

} // namespace trvx
