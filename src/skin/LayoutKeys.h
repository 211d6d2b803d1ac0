#pragma once
// The names of the layout keys that the layout pass and the general-settings loader read, family
// by family in the order they are read. The layout pass walks these lists, and the resource test
// checks every shipped layout text against them, so the two cannot drift apart.
//
// Conventions the lists follow:
// - A colour is a stem followed by "_R", "_G", "_B"; the three keys are listed.
// - The "_X"/"_Y" keys of a switchable member (a frame button, a key label, a combination
//   option) are read only while its "_Enable" key is 1; they are listed right after that key.
//   The shipped texts hold them for disabled members too.
// - Coordinates are page coordinates, except where a control lives inside a group box: the
//   delay rows of the macro page ("RecDelay_*", "DelayEdit_*" and the four "Marco_*" delay
//   labels) are inside the delay box `Gb_Delay`, and everything of the insert box
//   ("InsertList_*" .. "InsertBtnCancel_*") is inside `Gb_Insert`; the insert box's picture
//   `Img_InsertBase` lies on the page, 10 pixels right of and below the box's corner.

#include <string>
#include <string_view>
#include <vector>

namespace trvx {

struct LayoutFamily {
    std::string_view name;         // "A" .. "J", "Labels"; "org" for the general settings
    std::string_view section;      // "org" for the general settings, else "" (any [org<n>])
    std::vector<std::string> keys; // integer keys in read order
};

// The families of one layout pass, in the order the pass runs them: A, B, C, G, D, E, F, I,
// J, Labels (the page text labels and the two width keys).
const std::vector<LayoutFamily>& LayoutPassFamilies();

// The small dialogs' keys are read from the set shown each time one opens; the window's pass
// reads none of them (skin/DialogLayout.h lists them).

// The integer keys of the general settings, in read order.
const LayoutFamily& OrgSettingKeys();
// The text keys of the general settings ("Web", "Path"); a missing one reads as "".
const std::vector<std::string>& OrgTextKeys();

// Every integer key of a layout pass, in read order, without repeats (the LED option size is
// read once per LED mode label).
std::vector<std::string> AllLayoutPassKeys();

// The lighting page's ten palette swatches `Img_Col1` .. `Img_Col10` (with `cs_Col<n>` and
// `lbl_Col<n>` at the same place) are squares of this size in a row from (LEDColor_X,
// LEDColor_Y), LEDColor_D pixels apart.
inline constexpr int kLedSwatchSize = 18;

} // namespace trvx
