#include "macros/MacroName.h"

#include "base/NumberText.h"

#include <vector>

namespace trvx {
namespace {

constexpr char32_t kDefaultChar = U'?';

// UTF-8 to code points; a malformed sequence gives one "?" per offending byte.
std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2;
            cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3;
            cp = b0 & 0x07;
        } else {
            out.push_back(kDefaultChar);
            ++i;
            continue;
        }
        bool ok = i + extra < text.size();
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(kDefaultChar);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendHex4(std::string& out, std::uint16_t unit) {
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(HexDigitChar(unsigned(unit >> shift)));
}

std::vector<std::uint16_t> ToUtf16(std::string_view text) {
    std::vector<std::uint16_t> units;
    for (char32_t cp : DecodeUtf8(text)) {
        if (cp == 0)
            break;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(cp));
        }
    }
    return units;
}

} // namespace

std::string WideTextToHex(std::string_view text) {
    std::string hex;
    for (std::uint16_t unit : ToUtf16(text))
        AppendHex4(hex, unit);
    return hex;
}

std::string HexToWideText(std::string_view hex) {
    // Groups are taken from the end, so a stray leading digit never shifts the others.
    std::vector<std::uint16_t> units;
    for (std::size_t end = hex.size(); end >= 4; end -= 4) {
        const auto value = ParseHexDigits(hex.substr(end - 4, 4), 0xFFFF);
        if (value)
            units.insert(units.begin(), static_cast<std::uint16_t>(*value));
    }
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(text, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if ((u >= 0xD800 && u <= 0xDFFF) || u == 0xFFFE || u == 0xFFFF) {
            text.push_back('?');
        } else {
            AppendUtf8(text, u);
        }
    }
    return text;
}

TMacroName MacroNameFromText(std::string_view text) {
    TMacroName name{};
    const auto units = ToUtf16(text);
    for (std::size_t i = 0; i < units.size() && i < kMacroNameUnits; ++i) {
        name[2 * i] = static_cast<std::uint8_t>(units[i] >> 8);
        name[2 * i + 1] = static_cast<std::uint8_t>(units[i] & 0xFF);
    }
    return name;
}

std::string MacroNameToHex(const TMacroName& name) {
    std::string hex;
    for (std::uint8_t b : name)
        AppendHexByte(hex, b);
    return hex;
}

std::string MacroNameToText(const TMacroName& name) {
    std::string text = HexToWideText(MacroNameToHex(name));
    const auto nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

bool IsLibraryNameEmpty(const TMacroName& name) {
    return name[0] == 0 && name[1] == 0;
}

bool IsEepromNameEmpty(const TMacroName& name) {
    return (name[0] == 0 && name[1] == 0) || name[0] == 0xFF || name[1] == 0xFF;
}

bool IsFlashNameEmpty(const TMacroName& name) {
    return (name[0] == 0 && name[1] == 0) || (name[0] == 0xFF && name[1] == 0xFF);
}

} // namespace trvx
