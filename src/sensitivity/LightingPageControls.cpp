#include "sensitivity/LightingPageTables.h"
#include "skin/LayoutKeys.h"

namespace trvx {

void AddLightingPageControls(ControlTable& t) {
    using K = ControlKind;
    const std::string p = "gbPage3";
    t.picture("Img_Base_3", p);
    t.picture("Img_P3", p);
    for (int i = 1; i <= 8; ++i)
        t.picture(Numbered("Img_MCULEDStep_", i), p, i == 1 ? "" : "Bar1_D");
    for (int i = 1; i <= 8; ++i)
        t.label(Numbered("lbl_MCULEDStep_", i), p, 0, 0, 24, 15, std::to_string(i));
    // The fall-time row shows on every LED type, in a place of its own below the steps.
    for (int i = 1; i <= 10; ++i)
        t.picture(Numbered("Img_Fall", i), p, i == 1 ? "Bar1_E" : "Bar1_D");
    for (int i = 1; i <= 10; ++i)
        t.label(Numbered("lbl_Fall", i), p, 0, 0, 24, 15, std::to_string(i));
    for (int n = 1; n <= 7; ++n)
        t.picture(Numbered("Img_LED", n), p, n == 1 ? "RdS_E" : "RdS_D");
    t.picture("Img_MCULED3Control", p);
    t.label("lbl_MCULED3Control", p, 0, 0, 120, 19);
    t.picture("Img_MCULED6Control", p);
    t.label("lbl_MCULED6Control", p, 0, 0, 120, 19);
    for (int n = 1; n <= 10; ++n) {
        t.picture(Numbered("Img_Col", n), p);
        ControlSpec& swatch =
            t.add(Numbered("cs_Col", n), K::Shape, p, 0, 0, kLedSwatchSize, kLedSwatchSize);
        swatch.colour = kSkinSwatchBlank;
        swatch.hidden = true;
        t.label(Numbered("lbl_Col", n), p, 0, 0, kLedSwatchSize, kLedSwatchSize);
    }
    for (const char* l : {"lbl_LED_Effect_Setting", "lbl_LED_Effect_Slow", "lbl_LED_Effect_Fast",
                          "lbl_LED_Mode", "lbl_LED_Color"})
        t.label(l, p, 0, 0, 120, 17);
    for (int n = 1; n <= 7; ++n)
        t.label(Numbered("lbl_LED", n), p, 0, 0, 120, 17);
    // The page's selected mode, never shown.
    t.add("gbLED", K::GroupBox, p).hidden = true;
    for (int n = 1; n <= 7; ++n)
        t.add(Numbered("rb_LED", n), K::Radio, "gbLED").hidden = true;
}

} // namespace trvx
