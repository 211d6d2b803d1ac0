// The body lister, the script compiler and the line texts on arbitrary bytes.
#include "macros/MacroCode.h"
#include "macros/MacroName.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t length = static_cast<std::size_t>(data[0]) * 256 + data[1];
    const std::span<const std::uint8_t> body(data + 2, size - 2);
    const trvx::MacroListing listing = trvx::MacroBodyToScript(
        body, length, [](std::uint8_t usage) { return std::string(1, char('A' + usage % 26)); });

    // What the lister gives, the compiler takes back to the same bytes.
    const trvx::CompileResult again = trvx::CompilePCMacroScript(listing.lines);
    if (listing.lines.size() > 1 && again.macro && listing.complete) {
        const auto events = again.macro->length - 1u;
        for (std::size_t i = 0; i < events; ++i) {
            if (again.macro->body[i] != body[i])
                std::abort();
        }
    }
    for (const auto& line : listing.lines)
        (void)trvx::MacroLineDrawText(line);

    // The bytes as script text, one line per newline.
    trvx::MacroScript lines{"10"};
    std::string current;
    for (std::size_t i = 2; i < size; ++i) {
        if (data[i] == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    lines.push_back(current);
    const trvx::CompileResult compiled = trvx::CompilePCMacroScript(lines);
    if (compiled.macro && compiled.macro->length > trvx::kMacroBodySize)
        std::abort();
    (void)trvx::ValidateScriptLines(lines);
    for (const auto& line : lines) {
        (void)trvx::MacroLineDrawText(line);
        (void)trvx::HexToWideText(line);
        (void)trvx::MacroNameFromText(line);
    }
    return 0;
}
