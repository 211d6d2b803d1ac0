#include "shell/MainWindowTables.h"

#include "engineering/EngineerPageTables.h"
#include "engineering/UpdatePageTables.h"
#include "fire/FirePageTables.h"
#include "keys/KeyPageTables.h"
#include "macros/MacroPageTables.h"
#include "sensitivity/LightingPageTables.h"
#include "sensitivity/SensitivityPageTables.h"
#include "shell/WindowFrameTables.h"
#include "skin/ControlTable.h"
#include "skin/LayoutRules.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace trvx {
namespace {

std::vector<ControlSpec> buildControls() {
    ControlTable t;
    AddWindowPages(t);
    AddKeyPageControls(t);
    AddSensitivityPageControls(t);
    AddLightingPageControls(t);
    AddMacroPageControls(t);
    AddUpdatePageControls(t);
    AddFirePageControls(t);
    AddWindowFrames(t);
    AddEngineerPageControls(t);
    AddEngineerLightingControls(t);
    AddFireEngineerControls(t);
    return std::move(t.specs);
}

// The free-standing text labels of the pages, in caption order.
std::array<std::span<const CaptionBinding>, 4> PageLabelCaptionKeys() {
    return {SensitivityPageLabelCaptionKeys(), LightingPageLabelCaptionKeys(),
            MacroPageLabelCaptionKeys(), FirePageLabelCaptionKeys()};
}

// The layout families in their read order: frame (A, B), key page (C, G), D, E, F, I, J, then
// the pages' text labels and the two width keys.
void place(LayoutRules& r) {
    WindowFrameLayout(r);
    KeyPageLayout(r);
    KeyMenuLayout(r);
    SensitivityPageLayout(r);
    LightingPageLayout(r);
    MacroPageLayout(r);
    UpdatePageLayout(r);
    FirePageLayout(r);
    SensitivityPageLabels(r);
    LightingPageLabels(r);
    MacroPageLabels(r);
    FirePageLabels(r);
    MacroPageWidths(r);
    KeyPageWidths(r);
    EngineerKeyButtonsLayout(r);
}

void captions(LayoutRules& r) {
    r.values().FontName = r.text(kCaptionFontNameKey);
    std::vector<std::string> fonts;
    AddWindowFrameFonts(fonts);
    AddKeyPageFonts(fonts);
    AddSensitivityPageFonts(fonts);
    AddLightingPageFonts(fonts);
    AddMacroPageFonts(fonts);
    AddUpdatePageFonts(fonts);
    AddFirePageFonts(fonts);
    r.each(fonts, [&](const std::string& c) { r.fontName(c); });
    WindowFrameCaptions(r);
    KeyPageCaptions(r);
    MacroPageCaptions(r);
    UpdatePageCaptions(r);
    FirePageCaptions(r);
    for (auto labels : PageLabelCaptionKeys())
        r.pageLabels(labels);
}

void addKeys(std::vector<std::string_view>& out, std::span<const CaptionBinding> bindings) {
    for (const CaptionBinding& b : bindings)
        out.push_back(b.key);
}

void addKeys(std::vector<std::string_view>& out, std::span<const std::string_view> keys) {
    out.insert(out.end(), keys.begin(), keys.end());
}

} // namespace

const WindowTables& MainWindowTables() {
    static const WindowTables tables{&MainWindowControlSpecs, &place, &captions, &SkinImageOps};
    return tables;
}

const std::vector<ControlSpec>& MainWindowControlSpecs() {
    static const std::vector<ControlSpec> specs = buildControls();
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
        for (const std::string& c : NumberedSeries(prefix, 1, 5))
            put(c, image);
    };
    for (int i = 1; i <= 6; ++i)
        put(Numbered("Img_Base_", i), "L1_BackGround");
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
        put(Numbered("Img_Key", n), "KeyS_01");
    put("Img_LoadBIN", "KeyS_01");
    put("Img_Program", "KeyS_01");
    five("Img_Web_", "WebS_01");
    for (int n = 1; n <= 8; ++n)
        put(Numbered("Img_ComboKey", n), "CbS_D");
    for (int n = 1; n <= 3; ++n)
        put(Numbered("Img_Fire", n, "Continue"), "CbS_D");
    for (const char* c : {"Img_Spd1", "Img_DbSpd1", "Img_ScrSpd1"})
        put(c, "Bar1_E");
    for (int n = 1; n <= 8; ++n)
        put(Numbered("Img_DPI", n, "_1"), "Bar2_E");
    put("Img_AIMDPI_1", "Bar2_E");
    for (int n = 1; n <= 8; ++n)
        put(Numbered("Img_DPI", n, "Col"), "Col_F");
    for (int n = 1; n <= 10; ++n)
        put(Numbered("Img_Col", n), "Col_F");
    put("Img_Fall1", "Bar1_E");
    put("Img_MCULEDStep_1", "Bar1_E");
    put("Img_MCULED6Control", "RdS_D");
    put("Img_MCULED3Control", "RdS_E");
    put("LED_DelayTime", "RdS_D");
    put("LED_NoDelay", "RdS_D");
    put("LED_RecDelay", "RdS_E");
    for (const char* c : {"Img_New", "Img_Start", "Img_InsertStart", "Img_SaveMacro"})
        put(c, "MacroS_01");
    for (const char* c : {"Img_OK", "Img_Cancel"})
        put(c, "MacroBtnS_01");
    put("Img_P5", "Update");
    put("Img_P6", "L1_Back5");
    put("Img_Fire1", "Gun1_02");
    for (int n = 2; n <= 7; ++n)
        put(Numbered("Img_Fire", n), Numbered("Gun", n, "_01"));
    for (int n = 1; n <= 5; ++n)
        put(Numbered("Img_GunMode", n), Numbered("GunMode", n));
    put("Img_FireSelLeft", "CbS_E");
    for (const char* c : {"Img_FireConfirm", "Img_FireExit"})
        put(c, "BtnS_01");
    put("Img_FireStart", "MacroS_01");
    for (const char* c : {"Img_FireOK", "Img_FireCancel"})
        put(c, "MacroBtnS_01");
    for (int n = 1; n <= 3; ++n)
        put(Numbered("Img_FireColor", n), "Col_F");
    put("LED_FireDelayTime", "RdS_D");
    put("LED_FireNoDelay", "RdS_D");
    put("LED_FireRecDelay", "RdS_E");
    for (const char* c : {"Img_FireDelay", "Img_FireInsert"})
        put(c, "InsertDelayBase");
    return ops;
}

std::vector<std::string_view> AllCaptionKeys() {
    std::vector<std::string_view> keys = {kCaptionFontNameKey, kCaptionTitleKey, kMenuMarkerKey,
                                          kNoDeviceTextKey, kDeleteQuestionKey};
    addKeys(keys, FrameCaptionKeys());
    addKeys(keys, KeyPageCaptionKeys());
    addKeys(keys, MacroPageCaptionKeys());
    addKeys(keys, MacroInsertItemKeys());
    addKeys(keys, UpdatePageCaptionKeys());
    addKeys(keys, FirePageCaptionKeys());
    addKeys(keys, FireInsertItemKeys());
    for (auto labels : PageLabelCaptionKeys())
        addKeys(keys, labels);
    addKeys(keys, KeptTextKeys());
    addKeys(keys, CpiValueKeys());
    addKeys(keys, GunModeNameKeys());
    addKeys(keys, KeyFunctionCaptionKeys());
    for (const auto& k :
         {kCombinationKeyDialogKeys.title, kCombinationKeyDialogKeys.confirm,
          kCombinationKeyDialogKeys.clear, kInputDialogKeys.nameTitle, kInputDialogKeys.confirm,
          kInputDialogKeys.clear, kInputDialogKeys.keyTitle, kInputDialogKeys.delayTitle})
        keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

} // namespace trvx
