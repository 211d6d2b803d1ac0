#include "keys/ui/KeyCaptions.h"

#include "keys/ui/KeyFunctionOptions.h"
#include "macros/MacroSlots.h"

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
    ctx.macroSlots = MacroSlotsOf(host.Model().Sections(), ctx.storage);
    CollectKeyFunctionOptions(host, ctx);
    return ctx;
}

QString KeyCaption(PageHost& host, const KeyEntryContext& ctx, int profile, int key) {
    const std::string entry = host.Model().KeyCodeText(12 * (profile - 1) + key);
    return QString::fromStdString(KeyCodeToText(entry, ctx).text);
}

} // namespace trvx
