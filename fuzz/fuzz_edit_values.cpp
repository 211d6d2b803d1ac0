// The typed-number parsers and formatters of the edits on arbitrary text: nothing may crash, and
// a value the hex or integer edit accepts must survive being shown and read back.
#include "controls/skinned/EditValues.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const auto& [parse, format] :
         {std::pair{&trvx::ParseHexEditValue, &trvx::FormatHexEditValue},
          std::pair{&trvx::ParseIntEditValue, &trvx::FormatIntEditValue}}) {
        const auto value = parse(text);
        if (!value || *value <= 0)
            continue;
        const auto back = parse(format(*value));
        if (!back || *back != *value)
            std::abort();
    }

    // The first bytes, up to a zero byte, are a mask; the rest is the edit's text.
    const std::size_t cut = text.find('\0');
    const std::string_view mask = text.substr(0, std::min<std::size_t>(cut, 32));
    const std::string_view rest = cut == std::string_view::npos ? text : text.substr(cut + 1);
    if (const auto number = trvx::ParseNumberEditText(rest); number && std::isfinite(*number))
        (void)trvx::FormatNumberMask(*number, mask);
    for (std::size_t i = 0; i < rest.size() && i < 64; ++i)
        (void)trvx::NumberEditKeyAllowed(static_cast<unsigned char>(rest[i]), mask, rest,
                                         static_cast<int>(i));

    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size && wide.size() < 256; i += 2)
        wide.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    (void)trvx::FilterEditText(trvx::EditCharSet::Hex, wide);
    (void)trvx::FilterEditText(trvx::EditCharSet::Decimal, wide);
    return 0;
}
