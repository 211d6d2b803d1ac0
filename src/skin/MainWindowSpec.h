#pragma once
// Every control of the main window: its name, kind, parent and design-time place. The window
// creates its controls from this table, and the layout and caption passes find them by name,
// so a name used by a pass and missing here is a fault the tests catch.

#include <string>
#include <string_view>
#include <vector>

namespace trvx {

enum class ControlKind {
    Page,        // a page of the window (plain widget)
    Picture,     // a skin picture that sizes itself to its image
    Label,       // a wide-caption label; with click, enter and leave it serves as a button
    Edit,        // skinned edit
    IntEdit,     // skinned edit for signed decimal numbers
    HexEdit,     // skinned edit for hexadecimal numbers
    ComboBox,    // skinned combo box
    CheckBox,    // skinned check box
    ListBox,     // skinned list box
    Panel,       // panel with its own colour and border colour
    GroupBox,    // skinned group box
    Shape,       // rectangle shape (colour swatch)
    Radio,       // hidden radio button that records a state
    Button,      // skinned push button
    PageControl, // skinned page control
    TabSheet,    // one sheet of a page control
};

struct ControlSpec {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent; // "" for the window itself
    int x = 0;
    int y = 0;
    int w = 0; // 0: the kind's own size
    int h = 0;
    bool hidden = false; // a tab sheet: its tab hidden
    bool disabled = false;
    std::string text;               // design-time caption (labels, check boxes, group boxes)
    std::vector<std::string> items; // design-time items (lists and combo boxes)
    std::string image;              // design-time skin image of a picture, "" for none
    bool centred = false;           // a label's caption centred both ways (button labels)
    // Design-time colour 0x00BBGGRR of a label's text or a shape's fill and outline; -1 the kind's
    // own.
    int colour = -1;
};

// The whole table, parents before their children.
const std::vector<ControlSpec>& MainWindowControlSpecs();

// The entry of that name, or nullptr.
const ControlSpec* FindControlSpec(std::string_view name);

// The size of the window's skinned pages and of the engineering page.
inline constexpr int kSkinWidth = 1030;
inline constexpr int kSkinHeight = 660;
inline constexpr int kEngineerWidth = 1256;
inline constexpr int kEngineerHeight = 680;

} // namespace trvx
