// The gun-key file on arbitrary bytes: its rows always name used slots, and what is written back
// reads back the same.
#include "fire/GunKeyScripts.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    trvx::GunScripts scripts = trvx::GunScripts::FromFileBytes(bytes);
    const auto rows = scripts.RowSlots();
    if (rows.size() != scripts.RowNames().size())
        std::abort();
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (scripts.SlotOfRow(static_cast<int>(r)) != rows[r] ||
            scripts.Slot(rows[r]) == trvx::TKeyEntry{})
            std::abort();
    const auto again = trvx::GunScripts::FromFileBytes(scripts.FileBytes());
    if (again.Slots() != scripts.Slots())
        std::abort();
    // Rows removed and added keep within the ten slots.
    if (size > 0) {
        scripts.RemoveRow(data[0] % 11);
        scripts.Add(trvx::BuildGunScript({data[0] & 1, true, data[0] % 10, data[0] % 10, 10}));
        if (scripts.RowSlots().size() > trvx::kGunScriptSlots)
            std::abort();
    }
    (void)trvx::GunScriptToForm(scripts.Slot(0), {});
    return 0;
}
