#include "keys/ui/KeyCaptions.h"

namespace trvx {

KeyEntryContext KeyContextOf(PageHost& host) {
    KeyEntryContext ctx;
    const CaptionSection& set = host.CaptionSet();
    ctx.caption = [&set](std::string_view key) { return set.Text(key); };
    ctx.storage = host.CurrentStorage();
    ctx.refreshingKeyTexts = true;
    const TIDBlock& id = host.Images().Sections.IDBlock;
    for (std::size_t n = 0; n < ctx.fireKeys.size(); ++n)
        ctx.fireKeys[n] = {id[2 + 3 * n] + 1, id[3 + 3 * n] * 256 + id[4 + 3 * n]};
    return ctx;
}

QString KeyCaption(PageHost& host, const KeyEntryContext& ctx, int profile, int key) {
    const std::string& entry =
        host.Images().KeyCodeTexts[static_cast<std::size_t>(12 * (profile - 1) + key - 1)];
    return QString::fromStdString(KeyCodeToText(entry, ctx).text);
}

} // namespace trvx
