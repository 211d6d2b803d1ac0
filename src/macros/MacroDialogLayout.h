#pragma once
// Where the macro pages' small dialogs (macro name, key line, delay) put their parts, and in
// which sizes and colours, by the language set shown. All three share one shape.

#include "controls/wide/ParseResult.h"
#include "skin/LayoutPlan.h"
#include "skin/LayoutText.h"

namespace trvx {

struct DialogPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DialogPoint&, const DialogPoint&) = default;
};

struct MacroDialogLayout {
    int fontSize = 9;              // title +5, edit +3, Confirm and Clear +1 points
    Rgb textColour{223, 228, 234}; // title, Confirm and Clear
    Rgb editColour{34, 198, 232};  // the edit's text
    DialogPoint title{18, 7};      // the title's top-left corner
    DialogPoint edit{115, 79};     // the edit's top-left corner
    int editWidth = 300;
    DialogPoint confirm{145, 161}; // Confirm with its picture
    DialogPoint clear{285, 161};   // Clear with its picture
    DialogPoint close{494, 1};     // the close button with its picture

    int TitleFontSize() const { return fontSize + 5; }
    int EditFontSize() const { return fontSize + 3; }
    int ButtonFontSize() const { return fontSize + 1; }
    friend bool operator==(const MacroDialogLayout&, const MacroDialogLayout&) = default;
};

// The dialogs' keys of one layout section ([org1] .. [org3]); fails on the first key that is
// missing or no integer, naming it.
ParseResult<MacroDialogLayout> ReadMacroDialogLayout(const LayoutSection& section);

} // namespace trvx
