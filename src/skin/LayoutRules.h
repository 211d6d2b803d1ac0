#pragma once
// What a page's layout and caption rules are written with: reads of the language set's layout
// keys and captions, and the steps of the pass they add to the plan. Each page keeps its rules
// beside its code; the shell runs them in the window's order (skin/WindowTables.h).

#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"
#include "skin/LayoutPlan.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// A free-standing text label of a page: the stem of its layout keys and its name.
struct TextLabelRule {
    const char* stem;
    const char* label;
    bool heightFromFont; // false where the width key leaves the height alone
    constexpr TextLabelRule(const char* s, const char* l, bool h = true)
        : stem(s), label(l), heightFromFont(h) {}
};

class LayoutRules {
public:
    LayoutRules(const LayoutSection& layout, const CaptionSection& captions,
                const LayoutInputs& inputs)
        : r_(layout), cap_(captions), in_(inputs) {}

    const LayoutInputs& inputs() const { return in_; }
    LayoutValues& values() { return plan_.values; }
    // False after a layout key failed to read; the plan is then thrown away.
    bool ok() const { return r_.ok(); }

    // Layout keys. A failed read makes the rest of the pass only read on.
    int I(const std::string& key);
    Rgb colour(const std::string& stem); // stem_R, stem_G, stem_B

    // Steps on a control, in the order they are applied.
    SkinOp& op(SkinOpKind kind, std::string control);
    void picture(const std::string& c, const std::string& image);
    void show(const std::string& c) { op(SkinOpKind::Show, c); }
    void hide(const std::string& c) { op(SkinOpKind::Hide, c); }
    void left(const std::string& c, int x) { op(SkinOpKind::Left, c).x = x; }
    void top(const std::string& c, int y) { op(SkinOpKind::Top, c).y = y; }
    void width(const std::string& c, int w) { op(SkinOpKind::Width, c).x = w; }
    void height(const std::string& c, int h) { op(SkinOpKind::Height, c).y = h; }
    void move(const std::string& c, int x, int y);
    // Reads the left key, then the top key, and moves the control there.
    void moveKeys(const std::string& c, const std::string& xKey, const std::string& yKey);
    void sizeFrom(const std::string& c, const std::string& pic, int dx = 0, int dy = 0,
                  bool setWidth = true, bool setHeight = true);
    void leftFrom(const std::string& c, const std::string& ref, int dx);
    void fontSize(const std::string& c, int pt) { op(SkinOpKind::FontSize, c).x = pt; }
    void fontColour(const std::string& c, const Rgb& rgb);
    void backColour(const std::string& c, const Rgb& rgb);
    void borderColour(const std::string& c, const Rgb& rgb);
    void caption(const std::string& c, std::string text);
    // The set's font (values().FontName, read by the caption rules first).
    void fontName(const std::string& c);

    template <class F> void each(const std::vector<std::string>& names, F f) {
        for (const std::string& n : names)
            f(n);
    }

    // A scale of pictures from (x, y) with gap d, as a row or a column.
    void scale(const std::vector<std::string>& pics, int x, int y, int d, bool row);
    // Picture button: picture and label at (stem_X, stem_Y), the label as large as the picture.
    void pictureButton(const std::string& pic, const std::string& label, const std::string& stem);
    // The text-label rule: place, colour (or the shared one), size and width from stem's keys;
    // heightFromFont false for the labels whose width key leaves their height alone.
    void textLabel(const std::string& stem, const std::string& label, const Rgb* shared = nullptr,
                   bool heightFromFont = true, const std::string& sizeKey = {});
    void textLabels(std::span<const TextLabelRule> labels);

    // Captions.
    std::string text(std::string_view key) const { return cap_.Text(key); }
    // Each control's caption from its key; with fiveCopies the control is a prefix of copies
    // 1 .. 5.
    void bind(std::span<const CaptionBinding> bindings, bool fiveCopies = false);
    // Replaces the first items of a list with the texts of the keys.
    void items(const std::string& control, std::span<const std::string_view> keys);
    // Free-standing text labels: the set's font, the caption, left-justified.
    void pageLabels(std::span<const CaptionBinding> bindings);

    // Copies 1 .. 5 of a frame control.
    static std::vector<std::string> copies(std::string_view prefix);

    ParseResult<LayoutPlan> Finish();

private:
    LayoutReader r_;
    const CaptionSection& cap_;
    const LayoutInputs& in_;
    LayoutPlan plan_;
    SkinOp scratch_;
};

} // namespace trvx
