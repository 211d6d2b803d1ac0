#pragma once
// The layout and caption pass as data: everything one language set does to the main window,
// read and checked whole from its layout and caption sections before the window applies any of
// it. A set that fails to read (a missing or non-integer layout value) gives an error and no
// plan, so the window keeps the set it shows.

#include "controls/wide/ParseResult.h"
#include "skin/CaptionText.h"
#include "skin/LayoutText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// A colour of the layout texts: three keys stem_R, stem_G, stem_B.
struct Rgb {
    int R = 0;
    int G = 0;
    int B = 0;
    // The stored colour value: R + 256 G + 65536 B.
    std::uint32_t Value() const {
        return static_cast<std::uint32_t>(R) + 256u * static_cast<std::uint32_t>(G) +
               65536u * static_cast<std::uint32_t>(B);
    }
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One step of the pass on one control of the main window, found by its object name.
enum class SkinOpKind {
    Picture, // text: the skin image to show
    Show,
    Hide,
    Left,            // x
    Top,             // y
    Width,           // x
    Height,          // y
    Move,            // x, y
    SizeFromPicture, // ref: a picture; Width := its width + dx (when setWidth), Height := its
                     // height + dy (when setHeight)
    ScaleStep,       // ref: picture 1 of the scale; n: 0-based index; from (x, y) with gap dx:
                     // a row (row) puts it at x + n (w + dx), y; a column at x, y - n (h + dx)
    LeftFrom,        // ref: another control; Left := its Left + dx
    HeightFromFont,  // Height := 2 x the font size in points, as the font reports it
    FontSize,        // x: points
    FontColor,       // colour
    BackColor,       // colour
    BorderColor,     // colour
    FontName,        // text
    Caption,         // text
    KeyCaption,      // a key label: its caption is carried over to the new set (see below)
    Items,           // items: replace the first items of a list, keeping its count
    AlignLeft,       // left-justified text
};

struct SkinOp {
    SkinOpKind kind = SkinOpKind::Show;
    std::string control;
    std::string ref;
    std::string text;
    std::vector<std::string> items;
    int x = 0;
    int y = 0;
    int dx = 0;
    int dy = 0;
    int n = 0;
    bool row = true;
    bool setWidth = true;
    bool setHeight = true;
    std::uint32_t colour = 0;
};

// What the window keeps from a pass; read later by the pages.
struct LayoutValues {
    // Frame (title bar and side menu).
    int BtnSpaceF = 0;
    int BtnSpaceB = 0;
    bool SwitchTabEnabled = false; // "Btn_B2_Enable" is 1: the second profile's tab exists
    bool FixedTabEnabled = false;  // "Btn_B3_Enable" is 1: the third profile's tab exists
    // Key page.
    bool ComboKey8Enabled = false; // "ComboKey8_Enable" is 1
    Rgb ColorG;                    // menu entry font
    Rgb ColorGBack;                // menu background
    Rgb ColorGSF;                  // entry under the pointer: font
    Rgb ColorGSP;                  // entry under the pointer: background
    // Sensitivity page.
    Rgb ColorDSelected;
    Rgb ColorDNotSelected;
    int DPIOrientation = 0; // 0 the CPI step bars form a column, 1 a row
    // Macro page.
    Rgb ColorF;
    Rgb ColorFLBack;
    Rgb ColorMacro;
    Rgb ColorFFont;
    Rgb ColorFBack;
    int MacroNameHeight = 0;
    // Captions of the set.
    std::string FontName;
    std::string AppTitle;
    std::string NoDeviceText;
    std::string MenuMarker; // "Str200"
};

// What the pass reads of the window's state.
struct LayoutInputs {
    int LangIndex = 1;     // 1 .. 3
    int PageRadio = 1;     // the checked page radio rb_1 .. rb_8, 0 when none is
    bool GDEnable = false; // general setting "GD_Enable"
    int NumOrder = 1;      // general setting "Num_Order"
};

struct LayoutPlan {
    std::vector<SkinOp> ops; // in the order they are applied
    LayoutValues values;
    std::vector<std::string> keysRead; // the layout keys read, in read order (repeats kept)
};

struct WindowTables;

// Builds the whole pass for one set from its sections by the window's rules. Fails at the first
// layout key that is missing or not an integer, with the message "'<text>' is not a valid
// integer value" and the key in `where`. Caption keys never fail.
ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutSection& layout, const CaptionSection& captions,
                                        const LayoutInputs& inputs, const WindowTables& window);

// The same for the embedded set inputs.LangIndex ("org<n>" and "lang<n>").
ParseResult<LayoutPlan> BuildLayoutPlan(const LayoutInputs& inputs, const WindowTables& window);

// The picture names an op list shows, without repeats, in first-use order.
std::vector<std::string> PicturesOf(const std::vector<SkinOp>& ops);

// The caption a key label shows in the new set: the key its current caption came from
// (FindTextKey over all sets), shown with the new set's text; unchanged when no set holds it.
std::string CarryKeyCaption(std::string_view current, const CaptionSection& newSet,
                            std::span<const CaptionSection> allSets);

} // namespace trvx
