#include "fire/ui/FirePage.h"

namespace trvx {

FirePage::FirePage(PageHost& host, QObject* parent) : Page(host, 6, parent) {}

void FirePage::Wire() {
    // The fire-macro lists take the item height of the set.
    for (const char* name : {"LB_FireMacroName", "LB_FireMacro"})
        SetListItemHeight(Control(name), Host().Layout().MacroNameHeight);
    // The fire keys' edits on the key page and the gun modes' edits here.
    AlignNumberEdits(*this, {"Edt_Repeat1",        "Edt_Repeat2",        "Edt_Repeat3",
                             "Edt_DelayTime1",     "Edt_DelayTime2",     "Edt_DelayTime3",
                             "Edt_FireCnt1",       "Edt_FireCnt2",       "Edt_FireCnt3",
                             "Edt_FireTime1",      "Edt_FireTime2",      "Edt_FireTime3",
                             "Edt_FireX1",         "Edt_FireX2",         "Edt_FireX3",
                             "Edt_FireX1Offset",   "Edt_FireX2Offset",   "Edt_FireX3Offset",
                             "Edt_FireY1Offset",   "Edt_FireY2Offset",   "Edt_FireY3Offset",
                             "Edt_FireY1",         "Edt_FireY2",         "Edt_FireY3",
                             "Edt_FireDelay",      "edt_FireRepeat",     "edt_FireXAxisValue",
                             "edt_FireYAxisValue", "Edt_InsertFireDelay"});
}

} // namespace trvx
