#include "controls/wide/Utf7.h"

#include <array>
#include <cstdint>

namespace trvx {
namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kDirect =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:? \t\r\n";
constexpr std::string_view kOptionalDirect = "!\"#$%&*;<=>@[]^_`{|}";

struct Tables {
    std::array<std::int8_t, 128> base64Value{};
    std::array<bool, 128> direct{};
    Tables() {
        base64Value.fill(-1);
        for (std::size_t i = 0; i < kBase64.size(); ++i)
            base64Value[static_cast<unsigned char>(kBase64[i])] = static_cast<std::int8_t>(i);
        for (char c : kDirect)
            direct[static_cast<unsigned char>(c)] = true;
        for (char c : kOptionalDirect)
            direct[static_cast<unsigned char>(c)] = true;
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

bool isBase64(char16_t c) {
    return c < 128 && tables().base64Value[c] >= 0;
}

} // namespace

std::string Utf7Encode(std::u16string_view text) {
    const Tables& t = tables();
    std::string out;
    out.reserve(text.size());
    bool inRun = false;
    std::uint32_t bits = 0;
    int bitCount = 0;
    auto closeRun = [&](bool minusNeeded) {
        if (bitCount > 0)
            out += kBase64[(bits << (6 - bitCount)) & 0x3F];
        bits = 0;
        bitCount = 0;
        if (minusNeeded)
            out += '-';
        inRun = false;
    };
    for (char16_t c : text) {
        const bool direct = c < 128 && t.direct[c];
        if (direct || c == u'+') {
            if (inRun)
                closeRun(isBase64(c) || c == u'-');
            if (c == u'+')
                out += "+-";
            else
                out += static_cast<char>(c);
            continue;
        }
        if (!inRun) {
            out += '+';
            inRun = true;
        }
        bits = (bits << 16) | c;
        bitCount += 16;
        while (bitCount >= 6) {
            bitCount -= 6;
            out += kBase64[(bits >> bitCount) & 0x3F];
        }
        bits &= (1u << bitCount) - 1;
    }
    if (inRun)
        closeRun(false);
    return out;
}

ParseResult<std::u16string> Utf7Decode(std::string_view text) {
    const Tables& t = tables();
    std::u16string out;
    out.reserve(text.size());
    auto invalid = [] {
        return ParseResult<std::u16string>::Fail(std::string(kInvalidUtf7Message));
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c > 127)
            return invalid();
        if (c != '+') {
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        ++i;
        if (i < text.size() && text[i] == '-') {
            out += u'+';
            ++i;
            continue;
        }
        std::uint32_t bits = 0;
        int bitCount = 0;
        std::size_t digits = 0;
        while (i < text.size()) {
            const auto d = static_cast<unsigned char>(text[i]);
            if (d > 127 || t.base64Value[d] < 0)
                break;
            bits = (bits << 6) | static_cast<std::uint32_t>(t.base64Value[d]);
            bitCount += 6;
            ++digits;
            ++i;
            if (bitCount >= 16) {
                bitCount -= 16;
                out += static_cast<char16_t>((bits >> bitCount) & 0xFFFF);
                bits &= (1u << bitCount) - 1;
            }
        }
        if (digits == 0 || bits != 0)
            return invalid();
        if (i < text.size() && text[i] == '-')
            ++i; // the minus that ends a run is not part of the text
    }
    return ParseResult<std::u16string>::Ok(std::move(out));
}

} // namespace trvx
