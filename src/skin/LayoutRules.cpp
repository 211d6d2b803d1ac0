#include "skin/LayoutRules.h"

#include <algorithm>

namespace trvx {

// Values far outside any window are held at a bound, so the rules' sums cannot overflow.
static constexpr int kLimit = 1 << 20;

int LayoutRules::I(const std::string& key) {
    if (r_.ok())
        plan_.keysRead.push_back(key);
    return std::clamp(r_.Int(key), -kLimit, kLimit);
}

Rgb LayoutRules::colour(const std::string& stem) {
    Rgb c;
    c.R = I(stem + "_R");
    c.G = I(stem + "_G");
    c.B = I(stem + "_B");
    return c;
}

SkinOp& LayoutRules::op(SkinOpKind kind, std::string control) {
    // After a failed read the plan is thrown away; the rest of the pass only reads on.
    if (!r_.ok()) {
        scratch_ = SkinOp();
        return scratch_;
    }
    SkinOp o;
    o.kind = kind;
    o.control = std::move(control);
    plan_.ops.push_back(std::move(o));
    return plan_.ops.back();
}

void LayoutRules::picture(const std::string& c, const std::string& image) {
    op(SkinOpKind::Picture, c).text = image;
}

void LayoutRules::move(const std::string& c, int x, int y) {
    SkinOp& o = op(SkinOpKind::Move, c);
    o.x = x;
    o.y = y;
}

void LayoutRules::moveKeys(const std::string& c, const std::string& xKey, const std::string& yKey) {
    const int x = I(xKey);
    const int y = I(yKey);
    move(c, x, y);
}

void LayoutRules::sizeFrom(const std::string& c, const std::string& pic, int dx, int dy,
                           bool setWidth, bool setHeight) {
    SkinOp& o = op(SkinOpKind::SizeFromPicture, c);
    o.ref = pic;
    o.dx = dx;
    o.dy = dy;
    o.setWidth = setWidth;
    o.setHeight = setHeight;
}

void LayoutRules::leftFrom(const std::string& c, const std::string& ref, int dx) {
    SkinOp& o = op(SkinOpKind::LeftFrom, c);
    o.ref = ref;
    o.dx = dx;
}

void LayoutRules::fontColour(const std::string& c, const Rgb& rgb) {
    op(SkinOpKind::FontColor, c).colour = rgb.Value();
}

void LayoutRules::backColour(const std::string& c, const Rgb& rgb) {
    op(SkinOpKind::BackColor, c).colour = rgb.Value();
}

void LayoutRules::borderColour(const std::string& c, const Rgb& rgb) {
    op(SkinOpKind::BorderColor, c).colour = rgb.Value();
}

void LayoutRules::caption(const std::string& c, std::string text) {
    op(SkinOpKind::Caption, c).text = std::move(text);
}

void LayoutRules::fontName(const std::string& c) {
    op(SkinOpKind::FontName, c).text = plan_.values.FontName;
}

void LayoutRules::scale(const std::vector<std::string>& pics, int x, int y, int d, bool row) {
    for (std::size_t i = 0; i < pics.size(); ++i) {
        SkinOp& o = op(SkinOpKind::ScaleStep, pics[i]);
        o.ref = pics.front();
        o.n = static_cast<int>(i);
        o.x = x;
        o.y = y;
        o.dx = d;
        o.row = row;
    }
}

void LayoutRules::pictureButton(const std::string& pic, const std::string& label,
                                const std::string& stem) {
    const int x = I(stem + "_X");
    const int y = I(stem + "_Y");
    move(pic, x, y);
    move(label, x, y);
    sizeFrom(label, pic);
}

void LayoutRules::textLabel(const std::string& stem, const std::string& label, const Rgb* shared,
                            bool heightFromFont, const std::string& sizeKey) {
    moveKeys(label, stem + "_X", stem + "_Y");
    if (shared)
        fontColour(label, *shared);
    else
        fontColour(label, colour(stem));
    fontSize(label, I(sizeKey.empty() ? stem + "_Size" : sizeKey));
    width(label, I(stem + "_Width"));
    if (heightFromFont)
        op(SkinOpKind::HeightFromFont, label);
}

void LayoutRules::textLabels(std::span<const TextLabelRule> labels) {
    for (const TextLabelRule& l : labels)
        textLabel(l.stem, l.label, nullptr, l.heightFromFont);
}

void LayoutRules::bind(std::span<const CaptionBinding> bindings, bool fiveCopies) {
    for (const CaptionBinding& b : bindings) {
        const std::string t =
            std::string(static_cast<std::size_t>(b.leadingBlanks), ' ') + text(b.key);
        if (fiveCopies)
            each(copies(b.control), [&](const std::string& c) { caption(c, t); });
        else
            caption(std::string(b.control), t);
    }
}

void LayoutRules::items(const std::string& control, std::span<const std::string_view> keys) {
    SkinOp& o = op(SkinOpKind::Items, control);
    for (std::string_view k : keys)
        o.items.push_back(text(k));
}

void LayoutRules::pageLabels(std::span<const CaptionBinding> bindings) {
    for (const CaptionBinding& b : bindings) {
        const std::string c(b.control);
        fontName(c);
        caption(c, text(b.key));
        op(SkinOpKind::AlignLeft, c);
    }
}

std::vector<std::string> LayoutRules::copies(std::string_view prefix) {
    return NumberedSeries(prefix, 1, 5);
}

ParseResult<LayoutPlan> LayoutRules::Finish() {
    if (!r_.ok())
        return ParseResult<LayoutPlan>::Fail(r_.Error(), r_.ErrorKey());
    return ParseResult<LayoutPlan>::Ok(std::move(plan_));
}

} // namespace trvx
