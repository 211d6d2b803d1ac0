#include "macros/MacroDialogLayout.h"

namespace trvx {

ParseResult<MacroDialogLayout> ReadMacroDialogLayout(const LayoutSection& section) {
    LayoutReader read(section);
    auto colour = [&read](const char* stem) {
        const std::string s(stem);
        Rgb c;
        c.R = read.Int(s + "_R");
        c.G = read.Int(s + "_G");
        c.B = read.Int(s + "_B");
        return c;
    };
    auto point = [&read](const char* stem) {
        const std::string s(stem);
        DialogPoint p;
        p.x = read.Int(s + "_X");
        p.y = read.Int(s + "_Y");
        return p;
    };
    MacroDialogLayout layout;
    layout.fontSize = read.Int("Size_L");
    layout.textColour = colour("Color_L");
    layout.editColour = colour("Color_L_MN");
    layout.title = point("MNT");
    layout.edit = point("MNC");
    layout.editWidth = read.Int("MNC_W");
    layout.confirm = point("MN_Cfm");
    layout.clear = point("MN_Clear");
    layout.close = point("MN_Close");
    if (!read.ok())
        return ParseResult<MacroDialogLayout>::Fail(read.Error(), read.ErrorKey());
    return ParseResult<MacroDialogLayout>::Ok(layout);
}

} // namespace trvx
