#include "skin/LayoutKeys.h"

#include <initializer_list>
#include <set>

namespace trvx {
namespace {

class KeyList {
public:
    KeyList& add(std::string key) {
        keys_.push_back(std::move(key));
        return *this;
    }
    KeyList& add(std::initializer_list<std::string_view> keys) {
        for (std::string_view k : keys)
            keys_.emplace_back(k);
        return *this;
    }
    // stem_R, stem_G, stem_B
    KeyList& color(std::string_view stem) {
        for (const char* c : {"_R", "_G", "_B"})
            add(std::string(stem) + c);
        return *this;
    }
    // stem_X, stem_Y
    KeyList& xy(std::string_view stem) {
        return add(std::string(stem) + "_X").add(std::string(stem) + "_Y");
    }
    KeyList& xyd(std::string_view stem) { return xy(stem).add(std::string(stem) + "_D"); }
    // stem_Enable, then the position it gates.
    KeyList& member(std::string_view stem) { return add(std::string(stem) + "_Enable").xy(stem); }
    std::vector<std::string> take() { return std::move(keys_); }

private:
    std::vector<std::string> keys_;
};

std::string numbered(std::string_view prefix, int n, std::string_view suffix = {}) {
    return std::string(prefix) + std::to_string(n) + std::string(suffix);
}

std::vector<std::string> titleBarKeys() {
    KeyList k;
    k.add("Size_A").color("Color_A");
    for (const char* m : {"Btn_A2", "Btn_A3", "Btn_A5", "Btn_A6", "Btn_A4"})
        k.member(m);
    return k.take();
}

std::vector<std::string> tabBarKeys() {
    KeyList k;
    k.add("Size_B").color("Color_B").add({"Btn_Space_F", "Btn_Space_B"});
    for (const char* m : {"Btn_B1", "Btn_B2", "Btn_B3", "Btn_B4", "Btn_B5", "Btn_B11", "Btn_B12",
                          "Btn_B6", "Btn_B7", "Btn_B8", "Btn_B9", "Btn_B10"})
        k.member(m);
    return k.take();
}

std::vector<std::string> keyPageKeys() {
    KeyList k;
    k.add("Size_C").color("Color_C").xy("P1");
    for (int n = 1; n <= 12; ++n)
        k.add(numbered("Key", n, "_Enable"))
            .add(numbered("Key", n, "_X"))
            .add(numbered("Key", n, "_Y"))
            .add("Key_Width");
    for (int n = 1; n <= 8; ++n)
        k.member(numbered("ComboKey", n));
    return k.take();
}

std::vector<std::string> menuKeys() {
    KeyList k;
    k.add("Size_G").color("Color_G").color("Color_G_Back").color("Color_G_Border");
    k.color("Color_G_SF").color("Color_G_SP").add({"M_L_W", "SP_L_W", "O_L_W"});
    return k.take();
}

std::vector<std::string> sensitivityKeys() {
    KeyList k;
    k.add("Size_D").color("Color_D_Selected").color("Color_D_notSelected");
    k.color("Color_D_Back").color("Color_D_Border").xy("P2");
    for (int n = 1; n <= 3; ++n)
        k.xy(numbered("FK", n, "Cnt"))
            .xy(numbered("FK", n, "Delay"))
            .xy(numbered("FK", n, "Continue"));
    for (int n = 1; n <= 4; ++n)
        k.xy(numbered("Rep", n));
    k.xyd("Spd").xy("IsControl").xyd("DbSpd").xyd("ScrSpd").xy("IsScreen").add("DPI_Orientation");
    for (int n = 1; n <= 8; ++n) {
        const std::string stem = numbered("DPI", n);
        k.xy(stem + "_Color").xy(stem + "_Check").xy(stem).xy(stem + "_Value").xyd(stem + "_Steps");
    }
    k.xy("AIMDPI").xy("AIMDPI_Value").xyd("AIMDPI_Steps");
    return k.take();
}

std::vector<std::string> lightingKeys() {
    KeyList k;
    k.add("Size_E").color("Color_E").xy("P3").xyd("StepTime").xyd("FallTime");
    for (int n = 1; n <= 7; ++n)
        k.xy(numbered("LEDMode", n));
    k.xy("LED3Control").xy("LED6Control").xyd("LEDColor");
    return k.take();
}

std::vector<std::string> macroKeys() {
    KeyList k;
    k.add("Size_F").color("Color_F").color("Color_F_LBack").color("Color_MACRO");
    k.color("Color_F_LBorder").color("Color_F_Font").color("Color_F_Back").xy("P4");
    for (const char* list : {"PCMacroName", "MseMacroName", "MacroContent"})
        k.xy(list).add(std::string(list) + "_H").add(std::string(list) + "_W");
    k.add("MacroNameHeight").xy("BtnNew").xy("BtnStart").xy("BtnSaveMacro").xy("DelayTime");
    k.xy("RecDelay").add("RecDelay_H").xy("DelayEdit").xy("Insert").xy("InsertList");
    k.xy("InsertRecDelay").add("InsertRecDelay_H").xy("InsertDelayEdit").xy("InsertAxisEdit");
    k.xy("InsertBtnStart").xy("InsertBtnOK").xy("InsertBtnCancel");
    return k.take();
}

std::vector<std::string> updateKeys() {
    KeyList k;
    k.add("Size_I").color("Color_I").xy("P5").xy("lbl_BINPath").xy("lbl_LoadBin");
    k.xy("Btn_LoadBin").xy("Btn_Program");
    return k.take();
}

std::vector<std::string> fireKeys() {
    KeyList k;
    k.add("Size_J").color("Color_J").color("Color_J_Font").color("Color_J_Back");
    k.color("Color_J_Border").xy("P6");
    for (int n = 1; n <= 7; ++n)
        k.xy(numbered("Fire", n));
    for (int n = 1; n <= 5; ++n)
        k.xy(numbered("GunMode", n));
    k.xy("IsHasLK");
    for (const char* edit :
         {"FireCnt", "FireX", "FireX_Offset", "FireY", "FireY_Offset", "FireTime"}) {
        const std::string_view e(edit);
        const auto cut = e.find('_');
        for (int n = 1; n <= 3; ++n) // "FireX1_Offset": the number goes before the suffix
            k.xy(cut == std::string_view::npos ? numbered(e, n)
                                               : numbered(e.substr(0, cut), n, e.substr(cut)));
    }
    for (int n = 1; n <= 3; ++n)
        k.xy(numbered("FireColor", n));
    k.xy("FireConfirm").xy("FireCancel");
    return k.take();
}

std::vector<std::string> labelKeys() {
    KeyList k;
    auto full = [&k](std::string_view stem) {
        const std::string s(stem);
        k.xy(s).color(s).add(s + "_Size").add(s + "_Width");
    };
    for (const char* stem :
         {"Fire_Key_Lable", "Fire_Key1_Lable", "Fire_Key2_Lable", "Fire_Key3_Lable",
          "Fire_Key_Count_Lable", "Fire_Key_Time_Lable", "Fire_Key_Continue_Lable",
          "Mouse_Speed_Lable", "Mouse_IsControl_Lable", "Mouse_Double_Click_Lable",
          "Mouse_Roller_Speed_Lable", "Mouse_Roll_All_Screen_Lable", "DPI_Setting_Lable",
          "DPI_Value_Lable", "Rating_Setting_Lable"})
        full(stem);
    for (int n = 1; n <= 4; ++n)
        full(numbered("Rating_Value_", n, "_Lable"));
    for (const char* stem : {"LED_Effect_Setting_Lable", "LED_Effect_Slow_Lable",
                             "LED_Effect_Fast_Lable", "LED_Mode_Lable", "LED_Color_Lable"})
        full(stem);
    // The seven mode labels share one colour, read once, and one size, read for each.
    k.color("LED_Mode_Option_Lable");
    for (int n = 1; n <= 7; ++n) {
        const std::string s = numbered("LED_Mode_", n, "_Lable");
        k.xy(s).add("LED_Mode_Option_Lable_Size").add(s + "_Width");
    }
    // The brightness labels take the mode labels' colour and have their own size and width.
    for (const char* stem : {"LED_Mode_Light_All_Lable", "LED_Mode_Light_Half_Lable"})
        k.xy(stem).add(std::string(stem) + "_Size").add(std::string(stem) + "_Width");
    for (const char* stem :
         {"Marco_List_Lable", "Marco_Mouse_List_Lable", "Marco_Content_Lable",
          "Marco_Record_Delay_Lable", "Marco_Delay_Setting_Lable", "Marco_No_Delay_Lable",
          "Marco_MS_Lable", "Gun_Marco_Fire_Count_Lable", "Gun_Marco_Fire_Y_Lable",
          "Gun_Marco_Y_Offset_Lable", "Gun_Marco_Fire_X_Lable", "Gun_Marco_X_Offset_Lable",
          "Gun_Marco_Fire_Delay_Lable", "Gun_Marco_Keep_Left_Lable", "Gun_Marco_Color_Lable"})
        full(stem);
    k.add({"Edit_PCMarco_Width", "Combox_Width", "EngKey_Size"});
    return k.take();
}

} // namespace

const std::vector<LayoutFamily>& LayoutPassFamilies() {
    static const std::vector<LayoutFamily> families = {
        {"A", "", titleBarKeys()},   {"B", "", tabBarKeys()},      {"C", "", keyPageKeys()},
        {"G", "", menuKeys()},       {"D", "", sensitivityKeys()}, {"E", "", lightingKeys()},
        {"F", "", macroKeys()},      {"I", "", updateKeys()},      {"J", "", fireKeys()},
        {"Labels", "", labelKeys()},
    };
    return families;
}

const LayoutFamily& OrgSettingKeys() {
    static const LayoutFamily org{"org",
                                  "org",
                                  {"Web_Enable", "Web_X", "Web_Y", "Rev_Manu_ID", "Rev_Pro_ID",
                                   "TR_Enable", "BE_Enable", "GD_Enable", "DPILED_Status",
                                   "Gun6_Num", "Gun7_Num", "Num_Order"}};
    return org;
}

const std::vector<std::string>& OrgTextKeys() {
    static const std::vector<std::string> keys = {"Web", "Path"};
    return keys;
}

std::vector<std::string> AllLayoutPassKeys() {
    std::vector<std::string> all;
    std::set<std::string> seen;
    for (const LayoutFamily& family : LayoutPassFamilies())
        for (const std::string& key : family.keys)
            if (seen.insert(key).second)
                all.push_back(key);
    return all;
}

} // namespace trvx
