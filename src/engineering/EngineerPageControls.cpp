#include "engineering/EngineerPageTables.h"

#include "engineering/EngineerRules.h"
#include "skin/LayoutRules.h"

#include <array>

namespace trvx {
namespace {

using K = ControlKind;

// A cell of the colour tables: caption, then the edit from kColourEditX.
constexpr int kColourCell = 96;
constexpr int kColourEditX = 64;

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
    Rows& labelWidth(int w) {
        labelWidth_ = w;
        return *this;
    }
    Rows& with(const std::string& labelName, K kind, const std::string& name, int w = 120) {
        t_.label(labelName, parent_, x_, y_ + 3, labelWidth_, 17);
        t_.add(name, kind, parent_, x_ + labelWidth_ + 6, y_, w, 21);
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
    int labelWidth_ = 150;
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

    // Beside the tabs: the logo that doubles as the hidden switch, and the mark a finished
    // restore shows.
    t.add("Img_Logo4", K::Picture, p, 1100, 40, 140, 22);
    t.add("Img_Result", K::Picture, p, 1240, 646, 8, 8).hidden = true;
    // The logo of page 1 is the other way in: a clear area over it takes the double-clicks.
    t.add("Img_Logo1", K::Picture, "gbPage1", 20, 12, 180, 44);

    // Operator sheet, four columns: lighting and fire keys, CPI, the colour tables, USB identity
    // and the profile options. The LED type and its counts sit on the advanced sheet.
    const std::string op = "ts_Operator";
    t.add("gbLEDMode", K::GroupBox, op, 8, 8, 300, 76);
    Rows(t, "gbLEDMode")
        .with("lbl_BreMode", K::ComboBox, "cb_BreMode")
        .with("lbl_MCULEDStep", K::ComboBox, "cb_MCULEDStep");
    t.add("gbBreathModeEn", K::GroupBox, op, 8, 90, 300, 124);
    for (int n = 0; n <= 6; ++n)
        t.add(Numbered("cb_Mode", n), K::CheckBox, "gbBreathModeEn", 12 + 144 * (n % 2),
              22 + 24 * (n / 2), 136, 19)
            .text = "Mode " + std::to_string(n);
    t.add("gbCPI", K::GroupBox, op, 316, 8, 280, 272);
    Rows cpi(t, "gbCPI");
    cpi.with("lbl_CPISteps", K::ComboBox, "cb_CPISteps", 100)
        .with("lbl_CurrentCPI", K::ComboBox, "cb_CurrentCPI", 100);
    for (int n = 1; n <= 8; ++n)
        cpi.with(Numbered("lbl_CPI", n), K::ComboBox, Numbered("cb_CPI", n), 100);
    // Fire keys: a row per key under the "Repeat" and "Time" headings.
    t.add("gbFireMode", K::GroupBox, op, 8, 220, 300, 130);
    t.label("lbl_Fire1Time", "gbFireMode", 92, 20, 64, 17);
    t.label("lbl_Fire2Time", "gbFireMode", 158, 20, 90, 17);
    for (int n = 1; n <= 3; ++n) {
        const int y = 42 + 26 * (n - 1);
        t.label(Numbered("lbl_Fire", n, "Count"), "gbFireMode", 12, y + 3, 80, 17);
        t.add(Numbered("cb_Fire", n, "Count"), K::ComboBox, "gbFireMode", 92, y, 60, 21);
        t.add(Numbered("edt_Fire", n, "Time"), K::IntEdit, "gbFireMode", 158, y, 46, 21);
        t.add(Numbered("cb_Fire", n, "Continue"), K::CheckBox, "gbFireMode", 210, y + 1, 84, 19);
    }
    // The colour tables: a caption and, right of it, room for its three-digit edit
    // (kColourEditX) in every cell.
    t.add("gbLEDColor", K::GroupBox, op, 604, 8, 300, 290);
    for (int n = 1; n <= 10; ++n) {
        int c = 0;
        for (const char* rgb : {"R", "G", "B"})
            t.label(Numbered("lbl_Col", n, rgb), "gbLEDColor", 12 + kColourCell * c++,
                    23 + 26 * (n - 1), kColourEditX - 2, 17);
    }
    t.add("gbCPIColor", K::GroupBox, op, 604, 304, 300, 232);
    t.add("gbUSBDesc", K::GroupBox, op, 912, 8, 320, 104);
    Rows(t, "gbUSBDesc")
        .with("lbl_VID", K::HexEdit, "edt_VID", 60)
        .with("lbl_PID", K::HexEdit, "edt_PID", 60)
        .with("lbl_USBDesc", K::Edit, "edt_USBDesc", 140);
    t.label("lbl_Hex1", "gbUSBDesc", 236, 25, 40, 17);
    t.label("lbl_Hex2", "gbUSBDesc", 236, 49, 40, 17);
    t.add("gbOperator", K::GroupBox, op, 912, 118, 320, 418);
    Rows(t, "gbOperator")
        .labelWidth(184)
        .with("lbl_Profile", K::ComboBox, "cb_Profile", 110)
        .with("lbl_ProfileColor", K::ComboBox, "cb_ProfileColor", 110)
        .with("lbl_BtnEFT", K::ComboBox, "cb_BtnEFT", 110)
        .with("lbl_AIM", K::ComboBox, "cb_AIM", 110)
        .with("lbl_RepRate", K::ComboBox, "cb_RepRate", 110)
        .with("lbl_Profile1Color", K::ComboBox, "cb_Profile1Color", 110)
        .with("lbl_Profile2Color", K::ComboBox, "cb_Profile2Color", 110)
        .with("lbl_Profile3Color", K::ComboBox, "cb_Profile3Color", 110)
        .with("lbl_ChangeLEDMode", K::ComboBox, "cb_ChangeLEDModeFun", 110)
        .with("lbl_ChangeFireFun", K::ComboBox, "cb_ChangeFireFun", 110)
        .control("cb_IsGunFireMode", K::CheckBox, 290, 19)
        .with("lbl_VendorID", K::IntEdit, "edt_VendorID", 60)
        .with("lbl_ProductID", K::IntEdit, "edt_ProductID", 60)
        .with("lbl_VendorID_Rd", K::IntEdit, "edt_VendorID_Rd", 60)
        .with("lbl_ProductID_Rd", K::IntEdit, "edt_ProductID_Rd", 60)
        .with("lbl_PatCodeCk", K::Edit, "edt_PatCodeCk", 60);
    t.find("lbl_VendorID_Rd")->text = "Vendor ID (read):";
    t.find("lbl_ProductID_Rd")->text = "Product ID (read):";
    t.find("lbl_PatCodeCk")->text = "Patch Checksum:";
    for (ControlSpec& s : t.specs)
        if (s.name == "edt_VendorID_Rd" || s.name == "edt_ProductID_Rd" ||
            s.name == "edt_PatCodeCk")
            s.disabled = true;

    // Advanced sheet: option bits, sensor registers, key buttons, X data and breathing.
    const std::string en = "ts_Engineer";
    t.add("gbOptions", K::GroupBox, en, 8, 8, 590, 292).text = "Options";
    int row = 0;
    for (const OptionField& f : OptionFields()) {
        const std::string combo = f.combo;
        const std::string label = "lbl_" + combo.substr(3);
        const int x = 12 + 288 * (row / 11), y = 20 + 24 * (row % 11);
        t.label(label, "gbOptions", x, y + 3, 124, 17).text = combo.substr(3);
        ControlSpec& c = t.add(combo, K::ComboBox, "gbOptions", x + 126, y, 152, 21);
        for (int item = 0; item < f.count; ++item)
            c.items.push_back(f.items[static_cast<std::size_t>(item)]);
        ++row;
    }
    t.add("gbSensor", K::GroupBox, en, 604, 8, 628, 292).text = "Sensor";
    row = 0;
    for (const char* edit : SensorEdits()) {
        const std::string name = edit;
        const int x = 10 + 206 * (row / 11), y = 20 + 24 * (row % 11);
        t.label("lbl_" + name.substr(4), "gbSensor", x, y + 3, 172, 17).text = name.substr(4);
        t.add(name, K::HexEdit, "gbSensor", x + 172, y, 30, 21);
        ++row;
    }
    for (int n = 1; n <= 3; ++n) {
        const std::string g = Numbered("gbProfile", n);
        t.add(g, K::GroupBox, en, 8 + 264 * (n - 1), 306, 256, 176).text =
            "Profile " + std::to_string(n);
        for (int k = 1; k <= 12; ++k) {
            const std::string key = (k < 10 ? "0" : "") + std::to_string(k);
            const int x = 8 + 122 * ((k - 1) / 6), y = 20 + 25 * ((k - 1) % 6);
            if (k >= 10)
                t.label("lbl_Key" + std::to_string(n) + key, g, x, y + 3, 24, 17).text =
                    "K" + std::to_string(k);
            t.add("btn_Key" + std::to_string(n) + key, K::Button, g, k >= 10 ? x + 24 : x, y,
                  k >= 10 ? 96 : 118, 23);
        }
    }
    t.add("gbTest", K::GroupBox, en, 8, 488, 242, 66);
    Rows(t, "gbTest", 12, 20).control("cb_ProfileTest", K::CheckBox, 200, 19);
    // The CPI buttons' test boxes, ticked by the listener while a button is held.
    for (int n = 0; n < 3; ++n)
        t.add(std::array{"cb_CPITest", "cb_CPIITest", "cb_CPIDTest"}[n], K::CheckBox, "gbTest",
              12 + 76 * n, 40, 72, 19)
            .disabled = true;
    t.add("gbXData", K::GroupBox, en, 800, 306, 186, 176).text = "X Data";
    Rows(t, "gbXData", 12, 20, 26)
        .control("btn_XDataRead", K::Button, 90, 24)
        .control("btn_XDataWrite", K::Button, 90, 24)
        .control("btn_ChangeXData", K::Button, 90, 24);
    t.find("btn_XDataRead")->text = "Read";
    t.find("btn_XDataWrite")->text = "Write";
    t.find("btn_ChangeXData")->text = "Change";
    t.label("lbl_XDataAddr", "gbXData", 104, 23, 34, 17).text = "Addr";
    t.add("edt_XDataAddr", K::HexEdit, "gbXData", 140, 20, 38, 21);
    t.label("lbl_XDataValue", "gbXData", 104, 49, 34, 17).text = "Value";
    t.add("edt_XDataValue", K::HexEdit, "gbXData", 140, 46, 38, 21);
    // The breathing captions leave room for their five-digit edits at x 136.
    t.add("gbLEDBreath", K::GroupBox, en, 994, 306, 238, 176);
    Rows(t, "gbLEDBreath")
        .label("lbl_Lower", 120)
        .label("lbl_Upper", 120)
        .label("lbl_LowerTime", 120)
        .label("lbl_UpperTime", 120)
        .label("lbl_StepTime", 120);
    // The LED type (unlocked by the access code) and what follows from it.
    t.add("skGroupBox1", K::GroupBox, en, 258, 488, 590, 66);
    Rows(t, "skGroupBox1", 12, 18, 23)
        .labelWidth(120)
        .with("lbl_LEDMode", K::ComboBox, "cb_LEDMode", 150)
        .with("lbl_LEDNum", K::ComboBox, "cb_LEDNum", 150);
    Rows(t, "skGroupBox1", 306, 18, 23)
        .labelWidth(120)
        .with("lbl_MCULEDNum", K::ComboBox, "cb_MCULEDNum", 150)
        .with("lbl_MCULEDCtrl", K::ComboBox, "cb_MCULEDCtrl", 150);
    t.find("lbl_MCULEDNum")->text = "MCU LED Number:";
    for (const char* name : {"lbl_LEDMode", "cb_LEDMode"})
        t.find(name)->disabled = true;

    // Gun sheet: combination keys and their options, gun-key scripts, axis offsets.
    const std::string gun = "ts_Gun";
    t.add("gbComboKey", K::GroupBox, gun, 8, 8, 300, 250).text = "Combination keys";
    for (int n = 1; n <= 9; ++n)
        t.add(Numbered("btn_ComboKey00", n), K::Button, "gbComboKey", 12, 20 + 25 * (n - 1), 270,
              23);
    t.add("gbComboEn", K::GroupBox, gun, 8, 264, 300, 130).text = "Combination key options";
    Rows(t, "gbComboEn")
        .with("lbl_RTZ", K::ComboBox, "cb_RTZ")
        .with("lbl_AXY", K::ComboBox, "cb_AXY")
        .with("lbl_CC", K::ComboBox, "cb_CC")
        .with("lbl_OffSet", K::HexEdit, "edt_OffSet", 60);
    for (ControlSpec& s : t.specs)
        if (s.name == "cb_RTZ" || s.name == "cb_AXY" || s.name == "cb_CC")
            s.items = {"Disable", "Enable"};
    t.add("gbSOS", K::GroupBox, gun, 316, 8, 400, 386);
    Rows(t, "gbSOS")
        .with("lbl_SOSType", K::ComboBox, "cb_SOSType")
        .with("lbl_SOSStartIndex", K::ComboBox, "cb_SOSStartIndex")
        .with("lbl_SOSNumber", K::ComboBox, "cb_SOSNumber")
        .label("lbl_SOSLB")
        .control("LB_ScriptName", K::ListBox, 180, 200);
    for (const auto& [name, text] :
         {std::pair{"lbl_RTZ", "RTZ:"}, std::pair{"lbl_AXY", "AXY:"}, std::pair{"lbl_CC", "CC:"},
          std::pair{"lbl_OffSet", "Offset:"}, std::pair{"lbl_SOSType", "Fire Key Type:"}})
        t.find(name)->text = text;
    t.add("btn_AddScript", K::Button, "gbSOS", 200, 118, 120, 26);
    t.add("btn_DelScript", K::Button, "gbSOS", 200, 150, 120, 26);
    t.add("gbXYOffset", K::GroupBox, gun, 724, 8, 180, 290);
    for (int n = 1; n <= 10; ++n) {
        t.add(Numbered("edt_XOffset", n), K::IntEdit, "gbXYOffset", 12, 20 + 26 * (n - 1), 60, 21);
        t.add(Numbered("edt_YOffset", n), K::IntEdit, "gbXYOffset", 84, 20 + 26 * (n - 1), 60, 21);
    }
}

void EngineerKeyButtonsLayout(LayoutRules& r) {
    // The key captions of some sets are long for the buttons' width: the set chooses a size
    // that fits.
    const int size = r.I("EngKey_Size");
    for (int n = 1; n <= 3; ++n)
        for (int k = 1; k <= 12; ++k)
            r.fontSize("btn_Key" + std::to_string(n) + (k < 10 ? "0" : "") + std::to_string(k),
                       size);
}

} // namespace trvx
