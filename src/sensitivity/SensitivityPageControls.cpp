#include "sensitivity/SensitivityPageTables.h"

namespace trvx {
namespace {

using K = ControlKind;

// A scale of step pictures with a number caption under each.
void addScale(ControlTable& t, const std::string& p, const std::string& stem, int count,
              int captions, const char* first, const char* rest) {
    for (int i = 1; i <= count; ++i)
        t.picture("Img_" + Numbered(stem, i), p, i == 1 ? first : rest);
    for (int i = 1; i <= captions; ++i)
        t.label("lbl_" + Numbered(stem, i), p, 0, 0, 24, 15, std::to_string(i)).colour =
            kSkinScaleText;
}

} // namespace

void AddSensitivityPageControls(ControlTable& t) {
    const std::string p = "gbPage2";
    t.picture("Img_Base_2", p);
    t.picture("Img_P2", p);
    for (int n = 1; n <= 3; ++n) {
        t.add(Numbered("Edt_Repeat", n), K::Edit, p, 0, 0, 60, 21);
        t.add(Numbered("Edt_DelayTime", n), K::Edit, p, 0, 0, 60, 21);
        t.picture(Numbered("Img_Fire", n, "Continue"), p);
        t.label(Numbered("lbl_Fire", n, "Continue"), p, 0, 0, 20, 20);
    }
    for (int n = 1; n <= 4; ++n)
        t.picture(Numbered("Img_Rep", n), p, n == 4 ? "RdS_E" : "RdS_D");
    addScale(t, p, "Spd", 11, 11, "Bar1_E", "Bar1_D");
    t.picture("Img_IsControl", p, "CbS_D");
    t.add("cb_IsControl", K::CheckBox, p).hidden = true;
    t.label("lbl_IsControl", p, 0, 0, 32, 18);
    addScale(t, p, "DbSpd", 11, 11, "Bar1_E", "Bar1_D");
    addScale(t, p, "ScrSpd", 11, 11, "Bar1_E", "Bar1_D");
    t.picture("Img_IsScreen", p, "CbS_D");
    t.add("cb_IsScreen", K::CheckBox, p).hidden = true;
    t.label("lbl_IsScreen", p, 0, 0, 22, 20);
    for (int n = 1; n <= 8; ++n) {
        const std::string dpi = Numbered("DPI", n);
        t.picture("Img_" + dpi + "Col", p);
        t.add("cs_" + dpi + "Col", K::Shape, p, 0, 0, 18, 18).colour = kSkinSwatchBlank;
        t.label("lbl_" + dpi + "Col", p, 0, 0, 18, 18);
        t.picture("Img_" + dpi, p, n == 1 ? "RdS_E" : "RdS_D");
        t.label("lbl_" + dpi, p, 0, 0, 48, 17, Numbered("CPI", n)).colour = kSkinScaleText;
        t.label("lbl_" + dpi + "Value", p, 0, 0, 60, 17);
        for (int i = 1; i <= 12; ++i)
            t.picture("Img_" + dpi + "_" + std::to_string(i), p, i == 1 ? "" : "Bar2_D");
    }
    t.label("lbl_AIMDPI", p, 0, 0, 48, 17, "AIM");
    t.label("lbl_AIMDPIValue", p, 0, 0, 60, 17);
    for (int i = 1; i <= 12; ++i)
        t.picture(Numbered("Img_AIMDPI_", i), p, i == 1 ? "" : "Bar2_D");
    for (const char* l :
         {"lbl_FireKey", "lbl_FireKey1", "lbl_FireKey2", "lbl_FireKey3", "lbl_Fire_Count",
          "lbl_Fire_Time", "lbl_Fire_Continue", "lbl_Mouse_Speed", "lbl_Is_Control",
          "lbl_Double_Click", "lbl_Roller_Speed", "lbl_Roll_All_Screen", "lbl_DPI_Setting",
          "lbl_DPI_Value", "lbl_Rating_Setting", "lbl_Rating_Value1", "lbl_Rating_Value2",
          "lbl_Rating_Value3", "lbl_Rating_Value4"})
        t.label(l, p, 0, 0, 120, 17);
    // The rate buttons lie above the rate captions, so they take the clicks.
    for (int n = 1; n <= 4; ++n)
        t.label(Numbered("lbl_Rep", n), p, 0, 0, 80, 19);
    // The page's current CPI level and report rate, never shown.
    t.add("gbDPI", K::GroupBox, p).hidden = true;
    for (int n = 1; n <= 8; ++n)
        t.add(Numbered("rb_DPI", n), K::Radio, "gbDPI").hidden = true;
    t.add("gbReport", K::GroupBox, p).hidden = true;
    for (int n = 1; n <= 4; ++n)
        t.add(Numbered("rb_Rep", n), K::Radio, "gbReport").hidden = true;
}

void AddEngineerCpiColourControls(ControlTable& t) {
    // A row per level in the engineering sheet's colour box: red, green and blue as numbers.
    const std::string box = "gbCPIColor";
    if (ControlSpec* group = t.find(box))
        group->h = 22 + 24 * 8 + 6;
    for (int n = 1; n <= 8; ++n) {
        const int y = 20 + 24 * (n - 1);
        int x = 12;
        for (const char* c : {"R", "G", "B"}) {
            const int labelWidth = *c == 'R' ? 64 : 20;
            t.label(Numbered("lbl_CPI", n, c), box, x, y + 3, labelWidth, 17).text =
                (*c == 'R' ? Numbered("CPI", n) + "  " : std::string()) + c;
            t.add(Numbered("edt_CPI", n, c), K::IntEdit, box, x + labelWidth + 4, y, 40, 21);
            x += labelWidth + 52;
        }
    }
}

} // namespace trvx
