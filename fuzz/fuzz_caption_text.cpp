// Caption texts of any content: decoding, quoting and the reverse lookup.
#include "skin/CaptionText.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string text = trvx::DecodeCaptionBytes(bytes);
    for (const std::string& entry : trvx::SplitCaptionEntries(text)) {
        // A quoted entry never runs over its line.
        if (entry.find('\r') != std::string::npos || entry.find('\n') != std::string::npos)
            std::abort();
    }
    // The raw bytes as 8-bit text go through the splitter as well.
    trvx::SplitCaptionEntries(std::string_view(reinterpret_cast<const char*>(data), size));

    for (const char* name : {"lang1", "lang2", "lang3"}) {
        const auto set = trvx::ParseCaptionText(bytes, name);
        if (!set.ok()) {
            if (set.error.empty())
                std::abort();
            continue;
        }
        const trvx::CaptionSection sets[] = {*set};
        if (!trvx::FindTextKey("", sets).empty())
            std::abort();
        const std::string stop = set->Text("Str401");
        const std::string key = trvx::FindTextKey(stop, sets);
        if (!stop.empty() && key.empty())
            std::abort();
    }
    return 0;
}
