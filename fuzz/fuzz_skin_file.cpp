// Skin file reader: any bytes must be refused cleanly or read into lists whose lookups work.
#include "controls/skinned/SkinFile.h"
#include "controls/skinned/StyleTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    (void)trvx::ValidateSkinFileBytes(bytes);
    trvx::SkinThemeFileReader reader;
    if (reader.load(bytes))
        return 0;
    for (int i = 1; i <= trvx::kThemeElementCount; ++i) {
        (void)trvx::FileThemeInteger(&reader, i);
        (void)trvx::FileThemeBool(&reader, i);
        (void)reader.bitmap(trvx::themeElement(i)->name);
    }
    for (const auto& [name, bitmap] : reader.bitmaps())
        (void)reader.bitmap(name);
    for (const auto& line : reader.integerLines())
        (void)reader.integer(line.substr(0, line.find('=')));
    return 0;
}
