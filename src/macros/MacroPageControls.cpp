#include "macros/MacroPageTables.h"

namespace trvx {

void AddMacroPageControls(ControlTable& t) {
    using K = ControlKind;
    const std::string p = "gbPage4";
    t.picture("Img_Base_4", p);
    t.picture("Img_P4", p);
    for (const char* l : {"lbl_Marco_List", "lbl_Mouse_Marco_List", "lbl_Marco_Content"})
        t.label(l, p, 0, 0, 120, 17);
    t.add("LB_PCMacroName", K::WideListBox, p, 0, 0, 184, 268);
    t.add("LB_MacroName", K::WideListBox, p, 0, 0, 144, 268);
    t.add("LB_macro", K::WideListBox, p, 0, 0, 192, 268);
    t.button("New", p);
    t.button("Start", p);
    // Writes the mouse's macro store and the key entries that point at it.
    t.button("SaveMacro", p);
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
    // The cover over the insert box while an insertion records.
    t.add("GB_Dis", K::PlainGroupBox, in, 0, 0, 0, 0).hidden = true;
    t.add("CB_Insert", K::WideCombo, in, 0, 0, 167, 22).items = {
        "Insert Delay Front",  "Insert Delay Back",     "Insert Key Front",
        "Insert Key Back",     "Insert X/Y axis Front", "Insert X/Y axis Back",
        "Insert Start Repeat", "Insert Stop Repeat"};
    // The box starts on a delay: the recording rows belong to a key and wait hidden.
    for (const char* r : {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"}) {
        t.picture(std::string("LED_") + r, in, "RdS_D").hidden = true;
        // Only the fixed-delay row has its edit beside the text.
        const int w = std::string_view(r) == "InsertDelayTime" ? 120 : 160;
        t.label(std::string("IB_") + r, in, 0, 0, w, 19).hidden = true;
    }
    t.add("Edt_InsertDelay", K::Edit, in, 0, 0, 42, 21);
    t.label("lbl_Delay", in, 0, 0, 70, 17);
    t.label("lbl_s_A", in, 0, 0, 30, 17);
    t.add("edt_XAxisValue", K::Edit, in, 0, 0, 42, 21).hidden = true;
    t.label("lbl_XAxisValue", in, 0, 0, 44, 17).hidden = true;
    t.add("edt_YAxisValue", K::Edit, in, 0, 0, 42, 21).hidden = true;
    t.label("lbl_YAxisValue", in, 0, 0, 40, 17).hidden = true;
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

} // namespace trvx
