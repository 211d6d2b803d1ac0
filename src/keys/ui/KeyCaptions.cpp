#include "keys/ui/KeyCaptions.h"

#include "macros/DeviceMacroStore.h"

namespace trvx {

KeyEntryContext KeyContextOf(PageHost& host) {
    KeyEntryContext ctx;
    const CaptionSection& set = host.CaptionSet();
    ctx.caption = [&set](std::string_view key) { return set.Text(key); };
    ctx.storage = host.CurrentStorage();
    ctx.refreshingKeyTexts = true;
    for (std::size_t n = 0; n < ctx.fireKeys.size(); ++n) {
        const FireKeyParameters fire = host.Model().FireKey(static_cast<int>(n) + 1);
        ctx.fireKeys[n] = {fire.count, fire.delayMs};
    }
    // Keys that carry a device macro are named after it.
    const WorkingSections& sections = host.Model().Sections();
    if (ctx.storage == StorageKind::I2C) {
        EepromMacroStore store;
        store.ReadAndRefreshMacro4480(sections.MacroArea);
        const std::vector<std::string> names = store.RefreshMacroName4480();
        for (std::size_t i = 0; i < kEepromMacroSlots; ++i)
            ctx.macroSlots.push_back({store.DevMacroStarts[i], store.DevMacroLengths[i],
                                      i < names.size() ? names[i] : std::string()});
    } else if (ctx.storage == StorageKind::Flash) {
        FlashMacroStore store;
        store.Load(sections.FlashMacroNames, sections.FlashMacroBodies);
        const std::vector<std::string> names = store.RefreshMacroName();
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
            ctx.macroSlots.push_back({store.FlashMacroAddrs[i], store.FlashMacroLengths[i],
                                      i < names.size() ? names[i] : std::string()});
    }
    return ctx;
}

QString KeyCaption(PageHost& host, const KeyEntryContext& ctx, int profile, int key) {
    const std::string entry = host.Model().KeyCodeText(12 * (profile - 1) + key);
    return QString::fromStdString(KeyCodeToText(entry, ctx).text);
}

} // namespace trvx
