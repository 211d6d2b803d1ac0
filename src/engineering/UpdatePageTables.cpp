#include "engineering/UpdatePageTables.h"

#include "skin/LayoutRules.h"

namespace trvx {
namespace {

constexpr CaptionBinding kCaptions[] = {
    {"lbl_BINPath", "Str442"},
    {"Btn_LoadBIN", "Str440"},
    {"Btn_Program", "Str441"},
};

} // namespace

void AddUpdatePageControls(ControlTable& t) {
    const std::string p = "gbPage5";
    t.picture("Img_Base_5", p);
    t.picture("Img_P5", p);
    t.label("lbl_BINPath", p, 0, 0, 92, 17).colour = kSkinLightText;
    t.label("lbl_LoadBIN", p, 0, 0, 400, 17);
    t.button("LoadBIN", p, "KeyS_01");
    t.button("Program", p, "KeyS_01");
}

void UpdatePageLayout(LayoutRules& r) {
    const std::vector<std::string> labels = {"lbl_LoadBIN", "Btn_LoadBIN", "Btn_Program"};
    const int size = r.I("Size_I");
    r.each(labels, [&](const std::string& c) { r.fontSize(c, size); });
    const Rgb c = r.colour("Color_I");
    r.each(labels, [&](const std::string& n) { r.fontColour(n, c); });
    r.moveKeys("Img_P5", "P5_X", "P5_Y");
    r.moveKeys("lbl_BINPath", "lbl_BINPath_X", "lbl_BINPath_Y");
    r.moveKeys("lbl_LoadBIN", "lbl_LoadBin_X", "lbl_LoadBin_Y");
    r.pictureButton("Img_LoadBIN", "Btn_LoadBIN", "Btn_LoadBin");
    r.pictureButton("Img_Program", "Btn_Program", "Btn_Program");
}

void AddUpdatePageFonts(std::vector<std::string>& fonts) {
    for (const char* c : {"lbl_BINPath", "lbl_LoadBIN", "Btn_LoadBIN", "Btn_Program"})
        fonts.push_back(c);
}

void UpdatePageCaptions(LayoutRules& r) {
    r.bind(kCaptions);
}

std::span<const CaptionBinding> UpdatePageCaptionKeys() {
    return kCaptions;
}

} // namespace trvx
