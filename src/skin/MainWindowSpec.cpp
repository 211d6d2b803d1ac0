#include "skin/MainWindowSpec.h"

#include "skin/LayoutKeys.h"

#include <string>
#include <unordered_map>

namespace trvx {
namespace {

using K = ControlKind;

std::string num(std::string_view stem, int n, std::string_view tail = {}) {
    return std::string(stem) + std::to_string(n) + std::string(tail);
}

// Builds the table page by page. Creation order is stacking order: later controls lie above
// earlier ones, so a page's background comes first, a clickable label after its picture, the
// cover label after the page's content and the exit and minimise buttons last.
class Table {
public:
    std::vector<ControlSpec> specs;

    ControlSpec& add(std::string name, K kind, std::string parent, int x = 0, int y = 0, int w = 0,
                     int h = 0) {
        ControlSpec s;
        s.name = std::move(name);
        s.kind = kind;
        s.parent = std::move(parent);
        s.x = x;
        s.y = y;
        s.w = w;
        s.h = h;
        specs.push_back(std::move(s));
        return specs.back();
    }
    ControlSpec& picture(std::string name, std::string parent, std::string image = {}, int x = 0,
                         int y = 0) {
        ControlSpec& s = add(std::move(name), K::Picture, std::move(parent), x, y);
        s.image = std::move(image);
        return s;
    }
    ControlSpec& label(std::string name, std::string parent, int x = 0, int y = 0, int w = 65,
                       int h = 17, std::string text = {}) {
        ControlSpec& s = add(std::move(name), K::Label, std::move(parent), x, y, w, h);
        s.text = std::move(text);
        return s;
    }
    // A clickable label over its picture: "Img_" + stem and "Btn_" + stem.
    void button(const std::string& stem, const std::string& parent, std::string image = {}) {
        picture("Img_" + stem, parent, std::move(image));
        label("Btn_" + stem, parent).centred = true;
    }
};

// Rows of a class-library page: a caption label and, beside it, its control.
class Rows {
public:
    Rows(Table& t, std::string parent, int x = 12, int y = 22, int step = 24)
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
    Table& t_;
    std::string parent_;
    int x_, y_, step_;
};

// Design-time colours (0x00BBGGRR) of what no layout colours: the skin's light text, the softer
// one of the scale numbers, and the neutral fill of a colour swatch until the mouse's colour
// reaches it.
constexpr int kLightText = 223 | (228 << 8) | (234 << 16);
constexpr int kScaleText = 190 | (198 << 8) | (208 << 16);
constexpr int kSwatchBlank = 58 | (69 << 8) | (82 << 16);

constexpr const char* kFrameTabs[] = {"Main",  "Switch", "Fixed",    "Adv",  "Breath",
                                      "Macro", "Update", "Engineer", "Save", "Load",
                                      "Lang1", "Lang2",  "Lang3"};

// The window frame of skinned page n: title-bar buttons, side menu, language and web buttons.
void addFrame(Table& t, const std::string& page, int n) {
    for (const char* stem : {"Confirm1_", "Confirm2_", "Confirm3_"})
        t.button(num(stem, n), page);
    for (const char* tab : kFrameTabs)
        t.button(num(std::string(tab) + "_", n), page);
    // The engineering tab appears only through the hidden access.
    for (const char* c : {"Img_Engineer_", "Btn_Engineer_"})
        for (ControlSpec& s : t.specs)
            if (s.name == num(c, n))
                s.hidden = true;
    // The general settings place the web link; until then it waits outside the window.
    t.picture(num("Img_Web_", n), page, "WebS_01", 9400, 16);
    t.label(num("Btn_Web_", n), page, 9400, 16).centred = true;
}

void addCoverAndClose(Table& t, const std::string& page, int n) {
    ControlSpec& cover = t.label(num("Disable_All_", n), page, 0, 0, 800, 600);
    cover.centred = true;
    for (const char* stem : {"Mini_", "Exit_"})
        t.button(num(stem, n), page);
}

// A key-function menu: a hidden panel with one entry label a row, and the arrows of the entries
// that open a sub-menu.
void addMenu(Table& t, const std::string& panel, std::initializer_list<const char*> entries,
             std::initializer_list<const char*> arrows) {
    const int rows = static_cast<int>(entries.size());
    t.add(panel, K::Panel, "gbPage1", 0, 0, 170, 4 + 20 * rows).hidden = true;
    int row = 0;
    for (const char* e : entries) {
        const std::string entry(e);
        t.label(entry, panel, 2, 2 + 20 * row, 166, 20);
        const std::string arrow = "ST_" + entry.substr(4);
        for (const char* a : arrows)
            if (arrow == a)
                t.label(arrow, panel, 146, 2 + 20 * row, 20, 20, ">");
        ++row;
    }
}

void keyPage(Table& t) {
    const std::string p = "gbPage1";
    t.picture("Img_Base_1", p);
    t.picture("Img_P1", p);
    for (int n = 1; n <= 12; ++n) {
        t.picture(num("Img_Key", n), p);
        t.label(num("Key", n), p, 0, 0, 150, 30).centred = true;
    }
    // The eighth option (gun key) shows only while the gun display asks for it.
    for (int n = 1; n <= 8; ++n) {
        t.picture(num("Img_ComboKey", n), p).hidden = n == 8;
        t.label(num("IB_ComboKey", n), p, 0, 0, 320, 16).hidden = n == 8;
    }
    addMenu(t, "Pnl_Main",
            {"Key_Standard", "Key_Special", "Key_Media", "Key_WWW", "Key_MyPC", "Key_Assembly",
             "Key_Macro", "Key_FireMacro", "Key_TLFireMacro"},
            {"ST_Standard", "ST_Special", "ST_Media", "ST_WWW", "ST_MyPC", "ST_Macro",
             "ST_TLFireMacro"});
    addMenu(t, "Pnl_Special",
            {"Key_CPIKey", "Key_Fire", "Key_ACPIKey", "Key_ProfileKey", "Key_AIM", "Key_LEDMode",
             "Key_LEDSwitch", "Key_BtnEFT", "Key_ReportRate", "Key_KeyOff", "Key_FireMacroKey",
             "Key_FireMacroOff", "Key_AdjustXY"},
            {"ST_CPIKey", "ST_Fire", "ST_ACPIKey", "ST_ProfileKey", "ST_AdjustXY"});
    addMenu(t, "Pnl_CPIKey", {"Key_CPI", "Key_CPII", "Key_CPID"}, {});
    addMenu(t, "Pnl_FireKey", {"Key_Fire1", "Key_Fire2", "Key_Fire3"}, {});
    addMenu(t, "Pnl_ACPI", {"Key_PowerDown", "Key_Sleep", "Key_WakeUp"}, {});
    addMenu(t, "Pnl_Profile", {"Key_Profile1", "Key_Profile2", "Key_Profile3", "Key_Profile"}, {});
    addMenu(t, "Pnl_MseKey", {"Key_Left", "Key_Right", "Key_Middle", "Key_B4", "Key_B5"}, {});
    addMenu(t, "Pnl_Media",
            {"Key_PlayPause", "Key_Stop", "Key_PreviousTrack", "Key_NextTrack", "Key_VolumePlus",
             "Key_VolumeMinus", "Key_Mute"},
            {});
    addMenu(t, "Pnl_MyPC", {"Key_Computer", "Key_Calculator", "Key_EMail", "Key_Desktop"}, {});
    addMenu(t, "Pnl_WWW",
            {"Key_WWWHome", "Key_WWWSearch", "Key_WWWBack", "Key_WWWForward", "Key_WWWStop",
             "Key_WWWRefresh", "Key_WWWFavorites"},
            {});
    addMenu(t, "Pnl_AdjustXY", {"Key_AdjustXYFn", "Key_AdjustXYSwitch"}, {});
    t.add("LB_Name", K::ListBox, p, 0, 0, 170, 200).hidden = true;
    t.add("LB_Script", K::ListBox, p, 0, 0, 170, 200).hidden = true;
}

// A scale of step pictures with a number caption under each.
void addScale(Table& t, const std::string& p, const std::string& stem, int count, int captions,
              const char* first, const char* rest) {
    for (int i = 1; i <= count; ++i)
        t.picture("Img_" + num(stem, i), p, i == 1 ? first : rest);
    for (int i = 1; i <= captions; ++i)
        t.label("lbl_" + num(stem, i), p, 0, 0, 24, 15, std::to_string(i)).colour = kScaleText;
}

void sensitivityPage(Table& t) {
    const std::string p = "gbPage2";
    t.picture("Img_Base_2", p);
    t.picture("Img_P2", p);
    for (int n = 1; n <= 3; ++n) {
        t.add(num("Edt_Repeat", n), K::Edit, p, 0, 0, 60, 21);
        t.add(num("Edt_DelayTime", n), K::Edit, p, 0, 0, 60, 21);
        t.picture(num("Img_Fire", n, "Continue"), p);
        t.label(num("lbl_Fire", n, "Continue"), p, 0, 0, 20, 20);
    }
    for (int n = 1; n <= 4; ++n) {
        t.picture(num("Img_Rep", n), p, n == 4 ? "RdS_E" : "RdS_D");
        t.label(num("lbl_Rep", n), p, 0, 0, 80, 19);
    }
    addScale(t, p, "Spd", 11, 11, "Bar1_E", "Bar1_D");
    t.picture("Img_IsControl", p, "CbS_D");
    t.label("lbl_IsControl", p, 0, 0, 32, 18);
    addScale(t, p, "DbSpd", 11, 11, "Bar1_E", "Bar1_D");
    addScale(t, p, "ScrSpd", 11, 11, "Bar1_E", "Bar1_D");
    t.picture("Img_IsScreen", p, "CbS_D");
    t.label("lbl_IsScreen", p, 0, 0, 22, 20);
    for (int n = 1; n <= 8; ++n) {
        const std::string dpi = num("DPI", n);
        t.picture("Img_" + dpi + "Col", p);
        t.add("cs_" + dpi + "Col", K::Shape, p, 0, 0, 18, 18).colour = kSwatchBlank;
        t.label("lbl_" + dpi + "Col", p, 0, 0, 18, 18);
        t.picture("Img_" + dpi, p, n == 1 ? "RdS_E" : "RdS_D");
        t.label("lbl_" + dpi, p, 0, 0, 48, 17, num("CPI", n)).colour = kScaleText;
        t.label("lbl_" + dpi + "Value", p, 0, 0, 60, 17);
        for (int i = 1; i <= 12; ++i)
            t.picture("Img_" + dpi + "_" + std::to_string(i), p, i == 1 ? "" : "Bar2_D");
    }
    t.label("lbl_AIMDPI", p, 0, 0, 48, 17, "AIM");
    t.label("lbl_AIMDPIValue", p, 0, 0, 60, 17);
    for (int i = 1; i <= 12; ++i)
        t.picture(num("Img_AIMDPI_", i), p, i == 1 ? "" : "Bar2_D");
    for (const char* l :
         {"lbl_FireKey", "lbl_FireKey1", "lbl_FireKey2", "lbl_FireKey3", "lbl_Fire_Count",
          "lbl_Fire_Time", "lbl_Fire_Continue", "lbl_Mouse_Speed", "lbl_Is_Control",
          "lbl_Double_Click", "lbl_Roller_Speed", "lbl_Roll_All_Screen", "lbl_DPI_Setting",
          "lbl_DPI_Value", "lbl_Rating_Setting", "lbl_Rating_Value1", "lbl_Rating_Value2",
          "lbl_Rating_Value3", "lbl_Rating_Value4"})
        t.label(l, p, 0, 0, 120, 17);
}

void lightingPage(Table& t) {
    const std::string p = "gbPage3";
    t.picture("Img_Base_3", p);
    t.picture("Img_P3", p);
    for (int i = 1; i <= 8; ++i)
        t.picture(num("Img_MCULEDStep_", i), p, i == 1 ? "" : "Bar1_D");
    for (int i = 1; i <= 8; ++i)
        t.label(num("lbl_MCULEDStep_", i), p, 0, 0, 24, 15, std::to_string(i));
    // The falling-light scale is not placed by any layout; it waits off the art.
    t.picture("Img_Fall1", p).hidden = true;
    for (int i = 1; i <= 10; ++i)
        t.label(num("lbl_Fall", i), p, 0, 0, 24, 15, std::to_string(i)).hidden = true;
    for (int n = 1; n <= 7; ++n)
        t.picture(num("Img_LED", n), p, n == 1 ? "RdS_E" : "RdS_D");
    t.picture("Img_MCULED3Control", p);
    t.label("lbl_MCULED3Control", p, 0, 0, 120, 19);
    t.picture("Img_MCULED6Control", p);
    t.label("lbl_MCULED6Control", p, 0, 0, 120, 19);
    for (int n = 1; n <= 10; ++n) {
        const int x = kLedSwatchLeft + (n - 1) * kLedSwatchStep;
        t.picture(num("Img_Col", n), p, {}, x, kLedSwatchTop);
        ControlSpec& swatch = t.add(num("cs_Col", n), K::Shape, p, x, kLedSwatchTop, 18, 18);
        swatch.colour = kSwatchBlank;
        swatch.hidden = true;
        t.label(num("lbl_Col", n), p, x, kLedSwatchTop, 18, 18);
    }
    for (const char* l : {"lbl_LED_Effect_Setting", "lbl_LED_Effect_Slow", "lbl_LED_Effect_Fast",
                          "lbl_LED_Mode", "lbl_LED_Color"})
        t.label(l, p, 0, 0, 120, 17);
    for (int n = 1; n <= 7; ++n)
        t.label(num("lbl_LED", n), p, 0, 0, 120, 17);
}

void macroPage(Table& t) {
    const std::string p = "gbPage4";
    t.picture("Img_Base_4", p);
    t.picture("Img_P4", p);
    for (const char* l : {"lbl_Marco_List", "lbl_Mouse_Marco_List", "lbl_Marco_Content"})
        t.label(l, p, 0, 0, 120, 17);
    t.add("LB_PCMacroName", K::ListBox, p, 0, 0, 184, 268);
    t.add("LB_MacroName", K::ListBox, p, 0, 0, 144, 268);
    t.add("LB_macro", K::ListBox, p, 0, 0, 192, 268);
    t.button("New", p);
    t.button("Start", p);
    // Delay box: the recording mode and the fixed delay; inner coordinates.
    t.add("Gb_Delay", K::GroupBox, p, 0, 0, 227, 130);
    const std::string d = "Gb_Delay";
    for (const char* r : {"RecDelay", "DelayTime", "NoDelay"}) {
        t.picture(std::string("LED_") + r, d);
        t.label(std::string("IB_") + r, d, 0, 0, 180, 19);
    }
    t.add("Edt_Delay", K::Edit, d, 0, 0, 56, 21);
    for (const char* l : {"lbl_Record_Delay", "lbl_Delay_Setting", "lbl_No_Delay", "lbl_MS"})
        t.label(l, d, 0, 0, 100, 17);
    // Insert box: its picture lies on the page under the box.
    t.picture("Img_InsertBase", p, "InsertDelayBase").hidden = true;
    t.add("Gb_Insert", K::GroupBox, p, 0, 0, 227, 182).hidden = true;
    const std::string in = "Gb_Insert";
    t.add("CB_Insert", K::ComboBox, in, 0, 0, 167, 22).items = {
        "Delay",         "Key",  "Left Button",  "Right Button",
        "Middle Button", "Move", "Repeat Start", "Repeat End"};
    // The box starts on a delay: the recording rows belong to a key and wait hidden.
    for (const char* r : {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"}) {
        t.picture(std::string("LED_") + r, in, "RdS_D").hidden = true;
        t.label(std::string("IB_") + r, in, 0, 0, 120, 19).hidden = true;
    }
    t.add("Edt_InsertDelay", K::Edit, in, 0, 0, 42, 21);
    t.label("lbl_Delay", in, 0, 0, 70, 17);
    t.label("lbl_s_A", in, 0, 0, 30, 17);
    t.add("edt_XAxisValue", K::Edit, in, 0, 0, 42, 21).hidden = true;
    t.label("lbl_XAxisValue", in, 0, 0, 36, 17).hidden = true;
    t.add("edt_YAxisValue", K::Edit, in, 0, 0, 42, 21).hidden = true;
    t.label("lbl_YAxisValue", in, 0, 0, 30, 17).hidden = true;
    t.add("edt_Repeat", K::Edit, in, 0, 0, 42, 21).hidden = true;
    t.label("lbl_Repeat", in, 0, 0, 60, 17).hidden = true;
    t.button("InsertStart", in);
    t.button("OK", in);
    t.button("Cancel", in);
    // Pop-up menus of the three lists (panels of labels shown at the pointer).
    t.add("Pnl_PCMacro", K::Panel, p, 0, 0, 130, 164).hidden = true;
    int row = 0;
    for (const char* b : {"Btn_NewMacro", "Btn_NewName", "Btn_DelPCMacro", "Btn_AddMacro",
                          "Btn_ImportOne", "Btn_ExportOne", "Btn_Import", "Btn_Export"})
        t.label(b, "Pnl_PCMacro", 1, 1 + 20 * row++, 128, 20);
    t.add("Pnl_DevMacro", K::Panel, p, 0, 0, 130, 42).hidden = true;
    row = 0;
    for (const char* b : {"Btn_DelMacro", "Btn_DevExport"})
        t.label(b, "Pnl_DevMacro", 1, 1 + 20 * row++, 128, 20);
    t.add("Pnl_DevContent", K::Panel, p, 0, 0, 130, 62).hidden = true;
    row = 0;
    for (const char* b : {"Btn_Edit", "Btn_Insert", "Btn_Del"})
        t.label(b, "Pnl_DevContent", 1, 1 + 20 * row++, 128, 20);
}

void updatePage(Table& t) {
    const std::string p = "gbPage5";
    t.picture("Img_Base_5", p);
    t.picture("Img_P5", p);
    t.label("lbl_BINPath", p, 0, 0, 92, 17).colour = kLightText;
    t.label("lbl_LoadBIN", p, 0, 0, 400, 17);
    t.button("LoadBIN", p, "KeyS_01");
    t.button("Program", p, "KeyS_01");
}

void firePage(Table& t) {
    const std::string p = "gbPage6";
    t.picture("Img_Base_6", p);
    t.picture("Img_P6", p);
    for (int n = 1; n <= 7; ++n)
        t.button(num("Fire", n), p);
    for (int n = 1; n <= 5; ++n)
        t.picture(num("Img_GunMode", n), p);
    t.picture("Img_FireSelLeft", p);
    t.label("lbl_FireSelLeft", p, 0, 0, 20, 20);
    for (const char* e : {"Edt_FireCnt", "Edt_FireX", "Edt_FireX_Offset", "Edt_FireY",
                          "Edt_FireY_Offset", "Edt_FireTime"}) {
        const std::string stem(e);
        const auto cut = stem.find("_Offset");
        for (int n = 1; n <= 3; ++n)
            t.add(cut == std::string::npos ? num(stem, n) : num(stem.substr(0, cut), n, "Offset"),
                  K::Edit, p, 0, 0, 52, 21);
    }
    for (int n = 1; n <= 3; ++n) {
        t.picture(num("Img_FireColor", n), p);
        t.add(num("cs_FireColor", n), K::Shape, p, 0, 0, 18, 18).colour = kSwatchBlank;
        t.label(num("IB_FireColor", n), p, 0, 0, 18, 18);
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
    hide(t.add("LB_FireMacroName", K::ListBox, p, 20, 420, 120, 200));
    hide(t.add("LB_FireMacro", K::ListBox, p, 150, 420, 160, 200));
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
    hide(t.add("CB_InsertFire", K::ComboBox, p, 0, 0, 167, 22));
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
    for (const char* b : {"Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert"})
        hide(t.label(b, p, 0, 0, 128, 20));
}

void engineerPage(Table& t) {
    const std::string p = "gbPage7";
    // The sixth copy of the side menu, captioned from the term table.
    int i = 0;
    for (const char* tab : {"Main", "Switch", "Fixed", "Adv", "Breath", "Macro", "Update",
                            "Engineer", "Load", "Save"})
        t.label(num(std::string("Btn_") + tab + "_", 6), p, 10 + 104 * i++, 8, 100, 24).centred =
            true;
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
        cpi.label(num("lbl_CPI", n));
    t.add("gbFireMode", K::GroupBox, op, 316, 286, 300, 220);
    Rows fire(t, "gbFireMode", 12, 22, 24);
    for (int n = 1; n <= 3; ++n)
        fire.label(num("lbl_Fire", n, "Count"));
    fire.label("lbl_Fire1Time").label("lbl_Fire2Time");
    for (int n = 1; n <= 3; ++n)
        fire.control(num("cb_Fire", n, "Continue"), K::CheckBox, 180, 19);
    t.add("gbLEDColor", K::GroupBox, op, 624, 8, 300, 300);
    for (int n = 1; n <= 10; ++n) {
        int c = 0;
        for (const char* rgb : {"R", "G", "B"})
            t.label(num("lbl_Col", n, rgb), "gbLEDColor", 12 + 96 * c++, 20 + 26 * (n - 1), 90, 17);
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
    for (int n = 1; n <= 3; ++n)
        t.add(num("gbProfile", n), K::GroupBox, en, 460 + 250 * (n - 1), 80, 240, 100);
    t.add("gbXYOffset", K::GroupBox, en, 460, 190, 500, 300);
    for (int n = 1; n <= 10; ++n) {
        t.add(num("edt_XOffset", n), K::IntEdit, "gbXYOffset", 12, 20 + 26 * (n - 1), 60, 21);
        t.add(num("edt_YOffset", n), K::IntEdit, "gbXYOffset", 84, 20 + 26 * (n - 1), 60, 21);
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

std::vector<ControlSpec> build() {
    Table t;
    for (int n = 1; n <= 6; ++n)
        t.add(num("gbPage", n), K::Page, "", 0, 0, kSkinWidth, kSkinHeight).hidden = n != 1;
    t.add("gbPage7", K::Page, "", 0, 0, kEngineerWidth, kEngineerHeight).hidden = true;
    // The radios that record the shown page and the chosen language set.
    for (int n = 1; n <= 8; ++n)
        t.add(num("rb_", n), K::Radio, "").hidden = true;
    for (int n = 1; n <= 3; ++n)
        t.add(num("rb_Lang", n), K::Radio, "").hidden = true;

    keyPage(t);
    sensitivityPage(t);
    lightingPage(t);
    macroPage(t);
    updatePage(t);
    firePage(t);
    for (int n = 1; n <= 5; ++n) {
        const std::string page = num("gbPage", n);
        addFrame(t, page, n);
        addCoverAndClose(t, page, n);
    }
    engineerPage(t);
    return std::move(t.specs);
}

} // namespace

const std::vector<ControlSpec>& MainWindowControlSpecs() {
    static const std::vector<ControlSpec> specs = build();
    return specs;
}

const ControlSpec* FindControlSpec(std::string_view name) {
    static const std::unordered_map<std::string_view, const ControlSpec*> byName = [] {
        std::unordered_map<std::string_view, const ControlSpec*> m;
        for (const ControlSpec& s : MainWindowControlSpecs())
            m.emplace(s.name, &s);
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

} // namespace trvx
