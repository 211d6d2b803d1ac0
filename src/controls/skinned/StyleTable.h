#pragma once
// The five built-in looks of the skinned controls and their table of 48 theme elements, with
// the lookups every control makes. A skin file stores the same elements under the same names.

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace trvx {

class SkinThemeFileReader;

enum class SkinUIStyle : std::uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5
};

enum class ThemeElementKind : std::uint8_t { Integer = 0, Color = 1, Bitmap = 2, Boolean = 3 };

// Colours are 0x00BBGGRR, red in the low byte.
using SkinColor = std::uint32_t;

struct ThemeValue {
    std::int32_t number = 0; // integer, colour or boolean
    std::string_view bitmap; // bitmap resource name; empty for other kinds
};

struct ThemeElement {
    std::string_view name; // also the key of the element in a skin file
    ThemeElementKind kind;
    std::array<ThemeValue, 5> values; // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

inline constexpr int kThemeElementCount = 48;

// Element `index`, 1 to 48; null outside.
const ThemeElement* themeElement(int index);

// Element numbers the controls read.
namespace theme {
inline constexpr int kButtonImage = 1;
inline constexpr int kButtonTransparentBool = 2;
inline constexpr int kCheckBoxImage = 3;
inline constexpr int kRadioButtonImage = 4;
inline constexpr int kTitleBarButtonImage = 5;
inline constexpr int kTitleBarButtonTransparentBool = 6;
inline constexpr int kTitleBarButtonLeftOffsetInt = 7;
inline constexpr int kTitleBarButtonRightOffsetInt = 8;
inline constexpr int kTitleBarButtonTopInt = 9;
inline constexpr int kTitleBarLeftImage = 10;
inline constexpr int kTitleBarClientImage = 11;
inline constexpr int kTitleBarRightImage = 12;
inline constexpr int kFormMinWidthInt = 13;
inline constexpr int kFormRoundCornerInt = 14;
inline constexpr int kFormBackgroundColor = 15;
inline constexpr int kFormBorderColor = 16;
inline constexpr int kFormBorderWidthInt = 17;
inline constexpr int kMenuSelectedBorderColor = 18;
inline constexpr int kMenuSelectedBackgroundColor = 19;
inline constexpr int kMenuSelectedFontColor = 20;
inline constexpr int kMenuBackgroundColor = 21;
inline constexpr int kMenuFontColor = 22;
inline constexpr int kMenuBarColor = 23;
inline constexpr int kProgressBarImage = 24;
inline constexpr int kControlBorderColor = 25;
inline constexpr int kControlBackgroundColor = 26;
inline constexpr int kControlFontColor = 27;
inline constexpr int kTrackBarBarImage = 28;
inline constexpr int kTrackBarSliderImage = 29;
inline constexpr int kTrackBarSliderVImage = 30;
inline constexpr int kScrollBarBackgroundColor = 31;
inline constexpr int kScrollBarButtonImage = 32;
inline constexpr int kScrollBarSliderImage = 33;
inline constexpr int kCheckListBoxImage = 34;
inline constexpr int kToolBarButtonBorderColor = 35;
inline constexpr int kToolBarButtonBackgroundColor = 36;
inline constexpr int kToolBarButtonDownBackgroundColor = 37;
inline constexpr int kScrollButtonImage = 38;
inline constexpr int kTabControlTabImage = 39;
inline constexpr int kTabControlBarImage = 40;
inline constexpr int kSideChannelHandleImage = 41;
inline constexpr int kSideChannelBarImage = 42;
inline constexpr int kTitleBarMinimizedImage = 43;
inline constexpr int kTitleBarFontColor = 44;
inline constexpr int kFormLeftBorderImage = 45;
inline constexpr int kFormBottomBorderImage = 46;
inline constexpr int kFormBottomRoundCornerInt = 47;
inline constexpr int kMenuMenuBarColor = 48;
} // namespace theme

struct StyleValue {
    std::int32_t value = -1;
    ThemeElementKind kind = ThemeElementKind::Integer;
    std::string_view bitmap; // the resource name of a bitmap element
};

// The built-in value of element `index` for `look` (only its low seven bits count). Looks
// other than 1 to 5, and indexes outside 1 to 48, give -1 of kind integer.
StyleValue GetStyleValue(std::uint8_t look, int index);
inline StyleValue GetStyleValue(SkinUIStyle look, int index) {
    return GetStyleValue(static_cast<std::uint8_t>(look), index);
}
// The value when the element has that kind, else the neutral answer (false, black, -1, empty).
bool GetStyleBool(SkinUIStyle look, int index);
SkinColor GetStyleColor(SkinUIStyle look, int index);
std::int32_t GetStyleInteger(SkinUIStyle look, int index);
std::string_view GetStyleBitmapName(SkinUIStyle look, int index);

// Which source a control draws from: (true, FromThemeFile) for a usable theme file, else
// (false, the look to take from the built-in table). FromThemeFile without a usable file falls
// back to DeepBlue.
std::pair<bool, SkinUIStyle> UsingFileTheme(bool themeFileUsable, SkinUIStyle look);

// Lookups in a loaded skin file by element number (null reader: no file, neutral answers).
bool FileThemeBool(const SkinThemeFileReader* reader, int index);
SkinColor FileThemeColor(const SkinThemeFileReader* reader, int index);
std::int32_t FileThemeInteger(const SkinThemeFileReader* reader, int index);

} // namespace trvx
