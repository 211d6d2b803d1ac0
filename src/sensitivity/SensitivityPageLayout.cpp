#include "sensitivity/SensitivityPageTables.h"
#include "skin/LayoutRules.h"

namespace trvx {
namespace {

constexpr TextLabelRule kLabels[] = {
    {"Fire_Key_Lable", "lbl_FireKey"},
    {"Fire_Key1_Lable", "lbl_FireKey1"},
    {"Fire_Key2_Lable", "lbl_FireKey2"},
    {"Fire_Key3_Lable", "lbl_FireKey3"},
    {"Fire_Key_Count_Lable", "lbl_Fire_Count"},
    {"Fire_Key_Time_Lable", "lbl_Fire_Time"},
    {"Fire_Key_Continue_Lable", "lbl_Fire_Continue"},
    {"Mouse_Speed_Lable", "lbl_Mouse_Speed"},
    {"Mouse_IsControl_Lable", "lbl_Is_Control"},
    {"Mouse_Double_Click_Lable", "lbl_Double_Click"},
    {"Mouse_Roller_Speed_Lable", "lbl_Roller_Speed"},
    {"Mouse_Roll_All_Screen_Lable", "lbl_Roll_All_Screen"},
    {"DPI_Setting_Lable", "lbl_DPI_Setting"},
    {"DPI_Value_Lable", "lbl_DPI_Value"},
    {"Rating_Setting_Lable", "lbl_Rating_Setting"},
    {"Rating_Value_1_Lable", "lbl_Rating_Value1"},
    {"Rating_Value_2_Lable", "lbl_Rating_Value2"},
    {"Rating_Value_3_Lable", "lbl_Rating_Value3"},
    {"Rating_Value_4_Lable", "lbl_Rating_Value4"},
};

constexpr CaptionBinding kLabelCaptions[] = {
    {"lbl_FireKey", "Str800"},        {"lbl_FireKey1", "Str858"},
    {"lbl_FireKey2", "Str856"},       {"lbl_FireKey3", "Str857"},
    {"lbl_Fire_Count", "Str801"},     {"lbl_Fire_Time", "Str802"},
    {"lbl_Fire_Continue", "Str803"},  {"lbl_Mouse_Speed", "Str804"},
    {"lbl_Is_Control", "Str805"},     {"lbl_Double_Click", "Str806"},
    {"lbl_Roller_Speed", "Str807"},   {"lbl_Roll_All_Screen", "Str808"},
    {"lbl_DPI_Setting", "Str809"},    {"lbl_DPI_Value", "Str810"},
    {"lbl_Rating_Setting", "Str849"}, {"lbl_Rating_Value1", "Str850"},
    {"lbl_Rating_Value2", "Str851"},  {"lbl_Rating_Value3", "Str852"},
    {"lbl_Rating_Value4", "Str853"},
};

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Step bars of a CPI level (or the AIM level) by the orientation.
void levelBars(LayoutRules& r, const std::string& stem, const std::vector<std::string>& bars) {
    const int x = r.I(stem + "_X");
    const int y = r.I(stem + "_Y");
    const int d = r.I(stem + "_D");
    if (r.values().DPIOrientation == 0)
        r.scale(bars, x, y, d, false);
    else if (r.values().DPIOrientation == 1)
        r.scale(bars, x, y, d, true);
}

void pointerScale(LayoutRules& r, const std::string& stem) {
    const int x = r.I(stem + "_X");
    const int y = r.I(stem + "_Y");
    const int d = r.I(stem + "_D");
    const auto pics = NumberedSeries("Img_" + stem, 1, 11);
    r.scale(pics, x, y, d, true);
    for (int i = 1; i <= 11; ++i) {
        const std::string label = Numbered("lbl_" + stem, i);
        r.leftFrom(label, pics[i - 1], 4);
        r.top(label, y + 24);
    }
}

} // namespace

void SensitivityPageLayout(LayoutRules& r) {
    LayoutValues& v = r.values();
    std::vector<std::string> sized;
    for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
        append(sized, NumberedSeries(s, 1, 10));
    append(sized, NumberedSeries("lbl_DPI", 1, 8));
    append(sized, NumberedSeries("lbl_DPI", 1, 8, "Value"));
    sized.push_back("lbl_AIMDPI");
    sized.push_back("lbl_AIMDPIValue");
    const int size = r.I("Size_D");
    r.each(sized, [&](const std::string& c) { r.fontSize(c, size); });
    v.ColorDSelected = r.colour("Color_D_Selected");
    r.fontColour("lbl_AIMDPI", v.ColorDSelected);
    v.ColorDNotSelected = r.colour("Color_D_notSelected");
    std::vector<std::string> plain;
    for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
        append(plain, NumberedSeries(s, 1, 10));
    append(plain, NumberedSeries("lbl_DPI", 1, 8, "Value"));
    plain.push_back("lbl_AIMDPIValue");
    const std::vector<std::string> edits = {"Edt_Repeat1",    "Edt_DelayTime1", "Edt_Repeat2",
                                            "Edt_DelayTime2", "Edt_Repeat3",    "Edt_DelayTime3"};
    append(plain, edits);
    r.each(plain, [&](const std::string& c) { r.fontColour(c, v.ColorDNotSelected); });
    const Rgb back = r.colour("Color_D_Back");
    r.each(edits, [&](const std::string& c) { r.backColour(c, back); });
    const Rgb border = r.colour("Color_D_Border");
    r.each(edits, [&](const std::string& c) { r.borderColour(c, border); });
    r.moveKeys("Img_P2", "P2_X", "P2_Y");
    for (int n = 1; n <= 3; ++n) {
        const std::string fk = Numbered("FK", n);
        r.moveKeys(Numbered("Edt_Repeat", n), fk + "Cnt_X", fk + "Cnt_Y");
        r.moveKeys(Numbered("Edt_DelayTime", n), fk + "Delay_X", fk + "Delay_Y");
        const int x = r.I(fk + "Continue_X");
        const int y = r.I(fk + "Continue_Y");
        const std::string pic = Numbered("Img_Fire", n, "Continue");
        const std::string label = Numbered("lbl_Fire", n, "Continue");
        r.move(pic, x, y);
        r.move(label, x - 2, y);
        r.sizeFrom(label, pic, 4, 4);
    }
    for (int n = 1; n <= 4; ++n) {
        const int x = r.I(Numbered("Rep", n, "_X"));
        const int y = r.I(Numbered("Rep", n, "_Y"));
        r.move(Numbered("Img_Rep", n), x, y);
        r.move(Numbered("lbl_Rep", n), x - 4, y - 2);
    }
    pointerScale(r, "Spd");
    {
        const int x = r.I("IsControl_X");
        const int y = r.I("IsControl_Y");
        r.move("Img_IsControl", x, y);
        r.move("lbl_IsControl", x - 8, y);
    }
    pointerScale(r, "DbSpd");
    pointerScale(r, "ScrSpd");
    {
        const int x = r.I("IsScreen_X");
        const int y = r.I("IsScreen_Y");
        r.move("Img_IsScreen", x, y);
        r.move("lbl_IsScreen", x - 2, y);
    }
    v.DPIOrientation = r.I("DPI_Orientation");
    for (int n = 1; n <= 8; ++n) {
        const std::string dpi = Numbered("DPI", n);
        const int x = r.I(dpi + "_Color_X");
        const int y = r.I(dpi + "_Color_Y");
        const std::string pic = "Img_" + dpi + "Col";
        r.move(pic, x, y);
        for (const std::string& c : {"cs_" + dpi + "Col", "lbl_" + dpi + "Col"}) {
            r.move(c, x, y);
            r.sizeFrom(c, pic);
        }
        r.moveKeys("Img_" + dpi, dpi + "_Check_X", dpi + "_Check_Y");
        r.moveKeys("lbl_" + dpi, dpi + "_X", dpi + "_Y");
        r.moveKeys("lbl_" + dpi + "Value", dpi + "_Value_X", dpi + "_Value_Y");
        levelBars(r, dpi + "_Steps", NumberedSeries("Img_" + dpi + "_", 1, 12));
    }
    r.moveKeys("lbl_AIMDPI", "AIMDPI_X", "AIMDPI_Y");
    r.moveKeys("lbl_AIMDPIValue", "AIMDPI_Value_X", "AIMDPI_Value_Y");
    levelBars(r, "AIMDPI_Steps", NumberedSeries("Img_AIMDPI_", 1, 12));
}

void SensitivityPageLabels(LayoutRules& r) {
    r.textLabels(kLabels);
}

void AddSensitivityPageFonts(std::vector<std::string>& fonts) {
    append(fonts, NumberedSeries("Edt_Repeat", 1, 3));
    append(fonts, NumberedSeries("Edt_DelayTime", 1, 3));
    for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
        append(fonts, NumberedSeries(s, 1, 10));
    for (int n = 1; n <= 8; ++n) {
        fonts.push_back(Numbered("lbl_DPI", n));
        fonts.push_back(Numbered("lbl_DPI", n, "Value"));
    }
    fonts.push_back("lbl_AIMDPI");
    fonts.push_back("lbl_AIMDPIValue");
}

std::span<const CaptionBinding> SensitivityPageLabelCaptionKeys() {
    return kLabelCaptions;
}

} // namespace trvx
