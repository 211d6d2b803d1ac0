// Fire-macro slots of arbitrary bytes: the length rule, the parse and the editor lines stay
// inside the slot, and the lines of a slot compile back to its bytes.
#include "fire/FireMacro.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trvx::FireMacroArea area{};
    for (std::size_t i = 0; i < size && i < area.size(); ++i)
        area[i] = data[i];
    for (int slot = 0; slot < static_cast<int>(trvx::kFireMacroSlots); ++slot) {
        const std::span<const std::uint8_t> bytes(area.data() + slot * trvx::kFireMacroSize,
                                                  trvx::kFireMacroSize);
        const int length = trvx::FireMacroUsedLength(area, slot).value_or(24);
        if (length < 1 || length > 24)
            std::abort();
        const auto fields = trvx::ParseFireMacro(bytes, length);
        for (const auto* f : {&fields.count, &fields.moveX, &fields.moveY, &fields.delay})
            if (*f && ((*f)->position < 0 || (*f)->position >= 24))
                std::abort();
        if (fields.delay && fields.delay->position + 1 >= 24)
            std::abort();
        auto lines = trvx::FireMacroToLines(bytes, length);
        const auto compiled = trvx::CompileFireMacro(lines);
        if (compiled && compiled->size() > trvx::kFireMacroSize)
            std::abort();
        // Editing never lets the slot pass its size unnoticed.
        if (lines.size() > 1) {
            trvx::DeleteFireMacroLine(lines, 1 + data[0 % (size ? size : 1)] % lines.size());
            trvx::InsertFireMacroLine(lines, 1, trvx::FireInsertKind::LoopEnd, "8 FC");
            const auto edited = trvx::CompileFireMacro(lines);
            if (edited && edited->size() > trvx::kFireMacroSize)
                std::abort();
        }
    }
    // Arbitrary text as editor lines.
    std::vector<std::string> lines{"00"};
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(data[i]);
        }
    }
    lines.push_back(line);
    (void)trvx::CompileFireMacro(lines);
    (void)trvx::FireMacroLineBytes(lines);
    return 0;
}
