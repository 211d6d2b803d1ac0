#include "engineering/EngineerPageTables.h"

#include <array>

namespace trvx {
namespace {

using K = ControlKind;

// Rows of a class-library page: a caption label and, beside it, its control.
class Rows {
public:
    Rows(ControlTable& t, std::string parent, int x = 12, int y = 22, int step = 24)
        : t_(t), parent_(std::move(parent)), x_(x), y_(y), step_(step) {}
    Rows& label(const std::string& name, int w = 150) {
        t_.label(name, parent_, x_, y_ + 3, w, 17);
        y_ += step_;
        return *this;
    }
    Rows& with(const std::string& labelName, K kind, const std::string& name, int w = 120) {
        t_.label(labelName, parent_, x_, y_ + 3, 150, 17);
        t_.add(name, kind, parent_, x_ + 156, y_, w, 21);
        y_ += step_;
        return *this;
    }
    Rows& control(const std::string& name, K kind, int w = 180, int h = 21) {
        t_.add(name, kind, parent_, x_, y_, w, h);
        y_ += step_;
        return *this;
    }

private:
    ControlTable& t_;
    std::string parent_;
    int x_, y_, step_;
};

} // namespace

void AddEngineerPageControls(ControlTable& t) {
    const std::string p = "gbPage7";
    // The sixth copy of the side menu, captioned from the term table.
    int i = 0;
    for (const char* tab : {"Main", "Switch", "Fixed", "Adv", "Breath", "Macro", "Update",
                            "Engineer", "Load", "Save"})
        t.label(Numbered(std::string("Btn_") + tab + "_", 6), p, 10 + 104 * i++, 8, 100, 24)
            .centred = true;
    t.picture("Btn_Close", p, "ExitS_01", 1212, 4);
    t.add("Pg_Parameter", K::PageControl, p, 8, 40, 1240, 590);
    // The engineering sheets and buttons wait hidden, and the LED type locked, until the access
    // code shows them.
    for (const auto& [sheet, caption] :
         {std::pair{"ts_Operator", "Operator"}, std::pair{"ts_Engineer", "  Advanced    "},
          std::pair{"ts_Gun", "  Gun Confirm  "}}) {
        ControlSpec& s = t.add(sheet, K::TabSheet, "Pg_Parameter");
        s.text = caption;
        s.hidden = std::string_view(sheet) != "ts_Operator";
    }
    int bx = 8;
    for (const char* b :
         {"Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "Btn_PatchCode"}) {
        t.add(b, K::Button, p, bx, 640, 150, 28).hidden = true;
        bx += 158;
    }
    t.label("lbl_Content", p, 660, 646, 580, 17);

    // Operator sheet: lighting, CPI and fire-key groups.
    const std::string op = "ts_Operator";
    t.add("gbLEDMode", K::GroupBox, op, 8, 8, 300, 110);
    Rows(t, "gbLEDMode")
        .with("lbl_LEDMode", K::ComboBox, "cb_LEDMode")
        .label("lbl_LEDNum")
        .label("lbl_BreMode");
    for (ControlSpec& s : t.specs)
        if (s.name == "lbl_LEDMode" || s.name == "cb_LEDMode")
            s.disabled = true;
    t.add("skGroupBox1", K::GroupBox, op, 8, 124, 300, 90);
    Rows(t, "skGroupBox1")
        .label("lbl_MCULEDStep")
        .with("lbl_MCULEDCtrl", K::ComboBox, "cb_MCULEDCtrl");
    t.add("gbBreathModeEn", K::GroupBox, op, 8, 220, 300, 60);
    t.add("gbLEDBreath", K::GroupBox, op, 8, 286, 300, 150);
    Rows(t, "gbLEDBreath")
        .label("lbl_Lower")
        .label("lbl_Upper")
        .label("lbl_LowerTime")
        .label("lbl_UpperTime")
        .label("lbl_StepTime");
    t.add("gbCPI", K::GroupBox, op, 316, 8, 300, 270);
    Rows cpi(t, "gbCPI", 12, 22, 24);
    cpi.label("lbl_CPISteps").label("lbl_CurrentCPI");
    for (int n = 1; n <= 8; ++n)
        cpi.label(Numbered("lbl_CPI", n));
    t.add("gbFireMode", K::GroupBox, op, 316, 286, 300, 220);
    Rows fire(t, "gbFireMode", 12, 22, 24);
    for (int n = 1; n <= 3; ++n)
        fire.label(Numbered("lbl_Fire", n, "Count"));
    fire.label("lbl_Fire1Time").label("lbl_Fire2Time");
    for (int n = 1; n <= 3; ++n)
        fire.control(Numbered("cb_Fire", n, "Continue"), K::CheckBox, 180, 19);
    t.add("gbLEDColor", K::GroupBox, op, 624, 8, 300, 300);
    for (int n = 1; n <= 10; ++n) {
        int c = 0;
        for (const char* rgb : {"R", "G", "B"})
            t.label(Numbered("lbl_Col", n, rgb), "gbLEDColor", 12 + 96 * c++, 20 + 26 * (n - 1), 90,
                    17);
    }
    t.add("gbCPIColor", K::GroupBox, op, 624, 316, 300, 120);
    t.add("gbUSBDesc", K::GroupBox, op, 932, 8, 296, 160);
    Rows(t, "gbUSBDesc")
        .label("lbl_VID")
        .label("lbl_Hex1")
        .label("lbl_PID")
        .label("lbl_Hex2")
        .label("lbl_USBDesc");

    // Engineer sheet: switches, profile colours, ids and the offset tables.
    const std::string en = "ts_Engineer";
    Rows(t, en, 8, 8, 26)
        .with("lbl_ChangeLEDMode", K::ComboBox, "cb_ChangeLEDModeFun", 160)
        .with("lbl_ChangeFireFun", K::ComboBox, "cb_ChangeFireFun", 160)
        .control("cb_IsGunFireMode", K::CheckBox, 300, 19)
        .label("lbl_AIM")
        .with("lbl_BtnEFT", K::ComboBox, "cb_BtnEFT")
        .with("lbl_Profile1Color", K::ComboBox, "cb_Profile1Color")
        .with("lbl_Profile2Color", K::ComboBox, "cb_Profile2Color")
        .with("lbl_Profile3Color", K::ComboBox, "cb_Profile3Color")
        .label("lbl_RepRate")
        .label("lbl_SensorRotation")
        .label("lbl_VendorID")
        .label("lbl_ProductID")
        .with("lbl_Profile", K::ComboBox, "cb_Profile")
        .with("lbl_ProfileColor", K::ComboBox, "cb_ProfileColor");
    t.add("gbTest", K::GroupBox, en, 460, 8, 240, 60);
    Rows(t, "gbTest").control("cb_ProfileTest", K::CheckBox, 200, 19);
    // The CPI buttons' test boxes, ticked by the listener while a button is held.
    for (int n = 0; n < 3; ++n)
        t.add(std::array{"cb_CPITest", "cb_CPIITest", "cb_CPIDTest"}[n], K::CheckBox, "gbTest",
              12 + 76 * n, 40, 72, 19)
            .disabled = true;
    for (int n = 1; n <= 3; ++n)
        t.add(Numbered("gbProfile", n), K::GroupBox, en, 460 + 250 * (n - 1), 80, 240, 100);
    t.add("gbXYOffset", K::GroupBox, en, 460, 190, 500, 300);
    for (int n = 1; n <= 10; ++n) {
        t.add(Numbered("edt_XOffset", n), K::IntEdit, "gbXYOffset", 12, 20 + 26 * (n - 1), 60, 21);
        t.add(Numbered("edt_YOffset", n), K::IntEdit, "gbXYOffset", 84, 20 + 26 * (n - 1), 60, 21);
    }

    // Gun sheet: gun-key scripts.
    t.add("gbSOS", K::GroupBox, "ts_Gun", 8, 8, 400, 200);
    Rows(t, "gbSOS")
        .label("lbl_SOSLB")
        .label("lbl_SOSStartIndex")
        .label("lbl_SOSNumber")
        .control("btn_AddScript", K::Button, 120, 26)
        .control("btn_DelScript", K::Button, 120, 26);
}

} // namespace trvx
