#include "fire/FirePageTables.h"

namespace trvx {

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
    hide(t.add("Edt_FireDelay", K::Edit, p, 0, 0, 56, 21));
    hide(t.add("CB_InsertFire", K::WideCombo, p, 0, 0, 167, 22));
    t.specs.back().items = {"Delay", "Key", "Move", "Repeat", "Repeat Start", "Repeat End"};
    hide(t.label("lbl_FireDelay", p, 0, 0, 70, 17));
    hide(t.add("Edt_InsertFireDelay", K::Edit, p, 0, 0, 42, 21));
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
    hide(t.add("GB_FireDelay", K::GroupBox, p, 0, 0, 0, 0));
    hide(t.add("Gb_InsertFire", K::GroupBox, p, 0, 0, 0, 0));
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
}

} // namespace trvx
