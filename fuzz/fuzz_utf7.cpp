// UTF-7 decoding of any bytes, and the round trip of any UTF-16 text.
#include "controls/wide/Utf7.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = trvx::Utf7Decode(bytes);
    if (decoded.ok()) {
        const auto again = trvx::Utf7Decode(trvx::Utf7Encode(*decoded));
        if (!again.ok() || *again != *decoded)
            std::abort();
    } else if (decoded.error != trvx::kInvalidUtf7Message) {
        std::abort();
    }

    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string encoded = trvx::Utf7Encode(text);
    if (encoded.size() > 7 * text.size())
        std::abort();
    const auto back = trvx::Utf7Decode(encoded);
    if (!back.ok() || *back != text)
        std::abort();
    return 0;
}
