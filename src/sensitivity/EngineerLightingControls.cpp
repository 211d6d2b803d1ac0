#include "sensitivity/LightingPageTables.h"

#include <string>

namespace trvx {

void AddEngineerLightingControls(ControlTable& t) {
    using K = ControlKind;
    // Item i of the LED-count combos stands for i + 1 LEDs, and for 4..13 MCU LEDs.
    const auto items = [&t](const char* combo, int first, int last) {
        if (ControlSpec* c = t.find(combo))
            for (int n = first; n <= last; ++n)
                c->items.push_back(std::to_string(n));
    };
    items("cb_LEDNum", 1, 8);
    items("cb_MCULEDNum", 4, 13);
    items("cb_MCULEDStep", 0, 7);

    // The palette: a red, green and blue edit beside each caption.
    for (int n = 1; n <= 10; ++n) {
        int c = 0;
        for (const char* rgb : {"R", "G", "B"}) {
            ControlSpec* label = t.find(Numbered("lbl_Col", n, rgb));
            const int x = 12 + 96 * c++, y = 20 + 26 * (n - 1);
            if (label != nullptr)
                label->w = 62;
            t.add(Numbered("edt_Col", n, rgb), K::IntEdit, "gbLEDColor", x + 62, y - 3, 30, 21);
        }
    }
    // The breathing parameters, each beside its caption.
    int y = 22;
    for (const char* name :
         {"edt_Lower", "edt_Upper", "edt_LowerTime", "edt_UpperTime", "edt_StepTime"}) {
        t.add(name, K::IntEdit, "gbLEDBreath", 162, y, 60, 21);
        y += 24;
    }
}

} // namespace trvx
