// The engineering page as the window's table builds it: every control the page's functions use
// sits on its sheet with its kind, inside its group, and no two shown controls of a group
// overlap (the page is a plain form: a control that overlaps another cannot be read or used).
#include "shell/MainWindowTables.h"
#include "skin/ControlTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

// The tab sheet a control lies on, "" when none.
std::string SheetOf(const ControlSpec& spec) {
    const ControlSpec* s = &spec;
    while (s != nullptr && s->kind != ControlKind::TabSheet)
        s = FindControlSpec(s->parent);
    return s != nullptr ? s->name : std::string();
}

struct Placed {
    std::vector<std::string> names;
    ControlKind kind;
    const char* sheet;
};

std::vector<std::string> Series(const char* stem, int first, int last, const char* tail = "") {
    return NumberedSeries(stem, first, last, tail);
}

TEST(EngineerSheetsTest, ControlsSitOnTheirSheetsWithTheirKinds) {
    using K = ControlKind;
    std::vector<std::string> keys, keyLabels, combos;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k) {
            const std::string key = std::to_string(p) + (k < 10 ? "0" : "") + std::to_string(k);
            keys.push_back("btn_Key" + key);
            if (k >= 10)
                keyLabels.push_back("lbl_Key" + key);
        }
    for (int n = 1; n <= 9; ++n)
        combos.push_back(Numbered("btn_ComboKey00", n));
    const std::vector<Placed> table = {
        {{"cb_ICType",          "cb_SensorEnhance",   "cb_Package",      "cb_KbdType",
          "cb_CPIIndication",   "cb_CPISet",          "cb_CPILevel",     "cb_SensorRotation",
          "cb_CPIPrescaleSel",  "cb_FireKeyFreq",     "cb_FireKeyCount", "cb_LEDCtrl0",
          "cb_LEDCtrl1",        "cb_LEDModeFuse",     "cb_ComboKeyTime", "cb_USBCDR",
          "cb_SensorSleep",     "cb_LEDPower",        "cb_EFTrelyNAK",   "cb_EFTrelug",
          "cb_KeepProfileInfo", "cb_ProfileLEDFlash", "cb_LEDMode",      "cb_LEDNum",
          "cb_MCULEDNum",       "cb_MCULEDCtrl"},
         K::ComboBox,
         "ts_Engineer"},
        {{"edt_Avg_lb_lq", "edt_LEDInit1", "edt_XDataAddr", "edt_XDataValue"},
         K::HexEdit,
         "ts_Engineer"},
        {{"btn_XDataRead", "btn_XDataWrite", "btn_ChangeXData"}, K::Button, "ts_Engineer"},
        {keys, K::Button, "ts_Engineer"},
        {keyLabels, K::Label, "ts_Engineer"},
        {{"gbLEDBreath", "skGroupBox1", "gbTest"}, K::GroupBox, "ts_Engineer"},
        {{"edt_VID", "edt_PID"}, K::HexEdit, "ts_Operator"},
        {{"edt_USBDesc", "edt_PatCodeCk"}, K::Edit, "ts_Operator"},
        {{"edt_VendorID", "edt_ProductID"}, K::IntEdit, "ts_Operator"},
        {Series("edt_Fire", 1, 3, "Time"), K::IntEdit, "ts_Operator"},
        {Series("cb_CPI", 1, 8), K::ComboBox, "ts_Operator"},
        {{"cb_CPISteps", "cb_CurrentCPI", "cb_BreMode", "cb_MCULEDStep", "cb_AIM", "cb_RepRate",
          "cb_Profile", "cb_ProfileColor", "cb_BtnEFT", "cb_Profile1Color", "cb_Profile2Color",
          "cb_Profile3Color", "cb_ChangeLEDModeFun", "cb_ChangeFireFun"},
         K::ComboBox,
         "ts_Operator"},
        {Series("cb_Fire", 1, 3, "Count"), K::ComboBox, "ts_Operator"},
        {Series("cb_Mode", 0, 6), K::CheckBox, "ts_Operator"},
        {{"gbLEDMode", "gbBreathModeEn", "gbCPI", "gbFireMode", "gbLEDColor", "gbCPIColor",
          "gbUSBDesc"},
         K::GroupBox,
         "ts_Operator"},
        {combos, K::Button, "ts_Gun"},
        {{"cb_RTZ", "cb_AXY", "cb_CC", "cb_SOSType", "cb_SOSStartIndex", "cb_SOSNumber"},
         K::ComboBox,
         "ts_Gun"},
        {{"edt_OffSet"}, K::HexEdit, "ts_Gun"},
        {{"LB_ScriptName"}, K::ListBox, "ts_Gun"},
        {{"gbComboEn", "gbSOS", "gbXYOffset"}, K::GroupBox, "ts_Gun"},
    };
    for (const Placed& row : table)
        for (const std::string& name : row.names) {
            const ControlSpec* spec = FindControlSpec(name);
            ASSERT_NE(spec, nullptr) << name;
            EXPECT_EQ(spec->kind, row.kind) << name;
            EXPECT_EQ(SheetOf(*spec), row.sheet) << name;
        }
    for (const char* name : {"Img_Logo4", "Img_Result", "Pg_Parameter", "Btn_Default",
                             "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "Btn_PatchCode"}) {
        const ControlSpec* spec = FindControlSpec(name);
        ASSERT_NE(spec, nullptr) << name;
        EXPECT_EQ(spec->parent, "gbPage7") << name;
    }
}

bool Overlap(const ControlSpec& a, const ControlSpec& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(EngineerSheetsTest, GroupsHoldTheirControlsWithoutOverlap) {
    const ControlSpec* pages = FindControlSpec("Pg_Parameter");
    ASSERT_NE(pages, nullptr);
    // Below the tab strip a sheet is the page control less a strip of at most 26 pixels.
    const int sheetHeight = pages->h - 26;
    std::vector<const ControlSpec*> groups;
    for (const ControlSpec& s : MainWindowControlSpecs())
        if (s.kind == ControlKind::GroupBox && !SheetOf(s).empty())
            groups.push_back(&s);
    ASSERT_FALSE(groups.empty());
    for (const ControlSpec* g : groups) {
        const ControlSpec* parent = FindControlSpec(g->parent);
        ASSERT_NE(parent, nullptr);
        if (parent->kind == ControlKind::TabSheet) {
            EXPECT_LE(g->x + g->w, pages->w) << g->name;
            EXPECT_LE(g->y + g->h, sheetHeight) << g->name;
        }
        std::vector<const ControlSpec*> shown;
        for (const ControlSpec& c : MainWindowControlSpecs()) {
            if (c.parent != g->name || c.w == 0 || c.h == 0)
                continue;
            EXPECT_LE(c.x + c.w, g->w) << c.name << " sticks out of " << g->name;
            EXPECT_LE(c.y + c.h, g->h) << c.name << " sticks out of " << g->name;
            if (!c.hidden)
                shown.push_back(&c);
        }
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(Overlap(*shown[i], *shown[j]))
                    << shown[i]->name << " overlaps " << shown[j]->name << " in " << g->name;
    }
}

} // namespace
} // namespace trvx
