#include "fire/FirePageTables.h"

namespace trvx {

namespace {

// The recorder behind the access code fills the free space under the parameter groups: the two
// lists, the record button on the footer row, and on the right the delay-mode group, in whose
// place the insertion group opens.
void PlaceFireRecorder(ControlTable& t) {
    auto place = [&t](const char* name, int x, int y, int w = 0, int h = 0) {
        if (ControlSpec* s = t.find(name)) {
            s->x = x;
            s->y = y;
            if (w > 0) {
                s->w = w;
                s->h = h;
            }
        }
    };
    place("LB_FireMacroName", 400, 378, 130, 192);
    place("LB_FireMacro", 540, 378, 155, 192);
    place("Img_FireStart", 400, 601);
    place("Btn_FireStart", 400, 601, 110, 27);
    constexpr int gx = 705, gy = 378;
    place("GB_FireDelay", gx, gy, 186, 110);
    place("Img_FireDelay", gx, gy);
    int y = gy + 8;
    for (const char* r : {"FireRecDelay", "FireDelayTime", "FireNoDelay"}) {
        place((std::string("LED_") + r).c_str(), gx + 6, y + 2);
        place((std::string("IB_") + r).c_str(), gx + 26, y, 150, 19);
        y += 24;
    }
    place("Edt_FireDelay", gx + 26, y + 4, 56, 21);
    place("Gb_InsertFire", gx, gy, 186, 110);
    place("Img_FireInsert", gx, gy);
    place("CB_InsertFire", gx + 6, gy + 8, 172, 22);
    // One row of values at a time: the kind chosen shows its own.
    const int vy = gy + 40;
    place("lbl_FireDelay", gx + 6, vy + 2, 70, 17);
    place("Edt_InsertFireDelay", gx + 80, vy, 52, 21);
    place("lbl_Fires_A", gx + 136, vy + 2, 30, 17);
    place("lbl_FireXAxisValue", gx + 6, vy + 2, 36, 17);
    place("edt_FireXAxisValue", gx + 44, vy, 42, 21);
    place("lbl_FireYAxisValue", gx + 92, vy + 2, 36, 17);
    place("edt_FireYAxisValue", gx + 130, vy, 42, 21);
    place("lbl_FireRepeat", gx + 6, vy + 2, 70, 17);
    place("edt_FireRepeat", gx + 80, vy, 52, 21);
    place("Img_FireOK", gx + 6, gy + 74);
    place("Btn_FireOK", gx + 6, gy + 74, 44, 27);
    place("Img_FireCancel", gx + 74, gy + 74);
    place("Btn_FireCancel", gx + 74, gy + 74, 44, 27);
    for (const char* b : {"Btn_FireOK", "Btn_FireCancel"})
        if (ControlSpec* s = t.find(b))
            s->centred = true;
}

} // namespace

void AddFirePageControls(ControlTable& t) {
    using K = ControlKind;
    const std::string p = "gbPage6";
    t.picture("Img_Base_6", p);
    t.picture("Img_P6", p);
    for (int n = 1; n <= 7; ++n)
        t.button(Numbered("Fire", n), p);
    for (int n = 1; n <= 5; ++n)
        t.picture(Numbered("Img_GunMode", n), p);
    t.picture("Img_FireSelLeft", p);
    t.label("lbl_FireSelLeft", p, 0, 0, 20, 20);
    for (const char* e : {"Edt_FireCnt", "Edt_FireX", "Edt_FireX_Offset", "Edt_FireY",
                          "Edt_FireY_Offset", "Edt_FireTime"}) {
        const std::string stem(e);
        const auto cut = stem.find("_Offset");
        for (int n = 1; n <= 3; ++n)
            t.add(cut == std::string::npos ? Numbered(stem, n)
                                           : Numbered(stem.substr(0, cut), n, "Offset"),
                  K::Edit, p, 0, 0, 52, 21);
    }
    for (int n = 1; n <= 3; ++n) {
        t.picture(Numbered("Img_FireColor", n), p);
        t.add(Numbered("cs_FireColor", n), K::Shape, p, 0, 0, 18, 18).colour = kSkinSwatchBlank;
        t.label(Numbered("IB_FireColor", n), p, 0, 0, 18, 18);
    }
    for (const char* l : {"lbl_Fire_Marco_Count", "lbl_Fire_Marco_X", "lbl_Fire_Marco_X_Offset",
                          "lbl_Fire_Marco_Y", "lbl_Fire_Marco_Y_Offset", "lbl_Fire_Marco_Delay",
                          "lbl_Fire_Keep_Left", "lbl_Fire_Marco_Color"})
        t.label(l, p, 0, 0, 60, 17);
    t.button("FireConfirm", p);
    t.button("FireExit", p);
    // The gun-key macro editor: no layout places it; the gun-key pages show it where they need
    // it.
    auto hide = [](ControlSpec& s) { s.hidden = true; };
    hide(t.add("LB_FireMacroName", K::WideListBox, p, 20, 420, 120, 200));
    hide(t.add("LB_FireMacro", K::WideListBox, p, 150, 420, 160, 200));
    hide(t.picture("Img_FireStart", p, {}, 20, 600));
    hide(t.label("Btn_FireStart", p, 20, 600, 110, 27));
    t.specs.back().centred = true;
    hide(t.picture("Img_FireDelay", p, {}, 320, 420));
    hide(t.picture("Img_FireInsert", p, {}, 320, 420));
    for (const char* r : {"FireRecDelay", "FireDelayTime", "FireNoDelay"}) {
        hide(t.picture(std::string("LED_") + r, p));
        hide(t.label(std::string("IB_") + r, p, 0, 0, 140, 19));
    }
    hide(t.add("Edt_FireDelay", K::NumberEdit, p, 0, 0, 56, 21));
    t.specs.back().text = "50";
    hide(t.add("CB_InsertFire", K::WideCombo, p, 0, 0, 167, 22));
    t.specs.back().items = {"Delay", "Key", "Move", "Repeat", "Repeat Start", "Repeat End"};
    hide(t.label("lbl_FireDelay", p, 0, 0, 70, 17));
    hide(t.add("Edt_InsertFireDelay", K::NumberEdit, p, 0, 0, 42, 21));
    t.specs.back().text = "50";
    hide(t.label("lbl_Fires_A", p, 0, 0, 30, 17));
    hide(t.label("lbl_FireXAxisValue", p, 0, 0, 36, 17));
    hide(t.add("edt_FireXAxisValue", K::Edit, p, 0, 0, 42, 21));
    hide(t.label("lbl_FireYAxisValue", p, 0, 0, 30, 17));
    hide(t.add("edt_FireYAxisValue", K::Edit, p, 0, 0, 42, 21));
    hide(t.label("lbl_FireRepeat", p, 0, 0, 60, 17));
    hide(t.add("edt_FireRepeat", K::Edit, p, 0, 0, 42, 21));
    for (const char* b : {"FireOK", "FireCancel"}) {
        hide(t.picture(std::string("Img_") + b, p));
        hide(t.label(std::string("Btn_") + b, p, 0, 0, 44, 27));
    }
    // The recorder's delay-mode group and the insertion group: frameless boxes behind their
    // controls, so a whole group can be shown, hidden or disabled at once.
    hide(t.add("GB_FireDelay", K::PlainGroupBox, p, 0, 0, 0, 0));
    hide(t.add("Gb_InsertFire", K::PlainGroupBox, p, 0, 0, 0, 0));
    for (const char* r : {"rb_FireRecDelay", "rb_FireDelayTime", "rb_FireNoDelay"})
        hide(t.add(r, K::Radio, p));
    // The context menus of the two lists.
    hide(t.add("Pnl_DevFireMacro", K::Panel, p, 0, 0, 132, 24));
    hide(t.add("Pnl_DevFireContent", K::Panel, p, 0, 0, 132, 46));
    for (const char* b : {"Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert"})
        hide(t.label(b, p, 0, 0, 128, 20));
    // The current gun mode and the left-button choice, kept in hidden controls.
    hide(t.add("gbFire", K::GroupBox, p));
    for (int n = 1; n <= 7; ++n)
        t.add(Numbered("rb_Fire", n), K::Radio, "gbFire");
    hide(t.add("cb_FireSelLeft", K::CheckBox, p));
    PlaceFireRecorder(t);
}

void AddFireEngineerControls(ControlTable& t) {
    using K = ControlKind;
    // The combination-enable combos under the profile-switch options.
    if (ControlSpec* box = t.find("gbComboEn"))
        box->h = 290;
    const std::vector<std::string> comboEnItems = {"0x00", "0x01", "0x02", "0x04", "0x08",
                                                   "0x10", "0x20", "0x40", "0x80"};
    int y = 118;
    for (const auto& [combo, caption] :
         {std::pair{"MidCom", "Middle Button:"}, std::pair{"BackCom", "Back Button:"},
          std::pair{"ForwardCom", "Forward Button:"}, std::pair{"CPICom", "CPI:"},
          std::pair{"CPIDCom", "CPI -:"}, std::pair{"CPIICom", "CPI +:"},
          std::pair{"GunCom", "Gun Button:"}}) {
        t.label(std::string("lbl_") + combo, "gbComboEn", 12, y + 3, 150, 17).text = caption;
        t.add(std::string("cb_") + combo, K::ComboBox, "gbComboEn", 168, y, 120, 21).items =
            comboEnItems;
        y += 24;
    }
    for (const char* name : {"cb_RTZ", "cb_AXY", "cb_CC"})
        if (ControlSpec* s = t.find(name))
            s->items = {"Disable", "Enable"};
    for (const auto& [name, caption] :
         {std::pair{"lbl_RTZ", "return to zero:"}, std::pair{"lbl_AXY", "Adjust XY:"},
          std::pair{"lbl_CC", "Change color:"}, std::pair{"lbl_OffSet", "OffSet:"}})
        if (ControlSpec* s = t.find(name))
            s->text = caption;
    // The axis offsets take a minus sign: plain edits with the page's own key filter.
    for (int n = 1; n <= 10; ++n)
        for (const char* stem : {"edt_XOffset", "edt_YOffset"})
            if (ControlSpec* s = t.find(Numbered(stem, n)))
                s->kind = K::Edit;
    if (ControlSpec* s = t.find("edt_OffSet")) {
        s->kind = K::HexEdit;
        s->text = "18";
    }
    // The gun-key script form: type, keep-left, start, number, or the colour for the other type.
    auto items = [&t](const char* name, std::vector<std::string> list) {
        if (ControlSpec* s = t.find(name))
            s->items = std::move(list);
    };
    std::vector<std::string> ten;
    for (int n = 1; n <= 10; ++n)
        ten.push_back(std::to_string(n));
    items("cb_SOSType", {"Disable", "Enable"});
    items("cb_SOSStartIndex", ten);
    items("cb_SOSNumber", ten);
    t.add("cb_SOSLB", K::ComboBox, "gbSOS", 168, 94, 120, 21).items = {"Disable", "Enable"};
    ControlSpec& colourLabel = t.label("lbl_SOSColor", "gbSOS", 12, 49, 150, 17);
    colourLabel.text = "LED Color:";
    colourLabel.hidden = true;
    ControlSpec& colour = t.add("cb_SOSColor", K::ComboBox, "gbSOS", 168, 46, 120, 21);
    for (int n = 1; n <= 10; ++n)
        colour.items.push_back(n < 10 ? "LED Color" + std::to_string(n) : "LED Colo10");
    colour.items.push_back("User Color");
    colour.hidden = true;
}

} // namespace trvx
