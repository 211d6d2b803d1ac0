#pragma once
// The main window's rules that need no widgets: where its windows go, when a page button may
// switch the page, and which page and menu family each state radio stands for.

#include <array>
#include <optional>
#include <string_view>

namespace trvx {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where the busy window is created: 40 pixels below the centre of the main window (integer
// division toward zero).
WindowRect BusyWindowPlacement(const WindowRect& main, int busyWidth, int busyHeight);
// Where it goes before each showing: centred on the main window (integer division toward zero).
WindowRect BusyWindowCentred(const WindowRect& main, int busyWidth, int busyHeight);
// A window of this size centred on a screen of that size.
WindowRect CentredOnScreen(int screenWidth, int screenHeight, int width, int height);

// The main window grows for the engineering page and shrinks back for the other pages.
struct WindowGrowth {
    WindowRect before; // where the window was before it grew
    WindowRect grown;  // where growing put it
};
// Growing to width x height keeps the window on the screen's available area: it moves left and
// up just enough for its right and bottom edges to fit, never past the area's left and top
// edges (a window larger than the area shows its top-left part), and never right or down.
WindowGrowth GrowOnScreen(const WindowRect& window, int width, int height,
                          const WindowRect& available);
// Shrinking to width x height: back where it was before it grew while it still lies where
// growing put it; a window moved since keeps its top-left corner.
WindowRect ShrinkBack(const WindowGrowth& growth, const WindowRect& now, int width, int height);

enum class PageSwitch {
    RefuseNoDevice, // no mouse: the no-device message, nothing changes
    Ignore,         // the no-device appearance is still up after the mouse came back
    Switch,
};
PageSwitch PageSwitchRule(bool commandAndDataHandles, bool noDeviceShown);

inline constexpr int kPageCount = 7;
inline constexpr int kSkinnedPageCopies = 5;

// One state radio (rb_1 .. rb_8): the page it shows and its menu family ("Main" gives the
// buttons Btn_Main_1..5 and their images Img_Main_1..5).
struct PageRadio {
    std::string_view radio;
    int page; // 1..7
    std::string_view family;
};
inline constexpr std::array<PageRadio, 8> kPageRadios{{
    {"rb_1", 1, "Main"},
    {"rb_2", 1, "Switch"},
    {"rb_3", 1, "Fixed"},
    {"rb_4", 2, "Adv"},
    {"rb_5", 3, "Breath"},
    {"rb_6", 4, "Macro"},
    {"rb_7", 5, "Update"},
    {"rb_8", 7, "Engineer"},
}};

// The menu families of every skinned page copy, in the order their images are reset.
inline constexpr std::array<std::string_view, 10> kMenuFamilies{
    "Main", "Switch", "Fixed", "Adv", "Breath", "Macro", "Update", "Engineer", "Save", "Load"};

// The radio entry of a family; nullopt for Save, Load and unknown names.
std::optional<PageRadio> RadioOfFamily(std::string_view family);

// Name parts of the frame and menu labels: "Btn_Adv_3" gives family "Adv" and copy 3; nullopt
// when the name is not "Btn_" + family + "_" + one digit.
struct CopyName {
    std::string_view family;
    int copy = 0;
};
std::optional<CopyName> SplitCopyName(std::string_view name);

} // namespace trvx
