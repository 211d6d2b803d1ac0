#include "macros/MacroPageTables.h"
#include "skin/LayoutRules.h"

namespace trvx {
namespace {

constexpr TextLabelRule kLabels[] = {
    {"Marco_List_Lable", "lbl_Marco_List"},
    {"Marco_Mouse_List_Lable", "lbl_Mouse_Marco_List"},
    {"Marco_Content_Lable", "lbl_Marco_Content"},
    {"Marco_Record_Delay_Lable", "lbl_Record_Delay"},
    {"Marco_Delay_Setting_Lable", "lbl_Delay_Setting"},
    {"Marco_No_Delay_Lable", "lbl_No_Delay"},
    {"Marco_MS_Lable", "lbl_MS"},
};

constexpr CaptionBinding kLabelCaptions[] = {
    {"lbl_Marco_List", "Str834"},
    {"lbl_Mouse_Marco_List", "Str835"},
    {"lbl_Marco_Content", "Str836"},
    {"lbl_Record_Delay", "Str837"},
    {"lbl_Delay_Setting", "Str838"},
    {"lbl_No_Delay", "Str839"},
    {"lbl_MS", "Str840"},
};

constexpr CaptionBinding kCaptions[] = {
    {"Btn_NewName", "Str402"},
    {"Btn_New", "Str432"},
    {"Btn_Start", "Str400"},
    {"Btn_SaveMacro", "Str471"},
    {"Btn_ExportOne", "Str404"},
    {"Btn_Export", "Str405"},
    {"Btn_ImportOne", "Str406"},
    {"Btn_Import", "Str407"},
    {"Btn_Del", "Str408"},
    {"Btn_Insert", "Str409"},
    {"Btn_Edit", "Str435"},
    {"Btn_NewMacro", "Str432"},
    {"Btn_DelMacro", "Str433"},
    {"Btn_DevExport", "Str405"},
    {"Btn_DelPCMacro", "Str433"},
    {"Btn_AddMacro", "Str434"},
    {"IB_InsertRecDelay", "Str414", 5},
    {"IB_InsertDelayTime", "Str415", 5},
    {"IB_InsertNoDelay", "Str416", 5},
    {"lbl_Delay", "Str417"},
    {"lbl_s_A", "Str418"},
    {"lbl_XAxisValue", "Str454"},
    {"lbl_YAxisValue", "Str455"},
    {"lbl_Repeat", "Str458"},
    {"Btn_InsertStart", "Str400"},
    {"Btn_OK", "Str420"},
    {"Btn_Cancel", "Str422"},
};

constexpr std::string_view kInsertItems[] = {
    "Str410", "Str411", "Str412", "Str413", "Str450", "Str451", "Str456", "Str457",
};

// The controls family F sizes (and the caption pass gives the set's font).
const std::vector<std::string> kSized = {
    "Btn_New",           "Btn_Start",          "Btn_SaveMacro",    "LB_PCMacroName", "Btn_NewMacro",
    "Btn_ImportOne",     "Btn_Export",         "Btn_Import",       "Btn_ExportOne",  "Btn_NewName",
    "Btn_DelPCMacro",    "Btn_AddMacro",       "Btn_DelMacro",     "Btn_DevExport",  "Btn_Del",
    "Btn_Insert",        "Btn_Edit",           "LB_MacroName",     "Edt_Delay",      "CB_Insert",
    "IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay", "lbl_Delay",      "lbl_s_A",
    "Edt_InsertDelay",   "Btn_InsertStart",    "Btn_OK",           "Btn_Cancel"};

// Three radio rows spaced by h; the label 2 pixels left of its radio picture.
void radioRows(LayoutRules& r, const std::string& stem, std::initializer_list<const char*> rows) {
    const int x = r.I(stem + "_X");
    const int y = r.I(stem + "_Y");
    const int h = r.I(stem + "_H");
    int n = 0;
    for (const char* row : rows) {
        r.move(std::string("LED_") + row, x, y + n * h);
        r.move(std::string("IB_") + row, x - 2, y + n * h);
        ++n;
    }
}

} // namespace

void MacroPageLayout(LayoutRules& r) {
    LayoutValues& v = r.values();
    const int size = r.I("Size_F");
    r.each(kSized, [&](const std::string& c) { r.fontSize(c, size); });
    v.ColorF = r.colour("Color_F");
    for (const char* c : {"Btn_New", "Btn_Start", "Btn_SaveMacro", "CB_Insert", "IB_InsertRecDelay",
                          "IB_InsertDelayTime", "IB_InsertNoDelay", "lbl_Delay", "lbl_s_A",
                          "Btn_InsertStart", "Btn_OK", "Btn_Cancel"})
        r.fontColour(c, v.ColorF);
    // The list colours of this family also dress the gun-mode page's lists.
    v.ColorFLBack = r.colour("Color_F_LBack");
    for (const char* c : {"LB_PCMacroName", "LB_MacroName", "LB_macro", "CB_Insert",
                          "LB_FireMacroName", "LB_FireMacro", "CB_InsertFire"})
        r.backColour(c, v.ColorFLBack);
    v.ColorMacro = r.colour("Color_MACRO");
    const Rgb border = r.colour("Color_F_LBorder");
    for (const char* c :
         {"Edt_Delay", "Edt_InsertDelay", "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"})
        r.borderColour(c, border);
    v.ColorFFont = r.colour("Color_F_Font");
    for (const char* c :
         {"LB_PCMacroName", "Btn_NewMacro", "Btn_ImportOne",   "Btn_Export",       "Btn_Import",
          "Btn_ExportOne",  "Btn_NewName",  "Btn_DelPCMacro",  "Btn_AddMacro",     "Btn_DelMacro",
          "Btn_DevExport",  "Btn_Del",      "Btn_Insert",      "Btn_Edit",         "LB_MacroName",
          "LB_macro",       "Edt_Delay",    "Edt_InsertDelay", "LB_FireMacroName", "LB_FireMacro"})
        r.fontColour(c, v.ColorFFont);
    v.ColorFBack = r.colour("Color_F_Back");
    for (const char* c :
         {"Btn_NewMacro", "Btn_ImportOne", "Btn_Export", "Btn_Import", "Btn_ExportOne",
          "Btn_NewName", "Btn_DelPCMacro", "Btn_AddMacro", "Btn_DelMacro", "Btn_DevExport",
          "Btn_Del", "Btn_Insert", "Btn_Edit", "Edt_Delay", "Edt_InsertDelay", "edt_Repeat",
          "edt_XAxisValue", "edt_YAxisValue"})
        r.backColour(c, v.ColorFBack);
    r.moveKeys("Img_P4", "P4_X", "P4_Y");
    for (const auto& [stem, list] :
         {std::pair{"PCMacroName", "LB_PCMacroName"}, std::pair{"MseMacroName", "LB_MacroName"},
          std::pair{"MacroContent", "LB_macro"}}) {
        const std::string s(stem);
        r.left(list, r.I(s + "_X"));
        r.top(list, r.I(s + "_Y"));
        r.height(list, r.I(s + "_H"));
        r.width(list, r.I(s + "_W"));
    }
    v.MacroNameHeight = r.I("MacroNameHeight");
    r.pictureButton("Img_New", "Btn_New", "BtnNew");
    r.pictureButton("Img_Start", "Btn_Start", "BtnStart");
    r.pictureButton("Img_SaveMacro", "Btn_SaveMacro", "BtnSaveMacro");
    r.moveKeys("Gb_Delay", "DelayTime_X", "DelayTime_Y");
    radioRows(r, "RecDelay", {"RecDelay", "DelayTime", "NoDelay"});
    r.moveKeys("Edt_Delay", "DelayEdit_X", "DelayEdit_Y");
    {
        const int x = r.I("Insert_X");
        const int y = r.I("Insert_Y");
        r.move("Gb_Insert", x, y);
        r.move("Img_InsertBase", x + 10, y + 10);
    }
    r.moveKeys("CB_Insert", "InsertList_X", "InsertList_Y");
    radioRows(r, "InsertRecDelay", {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"});
    {
        const int x = r.I("InsertDelayEdit_X");
        const int y = r.I("InsertDelayEdit_Y");
        r.move("Edt_InsertDelay", x, y);
        r.move("lbl_Delay", x - 74, y + 2);
        r.move("lbl_s_A", x + 44, y + 2);
    }
    {
        const int x = r.I("InsertAxisEdit_X");
        const int y = r.I("InsertAxisEdit_Y");
        // The names of the axes are as wide as "Y Axis" in every set.
        r.move("edt_XAxisValue", x - 84, y);
        r.move("lbl_XAxisValue", x - 130, y + 2);
        r.move("edt_YAxisValue", x, y);
        r.move("lbl_YAxisValue", x - 40, y + 2);
        r.move("edt_Repeat", x, y);
        r.move("lbl_Repeat", x - 64, y + 2);
    }
    r.pictureButton("Img_InsertStart", "Btn_InsertStart", "InsertBtnStart");
    r.pictureButton("Img_OK", "Btn_OK", "InsertBtnOK");
    r.pictureButton("Img_Cancel", "Btn_Cancel", "InsertBtnCancel");
}

void MacroPageLabels(LayoutRules& r) {
    r.textLabels(kLabels);
}

void MacroPageWidths(LayoutRules& r) {
    const int w = r.I("Edit_PCMarco_Width");
    r.width("Pnl_PCMacro", w);
    for (const char* b : {"Btn_AddMacro", "Btn_DelPCMacro", "Btn_Export", "Btn_ExportOne",
                          "Btn_ImportOne", "Btn_NewMacro", "Btn_NewName", "Btn_Import"})
        r.width(b, w - 2);
    r.width("Pnl_DevMacro", w);
    for (const char* b : {"Btn_DelMacro", "Btn_DevExport"})
        r.width(b, w - 2);
}

void AddMacroPageFonts(std::vector<std::string>& fonts) {
    fonts.insert(fonts.end(), kSized.begin(), kSized.end());
    for (const char* c : {"LB_macro", "edt_XAxisValue", "lbl_XAxisValue", "edt_YAxisValue",
                          "lbl_YAxisValue", "edt_Repeat", "lbl_Repeat"})
        fonts.push_back(c);
}

void MacroPageCaptions(LayoutRules& r) {
    r.bind(kCaptions);
    r.items("CB_Insert", kInsertItems);
}

std::span<const CaptionBinding> MacroPageLabelCaptionKeys() {
    return kLabelCaptions;
}
std::span<const CaptionBinding> MacroPageCaptionKeys() {
    return kCaptions;
}
std::span<const std::string_view> MacroInsertItemKeys() {
    return kInsertItems;
}

} // namespace trvx
