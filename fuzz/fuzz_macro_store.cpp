// The EEPROM macro area parser and packer, and the flash slots, on arbitrary bytes.
#include "macros/DeviceMacroStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trvx::TI2CMacroArea area{};
    std::copy_n(data, std::min(size, area.size()), area.begin());

    trvx::EepromMacroStore read;
    (void)read.ReadAndRefreshMacro4480(area);
    if (read.MacroBytesUsed < 0 || read.Count() > 15)
        std::abort();

    trvx::EepromMacroStore strict;
    if (strict.ParseStrict(area) == trvx::MacroStoreError::None) {
        // A store that was taken reads back as itself.
        trvx::EepromMacroStore again;
        if (again.ParseStrict(strict.MacroArea) != trvx::MacroStoreError::None ||
            again.MacroArea != strict.MacroArea)
            std::abort();
        // Add what follows the area as a macro, then delete the first one.
        trvx::MacroBody body{};
        if (size > area.size())
            std::copy_n(data + area.size(), std::min(size - area.size(), body.size()),
                        body.begin());
        const trvx::EepromMacroStore before = strict;
        if (strict.Add(trvx::MacroNameFromText("fuzz"), body) != trvx::MacroStoreError::None &&
            strict.MacroArea != before.MacroArea)
            std::abort();
        std::vector<trvx::MacroAddressMove> moves;
        (void)strict.Delete(0, moves);
        if (strict.MacroBytesUsed > 512)
            std::abort();
    }

    // The same bytes as flash names and bodies (the rest zero).
    std::vector<std::uint8_t> names(512, 0), bodies(8192, 0);
    std::copy_n(data, std::min<std::size_t>(size, 512), names.begin());
    if (size > 512)
        std::copy_n(data + 512, std::min<std::size_t>(size - 512, 8192), bodies.begin());
    trvx::FlashMacroStore flash;
    flash.Load(std::span<const std::uint8_t, 512>(names.data(), 512),
               std::span<const std::uint8_t, 8192>(bodies.data(), 8192));
    const auto rows = flash.RefreshMacroName();
    std::vector<trvx::MacroAddressMove> moves;
    (void)flash.Delete(static_cast<int>(size % 33), moves);
    flash.UIToMacroName(rows);
    return 0;
}
