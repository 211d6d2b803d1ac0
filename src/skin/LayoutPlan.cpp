#include "skin/LayoutPlan.h"

#include "skin/CaptionKeys.h"

#include <algorithm>
#include <array>
#include <set>

namespace trvx {
namespace {

std::string num(std::string_view stem, int n, std::string_view tail = {}) {
    return std::string(stem) + std::to_string(n) + std::string(tail);
}

std::string cat(std::string_view a, std::string_view b) {
    return std::string(a) + std::string(b);
}

// Copies 1 .. 5 of a frame control.
std::vector<std::string> copies(std::string_view prefix) {
    std::vector<std::string> names;
    for (int i = 1; i <= 5; ++i)
        names.push_back(num(prefix, i));
    return names;
}

std::vector<std::string> series(std::string_view stem, int first, int last,
                                std::string_view tail = {}) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i)
        names.push_back(num(stem, i, tail));
    return names;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Layout key N places key label and picture kKeySlot[N - 1].
constexpr std::array<int, 12> kKeySlot = {1, 4, 7, 2, 5, 8, 3, 6, 9, 10, 11, 12};

constexpr const char* kTabLabels[] = {"Btn_Main_",   "Btn_Switch_", "Btn_Fixed_",  "Btn_Adv_",
                                      "Btn_Breath_", "Btn_Macro_",  "Btn_Update_", "Btn_Engineer_",
                                      "Btn_Save_",   "Btn_Load_",   "Btn_Lang1_",  "Btn_Lang2_",
                                      "Btn_Lang3_"};
constexpr const char* kConfirmLabels[] = {"Btn_Confirm1_", "Btn_Confirm2_", "Btn_Confirm3_"};

const std::vector<std::string>& menuControls() {
    static const std::vector<std::string> names = {"Key_Standard",
                                                   "ST_Standard",
                                                   "Key_Special",
                                                   "ST_Special",
                                                   "Key_Media",
                                                   "ST_Media",
                                                   "Key_WWW",
                                                   "ST_WWW",
                                                   "Key_MyPC",
                                                   "ST_MyPC",
                                                   "Key_Assembly",
                                                   "Key_Macro",
                                                   "ST_Macro",
                                                   "Key_FireMacro",
                                                   "Key_TLFireMacro",
                                                   "ST_TLFireMacro",
                                                   "Key_Left",
                                                   "Key_Right",
                                                   "Key_Middle",
                                                   "Key_B4",
                                                   "Key_B5",
                                                   "Key_CPIKey",
                                                   "ST_CPIKey",
                                                   "Key_Fire",
                                                   "ST_Fire",
                                                   "Key_ACPIKey",
                                                   "ST_ACPIKey",
                                                   "Key_ProfileKey",
                                                   "ST_ProfileKey",
                                                   "Key_AIM",
                                                   "Key_LEDMode",
                                                   "Key_LEDSwitch",
                                                   "Key_BtnEFT",
                                                   "Key_ReportRate",
                                                   "Key_KeyOff",
                                                   "Key_FireMacroKey",
                                                   "Key_FireMacroOff",
                                                   "Key_AdjustXY",
                                                   "ST_AdjustXY",
                                                   "Key_AdjustXYFn",
                                                   "Key_AdjustXYSwitch",
                                                   "Key_CPI",
                                                   "Key_CPII",
                                                   "Key_CPID",
                                                   "Key_Fire1",
                                                   "Key_Fire2",
                                                   "Key_Fire3",
                                                   "Key_PowerDown",
                                                   "Key_Sleep",
                                                   "Key_WakeUp",
                                                   "Key_Profile1",
                                                   "Key_Profile2",
                                                   "Key_Profile3",
                                                   "Key_Profile",
                                                   "Key_PlayPause",
                                                   "Key_Stop",
                                                   "Key_PreviousTrack",
                                                   "Key_NextTrack",
                                                   "Key_VolumePlus",
                                                   "Key_VolumeMinus",
                                                   "Key_Mute",
                                                   "Key_Computer",
                                                   "Key_Calculator",
                                                   "Key_EMail",
                                                   "Key_Desktop",
                                                   "Key_WWWHome",
                                                   "Key_WWWSearch",
                                                   "Key_WWWBack",
                                                   "Key_WWWForward",
                                                   "Key_WWWStop",
                                                   "Key_WWWRefresh",
                                                   "Key_WWWFavorites",
                                                   "LB_Name",
                                                   "LB_Script"};
    return names;
}

const std::vector<std::string> kMenuPanels = {
    "Pnl_Main",    "Pnl_Special", "Pnl_CPIKey",  "Pnl_FireKey", "Pnl_ACPI",
    "Pnl_Profile", "Pnl_MseKey",  "Pnl_Media",   "Pnl_MyPC",    "Pnl_WWW",
    "LB_Name",     "LB_Script",   "Pnl_AdjustXY"};

const std::vector<std::string> kMacroSized = {
    "Btn_New",          "Btn_Start",         "LB_PCMacroName",
    "Btn_NewMacro",     "Btn_ImportOne",     "Btn_Export",
    "Btn_Import",       "Btn_ExportOne",     "Btn_NewName",
    "Btn_DelPCMacro",   "Btn_AddMacro",      "Btn_DelMacro",
    "Btn_DevExport",    "Btn_Del",           "Btn_Insert",
    "Btn_Edit",         "LB_MacroName",      "Edt_Delay",
    "CB_Insert",        "IB_InsertRecDelay", "IB_InsertDelayTime",
    "IB_InsertNoDelay", "lbl_Delay",         "lbl_s_A",
    "Edt_InsertDelay",  "Btn_InsertStart",   "Btn_OK",
    "Btn_Cancel"};

const std::vector<std::string>& fireEdits() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        append(n, series("Edt_FireCnt", 1, 3));
        append(n, series("Edt_FireX", 1, 3));
        append(n, series("Edt_FireX", 1, 3, "Offset"));
        append(n, series("Edt_FireY", 1, 3));
        append(n, series("Edt_FireY", 1, 3, "Offset"));
        append(n, series("Edt_FireTime", 1, 3));
        return n;
    }();
    return names;
}

const std::vector<std::string> kFireSizedRest = {
    "Btn_FireConfirm",    "Btn_FireExit",       "Btn_FireStart",       "Edt_FireDelay",
    "CB_InsertFire",      "lbl_FireDelay",      "Edt_InsertFireDelay", "lbl_FireXAxisValue",
    "edt_FireXAxisValue", "lbl_FireYAxisValue", "edt_FireYAxisValue",  "lbl_FireRepeat",
    "edt_FireRepeat",     "Btn_NewFireName",    "Btn_FireDel",         "Btn_FireInsert"};

struct LabelMember {
    const char* stem;
    const char* label;
};

class Builder {
public:
    Builder(const LayoutSection& layout, const CaptionSection& captions, const LayoutInputs& in)
        : r_(layout), cap_(captions), in_(in) {}

    ParseResult<LayoutPlan> Build() {
        pictures();
        titleBar();
        tabBar();
        keyPage();
        menus();
        sensitivity();
        lighting();
        macroPage();
        updatePage();
        firePage();
        textLabels();
        if (!r_.ok())
            return ParseResult<LayoutPlan>::Fail(r_.Error(), r_.ErrorKey());
        captions();
        return ParseResult<LayoutPlan>::Ok(std::move(plan_));
    }

private:
    LayoutReader r_;
    const CaptionSection& cap_;
    const LayoutInputs& in_;
    LayoutPlan plan_;
    SkinOp scratch_;

    // Values far outside any window are held at a bound, so the rules' sums cannot overflow.
    static constexpr int kLimit = 1 << 20;
    int I(const std::string& key) {
        if (r_.ok())
            plan_.keysRead.push_back(key);
        return std::clamp(r_.Int(key), -kLimit, kLimit);
    }
    Rgb colour(const std::string& stem) {
        Rgb c;
        c.R = I(stem + "_R");
        c.G = I(stem + "_G");
        c.B = I(stem + "_B");
        return c;
    }

    SkinOp& op(SkinOpKind kind, std::string control) {
        // After a failed read the plan is thrown away; the rest of the pass only reads on.
        if (!r_.ok()) {
            scratch_ = SkinOp();
            return scratch_;
        }
        SkinOp o;
        o.kind = kind;
        o.control = std::move(control);
        plan_.ops.push_back(std::move(o));
        return plan_.ops.back();
    }
    void picture(const std::string& c, const std::string& image) {
        op(SkinOpKind::Picture, c).text = image;
    }
    void show(const std::string& c) { op(SkinOpKind::Show, c); }
    void hide(const std::string& c) { op(SkinOpKind::Hide, c); }
    void left(const std::string& c, int x) { op(SkinOpKind::Left, c).x = x; }
    void top(const std::string& c, int y) { op(SkinOpKind::Top, c).y = y; }
    void width(const std::string& c, int w) { op(SkinOpKind::Width, c).x = w; }
    void height(const std::string& c, int h) { op(SkinOpKind::Height, c).y = h; }
    void move(const std::string& c, int x, int y) {
        SkinOp& o = op(SkinOpKind::Move, c);
        o.x = x;
        o.y = y;
    }
    // Reads the left key, then the top key, and moves the control there.
    void moveKeys(const std::string& c, const std::string& xKey, const std::string& yKey) {
        const int x = I(xKey);
        const int y = I(yKey);
        move(c, x, y);
    }
    void sizeFrom(const std::string& c, const std::string& pic, int dx = 0, int dy = 0,
                  bool setWidth = true, bool setHeight = true) {
        SkinOp& o = op(SkinOpKind::SizeFromPicture, c);
        o.ref = pic;
        o.dx = dx;
        o.dy = dy;
        o.setWidth = setWidth;
        o.setHeight = setHeight;
    }
    void leftFrom(const std::string& c, const std::string& ref, int dx) {
        SkinOp& o = op(SkinOpKind::LeftFrom, c);
        o.ref = ref;
        o.dx = dx;
    }
    void fontSize(const std::string& c, int pt) { op(SkinOpKind::FontSize, c).x = pt; }
    void fontColour(const std::string& c, const Rgb& rgb) {
        op(SkinOpKind::FontColor, c).colour = rgb.Value();
    }
    void backColour(const std::string& c, const Rgb& rgb) {
        op(SkinOpKind::BackColor, c).colour = rgb.Value();
    }
    void borderColour(const std::string& c, const Rgb& rgb) {
        op(SkinOpKind::BorderColor, c).colour = rgb.Value();
    }
    void caption(const std::string& c, std::string text) {
        op(SkinOpKind::Caption, c).text = std::move(text);
    }
    void fontName(const std::string& c) {
        op(SkinOpKind::FontName, c).text = plan_.values.FontName;
    }

    template <class F> void each(const std::vector<std::string>& names, F f) {
        for (const std::string& n : names)
            f(n);
    }

    // A scale of pictures from (x, y) with gap d, as a row or a column.
    void scale(const std::vector<std::string>& pics, int x, int y, int d, bool row) {
        for (std::size_t i = 0; i < pics.size(); ++i) {
            SkinOp& o = op(SkinOpKind::ScaleStep, pics[i]);
            o.ref = pics.front();
            o.n = static_cast<int>(i);
            o.x = x;
            o.y = y;
            o.dx = d;
            o.row = row;
        }
    }

    // Picture button: picture and label at (x, y), the label as large as the picture.
    void pictureButton(const std::string& pic, const std::string& label, const std::string& stem) {
        const int x = I(stem + "_X");
        const int y = I(stem + "_Y");
        move(pic, x, y);
        move(label, x, y);
        sizeFrom(label, pic);
    }

    // A switchable frame button in five copies; the tab bar insets its label by the spaces.
    void frameMember(const std::string& stem, std::string_view label, std::string_view pic,
                     bool tabBar, bool* flag = nullptr) {
        const auto labels = copies(label);
        const auto pics = copies(pic);
        if (I(stem + "_Enable") == 1) {
            if (flag)
                *flag = true;
            for (int i = 0; i < 5; ++i) {
                show(labels[i]);
                show(pics[i]);
            }
            const int x = I(stem + "_X");
            const int y = I(stem + "_Y");
            placeFrame(labels, pics, x, y, tabBar);
        } else {
            if (flag)
                *flag = false;
            for (int i = 0; i < 5; ++i) {
                hide(labels[i]);
                hide(pics[i]);
            }
        }
    }
    void placeFrame(const std::vector<std::string>& labels, const std::vector<std::string>& pics,
                    int x, int y, bool tabBar) {
        const int f = tabBar ? plan_.values.BtnSpaceF : 0;
        const int b = tabBar ? plan_.values.BtnSpaceB : 0;
        for (int i = 0; i < 5; ++i) {
            move(pics[i], x, y);
            move(labels[i], x + f, y);
            sizeFrom(labels[i], pics[i], -(f + b), 0);
        }
    }

    void pictures() {
        const std::string set = "L" + std::to_string(in_.LangIndex);
        for (int i = 1; i <= 6; ++i)
            picture(num("Img_Base_", i), set + "_BackGround");
        const int page = in_.PageRadio;
        if (page >= 1 && page <= 3)
            picture("Img_P1", set + "_Back1");
        else if (page == 4)
            picture("Img_P2", set + "_Back2");
        else if (page == 5)
            picture("Img_P3", set + "_Back3");
        else if (page == 6)
            picture("Img_P4", set + "_Back4");
        picture("Img_P6", set + "_Back5");
    }

    void titleBar() {
        const int size = I("Size_A");
        for (const char* p : kConfirmLabels)
            each(copies(p), [&](const std::string& c) { fontSize(c, size); });
        const Rgb c = colour("Color_A");
        for (const char* p : kConfirmLabels)
            each(copies(p), [&](const std::string& n) { fontColour(n, c); });
        frameMember("Btn_A2", "Btn_Confirm1_", "Img_Confirm1_", false);
        frameMember("Btn_A3", "Btn_Confirm2_", "Img_Confirm2_", false);
        frameMember("Btn_A5", "Btn_Confirm3_", "Img_Confirm3_", false);
        frameMember("Btn_A6", "Btn_Mini_", "Img_Mini_", false);
        frameMember("Btn_A4", "Btn_Exit_", "Img_Exit_", false);
    }

    void tabBar() {
        const int size = I("Size_B");
        for (const char* p : kTabLabels)
            each(copies(p), [&](const std::string& c) { fontSize(c, size); });
        const Rgb c = colour("Color_B");
        for (const char* p : kTabLabels)
            each(copies(p), [&](const std::string& n) { fontColour(n, c); });
        LayoutValues& v = plan_.values;
        v.BtnSpaceF = I("Btn_Space_F");
        v.BtnSpaceB = I("Btn_Space_B");
        frameMember("Btn_B1", "Btn_Main_", "Img_Main_", true);
        frameMember("Btn_B2", "Btn_Switch_", "Img_Switch_", true, &v.SwitchTabEnabled);
        frameMember("Btn_B3", "Btn_Fixed_", "Img_Fixed_", true, &v.FixedTabEnabled);
        frameMember("Btn_B4", "Btn_Adv_", "Img_Adv_", true);
        frameMember("Btn_B5", "Btn_Breath_", "Img_Breath_", true);
        frameMember("Btn_B11", "Btn_Macro_", "Img_Macro_", true);
        frameMember("Btn_B12", "Btn_Update_", "Img_Update_", true);
        // The engineering tab has a fixed place; its visibility belongs to the hidden access.
        placeFrame(copies("Btn_Engineer_"), copies("Img_Engineer_"), 10, 10, true);
        frameMember("Btn_B6", "Btn_Save_", "Img_Save_", true);
        frameMember("Btn_B7", "Btn_Load_", "Img_Load_", true);
        frameMember("Btn_B8", "Btn_Lang1_", "Img_Lang1_", true);
        frameMember("Btn_B9", "Btn_Lang2_", "Img_Lang2_", true);
        frameMember("Btn_B10", "Btn_Lang3_", "Img_Lang3_", true);
    }

    void keyPage() {
        const auto keys = series("Key", 1, 12);
        const auto combos = series("IB_ComboKey", 1, 8);
        const int size = I("Size_C");
        each(keys, [&](const std::string& c) { fontSize(c, size); });
        each(combos, [&](const std::string& c) { fontSize(c, size - 1); });
        const Rgb c = colour("Color_C");
        each(keys, [&](const std::string& n) { fontColour(n, c); });
        each(combos, [&](const std::string& n) { fontColour(n, c); });
        moveKeys("Img_P1", "P1_X", "P1_Y");
        for (int n = 1; n <= 12; ++n) {
            const std::string label = num("Key", kKeySlot[n - 1]);
            const std::string pic = "Img_" + label;
            if (I(num("Key", n, "_Enable")) == 1) {
                show(label);
                show(pic);
                const int x = I(num("Key", n, "_X"));
                const int y = I(num("Key", n, "_Y"));
                const int w = I("Key_Width");
                width(label, w);
                width(pic, w);
                move(pic, x, y);
                move(label, x, y);
                sizeFrom(label, pic, 0, 0, false, true);
            } else {
                hide(label);
                hide(pic);
            }
        }
        for (int n = 1; n <= 8; ++n) {
            const std::string label = num("IB_ComboKey", n);
            const std::string pic = num("Img_ComboKey", n);
            const bool on = I(num("ComboKey", n, "_Enable")) == 1;
            if (n == 8)
                plan_.values.ComboKey8Enabled = on;
            if (!on) {
                hide(label);
                hide(pic);
                continue;
            }
            if (n < 8) {
                show(label);
                show(pic);
            }
            const int x = I(num("ComboKey", n, "_X"));
            const int y = I(num("ComboKey", n, "_Y"));
            move(pic, x, y);
            move(label, x, y);
            // The eighth option (gun key) shows only with the gun display on the second profile.
            if (n == 8 && in_.GDEnable && in_.PageRadio == 2) {
                show(pic);
                show(label);
            }
        }
    }

    void menus() {
        LayoutValues& v = plan_.values;
        const int size = I("Size_G");
        each(menuControls(), [&](const std::string& c) { fontSize(c, size); });
        v.ColorG = colour("Color_G");
        each(menuControls(), [&](const std::string& c) { fontColour(c, v.ColorG); });
        v.ColorGBack = colour("Color_G_Back");
        each(kMenuPanels, [&](const std::string& c) { backColour(c, v.ColorGBack); });
        const Rgb border = colour("Color_G_Border");
        each(kMenuPanels, [&](const std::string& c) { borderColour(c, border); });
        v.ColorGSF = colour("Color_G_SF");
        v.ColorGSP = colour("Color_G_SP");

        const int m = I("M_L_W");
        width("Pnl_Main", m);
        for (const char* e : {"Key_Standard", "Key_Special", "Key_Media", "Key_WWW", "Key_MyPC",
                              "Key_Assembly", "Key_Macro", "Key_FireMacro", "Key_TLFireMacro"})
            width(e, m - 4);
        for (const char* a : {"ST_Standard", "ST_Special", "ST_Media", "ST_WWW", "ST_MyPC",
                              "ST_Macro", "ST_TLFireMacro"})
            left(a, m - 24);
        const int s = I("SP_L_W");
        width("Pnl_Special", s);
        for (const char* e : {"Key_CPIKey", "Key_Fire", "Key_ACPIKey", "Key_ProfileKey", "Key_AIM",
                              "Key_LEDMode", "Key_LEDSwitch", "Key_BtnEFT", "Key_ReportRate",
                              "Key_KeyOff", "Key_FireMacroKey", "Key_FireMacroOff", "Key_AdjustXY"})
            width(e, s - 4);
        for (const char* a : {"ST_CPIKey", "ST_Fire", "ST_ACPIKey", "ST_ProfileKey", "ST_AdjustXY"})
            left(a, s - 24);
        const int o = I("O_L_W");
        for (const char* p : {"Pnl_CPIKey", "Pnl_FireKey", "Pnl_ACPI", "Pnl_Profile", "Pnl_MseKey",
                              "Pnl_Media", "Pnl_MyPC", "Pnl_WWW", "Pnl_AdjustXY"})
            width(p, o);
        for (const char* e : {"Key_CPI",
                              "Key_CPII",
                              "Key_CPID",
                              "Key_Fire1",
                              "Key_Fire2",
                              "Key_Fire3",
                              "Key_PowerDown",
                              "Key_Sleep",
                              "Key_WakeUp",
                              "Key_Profile1",
                              "Key_Profile2",
                              "Key_Profile3",
                              "Key_Profile",
                              "Key_Left",
                              "Key_Right",
                              "Key_Middle",
                              "Key_B4",
                              "Key_B5",
                              "Key_PlayPause",
                              "Key_Stop",
                              "Key_PreviousTrack",
                              "Key_NextTrack",
                              "Key_VolumePlus",
                              "Key_VolumeMinus",
                              "Key_Mute",
                              "Key_Computer",
                              "Key_Calculator",
                              "Key_EMail",
                              "Key_Desktop",
                              "Key_WWWHome",
                              "Key_WWWSearch",
                              "Key_WWWBack",
                              "Key_WWWForward",
                              "Key_WWWStop",
                              "Key_WWWRefresh",
                              "Key_WWWFavorites",
                              "Key_AdjustXYFn",
                              "Key_AdjustXYSwitch"})
            width(e, o - 4);
    }

    // Step bars of a CPI level (or the AIM level) by the orientation.
    void levelBars(const std::string& stem, const std::vector<std::string>& bars) {
        const int x = I(stem + "_X");
        const int y = I(stem + "_Y");
        const int d = I(stem + "_D");
        if (plan_.values.DPIOrientation == 0)
            scale(bars, x, y, d, false);
        else if (plan_.values.DPIOrientation == 1)
            scale(bars, x, y, d, true);
    }

    void pointerScale(const std::string& stem) {
        const int x = I(stem + "_X");
        const int y = I(stem + "_Y");
        const int d = I(stem + "_D");
        const auto pics = series("Img_" + stem, 1, 11);
        scale(pics, x, y, d, true);
        for (int i = 1; i <= 11; ++i) {
            const std::string label = num("lbl_" + stem, i);
            leftFrom(label, pics[i - 1], 4);
            top(label, y + 24);
        }
    }

    void sensitivity() {
        LayoutValues& v = plan_.values;
        std::vector<std::string> sized;
        for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
            append(sized, series(s, 1, 10));
        append(sized, series("lbl_DPI", 1, 8));
        append(sized, series("lbl_DPI", 1, 8, "Value"));
        sized.push_back("lbl_AIMDPI");
        sized.push_back("lbl_AIMDPIValue");
        const int size = I("Size_D");
        each(sized, [&](const std::string& c) { fontSize(c, size); });
        v.ColorDSelected = colour("Color_D_Selected");
        fontColour("lbl_AIMDPI", v.ColorDSelected);
        v.ColorDNotSelected = colour("Color_D_notSelected");
        std::vector<std::string> plain;
        for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
            append(plain, series(s, 1, 10));
        append(plain, series("lbl_DPI", 1, 8, "Value"));
        plain.push_back("lbl_AIMDPIValue");
        const std::vector<std::string> edits = {"Edt_Repeat1", "Edt_DelayTime1",
                                                "Edt_Repeat2", "Edt_DelayTime2",
                                                "Edt_Repeat3", "Edt_DelayTime3"};
        append(plain, edits);
        each(plain, [&](const std::string& c) { fontColour(c, v.ColorDNotSelected); });
        const Rgb back = colour("Color_D_Back");
        each(edits, [&](const std::string& c) { backColour(c, back); });
        const Rgb border = colour("Color_D_Border");
        each(edits, [&](const std::string& c) { borderColour(c, border); });
        moveKeys("Img_P2", "P2_X", "P2_Y");
        for (int n = 1; n <= 3; ++n) {
            const std::string fk = num("FK", n);
            moveKeys(num("Edt_Repeat", n), fk + "Cnt_X", fk + "Cnt_Y");
            moveKeys(num("Edt_DelayTime", n), fk + "Delay_X", fk + "Delay_Y");
            const int x = I(fk + "Continue_X");
            const int y = I(fk + "Continue_Y");
            const std::string pic = num("Img_Fire", n, "Continue");
            const std::string label = num("lbl_Fire", n, "Continue");
            move(pic, x, y);
            move(label, x - 2, y);
            sizeFrom(label, pic, 4, 4);
        }
        for (int n = 1; n <= 4; ++n) {
            const int x = I(num("Rep", n, "_X"));
            const int y = I(num("Rep", n, "_Y"));
            move(num("Img_Rep", n), x, y);
            move(num("lbl_Rep", n), x - 4, y - 2);
        }
        pointerScale("Spd");
        {
            const int x = I("IsControl_X");
            const int y = I("IsControl_Y");
            move("Img_IsControl", x, y);
            move("lbl_IsControl", x - 8, y);
        }
        pointerScale("DbSpd");
        pointerScale("ScrSpd");
        {
            const int x = I("IsScreen_X");
            const int y = I("IsScreen_Y");
            move("Img_IsScreen", x, y);
            move("lbl_IsScreen", x - 2, y);
        }
        v.DPIOrientation = I("DPI_Orientation");
        for (int n = 1; n <= 8; ++n) {
            const std::string dpi = num("DPI", n);
            const int x = I(dpi + "_Color_X");
            const int y = I(dpi + "_Color_Y");
            const std::string pic = "Img_" + dpi + "Col";
            move(pic, x, y);
            for (const std::string& c : {"cs_" + dpi + "Col", "lbl_" + dpi + "Col"}) {
                move(c, x, y);
                sizeFrom(c, pic);
            }
            moveKeys("Img_" + dpi, dpi + "_Check_X", dpi + "_Check_Y");
            moveKeys("lbl_" + dpi, dpi + "_X", dpi + "_Y");
            moveKeys("lbl_" + dpi + "Value", dpi + "_Value_X", dpi + "_Value_Y");
            levelBars(dpi + "_Steps", series("Img_" + dpi + "_", 1, 12));
        }
        moveKeys("lbl_AIMDPI", "AIMDPI_X", "AIMDPI_Y");
        moveKeys("lbl_AIMDPIValue", "AIMDPI_Value_X", "AIMDPI_Value_Y");
        levelBars("AIMDPI_Steps", series("Img_AIMDPI_", 1, 12));
    }

    void lighting() {
        std::vector<std::string> labels = series("lbl_Fall", 1, 10);
        append(labels, series("lbl_MCULEDStep_", 1, 8));
        const int size = I("Size_E");
        each(labels, [&](const std::string& c) { fontSize(c, size); });
        const Rgb c = colour("Color_E");
        each(labels, [&](const std::string& n) { fontColour(n, c); });
        moveKeys("Img_P3", "P3_X", "P3_Y");
        const int x = I("StepTime_X");
        const int y = I("StepTime_Y");
        const int d = I("StepTime_D");
        const auto pics = series("Img_MCULEDStep_", 1, 8);
        scale(pics, x, y, d, true);
        for (int i = 1; i <= 8; ++i) {
            const std::string label = num("lbl_MCULEDStep_", i);
            if (in_.NumOrder == 0)
                leftFrom(label, pics[i - 1], 4);
            else if (in_.NumOrder == 1)
                hide(label);
            top(label, y + 24);
        }
        for (int n = 1; n <= 7; ++n)
            moveKeys(num("Img_LED", n), num("LEDMode", n, "_X"), num("LEDMode", n, "_Y"));
        for (int k : {3, 6}) {
            const int cx = I(num("LED", k, "Control_X"));
            const int cy = I(num("LED", k, "Control_Y"));
            move(num("Img_MCULED", k, "Control"), cx, cy);
            move(num("lbl_MCULED", k, "Control"), cx - 4, cy - 2);
        }
    }

    // Three radio rows spaced by h; the label 2 pixels left of its radio picture.
    void radioRows(const std::string& stem, std::initializer_list<const char*> rows) {
        const int x = I(stem + "_X");
        const int y = I(stem + "_Y");
        const int h = I(stem + "_H");
        int r = 0;
        for (const char* row : rows) {
            move(cat("LED_", row), x, y + r * h);
            move(cat("IB_", row), x - 2, y + r * h);
            ++r;
        }
    }

    void macroPage() {
        LayoutValues& v = plan_.values;
        const int size = I("Size_F");
        each(kMacroSized, [&](const std::string& c) { fontSize(c, size); });
        v.ColorF = colour("Color_F");
        for (const char* c : {"Btn_New", "Btn_Start", "CB_Insert", "IB_InsertRecDelay",
                              "IB_InsertDelayTime", "IB_InsertNoDelay", "lbl_Delay", "lbl_s_A",
                              "Btn_InsertStart", "Btn_OK", "Btn_Cancel"})
            fontColour(c, v.ColorF);
        v.ColorFLBack = colour("Color_F_LBack");
        for (const char* c : {"LB_PCMacroName", "LB_MacroName", "LB_macro", "CB_Insert",
                              "LB_FireMacroName", "LB_FireMacro", "CB_InsertFire"})
            backColour(c, v.ColorFLBack);
        v.ColorMacro = colour("Color_MACRO");
        const Rgb border = colour("Color_F_LBorder");
        for (const char* c :
             {"Edt_Delay", "Edt_InsertDelay", "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"})
            borderColour(c, border);
        v.ColorFFont = colour("Color_F_Font");
        for (const char* c :
             {"LB_PCMacroName", "Btn_NewMacro",    "Btn_ImportOne",    "Btn_Export",
              "Btn_Import",     "Btn_ExportOne",   "Btn_NewName",      "Btn_DelPCMacro",
              "Btn_AddMacro",   "Btn_DelMacro",    "Btn_DevExport",    "Btn_Del",
              "Btn_Insert",     "Btn_Edit",        "LB_MacroName",     "LB_macro",
              "Edt_Delay",      "Edt_InsertDelay", "LB_FireMacroName", "LB_FireMacro"})
            fontColour(c, v.ColorFFont);
        v.ColorFBack = colour("Color_F_Back");
        for (const char* c :
             {"Btn_NewMacro", "Btn_ImportOne", "Btn_Export", "Btn_Import", "Btn_ExportOne",
              "Btn_NewName", "Btn_DelPCMacro", "Btn_AddMacro", "Btn_DelMacro", "Btn_DevExport",
              "Btn_Del", "Btn_Insert", "Btn_Edit", "Edt_Delay", "Edt_InsertDelay", "edt_Repeat",
              "edt_XAxisValue", "edt_YAxisValue"})
            backColour(c, v.ColorFBack);
        moveKeys("Img_P4", "P4_X", "P4_Y");
        for (const auto& [stem, list] :
             {std::pair{"PCMacroName", "LB_PCMacroName"}, std::pair{"MseMacroName", "LB_MacroName"},
              std::pair{"MacroContent", "LB_macro"}}) {
            const std::string s(stem);
            left(list, I(s + "_X"));
            top(list, I(s + "_Y"));
            height(list, I(s + "_H"));
            width(list, I(s + "_W"));
        }
        v.MacroNameHeight = I("MacroNameHeight");
        pictureButton("Img_New", "Btn_New", "BtnNew");
        pictureButton("Img_Start", "Btn_Start", "BtnStart");
        moveKeys("Gb_Delay", "DelayTime_X", "DelayTime_Y");
        radioRows("RecDelay", {"RecDelay", "DelayTime", "NoDelay"});
        moveKeys("Edt_Delay", "DelayEdit_X", "DelayEdit_Y");
        {
            const int x = I("Insert_X");
            const int y = I("Insert_Y");
            move("Gb_Insert", x, y);
            move("Img_InsertBase", x + 10, y + 10);
        }
        moveKeys("CB_Insert", "InsertList_X", "InsertList_Y");
        radioRows("InsertRecDelay", {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"});
        {
            const int x = I("InsertDelayEdit_X");
            const int y = I("InsertDelayEdit_Y");
            move("Edt_InsertDelay", x, y);
            move("lbl_Delay", x - 74, y + 2);
            move("lbl_s_A", x + 44, y + 2);
        }
        {
            const int x = I("InsertAxisEdit_X");
            const int y = I("InsertAxisEdit_Y");
            move("edt_XAxisValue", x - 80, y);
            move("lbl_XAxisValue", x - 120, y + 2);
            move("edt_YAxisValue", x, y);
            move("lbl_YAxisValue", x - 32, y + 2);
            move("edt_Repeat", x, y);
            move("lbl_Repeat", x - 64, y + 2);
        }
        pictureButton("Img_InsertStart", "Btn_InsertStart", "InsertBtnStart");
        pictureButton("Img_OK", "Btn_OK", "InsertBtnOK");
        pictureButton("Img_Cancel", "Btn_Cancel", "InsertBtnCancel");
    }

    void updatePage() {
        const std::vector<std::string> labels = {"lbl_LoadBIN", "Btn_LoadBIN", "Btn_Program"};
        const int size = I("Size_I");
        each(labels, [&](const std::string& c) { fontSize(c, size); });
        const Rgb c = colour("Color_I");
        each(labels, [&](const std::string& n) { fontColour(n, c); });
        moveKeys("Img_P5", "P5_X", "P5_Y");
        moveKeys("lbl_BINPath", "lbl_BINPath_X", "lbl_BINPath_Y");
        moveKeys("lbl_LoadBIN", "lbl_LoadBin_X", "lbl_LoadBin_Y");
        pictureButton("Img_LoadBIN", "Btn_LoadBIN", "Btn_LoadBin");
        pictureButton("Img_Program", "Btn_Program", "Btn_Program");
    }

    void firePage() {
        std::vector<std::string> sized = fireEdits();
        append(sized, kFireSizedRest);
        const int size = I("Size_J");
        each(sized, [&](const std::string& c) { fontSize(c, size); });
        const Rgb j = colour("Color_J");
        for (const char* c :
             {"Btn_FireConfirm", "Btn_FireExit", "Btn_FireStart", "Edt_FireDelay", "CB_InsertFire",
              "lbl_FireDelay", "lbl_FireXAxisValue", "lbl_FireYAxisValue", "lbl_FireRepeat",
              "Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert"})
            fontColour(c, j);
        const Rgb font = colour("Color_J_Font");
        each(fireEdits(), [&](const std::string& c) { fontColour(c, font); });
        const Rgb back = colour("Color_J_Back");
        each(fireEdits(), [&](const std::string& c) { backColour(c, back); });
        for (const char* c :
             {"Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert", "Edt_FireDelay",
              "Edt_InsertFireDelay", "edt_FireRepeat", "edt_FireXAxisValue", "edt_FireYAxisValue"})
            backColour(c, back);
        const Rgb border = colour("Color_J_Border");
        each(fireEdits(), [&](const std::string& c) { borderColour(c, border); });
        for (const char* c : {"Edt_FireDelay", "Edt_InsertFireDelay", "edt_FireRepeat",
                              "edt_FireXAxisValue", "edt_FireYAxisValue"})
            borderColour(c, border);
        moveKeys("Img_P6", "P6_X", "P6_Y");
        for (int n = 1; n <= 7; ++n)
            pictureButton(num("Img_Fire", n), num("Btn_Fire", n), num("Fire", n));
        for (int n = 1; n <= 5; ++n)
            moveKeys(num("Img_GunMode", n), num("GunMode", n, "_X"), num("GunMode", n, "_Y"));
        {
            const int x = I("IsHasLK_X");
            const int y = I("IsHasLK_Y");
            move("Img_FireSelLeft", x, y);
            move("lbl_FireSelLeft", x - 2, y);
            sizeFrom("lbl_FireSelLeft", "Img_FireSelLeft", 4, 4);
        }
        for (const auto& [key, edit] :
             {std::pair{"FireCnt", "Edt_FireCnt"}, std::pair{"FireX", "Edt_FireX"},
              std::pair{"FireX_Offset", "Edt_FireX_Offset"}, std::pair{"FireY", "Edt_FireY"},
              std::pair{"FireY_Offset", "Edt_FireY_Offset"},
              std::pair{"FireTime", "Edt_FireTime"}}) {
            const std::string k(key), e(edit);
            const auto kc = k.find('_'), ec = e.find("_Offset");
            for (int n = 1; n <= 3; ++n) {
                // "FireX1_Offset" and "Edt_FireX1Offset": the number goes before the suffix.
                const std::string stem =
                    kc == std::string::npos ? num(k, n) : num(k.substr(0, kc), n, k.substr(kc));
                const std::string name =
                    ec == std::string::npos ? num(e, n) : num(e.substr(0, ec), n, "Offset");
                moveKeys(name, stem + "_X", stem + "_Y");
            }
        }
        for (int n = 1; n <= 3; ++n) {
            const int x = I(num("FireColor", n, "_X"));
            const int y = I(num("FireColor", n, "_Y"));
            const std::string pic = num("Img_FireColor", n);
            move(pic, x, y);
            for (const std::string& c : {num("cs_FireColor", n), num("IB_FireColor", n)}) {
                move(c, x, y);
                sizeFrom(c, pic);
            }
        }
        pictureButton("Img_FireConfirm", "Btn_FireConfirm", "FireConfirm");
        pictureButton("Img_FireExit", "Btn_FireExit", "FireCancel");
    }

    // The text-label rule; withColour false for labels that share a colour read elsewhere,
    // heightFromFont false for the two labels whose width key leaves their height alone.
    void textLabel(const std::string& stem, const std::string& label, const Rgb* shared = nullptr,
                   bool heightFromFont = true, const std::string& sizeKey = {}) {
        moveKeys(label, stem + "_X", stem + "_Y");
        if (shared)
            fontColour(label, *shared);
        else
            fontColour(label, colour(stem));
        fontSize(label, I(sizeKey.empty() ? stem + "_Size" : sizeKey));
        width(label, I(stem + "_Width"));
        if (heightFromFont)
            op(SkinOpKind::HeightFromFont, label);
    }

    void textLabels() {
        static constexpr LabelMember kFirst[] = {
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
            {"LED_Effect_Setting_Lable", "lbl_LED_Effect_Setting"},
            {"LED_Effect_Slow_Lable", "lbl_LED_Effect_Slow"},
            {"LED_Effect_Fast_Lable", "lbl_LED_Effect_Fast"},
            {"LED_Mode_Lable", "lbl_LED_Mode"},
            {"LED_Color_Lable", "lbl_LED_Color"},
        };
        for (const LabelMember& m : kFirst)
            textLabel(m.stem, m.label);
        const Rgb option = colour("LED_Mode_Option_Lable");
        for (int n = 1; n <= 7; ++n)
            textLabel(num("LED_Mode_", n, "_Lable"), num("lbl_LED", n), &option, true,
                      "LED_Mode_Option_Lable_Size");
        textLabel("LED_Mode_Light_All_Lable", "lbl_MCULED3Control", &option, false);
        textLabel("LED_Mode_Light_Half_Lable", "lbl_MCULED6Control", &option, true);
        static constexpr LabelMember kRest[] = {
            {"Marco_List_Lable", "lbl_Marco_List"},
            {"Marco_Mouse_List_Lable", "lbl_Mouse_Marco_List"},
            {"Marco_Content_Lable", "lbl_Marco_Content"},
            {"Marco_Record_Delay_Lable", "lbl_Record_Delay"},
            {"Marco_Delay_Setting_Lable", "lbl_Delay_Setting"},
            {"Marco_No_Delay_Lable", "lbl_No_Delay"},
            {"Marco_MS_Lable", "lbl_MS"},
            {"Gun_Marco_Fire_Count_Lable", "lbl_Fire_Marco_Count"},
            {"Gun_Marco_Fire_Y_Lable", "lbl_Fire_Marco_Y"},
            {"Gun_Marco_Y_Offset_Lable", "lbl_Fire_Marco_Y_Offset"},
            {"Gun_Marco_Fire_X_Lable", "lbl_Fire_Marco_X"},
            {"Gun_Marco_X_Offset_Lable", "lbl_Fire_Marco_X_Offset"},
            {"Gun_Marco_Fire_Delay_Lable", "lbl_Fire_Marco_Delay"},
            {"Gun_Marco_Keep_Left_Lable", "lbl_Fire_Keep_Left"},
            {"Gun_Marco_Color_Lable", "lbl_Fire_Marco_Color"},
        };
        for (const LabelMember& m : kRest)
            textLabel(m.stem, m.label, nullptr, std::string_view(m.label) != "lbl_Fire_Marco_X");

        const int w = I("Edit_PCMarco_Width");
        width("Pnl_PCMacro", w);
        for (const char* b : {"Btn_AddMacro", "Btn_DelPCMacro", "Btn_Export", "Btn_ExportOne",
                              "Btn_ImportOne", "Btn_NewMacro", "Btn_NewName", "Btn_Import"})
            width(b, w - 2);
        width("Pnl_DevMacro", w);
        for (const char* b : {"Btn_DelMacro", "Btn_DevExport"})
            width(b, w - 2);
        const int cw = I("Combox_Width");
        each(series("IB_ComboKey", 1, 8), [&](const std::string& c) { width(c, cw); });
    }

    std::string text(std::string_view key) const { return cap_.Text(key); }

    void bind(std::span<const CaptionBinding> bindings, bool fiveCopies = false) {
        for (const CaptionBinding& b : bindings) {
            const std::string t =
                std::string(static_cast<std::size_t>(b.leadingBlanks), ' ') + text(b.key);
            if (fiveCopies)
                each(copies(b.control), [&](const std::string& c) { caption(c, t); });
            else
                caption(std::string(b.control), t);
        }
    }

    void captions() {
        LayoutValues& v = plan_.values;
        v.FontName = text(kCaptionFontNameKey);
        std::vector<std::string> fonts;
        for (const char* p : kTabLabels)
            append(fonts, copies(p));
        for (const char* p : kConfirmLabels)
            append(fonts, copies(p));
        append(fonts, series("Key", 1, 12));
        append(fonts, series("IB_ComboKey", 1, 8));
        append(fonts, menuControls());
        append(fonts, series("Edt_Repeat", 1, 3));
        append(fonts, series("Edt_DelayTime", 1, 3));
        for (const char* s : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"})
            append(fonts, series(s, 1, 10));
        for (int n = 1; n <= 8; ++n) {
            fonts.push_back(num("lbl_DPI", n));
            fonts.push_back(num("lbl_DPI", n, "Value"));
        }
        fonts.push_back("lbl_AIMDPI");
        fonts.push_back("lbl_AIMDPIValue");
        append(fonts, series("lbl_Fall", 1, 10));
        append(fonts, kMacroSized);
        for (const char* c : {"LB_macro", "edt_XAxisValue", "lbl_XAxisValue", "edt_YAxisValue",
                              "lbl_YAxisValue", "edt_Repeat", "lbl_Repeat"})
            fonts.push_back(c);
        for (const char* c : {"lbl_BINPath", "lbl_LoadBIN", "Btn_LoadBIN", "Btn_Program"})
            fonts.push_back(c);
        append(fonts, fireEdits());
        append(fonts, kFireSizedRest);
        for (const char* c :
             {"lbl_Fires_A", "Btn_FireOK", "Btn_FireCancel", "IB_FireRecDelay", "IB_FireDelayTime",
              "IB_FireNoDelay", "LB_FireMacroName", "LB_FireMacro"})
            fonts.push_back(c);
        each(fonts, [&](const std::string& c) { fontName(c); });

        v.AppTitle = text(kCaptionTitleKey);
        bind(FrameCaptionKeys(), true);
        each(copies("Btn_Engineer_"),
             [&](const std::string& c) { caption(c, std::string(kEngineerCaption)); });

        v.NoDeviceText = text(kNoDeviceTextKey);
        v.MenuMarker = text(kMenuMarkerKey);
        for (std::string_view key : KeptTextKeys())
            v.LangTexts[std::string(key)] = text(key);

        each(series("Key", 1, 12), [&](const std::string& c) { op(SkinOpKind::KeyCaption, c); });
        bind(ComboOptionCaptionKeys());
        for (const CaptionBinding& b : MenuEntryCaptionKeys())
            caption(std::string(b.control), " " + v.MenuMarker + " " + text(b.key));
        bind(MacroPageCaptionKeys());
        items("CB_Insert", MacroInsertItemKeys());
        bind(UpdatePageCaptionKeys());
        bind(FirePageCaptionKeys());
        items("CB_InsertFire", FireInsertItemKeys());
        for (const CaptionBinding& b : PageLabelCaptionKeys()) {
            const std::string c(b.control);
            fontName(c);
            caption(c, text(b.key));
            op(SkinOpKind::AlignLeft, c);
        }
    }

    void items(const std::string& control, std::span<const std::string_view> keys) {
        SkinOp& o = op(SkinOpKind::Items, control);
        for (std::string_view k : keys)
            o.items.push_back(text(k));
    }
};

} // namespace

std::string LayoutValues::LangText(std::string_view key) const {
    const auto it = LangTexts.find(key);
    return it == LangTexts.end() ? std::string() : it->second;
}

ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutSection& layout, const CaptionSection& captions,
                                        const LayoutInputs& inputs) {
    return Builder(layout, captions, inputs).Build();
}

ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutInputs& inputs) {
    const std::string n = std::to_string(inputs.LangIndex);
    ParseResult<LayoutSection> layout = ReadLayoutSection("org" + n);
    if (!layout)
        return ParseResult<LayoutPlan>::Fail(layout.error, layout.where);
    ParseResult<CaptionSection> captions = ReadCaptionSection("lang" + n);
    if (!captions)
        return ParseResult<LayoutPlan>::Fail(captions.error, captions.where);
    return BuildLayoutPlan(*layout, *captions, inputs);
}

std::vector<SkinOp> SkinImageOps(int pageRadio) {
    std::vector<SkinOp> ops;
    auto put = [&ops](const std::string& control, std::string_view image) {
        SkinOp o;
        o.kind = SkinOpKind::Picture;
        o.control = control;
        o.text = image;
        ops.push_back(std::move(o));
    };
    auto five = [&](std::string_view prefix, std::string_view image) {
        for (const std::string& c : copies(prefix))
            put(c, image);
    };
    for (int i = 1; i <= 6; ++i)
        put(num("Img_Base_", i), "L1_BackGround");
    if (pageRadio >= 1 && pageRadio <= 3)
        put("Img_P1", "L1_Back1");
    put("Img_P2", "L1_Back2");
    put("Img_P3", "L1_Back3");
    put("Img_P4", "L1_Back4");
    for (const char* p : {"Img_Confirm1_", "Img_Confirm2_", "Img_Confirm3_"})
        five(p, "BtnS_01");
    five("Img_Exit_", "ExitS_01");
    five("Img_Mini_", "MiniS_01");
    five("Img_Main_", "SetS_03");
    five("Img_Lang1_", "SetS_03");
    for (const char* p :
         {"Img_Switch_", "Img_Fixed_", "Img_Adv_", "Img_Breath_", "Img_Macro_", "Img_Update_",
          "Img_Engineer_", "Img_Save_", "Img_Load_", "Img_Lang2_", "Img_Lang3_"})
        five(p, "SetS_01");
    for (int n = 1; n <= 12; ++n)
        put(num("Img_Key", n), "KeyS_01");
    put("Img_LoadBIN", "KeyS_01");
    put("Img_Program", "KeyS_01");
    five("Img_Web_", "WebS_01");
    for (int n = 1; n <= 8; ++n)
        put(num("Img_ComboKey", n), "CbS_D");
    for (int n = 1; n <= 3; ++n)
        put(num("Img_Fire", n, "Continue"), "CbS_D");
    for (const char* c : {"Img_Spd1", "Img_DbSpd1", "Img_ScrSpd1"})
        put(c, "Bar1_E");
    for (int n = 1; n <= 8; ++n)
        put(num("Img_DPI", n, "_1"), "Bar2_E");
    put("Img_AIMDPI_1", "Bar2_E");
    for (int n = 1; n <= 8; ++n)
        put(num("Img_DPI", n, "Col"), "Col_F");
    for (int n = 1; n <= 10; ++n)
        put(num("Img_Col", n), "Col_F");
    put("Img_Fall1", "Bar1_E");
    put("Img_MCULEDStep_1", "Bar1_E");
    put("Img_MCULED6Control", "RdS_D");
    put("Img_MCULED3Control", "RdS_E");
    put("LED_DelayTime", "RdS_D");
    put("LED_NoDelay", "RdS_D");
    put("LED_RecDelay", "RdS_E");
    for (const char* c : {"Img_New", "Img_Start", "Img_InsertStart"})
        put(c, "MacroS_01");
    for (const char* c : {"Img_OK", "Img_Cancel"})
        put(c, "MacroBtnS_01");
    put("Img_P5", "Update");
    put("Img_P6", "L1_Back5");
    put("Img_Fire1", "Gun1_02");
    for (int n = 2; n <= 7; ++n)
        put(num("Img_Fire", n), num("Gun", n, "_01"));
    for (int n = 1; n <= 5; ++n)
        put(num("Img_GunMode", n), num("GunMode", n));
    put("Img_FireSelLeft", "CbS_E");
    for (const char* c : {"Img_FireConfirm", "Img_FireExit"})
        put(c, "BtnS_01");
    put("Img_FireStart", "MacroS_01");
    for (const char* c : {"Img_FireOK", "Img_FireCancel"})
        put(c, "MacroBtnS_01");
    for (int n = 1; n <= 3; ++n)
        put(num("Img_FireColor", n), "Col_F");
    put("LED_FireDelayTime", "RdS_D");
    put("LED_FireNoDelay", "RdS_D");
    put("LED_FireRecDelay", "RdS_E");
    for (const char* c : {"Img_FireDelay", "Img_FireInsert"})
        put(c, "InsertDelayBase");
    return ops;
}

std::vector<std::string> PicturesOf(const std::vector<SkinOp>& ops) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const SkinOp& o : ops)
        if (o.kind == SkinOpKind::Picture && seen.insert(o.text).second)
            names.push_back(o.text);
    return names;
}

std::string CarryKeyCaption(std::string_view current, const CaptionSection& newSet,
                            std::span<const CaptionSection> allSets) {
    const std::string key = FindTextKey(current, allSets);
    if (key.empty())
        return std::string(current);
    return newSet.Text(key);
}

} // namespace trvx
