#include "controls/skinned/StyleTable.h"

#include "controls/skinned/SkinFile.h"

namespace trvx {

namespace {

constexpr ThemeValue N(std::int32_t v) {
    return ThemeValue{v, {}};
}
constexpr ThemeValue B(std::string_view name) {
    return ThemeValue{0, name};
}

// clang-format off
constexpr std::array<ThemeElement, kThemeElementCount> kTable{{
    {"ButtonImage", ThemeElementKind::Bitmap, {B("MACOS_BUTTON"), B("WINXP_BUTTON"), B("DEEPBLUE_BUTTON"), B("PROTEIN_BUTTON"), B("BLUEGLASS_BUTTON")}}, // 1
    {"ButtonTransparentBool", ThemeElementKind::Boolean, {N(1), N(0), N(0), N(0), N(1)}}, // 2
    {"CheckBoxImage", ThemeElementKind::Bitmap, {B("MACOS_CHECKBOX"), B("WINXP_CHECKBOX"), B("DEEPBLUE_CHECKBOX"), B("PROTEIN_CHECKBOX"), B("BLUEGLASS_CHECKBOX")}}, // 3
    {"RadioButtonImage", ThemeElementKind::Bitmap, {B("MACOS_RADIOBUTTON"), B("WINXP_RADIOBUTTON"), B("DEEPBLUE_RADIOBUTTON"), B("PROTEIN_RADIOBUTTON"), B("BLUEGLASS_RADIOBUTTON")}}, // 4
    {"TitleBarButtonImage", ThemeElementKind::Bitmap, {B("MACOS_TITLEBTN"), B("WINXP_TITLEBTN"), B("DEEPBLUE_TITLEBTN"), B("PROTEIN_TITLEBTN"), B("BLUEGLASS_TITLEBTN")}}, // 5
    {"TitleBarButtonTransparentBool", ThemeElementKind::Boolean, {N(0), N(0), N(0), N(1), N(1)}}, // 6
    {"TitleBarButtonLeftOffsetInt", ThemeElementKind::Integer, {N(3), N(2), N(0), N(0), N(4)}}, // 7
    {"TitleBarButtonRightOffsetInt", ThemeElementKind::Integer, {N(-2), N(-2), N(0), N(0), N(-3)}}, // 8
    {"TitleBarButtonTopInt", ThemeElementKind::Integer, {N(4), N(5), N(2), N(2), N(6)}}, // 9
    {"TitleBarLeftImage", ThemeElementKind::Bitmap, {B("MACOS_TITLE_LEFT"), B("WINXP_TITLE_LEFT"), B("DEEPBLUE_TITLE_LEFT"), B("PROTEIN_TITLE_LEFT"), B("BLUEGLASS_TITLE_LEFT")}}, // 10
    {"TitleBarClientImage", ThemeElementKind::Bitmap, {B("MACOS_TITLE_CLIENT"), B("WINXP_TITLE_CLIENT"), B("DEEPBLUE_TITLE_CLIENT"), B("PROTEIN_TITLE_CLIENT"), B("BLUEGLASS_TITLE_CLIENT")}}, // 11
    {"TitleBarRightImage", ThemeElementKind::Bitmap, {B("MACOS_TITLE_RIGHT"), B("WINXP_TITLE_RIGHT"), B("DEEPBLUE_TITLE_RIGHT"), B("PROTEIN_TITLE_RIGHT"), B("BLUEGLASS_TITLE_RIGHT")}}, // 12
    {"FormMinWidthInt", ThemeElementKind::Integer, {N(130), N(150), N(130), N(130), N(270)}}, // 13
    {"FormRoundCornerInt", ThemeElementKind::Integer, {N(0), N(13), N(0), N(0), N(11)}}, // 14
    {"FormBackgroundColor", ThemeElementKind::Color, {N(0xE7E7E7), N(0xDEEBEF), N(0xE8E8E8), N(0xFBFBFB), N(0xE7E7E7)}}, // 15
    {"FormBorderColor", ThemeElementKind::Color, {N(0x7F7F7F), N(0xC82C00), N(0x000000), N(0x000000), N(0x000000)}}, // 16
    {"FormBorderWidthInt", ThemeElementKind::Integer, {N(1), N(3), N(1), N(1), N(1)}}, // 17
    {"MenuSelectedBorderColor", ThemeElementKind::Color, {N(0xC47339), N(0xC66931), N(0xA04A44), N(0xC4302D), N(0xEC5E5E)}}, // 18
    {"MenuSelectedBackgroundColor", ThemeElementKind::Color, {N(0xC47339), N(0xEFD3C6), N(0xA04A44), N(0xC4302D), N(0xEC5E5E)}}, // 19
    {"MenuSelectedFontColor", ThemeElementKind::Color, {N(0xFFFFFF), N(0x000000), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF)}}, // 20
    {"MenuBackgroundColor", ThemeElementKind::Color, {N(0x000000), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF), N(0xE7E7E7)}}, // 21
    {"MenuFontColor", ThemeElementKind::Color, {N(0x000000), N(0x000000), N(0x000000), N(0x000000), N(0x000000)}}, // 22
    {"MenuBarColor", ThemeElementKind::Color, {N(0x000000), N(0xCED3D6), N(0xCED3D6), N(0xCED3D6), N(0xCED3D6)}}, // 23
    {"ProgressBarImage", ThemeElementKind::Bitmap, {B("MACOS_PROGRESSBAR"), B("WINXP_PROGRESSBAR"), B("DEEPBLUE_PROGRESSBAR"), B("PROTEIN_PROGRESSBAR"), B("BLUEGLASS_PROGRESSBAR")}}, // 24
    {"ControlBorderColor", ThemeElementKind::Color, {N(0x7F7F7F), N(0x686868), N(0x000000), N(0x000000), N(0x000000)}}, // 25
    {"ControlBackgroundColor", ThemeElementKind::Color, {N(0xE7E7E7), N(0xDEEBEF), N(0xE8E8E8), N(0xFBFBFB), N(0xE7E7E7)}}, // 26
    {"ControlFontColor", ThemeElementKind::Color, {N(0x000000), N(0xCF4602), N(0x000000), N(0x000000), N(0x000000)}}, // 27
    {"TrackBarBarImage", ThemeElementKind::Bitmap, {B("MACOS_TRACKBAR_BAR"), B("WINXP_TRACKBAR_BAR"), B("DEEPBLUE_TRACKBAR_BAR"), B("PROTEIN_TRACKBAR_BAR"), B("BLUEGLASS_TRACKBAR_BAR")}}, // 28
    {"TrackBarSliderImage", ThemeElementKind::Bitmap, {B("MACOS_TRACKBAR_SLIDER"), B("WINXP_TRACKBAR_SLIDER"), B("DEEPBLUE_TRACKBAR_SLIDER"), B("PROTEIN_TRACKBAR_SLIDER"), B("BLUEGLASS_TRACKBAR_SLIDER")}}, // 29
    {"TrackBarSliderVImage", ThemeElementKind::Bitmap, {B("MACOS_TRACKBAR_SLIDER_V"), B("WINXP_TRACKBAR_SLIDER_V"), B("DEEPBLUE_TRACKBAR_SLIDER_V"), B("PROTEIN_TRACKBAR_SLIDER_V"), B("BLUEGLASS_TRACKBAR_SLIDER_V")}}, // 30
    {"ScrollBarBackgroundColor", ThemeElementKind::Color, {N(0xC9C9C9), N(0xF9F9F9), N(0xF5F5F5), N(0xF5F5F5), N(0xF4F4F4)}}, // 31
    {"ScrollBarButtonImage", ThemeElementKind::Bitmap, {B("MACOS_SCROLLBAR_BUTTON"), B("WINXP_SCROLLBAR_BUTTON"), B("DEEPBLUE_SCROLLBAR_BUTTON"), B("PROTEIN_SCROLLBAR_BUTTON"), B("BLUEGLASS_SCROLLBAR_BUTTON")}}, // 32
    {"ScrollBarSliderImage", ThemeElementKind::Bitmap, {B("MACOS_SCROLLBAR_TRACK"), B("WINXP_SCROLLBAR_TRACK"), B("DEEPBLUE_SCROLLBAR_TRACK"), B("PROTEIN_SCROLLBAR_TRACK"), B("BLUEGLASS_SCROLLBAR_TRACK")}}, // 33
    {"CheckListBoxImage", ThemeElementKind::Bitmap, {B("MACOS_CHECKLIST"), B("WINXP_CHECKLIST"), B("DEEPBLUE_CHECKLIST"), B("PROTEIN_CHECKLIST"), B("BLUEGLASS_CHECKLIST")}}, // 34
    {"ToolBarButtonBorderColor", ThemeElementKind::Color, {N(0x474747), N(0xC66931), N(0x474747), N(0x474747), N(0x474747)}}, // 35
    {"ToolBarButtonBackgroundColor", ThemeElementKind::Color, {N(0xEFEFEF), N(0xEFD3C6), N(0xEFEFEF), N(0xEFEFEF), N(0xEFEFEF)}}, // 36
    {"ToolBarButtonDownBackgroundColor", ThemeElementKind::Color, {N(0xD8D8D8), N(0xE1AC93), N(0xD8D8D8), N(0xD8D8D8), N(0xD8D8D8)}}, // 37
    {"ScrollButtonImage", ThemeElementKind::Bitmap, {B("MACOS_SCROLLBUTTON"), B("WINXP_SCROLLBUTTON"), B("MORE_SCROLLBUTTON"), B("MORE_SCROLLBUTTON"), B("MORE_SCROLLBUTTON")}}, // 38
    {"TabControlTabImage", ThemeElementKind::Bitmap, {B("MACOS_TAB"), B("WINXP_TAB"), B("DEEPBLUE_TAB"), B("PROTEIN_TAB"), B("BLUEGLASS_TAB")}}, // 39
    {"TabControlBarImage", ThemeElementKind::Bitmap, {B("MACOS_TAB_LINE"), B("WINXP_TAB_LINE"), B("DEEPBLUE_TAB_LINE"), B("PROTEIN_TAB_LINE"), B("BLUEGLASS_TAB_LINE")}}, // 40
    {"SideChannelHandleImage", ThemeElementKind::Bitmap, {B("MACOS_SIDECHENNEL_HANDLE"), B("WINXP_SIDECHENNEL_HANDLE"), B("DEEPBLUE_SIDECHENNEL_HANDLE"), B("PROTEIN_SIDECHENNEL_HANDLE"), B("BLUEGLASS_SIDECHENNEL_HANDLE")}}, // 41
    {"SideChannelBarImage", ThemeElementKind::Bitmap, {B("MACOS_SIDECHENNEL_BAR"), B("WINXP_SIDECHENNEL_BAR"), B("DEEPBLUE_SIDECHENNEL_BAR"), B("PROTEIN_SIDECHENNEL_BAR"), B("BLUEGLASS_SIDECHENNEL_BAR")}}, // 42
    {"TitleBarMinimizedImage", ThemeElementKind::Bitmap, {B(""), B(""), B(""), B(""), B("")}}, // 43
    {"TitleBarFontColor", ThemeElementKind::Color, {N(0x000000), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF), N(0xFFFFFF)}}, // 44
    {"FormLeftBorderImage", ThemeElementKind::Bitmap, {B(""), B(""), B(""), B(""), B("")}}, // 45
    {"FormBottomBorderImage", ThemeElementKind::Bitmap, {B(""), B(""), B(""), B(""), B("")}}, // 46
    {"FormBottomRoundCornerInt", ThemeElementKind::Integer, {N(0), N(0), N(0), N(0), N(0)}}, // 47
    {"MenuMenuBarColor", ThemeElementKind::Color, {N(0xE7E7E7), N(0xDEEBEF), N(0xE8E8E8), N(0xFBFBFB), N(0xE7E7E7)}}, // 48
}};
// clang-format on

} // namespace

const ThemeElement* themeElement(int index) {
    if (index < 1 || index > kThemeElementCount)
        return nullptr;
    return &kTable[std::size_t(index - 1)];
}

StyleValue GetStyleValue(std::uint8_t look, int index) {
    const int column = (look & 0x7F) - 1;
    const ThemeElement* element = themeElement(index);
    if (column < 0 || column > 4 || !element)
        return StyleValue{};
    const ThemeValue& v = element->values[std::size_t(column)];
    return StyleValue{v.number, element->kind, v.bitmap};
}

bool GetStyleBool(SkinUIStyle look, int index) {
    const auto v = GetStyleValue(look, index);
    return v.kind == ThemeElementKind::Boolean && v.value != 0;
}

SkinColor GetStyleColor(SkinUIStyle look, int index) {
    const auto v = GetStyleValue(look, index);
    return v.kind == ThemeElementKind::Color ? SkinColor(v.value) : 0;
}

std::int32_t GetStyleInteger(SkinUIStyle look, int index) {
    const auto v = GetStyleValue(look, index);
    return v.kind == ThemeElementKind::Integer ? v.value : -1;
}

std::string_view GetStyleBitmapName(SkinUIStyle look, int index) {
    const auto v = GetStyleValue(look, index);
    return v.kind == ThemeElementKind::Bitmap ? v.bitmap : std::string_view{};
}

std::pair<bool, SkinUIStyle> UsingFileTheme(bool themeFileUsable, SkinUIStyle look) {
    if (look != SkinUIStyle::FromThemeFile)
        return {false, look};
    if (themeFileUsable)
        return {true, SkinUIStyle::FromThemeFile};
    return {false, SkinUIStyle::DeepBlue};
}

bool FileThemeBool(const SkinThemeFileReader* reader, int index) {
    const ThemeElement* element = themeElement(index);
    return reader && element && reader->byteValue(element->name) != 0;
}

SkinColor FileThemeColor(const SkinThemeFileReader* reader, int index) {
    const ThemeElement* element = themeElement(index);
    return reader && element ? SkinColor(reader->integer(element->name)) : 0;
}

std::int32_t FileThemeInteger(const SkinThemeFileReader* reader, int index) {
    const ThemeElement* element = themeElement(index);
    return reader && element ? reader->integer(element->name) : 0;
}

} // namespace trvx
