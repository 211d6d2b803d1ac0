#include "macros/MacroSlots.h"

#include "macros/DeviceMacroStore.h"

namespace trvx {

std::vector<MacroSlot> MacroSlotsOf(const WorkingSections& sections, StorageKind kind) {
    std::vector<MacroSlot> slots;
    if (kind == StorageKind::I2C) {
        EepromMacroStore store;
        store.ReadAndRefreshMacro4480(sections.MacroArea);
        const std::vector<std::string> names = store.RefreshMacroName4480();
        for (std::size_t i = 0; i < kEepromMacroSlots; ++i)
            slots.push_back({store.DevMacroStarts[i], store.DevMacroLengths[i],
                             i < names.size() ? names[i] : std::string()});
    } else if (kind == StorageKind::Flash) {
        FlashMacroStore store;
        store.Load(sections.FlashMacroNames, sections.FlashMacroBodies);
        const std::vector<std::string> names = store.RefreshMacroName();
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
            slots.push_back({store.FlashMacroAddrs[i], store.FlashMacroLengths[i],
                             i < names.size() ? names[i] : std::string()});
    }
    return slots;
}

} // namespace trvx
