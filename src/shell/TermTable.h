#pragma once
// The term table: fixed captions of the engineering page and the other class-library
// controls, in English or Simplified Chinese by the user-interface locale, chosen once at
// start-up. Texts are UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trvx {

struct TTerm {
    std::uint8_t Code;
    std::array<std::string_view, 3> Text; // 0 English, 1 empty, 2 Simplified Chinese
};

inline constexpr int kTermCount = 155;
inline constexpr std::uint8_t kTermColumnEnglish = 0;
inline constexpr std::uint8_t kTermColumnChinese = 2;

// Codes 0 to 154 in order.
extern const std::array<TTerm, kTermCount> TermTable;

// Sets text to the term's text in the column; a code without a record leaves text as it was.
void TermText(std::uint8_t column, int code, std::string& text);

// Chinese for the PRC locale (zh_CN, with any encoding or modifier), English otherwise,
// other Chinese locales included.
std::uint8_t TermColumnForLocale(std::string_view localeName);
// The same by Windows locale id: 2052 gives Chinese.
std::uint8_t TermColumnForLcid(std::uint32_t lcid);
// The user-interface locale of the environment: LC_ALL, else LC_MESSAGES, else LANG.
std::string UiLocaleFromEnvironment();

// The terms that name the 21 LED modes of the lighting page, entries 0 to 20.
inline constexpr std::array<std::uint8_t, 21> kLEDModeNameTerms = {
    26, 27, 28, 29, 30, 31, 26, 32, 33, 26, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 26};
std::array<std::string, 21> LEDModeNames(std::uint8_t column);

} // namespace trvx
