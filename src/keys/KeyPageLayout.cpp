#include "keys/KeyMenus.h"
#include "keys/KeyPageTables.h"
#include "skin/LayoutRules.h"

#include <array>

namespace trvx {
namespace {

// Layout key N places key label and picture kKeySlot[N - 1].
constexpr std::array<int, 12> kKeySlot = {1, 4, 7, 2, 5, 8, 3, 6, 9, 10, 11, 12};

// Mode-switch option buttons IB_ComboKey1 .. IB_ComboKey8.
constexpr CaptionBinding kComboOptions[] = {
    {"IB_ComboKey1", "Str700", 4}, {"IB_ComboKey2", "Str701", 4}, {"IB_ComboKey3", "Str702", 4},
    {"IB_ComboKey4", "Str703", 4}, {"IB_ComboKey5", "Str704", 4}, {"IB_ComboKey6", "Str705", 4},
    {"IB_ComboKey7", "Str706", 4}, {"IB_ComboKey8", "Str707", 4},
};

// Every entry and arrow label of the menus, then the two pick lists.
std::vector<std::string> menuLabels() {
    std::vector<std::string> names;
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries) {
            names.emplace_back(e.name);
            if (e.arrow)
                names.push_back(KeyMenuArrow(e));
        }
    for (std::string_view list : kKeyMenuLists)
        names.emplace_back(list);
    return names;
}

// A menu of width w: its entries 4 pixels narrower, its arrows at their right end.
void sizeMenu(LayoutRules& r, const KeyMenu& menu, int w) {
    r.width(std::string(menu.panel), w);
    for (const KeyMenuEntry& e : menu.entries)
        r.width(std::string(e.name), w - 4);
    for (const KeyMenuEntry& e : menu.entries)
        if (e.arrow)
            r.left(KeyMenuArrow(e), w - 24);
}

} // namespace

void KeyPageLayout(LayoutRules& r) {
    const auto keys = NumberedSeries("Key", 1, 12);
    const auto combos = NumberedSeries("IB_ComboKey", 1, 8);
    const int size = r.I("Size_C");
    r.each(keys, [&](const std::string& c) { r.fontSize(c, size); });
    r.each(combos, [&](const std::string& c) { r.fontSize(c, size - 1); });
    const Rgb c = r.colour("Color_C");
    r.each(keys, [&](const std::string& n) { r.fontColour(n, c); });
    r.each(combos, [&](const std::string& n) { r.fontColour(n, c); });
    r.moveKeys("Img_P1", "P1_X", "P1_Y");
    for (int n = 1; n <= 12; ++n) {
        const std::string label = Numbered("Key", kKeySlot[n - 1]);
        const std::string pic = "Img_" + label;
        if (r.I(Numbered("Key", n, "_Enable")) == 1) {
            r.show(label);
            r.show(pic);
            const int x = r.I(Numbered("Key", n, "_X"));
            const int y = r.I(Numbered("Key", n, "_Y"));
            const int w = r.I("Key_Width");
            r.width(label, w);
            r.width(pic, w);
            r.move(pic, x, y);
            r.move(label, x, y);
            r.sizeFrom(label, pic, 0, 0, false, true);
        } else {
            r.hide(label);
            r.hide(pic);
        }
    }
    for (int n = 1; n <= 8; ++n) {
        const std::string label = Numbered("IB_ComboKey", n);
        const std::string pic = Numbered("Img_ComboKey", n);
        const bool on = r.I(Numbered("ComboKey", n, "_Enable")) == 1;
        if (n == 8)
            r.values().ComboKey8Enabled = on;
        if (!on) {
            r.hide(label);
            r.hide(pic);
            continue;
        }
        if (n < 8) {
            r.show(label);
            r.show(pic);
        }
        const int x = r.I(Numbered("ComboKey", n, "_X"));
        const int y = r.I(Numbered("ComboKey", n, "_Y"));
        r.move(pic, x, y);
        r.move(label, x, y);
        // The eighth option (gun key) shows only with the gun display on the second profile.
        if (n == 8 && r.inputs().GDEnable && r.inputs().PageRadio == 2) {
            r.show(pic);
            r.show(label);
        }
    }
}

void KeyMenuLayout(LayoutRules& r) {
    LayoutValues& v = r.values();
    const std::vector<std::string> labels = menuLabels();
    std::vector<std::string> panels;
    for (const KeyMenu& menu : KeyMenus())
        panels.emplace_back(menu.panel);
    for (std::string_view list : kKeyMenuLists)
        panels.emplace_back(list);
    const int size = r.I("Size_G");
    r.each(labels, [&](const std::string& c) { r.fontSize(c, size); });
    v.ColorG = r.colour("Color_G");
    r.each(labels, [&](const std::string& c) { r.fontColour(c, v.ColorG); });
    v.ColorGBack = r.colour("Color_G_Back");
    r.each(panels, [&](const std::string& c) { r.backColour(c, v.ColorGBack); });
    const Rgb border = r.colour("Color_G_Border");
    r.each(panels, [&](const std::string& c) { r.borderColour(c, border); });
    v.ColorGSF = r.colour("Color_G_SF");
    v.ColorGSP = r.colour("Color_G_SP");

    // The main and the special-key menu have widths of their own; the other menus share one.
    const KeyMenu& main = *FindKeyMenu("Pnl_Main");
    const KeyMenu& special = *FindKeyMenu("Pnl_Special");
    sizeMenu(r, main, r.I("M_L_W"));
    sizeMenu(r, special, r.I("SP_L_W"));
    const int o = r.I("O_L_W");
    auto other = [&](const KeyMenu& m) { return &m != &main && &m != &special; };
    for (const KeyMenu& menu : KeyMenus())
        if (other(menu))
            r.width(std::string(menu.panel), o);
    for (const KeyMenu& menu : KeyMenus())
        if (other(menu))
            for (const KeyMenuEntry& e : menu.entries)
                r.width(std::string(e.name), o - 4);
}

void KeyPageWidths(LayoutRules& r) {
    const int cw = r.I("Combox_Width");
    r.each(NumberedSeries("IB_ComboKey", 1, 8), [&](const std::string& c) { r.width(c, cw); });
}

void AddKeyPageFonts(std::vector<std::string>& fonts) {
    for (auto&& more :
         {NumberedSeries("Key", 1, 12), NumberedSeries("IB_ComboKey", 1, 8), menuLabels()})
        fonts.insert(fonts.end(), more.begin(), more.end());
}

void KeyPageCaptions(LayoutRules& r) {
    r.each(NumberedSeries("Key", 1, 12),
           [&](const std::string& c) { r.op(SkinOpKind::KeyCaption, c); });
    r.bind(kComboOptions);
    // Entries show " " + marker + " " + text; a choice strips those three characters again.
    const std::string marker = r.values().MenuMarker;
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries)
            r.caption(std::string(e.name), " " + marker + " " + r.text(e.captionKey));
}

std::vector<std::string_view> KeyPageCaptionKeys() {
    std::vector<std::string_view> keys;
    for (const CaptionBinding& b : kComboOptions)
        keys.push_back(b.key);
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries)
            keys.push_back(e.captionKey);
    return keys;
}

std::vector<std::string_view> KeyFunctionCaptionKeys() {
    std::vector<std::string_view> keys = {FindKeyMenuEntry("Key_Assembly")->captionKey};
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries)
            if (e.tag >= kFirstFunctionTag)
                keys.push_back(e.captionKey);
    for (std::string_view gun : GunModeNameKeys())
        keys.push_back(gun);
    return keys;
}

} // namespace trvx
