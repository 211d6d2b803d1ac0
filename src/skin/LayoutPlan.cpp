#include "skin/LayoutPlan.h"

#include "skin/LayoutRules.h"
#include "skin/WindowTables.h"

#include <set>

namespace trvx {

ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutSection& layout, const CaptionSection& captions,
                                        const LayoutInputs& inputs, const WindowTables& window) {
    LayoutRules rules(layout, captions, inputs);
    window.place(rules);
    if (rules.ok())
        window.captions(rules);
    return rules.Finish();
}

ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutInputs& inputs, const WindowTables& window) {
    const std::string n = std::to_string(inputs.LangIndex);
    ParseResult<LayoutSection> layout = ReadLayoutSection("org" + n);
    if (!layout)
        return ParseResult<LayoutPlan>::Fail(layout.error, layout.where);
    ParseResult<CaptionSection> captions = ReadCaptionSection("lang" + n);
    if (!captions)
        return ParseResult<LayoutPlan>::Fail(captions.error, captions.where);
    return BuildLayoutPlan(*layout, *captions, inputs, window);
}

std::vector<std::string> PicturesOf(const std::vector<SkinOp>& ops) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const SkinOp& o : ops)
        if (o.kind == SkinOpKind::Picture && seen.insert(o.text).second)
            names.push_back(o.text);
    return names;
}

std::string CarryKeyCaption(std::string_view current, const CaptionSection& newSet,
                            std::span<const CaptionSection> allSets) {
    const std::string key = FindTextKey(current, allSets);
    if (key.empty())
        return std::string(current);
    return newSet.Text(key);
}

} // namespace trvx
