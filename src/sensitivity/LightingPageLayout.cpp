#include "sensitivity/LightingPageTables.h"
#include "skin/LayoutKeys.h"
#include "skin/LayoutRules.h"

namespace trvx {
namespace {

constexpr TextLabelRule kLabels[] = {
    {"LED_Effect_Setting_Lable", "lbl_LED_Effect_Setting"},
    {"LED_Effect_Slow_Lable", "lbl_LED_Effect_Slow"},
    {"LED_Effect_Fast_Lable", "lbl_LED_Effect_Fast"},
    {"LED_Mode_Lable", "lbl_LED_Mode"},
    {"LED_Color_Lable", "lbl_LED_Color"},
};

constexpr CaptionBinding kLabelCaptions[] = {
    {"lbl_LED_Effect_Setting", "Str812"},
    {"lbl_LED_Effect_Slow", "Str813"},
    {"lbl_LED_Effect_Fast", "Str814"},
    {"lbl_LED_Mode", "Str821"},
    {"lbl_LED_Color", "Str822"},
    {"lbl_LED1", "Str815"},
    {"lbl_LED2", "Str816"},
    {"lbl_LED3", "Str817"},
    {"lbl_LED4", "Str818"},
    {"lbl_LED5", "Str819"},
    {"lbl_LED6", "Str820"},
    {"lbl_LED7", "Str859"},
    {"lbl_MCULED3Control", "Str823"},
    {"lbl_MCULED6Control", "Str824"},
};

// A row of step pictures from the key stem's _X, _Y and _D, with its numbers 24 pixels below:
// beside their pictures when the layout numbers its scales, hidden when it does not.
void NumberedScale(LayoutRules& r, const std::string& stem, const char* picture, const char* number,
                   int count) {
    const int x = r.I(stem + "_X");
    const int y = r.I(stem + "_Y");
    const int d = r.I(stem + "_D");
    const auto pics = NumberedSeries(picture, 1, count);
    r.scale(pics, x, y, d, true);
    for (int i = 1; i <= count; ++i) {
        const std::string label = Numbered(number, i);
        if (r.inputs().NumOrder == 0)
            r.leftFrom(label, pics[static_cast<std::size_t>(i - 1)], 4);
        else if (r.inputs().NumOrder == 1)
            r.hide(label);
        r.top(label, y + 24);
    }
}

} // namespace

void LightingPageLayout(LayoutRules& r) {
    std::vector<std::string> labels = NumberedSeries("lbl_Fall", 1, 10);
    const auto steps = NumberedSeries("lbl_MCULEDStep_", 1, 8);
    labels.insert(labels.end(), steps.begin(), steps.end());
    const int size = r.I("Size_E");
    r.each(labels, [&](const std::string& c) { r.fontSize(c, size); });
    const Rgb c = r.colour("Color_E");
    r.each(labels, [&](const std::string& n) { r.fontColour(n, c); });
    r.moveKeys("Img_P3", "P3_X", "P3_Y");
    NumberedScale(r, "StepTime", "Img_MCULEDStep_", "lbl_MCULEDStep_", 8);
    NumberedScale(r, "FallTime", "Img_Fall", "lbl_Fall", 10);
    for (int n = 1; n <= 7; ++n)
        r.moveKeys(Numbered("Img_LED", n), Numbered("LEDMode", n, "_X"),
                   Numbered("LEDMode", n, "_Y"));
    for (int k : {3, 6}) {
        const int cx = r.I(Numbered("LED", k, "Control_X"));
        const int cy = r.I(Numbered("LED", k, "Control_Y"));
        r.move(Numbered("Img_MCULED", k, "Control"), cx, cy);
        r.move(Numbered("lbl_MCULED", k, "Control"), cx - 4, cy - 2);
    }
    // The palette swatches: one row, the picture, the colour and the click label together.
    const int sx = r.I("LEDColor_X");
    const int sy = r.I("LEDColor_Y");
    const int sd = r.I("LEDColor_D");
    for (int n = 1; n <= 10; ++n)
        for (const char* stem : {"Img_Col", "cs_Col", "lbl_Col"})
            r.move(Numbered(stem, n), sx + (n - 1) * (kLedSwatchSize + sd), sy);
}

void LightingPageLabels(LayoutRules& r) {
    r.textLabels(kLabels);
    // The mode options share one colour and one size.
    const Rgb option = r.colour("LED_Mode_Option_Lable");
    for (int n = 1; n <= 7; ++n)
        r.textLabel(Numbered("LED_Mode_", n, "_Lable"), Numbered("lbl_LED", n), &option, true,
                    "LED_Mode_Option_Lable_Size");
    r.textLabel("LED_Mode_Light_All_Lable", "lbl_MCULED3Control", &option, false);
    r.textLabel("LED_Mode_Light_Half_Lable", "lbl_MCULED6Control", &option, true);
}

void AddLightingPageFonts(std::vector<std::string>& fonts) {
    const auto falls = NumberedSeries("lbl_Fall", 1, 10);
    fonts.insert(fonts.end(), falls.begin(), falls.end());
}

std::span<const CaptionBinding> LightingPageLabelCaptionKeys() {
    return kLabelCaptions;
}

} // namespace trvx
