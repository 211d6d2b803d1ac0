#include "skin/CaptionText.h"

#include "controls/wide/WideText.h"

namespace trvx {
namespace {

bool isSeparator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::string DecodeCaptionBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        bytes = bytes.subspan(2);
    std::u16string wide = Utf16FromLittleEndianBytes(bytes);
    const std::size_t nul = wide.find(u'\0');
    if (nul != std::u16string::npos)
        wide.resize(nul);
    return Utf16ToUtf8(wide);
}

std::vector<std::string> SplitCaptionEntries(std::string_view text) {
    std::vector<std::string> entries;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (isSeparator(text[i]) || text[i] == '\0') {
            ++i;
            continue;
        }
        std::string entry;
        if (text[i] == '"') {
            ++i;
            while (i < n && !isLineEnd(text[i])) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        entry += '"';
                        i += 2;
                        continue;
                    }
                    ++i; // the closing quote
                    break;
                }
                entry += text[i++];
            }
            // A quote left open ends with its line; the next line starts afresh.
        } else {
            while (i<n&& static_cast<unsigned char>(text[i])> 32)
                entry += text[i++];
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

ParseResult<CaptionSection> ParseCaptionText(std::span<const std::uint8_t> bytes,
                                             std::string_view sectionName) {
    LayoutIni ini;
    for (const std::string& entry : SplitCaptionEntries(DecodeCaptionBytes(bytes)))
        ini.AddLine(entry);
    const LayoutSection* section = ini.FindSection(sectionName);
    if (!section) {
        const std::string name(sectionName);
        return ParseResult<CaptionSection>::Fail(
            "Caption text " + name + " has no section [" + name + "]", name);
    }
    return ParseResult<CaptionSection>::Ok(CaptionSection(*section));
}

ParseResult<CaptionSection> ReadCaptionSection(std::string_view name) {
    const std::span<const std::uint8_t> bytes = FindTextResource(name);
    if (bytes.empty())
        return ParseResult<CaptionSection>::Fail("Resource " + std::string(name) + " not found",
                                                 std::string(name));
    return ParseCaptionText(bytes, name);
}

std::string FindTextKey(std::string_view text, std::span<const CaptionSection> sets) {
    std::string result;
    if (text.empty())
        return result;
    for (const CaptionSection& set : sets) {
        for (int n = 0; n <= 800; ++n) {
            const std::string key = "Str" + std::to_string(n);
            const auto value = set.Find(key);
            if (value && *value == text)
                result = key;
        }
    }
    return result;
}

std::string FindTextKey(std::string_view text) {
    std::vector<CaptionSection> sets;
    for (const char* name : {"lang1", "lang2", "lang3"}) {
        auto set = ReadCaptionSection(name);
        if (set.ok())
            sets.push_back(std::move(*set));
    }
    return FindTextKey(text, sets);
}

} // namespace trvx
