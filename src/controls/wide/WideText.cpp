#include "controls/wide/WideText.h"

#include "controls/wide/Utf7.h"

#include <cstring>

namespace trvx {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isUtf8Code(unsigned codePage) {
    return codePage == CP_ACP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
}

std::string unsupportedCodePage(unsigned codePage) {
    return "Code page " + std::to_string(codePage) + " is not supported";
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 < 0x80) {
            out += static_cast<char16_t>(b0);
            ++i;
            continue;
        }
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2;
            cp = b0 & 0x1F;
            minimum = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3;
            cp = b0 & 0x0F;
            minimum = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4;
            cp = b0 & 0x07;
            minimum = 0x10000;
        }
        bool good = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; good && k < length; ++k) {
            const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80)
                good = false;
            else
                cp = (cp << 6) | (b & 0x3F);
        }
        if (good && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            good = false;
        if (!good) {
            out += kReplacement;
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                (static_cast<char32_t>(text[i + 1]) - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

ParseResult<std::u16string> WideFromCodePage(std::string_view text, unsigned codePage) {
    if (isUtf8Code(codePage))
        return ParseResult<std::u16string>::Ok(Utf8ToUtf16(text));
    if (codePage == CP_UTF7)
        return Utf7Decode(text);
    return ParseResult<std::u16string>::Fail(unsupportedCodePage(codePage));
}

ParseResult<std::string> WideToCodePage(std::u16string_view text, unsigned codePage) {
    if (isUtf8Code(codePage))
        return ParseResult<std::string>::Ok(Utf16ToUtf8(text));
    if (codePage == CP_UTF7)
        return ParseResult<std::string>::Ok(Utf7Encode(text));
    return ParseResult<std::string>::Fail(unsupportedCodePage(codePage));
}

void SwapCodeUnitBytes(std::u16string& text) {
    for (char16_t& c : text) {
        if (c == 0)
            break;
        c = static_cast<char16_t>((c >> 8) | (c << 8));
    }
}

std::u16string Utf16FromLittleEndianBytes(std::span<const std::uint8_t> bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return out;
}

std::string SystemErrorText(int errorCode) {
    char buffer[256] = {};
    // The GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    std::string_view view = text ? std::string_view(text) : std::string_view();
    while (!view.empty() && static_cast<unsigned char>(view.front()) <= ' ')
        view.remove_prefix(1);
    while (!view.empty() && static_cast<unsigned char>(view.back()) <= ' ')
        view.remove_suffix(1);
    if (view.empty())
        return "Unspecified error (" + std::to_string(errorCode) + ") from system.";
    return std::string(view);
}

} // namespace trvx
