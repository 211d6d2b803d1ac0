#pragma once
// Where the small skinned dialogs put their parts on their "Msg" picture, and in which sizes and
// colours, by the language set shown. Every dialog of this shape has a title, one edit, a
// Confirm, a Clear and a close button, and may have a row of check boxes; each kind reads the
// same values under layout keys of its own, which it names in a DialogLayoutKeys.

#include "controls/wide/ParseResult.h"
#include "skin/LayoutPlan.h"
#include "skin/LayoutText.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

struct DialogPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DialogPoint&, const DialogPoint&) = default;
};

// The layout keys of one dialog kind. A colour stem stands for its "_R", "_G" and "_B" keys, a
// point stem for its "_X" and "_Y" keys; the edit's stem also has a "_W" key, its width.
struct DialogLayoutKeys {
    std::string_view fontSize;   // title +5, edit +3, Confirm and Clear +1, check boxes +0
    std::string_view textColour; // title, Confirm, Clear and the check boxes
    std::string_view editColour; // the edit's text
    std::string_view title;
    std::string_view edit;
    std::string_view confirm;
    std::string_view clear;
    std::string_view close;
    std::span<const std::string_view> boxes; // one point stem per check box, in order
};

// The macro pages' dialogs: macro name, key line, delay.
extern const DialogLayoutKeys kInputDialogLayoutKeys;
// The key page's combination-key dialog, with its boxes Ctrl, Shift, Alt and Win.
extern const DialogLayoutKeys kCombinationDialogLayoutKeys;

struct DialogLayout {
    int fontSize = 9;
    Rgb textColour{223, 228, 234};
    Rgb editColour{34, 198, 232};
    DialogPoint title{18, 7}; // top-left corners
    DialogPoint edit{115, 79};
    int editWidth = 300;
    DialogPoint confirm{145, 161}; // each button with its picture
    DialogPoint clear{285, 161};
    DialogPoint close{494, 1};
    std::vector<DialogPoint> boxes;

    int TitleFontSize() const { return fontSize + 5; }
    int EditFontSize() const { return fontSize + 3; }
    int ButtonFontSize() const { return fontSize + 1; }
    int BoxFontSize() const { return fontSize; }
    friend bool operator==(const DialogLayout&, const DialogLayout&) = default;
};

// One kind's keys of a layout section ([org1] .. [org3]); fails on the first key that is missing
// or no integer, naming it.
ParseResult<DialogLayout> ReadDialogLayout(const LayoutSection& section,
                                           const DialogLayoutKeys& keys);

// Every key ReadDialogLayout reads for the kind, in the order it reads them.
std::vector<std::string> DialogLayoutKeyNames(const DialogLayoutKeys& keys);

} // namespace trvx
