#include "shell/TermCaptions.h"

namespace trvx {

namespace {

void AddRun(std::vector<TermCaption>& table, std::string_view stem, int first, int last, int code) {
    for (int i = first; i <= last; ++i)
        table.push_back({std::string(stem) + std::to_string(i), static_cast<std::uint8_t>(code++)});
}

std::vector<std::uint8_t> Codes(int first, int last) {
    std::vector<std::uint8_t> codes;
    for (int c = first; c <= last; ++c)
        codes.push_back(static_cast<std::uint8_t>(c));
    return codes;
}

std::vector<TermCaption> BuildCaptions() {
    std::vector<TermCaption> t;
    int code = 0;
    for (std::string_view name :
         {"Btn_Main_6", "Btn_Switch_6", "Btn_Fixed_6", "Btn_Adv_6", "Btn_Breath_6", "Btn_Macro_6",
          "Btn_Update_6", "Btn_Engineer_6", "Btn_Load_6", "Btn_Save_6", "Btn_Default",
          "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "Btn_PatchCode"})
        t.push_back({std::string(name), static_cast<std::uint8_t>(code++)});
    t.insert(t.end(), {{"gbLEDMode", 14},
                       {"lbl_BreMode", 15},
                       {"lbl_MCULEDStep", 22},
                       {"skGroupBox1", 14},
                       {"lbl_LEDMode", 16},
                       {"lbl_LEDNum", 17},
                       {"lbl_MCULEDCtrl", 23},
                       {"gbBreathModeEn", 44},
                       {"gbCPI", 45},
                       {"lbl_CPISteps", 46},
                       {"lbl_CurrentCPI", 47}});
    AddRun(t, "lbl_CPI", 1, 8, 48);
    t.push_back({"gbFireMode", 56});
    for (int i = 1; i <= 3; ++i)
        t.push_back({"lbl_Fire" + std::to_string(i) + "Count", static_cast<std::uint8_t>(56 + i)});
    t.insert(t.end(), {{"lbl_Fire1Time", 60},
                       {"lbl_Fire2Time", 61},
                       {"cb_Fire1Continue", 62},
                       {"cb_Fire2Continue", 62},
                       {"cb_Fire3Continue", 62},
                       {"gbUSBDesc", 63},
                       {"lbl_VID", 64},
                       {"lbl_Hex1", 65},
                       {"lbl_PID", 66},
                       {"lbl_Hex2", 67},
                       {"lbl_USBDesc", 68},
                       {"gbLEDColor", 69}});
    code = 70;
    for (int i = 1; i <= 10; ++i)
        for (char c : {'R', 'G', 'B'})
            t.push_back({"lbl_Col" + std::to_string(i) + c, static_cast<std::uint8_t>(code++)});
    t.insert(t.end(), {{"gbCPIColor", 100},
                       {"gbLEDBreath", 101},
                       {"lbl_Lower", 102},
                       {"lbl_Upper", 103},
                       {"lbl_LowerTime", 104},
                       {"lbl_UpperTime", 105},
                       {"lbl_StepTime", 106},
                       {"lbl_ChangeLEDMode", 107},
                       {"lbl_ChangeFireFun", 110},
                       {"cb_IsGunFireMode", 118},
                       {"lbl_AIM", 119},
                       {"lbl_BtnEFT", 120},
                       {"lbl_Profile1Color", 123},
                       {"lbl_Profile2Color", 124},
                       {"lbl_Profile3Color", 125},
                       {"lbl_RepRate", 137},
                       {"lbl_SensorRotation", 138},
                       {"lbl_VendorID", 139},
                       {"lbl_ProductID", 140},
                       {"lbl_Profile", 141},
                       {"lbl_ProfileColor", 145},
                       {"gbTest", 146},
                       {"cb_ProfileTest", 147},
                       {"gbProfile1", 142},
                       {"gbProfile2", 143},
                       {"gbProfile3", 144},
                       {"gbXYOffset", 148},
                       {"gbSOS", 149},
                       {"lbl_SOSLB", 150},
                       {"lbl_SOSStartIndex", 151},
                       {"lbl_SOSNumber", 152},
                       {"btn_AddScript", 153},
                       {"btn_DelScript", 154}});
    return t;
}

std::vector<TermItems> BuildItems() {
    return {{"cb_LEDMode", Codes(18, 21)},
            {"cb_MCULEDCtrl", Codes(24, 25)},
            {"cb_ChangeLEDModeFun", Codes(108, 109)},
            {"cb_ChangeFireFun", Codes(111, 117)},
            {"cb_BtnEFT", Codes(121, 122)},
            // The four colour combos offer the same colours, the specified colour included.
            {"cb_Profile1Color", Codes(126, 136)},
            {"cb_Profile2Color", Codes(126, 136)},
            {"cb_Profile3Color", Codes(126, 136)},
            {"cb_Profile", Codes(142, 144)},
            {"cb_ProfileColor", Codes(126, 136)}};
}

} // namespace

const std::vector<TermCaption>& TermCaptionTable() {
    static const std::vector<TermCaption> table = BuildCaptions();
    return table;
}

const std::vector<TermItems>& TermItemsTable() {
    static const std::vector<TermItems> table = BuildItems();
    return table;
}

} // namespace trvx
