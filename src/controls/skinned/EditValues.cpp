#include "controls/skinned/EditValues.h"

#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace trvx {

namespace {

constexpr char32_t kBackspace = 8;

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool EditCharAllowed(EditCharSet set, char32_t c) {
    if (c == kBackspace)
        return true;
    return set == EditCharSet::Hex ? HexDigitValue(c) >= 0 : IsDigit(c);
}

std::u16string FilterEditText(EditCharSet set, std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text)
        if (c != kBackspace && EditCharAllowed(set, c))
            out.push_back(c);
    return out;
}

bool IsDigitEntry(std::u16string_view text, bool negative, std::size_t maxDigits) {
    if (negative && !text.empty() && text.front() == u'-')
        text.remove_prefix(1);
    if (maxDigits != 0 && text.size() > maxDigits)
        return false;
    return std::all_of(text.begin(), text.end(), IsDigit);
}

std::optional<std::int32_t> ParseHexEditValue(std::string_view text) {
    if (text.empty())
        return 0;
    const auto value = ParseHexDigits(text, 0xFFFFFFFF);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

std::optional<std::int32_t> ParseIntEditValue(std::string_view text) {
    if (text.empty())
        return 0;
    const auto value = ParseDecimalDigits(text, std::numeric_limits<std::int32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::string FormatHexEditValue(std::int32_t value) {
    if (value <= 0)
        return {};
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(value));
    return std::string(buf, std::size_t(n));
}

std::string FormatIntEditValue(std::int32_t value) {
    return value > 0 ? std::to_string(value) : std::string();
}

std::string FormatNumberMask(double value, std::string_view mask) {
    if (!std::isfinite(value))
        value = 0;
    // Only the first section of a mask counts here ("pos;neg;zero" masks are not used).
    mask = mask.substr(0, mask.find(';'));
    const auto point = mask.find(kDecimalSeparator);
    const std::string_view intMask = mask.substr(0, point);
    const std::string_view fracMask =
        point == std::string_view::npos ? std::string_view() : mask.substr(point + 1);
    const int minInt = int(std::count(intMask.begin(), intMask.end(), '0'));
    const bool grouping = intMask.find(kThousandsSeparator) != std::string_view::npos;
    const int minFrac = int(std::count(fracMask.begin(), fracMask.end(), '0'));
    const int maxFrac = minFrac + int(std::count(fracMask.begin(), fracMask.end(), '#'));

    // Round the decimal digits of the value (15 significant, as the value is shown), not its
    // binary form, so that 12.345 rounds up like the text it reads as.
    const bool negative = value < 0;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    int pointPos = std::atoi(p + 1) + 1; // digits before the decimal point
    if (value == 0)
        pointPos = 1;
    const int keep = pointPos + maxFrac;
    if (keep < 0) {
        digits.clear();
    } else if (keep < int(digits.size())) {
        const bool up = digits[std::size_t(keep)] >= '5';
        digits.resize(std::size_t(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0 && digits[std::size_t(i)] == '9'; --i)
                digits[std::size_t(i)] = '0';
            if (i >= 0) {
                ++digits[std::size_t(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
    }
    // Split into integer and fraction digits.
    std::string intPart, fracPart;
    if (pointPos > 0) {
        intPart = digits.substr(0, std::min<std::size_t>(std::size_t(pointPos), digits.size()));
        intPart.resize(std::size_t(pointPos), '0');
        if (int(digits.size()) > pointPos)
            fracPart = digits.substr(std::size_t(pointPos));
    } else {
        fracPart = std::string(std::size_t(-pointPos), '0') + digits;
    }
    fracPart.resize(std::size_t(maxFrac), '0');
    while (int(fracPart.size()) > minFrac && fracPart.back() == '0')
        fracPart.pop_back();
    intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));
    if (int(intPart.size()) < minInt)
        intPart.insert(0, std::size_t(minInt) - intPart.size(), '0');
    if (grouping)
        for (int i = int(intPart.size()) - 3; i > 0; i -= 3)
            intPart.insert(std::size_t(i), 1, kThousandsSeparator);

    std::string out = intPart;
    if (!fracPart.empty())
        out += kDecimalSeparator + fracPart;
    const bool allZero =
        std::none_of(out.begin(), out.end(), [](char c) { return c >= '1' && c <= '9'; });
    if (negative && !allZero)
        out.insert(out.begin(), '-');
    return out;
}

std::optional<double> ParseNumberEditText(std::string_view text) {
    std::string clean;
    for (char c : text)
        if (c != kThousandsSeparator)
            clean.push_back(c);
    // Blanks around the number are allowed, as is a leading "+".
    const auto first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    clean = clean.substr(first, clean.find_last_not_of(' ') - first + 1);
    if (clean.front() == '+')
        clean.erase(0, 1);
    // Only digits, one sign, a decimal point and an exponent: no "inf", "nan" or hex floats.
    if (clean.empty() || !std::all_of(clean.begin(), clean.end(), [](char c) {
            return IsDigit(char32_t(c)) || c == '-' || c == '+' || c == kDecimalSeparator ||
                   c == 'e' || c == 'E';
        }))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (ec != std::errc() || end != clean.data() + clean.size())
        return std::nullopt;
    return value;
}

bool NumberEditKeyAllowed(char32_t c, std::string_view mask, std::string_view text, int caret) {
    if (IsDigit(c) || c == kBackspace)
        return true;
    if (c == char32_t(kDecimalSeparator))
        return mask.find(kDecimalSeparator) != std::string_view::npos &&
               text.find(kDecimalSeparator) == std::string_view::npos;
    if (c == '-')
        return mask.find('-') != std::string_view::npos && caret == 0 &&
               text.find('-') == std::string_view::npos;
    return false;
}

EditSelection AutoSelection(int textLength, int signs) {
    if (signs <= 0 || textLength <= 0)
        return {std::max(textLength, 0), 0};
    const int length = std::min(signs, textLength);
    return {textLength - length, length};
}

} // namespace trvx
