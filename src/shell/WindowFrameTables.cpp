#include "shell/WindowFrameTables.h"

#include "skin/LayoutRules.h"

namespace trvx {
namespace {

using K = ControlKind;

constexpr const char* kFrameTabs[] = {"Main",  "Switch", "Fixed",    "Adv",  "Breath",
                                      "Macro", "Update", "Engineer", "Save", "Load",
                                      "Lang1", "Lang2",  "Lang3"};

constexpr const char* kTabLabels[] = {"Btn_Main_",   "Btn_Switch_", "Btn_Fixed_",  "Btn_Adv_",
                                      "Btn_Breath_", "Btn_Macro_",  "Btn_Update_", "Btn_Engineer_",
                                      "Btn_Save_",   "Btn_Load_",   "Btn_Lang1_",  "Btn_Lang2_",
                                      "Btn_Lang3_"};
constexpr const char* kConfirmLabels[] = {"Btn_Confirm1_", "Btn_Confirm2_", "Btn_Confirm3_"};

constexpr CaptionBinding kFrame[] = {
    {"Btn_Main_", "Str004"},     {"Btn_Switch_", "Str005"},   {"Btn_Fixed_", "Str006"},
    {"Btn_Adv_", "Str007"},      {"Btn_Breath_", "Str008"},   {"Btn_Macro_", "Str014"},
    {"Btn_Update_", "Str015"},   {"Btn_Save_", "Str009"},     {"Btn_Load_", "Str010"},
    {"Btn_Lang1_", "Str011"},    {"Btn_Lang2_", "Str012"},    {"Btn_Lang3_", "Str013"},
    {"Btn_Confirm1_", "Str001"}, {"Btn_Confirm2_", "Str002"}, {"Btn_Confirm3_", "Str016"},
};

std::vector<std::string> copies(std::string_view prefix) {
    return LayoutRules::copies(prefix);
}

// The window frame of skinned page n: title-bar buttons, side menu, language and web buttons.
void addFrame(ControlTable& t, const std::string& page, int n) {
    for (const char* stem : {"Confirm1_", "Confirm2_", "Confirm3_"})
        t.button(Numbered(stem, n), page);
    for (const char* tab : kFrameTabs)
        t.button(Numbered(std::string(tab) + "_", n), page);
    // The engineering tab appears only through the hidden access.
    for (const char* c : {"Img_Engineer_", "Btn_Engineer_"})
        if (ControlSpec* s = t.find(Numbered(c, n)))
            s->hidden = true;
    // The general settings place the web link; until then it waits outside the window.
    t.picture(Numbered("Img_Web_", n), page, "WebS_01", 9400, 16);
    t.label(Numbered("Btn_Web_", n), page, 9400, 16).centred = true;
}

void addCoverAndClose(ControlTable& t, const std::string& page, int n) {
    ControlSpec& cover = t.label(Numbered("Disable_All_", n), page, 0, 0, 800, 600);
    cover.centred = true;
    for (const char* stem : {"Mini_", "Exit_"})
        t.button(Numbered(stem, n), page);
}

void placeFrame(LayoutRules& r, const std::vector<std::string>& labels,
                const std::vector<std::string>& pics, int x, int y, bool tabBar) {
    const int f = tabBar ? r.values().BtnSpaceF : 0;
    const int b = tabBar ? r.values().BtnSpaceB : 0;
    for (int i = 0; i < 5; ++i) {
        r.move(pics[i], x, y);
        r.move(labels[i], x + f, y);
        r.sizeFrom(labels[i], pics[i], -(f + b), 0);
    }
}

// A switchable frame button in five copies; the tab bar insets its label by the spaces.
void frameMember(LayoutRules& r, const std::string& stem, std::string_view label,
                 std::string_view pic, bool tabBar, bool* flag = nullptr) {
    const auto labels = copies(label);
    const auto pics = copies(pic);
    if (r.I(stem + "_Enable") == 1) {
        if (flag)
            *flag = true;
        for (int i = 0; i < 5; ++i) {
            r.show(labels[i]);
            r.show(pics[i]);
        }
        const int x = r.I(stem + "_X");
        const int y = r.I(stem + "_Y");
        placeFrame(r, labels, pics, x, y, tabBar);
    } else {
        if (flag)
            *flag = false;
        for (int i = 0; i < 5; ++i) {
            r.hide(labels[i]);
            r.hide(pics[i]);
        }
    }
}

void pictures(LayoutRules& r) {
    const std::string set = "L" + std::to_string(r.inputs().LangIndex);
    for (int i = 1; i <= 6; ++i)
        r.picture(Numbered("Img_Base_", i), set + "_BackGround");
    const int page = r.inputs().PageRadio;
    if (page >= 1 && page <= 3)
        r.picture("Img_P1", set + "_Back1");
    else if (page == 4)
        r.picture("Img_P2", set + "_Back2");
    else if (page == 5)
        r.picture("Img_P3", set + "_Back3");
    else if (page == 6)
        r.picture("Img_P4", set + "_Back4");
    r.picture("Img_P6", set + "_Back5");
}

void titleBar(LayoutRules& r) {
    const int size = r.I("Size_A");
    for (const char* p : kConfirmLabels)
        r.each(copies(p), [&](const std::string& c) { r.fontSize(c, size); });
    const Rgb c = r.colour("Color_A");
    for (const char* p : kConfirmLabels)
        r.each(copies(p), [&](const std::string& n) { r.fontColour(n, c); });
    frameMember(r, "Btn_A2", "Btn_Confirm1_", "Img_Confirm1_", false);
    frameMember(r, "Btn_A3", "Btn_Confirm2_", "Img_Confirm2_", false);
    frameMember(r, "Btn_A5", "Btn_Confirm3_", "Img_Confirm3_", false);
    frameMember(r, "Btn_A6", "Btn_Mini_", "Img_Mini_", false);
    frameMember(r, "Btn_A4", "Btn_Exit_", "Img_Exit_", false);
}

void tabBar(LayoutRules& r) {
    const int size = r.I("Size_B");
    for (const char* p : kTabLabels)
        r.each(copies(p), [&](const std::string& c) { r.fontSize(c, size); });
    const Rgb c = r.colour("Color_B");
    for (const char* p : kTabLabels)
        r.each(copies(p), [&](const std::string& n) { r.fontColour(n, c); });
    LayoutValues& v = r.values();
    v.BtnSpaceF = r.I("Btn_Space_F");
    v.BtnSpaceB = r.I("Btn_Space_B");
    frameMember(r, "Btn_B1", "Btn_Main_", "Img_Main_", true);
    frameMember(r, "Btn_B2", "Btn_Switch_", "Img_Switch_", true, &v.SwitchTabEnabled);
    frameMember(r, "Btn_B3", "Btn_Fixed_", "Img_Fixed_", true, &v.FixedTabEnabled);
    frameMember(r, "Btn_B4", "Btn_Adv_", "Img_Adv_", true);
    frameMember(r, "Btn_B5", "Btn_Breath_", "Img_Breath_", true);
    frameMember(r, "Btn_B11", "Btn_Macro_", "Img_Macro_", true);
    frameMember(r, "Btn_B12", "Btn_Update_", "Img_Update_", true);
    // The engineering tab has a fixed place; its visibility belongs to the hidden access.
    placeFrame(r, copies("Btn_Engineer_"), copies("Img_Engineer_"), 10, 10, true);
    frameMember(r, "Btn_B6", "Btn_Save_", "Img_Save_", true);
    frameMember(r, "Btn_B7", "Btn_Load_", "Img_Load_", true);
    frameMember(r, "Btn_B8", "Btn_Lang1_", "Img_Lang1_", true);
    frameMember(r, "Btn_B9", "Btn_Lang2_", "Img_Lang2_", true);
    frameMember(r, "Btn_B10", "Btn_Lang3_", "Img_Lang3_", true);
}

} // namespace

void AddWindowPages(ControlTable& t) {
    for (int n = 1; n <= 6; ++n)
        t.add(Numbered("gbPage", n), K::Page, "", 0, 0, kSkinWidth, kSkinHeight).hidden = n != 1;
    t.add("gbPage7", K::Page, "", 0, 0, kEngineerWidth, kEngineerHeight).hidden = true;
    // The radios that record the shown page and the chosen language set.
    for (int n = 1; n <= 8; ++n)
        t.add(Numbered("rb_", n), K::Radio, "").hidden = true;
    for (int n = 1; n <= 3; ++n)
        t.add(Numbered("rb_Lang", n), K::Radio, "").hidden = true;
}

void AddWindowFrames(ControlTable& t) {
    for (int n = 1; n <= 5; ++n) {
        const std::string page = Numbered("gbPage", n);
        addFrame(t, page, n);
        addCoverAndClose(t, page, n);
    }
}

void WindowFrameLayout(LayoutRules& r) {
    pictures(r);
    titleBar(r);
    tabBar(r);
}

void AddWindowFrameFonts(std::vector<std::string>& fonts) {
    for (const char* p : kTabLabels)
        for (std::string& c : copies(p))
            fonts.push_back(std::move(c));
    for (const char* p : kConfirmLabels)
        for (std::string& c : copies(p))
            fonts.push_back(std::move(c));
}

void WindowFrameCaptions(LayoutRules& r) {
    LayoutValues& v = r.values();
    v.AppTitle = r.text(kCaptionTitleKey);
    r.bind(kFrame, true);
    r.each(copies("Btn_Engineer_"),
           [&](const std::string& c) { r.caption(c, std::string(kEngineerCaption)); });
    v.NoDeviceText = r.text(kNoDeviceTextKey);
    v.MenuMarker = r.text(kMenuMarkerKey);
}

std::span<const CaptionBinding> FrameCaptionKeys() {
    return kFrame;
}

} // namespace trvx
