#pragma once
// A window's controls as data: name, kind, parent and design-time place. Each page adds its own
// rows (beside the page's code); the shell puts the pages together into the main window's table.
// The window creates its controls from it, and the layout and caption passes find them by name,
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
    WideCombo,   // wide combo box: UTF-16 items, drop-down list with type-ahead
    CheckBox,    // skinned check box
    ListBox,     // skinned list box
    WideListBox, // wide list box: UTF-16 items, fixed item height, rows drawn by the page
    Panel,       // panel with its own colour and border colour
    GroupBox,    // skinned group box
    Shape,       // rectangle shape (colour swatch)
    Radio,       // hidden radio button that records a state
    Button,      // skinned push button
    PageControl, // skinned page control
    TabSheet,    // one sheet of a page control
    // Borderless, captionless group box behind a group of controls.
    PlainGroupBox,
    // Skinned number edit: right-aligned, mask "0", digits only.
    NumberEdit,
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

// stem + n + tail: "Img_Key" 3 gives "Img_Key3".
std::string Numbered(std::string_view stem, int n, std::string_view tail = {});
// Numbered names for first .. last.
std::vector<std::string> NumberedSeries(std::string_view stem, int first, int last,
                                        std::string_view tail = {});

// Builds a table row by row. Creation order is stacking order: later controls lie above earlier
// ones, so a page's background comes first, a clickable label after its picture, the cover label
// after the page's content and the exit and minimise buttons last.
class ControlTable {
public:
    std::vector<ControlSpec> specs;

    ControlSpec& add(std::string name, ControlKind kind, std::string parent, int x = 0, int y = 0,
                     int w = 0, int h = 0);
    ControlSpec& picture(std::string name, std::string parent, std::string image = {}, int x = 0,
                         int y = 0);
    ControlSpec& label(std::string name, std::string parent, int x = 0, int y = 0, int w = 65,
                       int h = 17, std::string text = {});
    // A clickable label over its picture: "Img_" + stem and "Btn_" + stem.
    void button(const std::string& stem, const std::string& parent, std::string image = {});
    // The row of that name added so far, or nullptr.
    ControlSpec* find(std::string_view name);
};

// Design-time colours (0x00BBGGRR) of what no layout colours: the skin's light text, the softer
// one of the scale numbers, and the neutral fill of a colour swatch until the mouse's colour
// reaches it.
inline constexpr int kSkinLightText = 223 | (228 << 8) | (234 << 16);
inline constexpr int kSkinScaleText = 190 | (198 << 8) | (208 << 16);
inline constexpr int kSkinSwatchBlank = 58 | (69 << 8) | (82 << 16);

// The size of the window's skinned pages and of the engineering page.
inline constexpr int kSkinWidth = 1030;
inline constexpr int kSkinHeight = 660;
inline constexpr int kEngineerWidth = 1256;
inline constexpr int kEngineerHeight = 680;

} // namespace trvx
