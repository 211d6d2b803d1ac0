// The built-in look table and its lookups.

#include "controls/skinned/StyleTable.h"
#include "controls/skinned/SkinFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace trvx {
namespace {

using enum SkinUIStyle;

TEST(StyleTableTest, EveryElementHasANameAndAValuePerLook) {
    std::set<std::string_view> names;
    for (int i = 1; i <= kThemeElementCount; ++i) {
        const ThemeElement* e = themeElement(i);
        ASSERT_NE(e, nullptr) << i;
        EXPECT_TRUE(names.insert(e->name).second) << e->name;
        for (const auto& v : e->values) {
            // Bitmap elements name a resource (three are empty on purpose), others hold numbers.
            const bool emptyBitmap = i == theme::kTitleBarMinimizedImage ||
                                     i == theme::kFormLeftBorderImage ||
                                     i == theme::kFormBottomBorderImage;
            EXPECT_EQ(v.bitmap.empty(), e->kind != ThemeElementKind::Bitmap || emptyBitmap)
                << e->name;
        }
    }
    EXPECT_EQ(themeElement(0), nullptr);
    EXPECT_EQ(themeElement(49), nullptr);
    EXPECT_EQ(themeElement(theme::kButtonImage)->name, "ButtonImage");
    EXPECT_EQ(themeElement(theme::kFormRoundCornerInt)->name, "FormRoundCornerInt");
    EXPECT_EQ(themeElement(theme::kMenuMenuBarColor)->name, "MenuMenuBarColor");
}

TEST(StyleTableTest, TypedLookups) {
    struct Case {
        SkinUIStyle look;
        int index;
        std::int32_t integer;
        SkinColor color;
        bool flag;
        std::string_view bitmap;
    };
    const Case cases[] = {
        {MacOS, theme::kButtonImage, -1, 0, false, "MACOS_BUTTON"},
        {BlueGlass, theme::kButtonTransparentBool, -1, 0, true, ""},
        {WinXP, theme::kButtonTransparentBool, -1, 0, false, ""},
        {Protein, theme::kTitleBarButtonTransparentBool, -1, 0, true, ""},
        {MacOS, theme::kTitleBarButtonRightOffsetInt, -2, 0, false, ""},
        {BlueGlass, theme::kTitleBarButtonRightOffsetInt, -3, 0, false, ""},
        {WinXP, theme::kTitleBarButtonTopInt, 5, 0, false, ""},
        {BlueGlass, theme::kFormMinWidthInt, 270, 0, false, ""},
        {WinXP, theme::kFormRoundCornerInt, 13, 0, false, ""},
        {WinXP, theme::kFormBackgroundColor, -1, 0xDEEBEF, false, ""},
        {WinXP, theme::kFormBorderColor, -1, 0xC82C00, false, ""},
        {DeepBlue, theme::kMenuSelectedBorderColor, -1, 0xA04A44, false, ""},
        {WinXP, theme::kControlFontColor, -1, 0xCF4602, false, ""},
        {Protein, theme::kMenuMenuBarColor, -1, 0xFBFBFB, false, ""},
        {DeepBlue, theme::kScrollButtonImage, -1, 0, false, "MORE_SCROLLBUTTON"},
        {Protein, theme::kScrollButtonImage, -1, 0, false, "MORE_SCROLLBUTTON"},
        {BlueGlass, theme::kScrollButtonImage, -1, 0, false, "MORE_SCROLLBUTTON"},
        {WinXP, theme::kScrollButtonImage, -1, 0, false, "WINXP_SCROLLBUTTON"},
        {DeepBlue, theme::kSideChannelHandleImage, -1, 0, false, "DEEPBLUE_SIDECHENNEL_HANDLE"},
        {WinXP, theme::kScrollBarSliderImage, -1, 0, false, "WINXP_SCROLLBAR_TRACK"},
        {MacOS, theme::kTitleBarMinimizedImage, -1, 0, false, ""},
        {DeepBlue, theme::kFormBottomRoundCornerInt, 0, 0, false, ""},
        // Looks without a column, and elements outside the table: neutral answers.
        {FromThemeFile, theme::kFormMinWidthInt, -1, 0, false, ""},
        {FromThemeFile, theme::kFormBackgroundColor, -1, 0, false, ""},
        {SkinUIStyle(6), theme::kButtonImage, -1, 0, false, ""},
        {DeepBlue, 0, -1, 0, false, ""},
        {DeepBlue, 49, -1, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "look " << int(c.look) << " element " << c.index);
        EXPECT_EQ(GetStyleInteger(c.look, c.index), c.integer);
        EXPECT_EQ(GetStyleColor(c.look, c.index), c.color);
        EXPECT_EQ(GetStyleBool(c.look, c.index), c.flag);
        EXPECT_EQ(GetStyleBitmapName(c.look, c.index), c.bitmap);
    }
}

TEST(StyleTableTest, RawValuesAndTheLookByte) {
    const StyleValue v = GetStyleValue(std::uint8_t(2), theme::kFormBorderColor);
    EXPECT_EQ(v.kind, ThemeElementKind::Color);
    EXPECT_EQ(v.value, 0xC82C00);
    // Only the low seven bits of the look count.
    EXPECT_EQ(GetStyleValue(std::uint8_t(0x82), theme::kFormBorderColor).value, 0xC82C00);
    const StyleValue none = GetStyleValue(std::uint8_t(0x80), theme::kFormBorderColor);
    EXPECT_EQ(none.value, -1);
    EXPECT_EQ(none.kind, ThemeElementKind::Integer);
}

TEST(StyleTableTest, FileThemeFallsBackToDeepBlue) {
    EXPECT_EQ(UsingFileTheme(false, WinXP), std::pair(false, WinXP));
    EXPECT_EQ(UsingFileTheme(true, MacOS), std::pair(false, MacOS));
    EXPECT_EQ(UsingFileTheme(true, FromThemeFile), std::pair(true, FromThemeFile));
    EXPECT_EQ(UsingFileTheme(false, FromThemeFile), std::pair(false, DeepBlue));
    // So a control set to take its look from a file draws as DeepBlue when there is none.
    const auto [fromFile, look] = UsingFileTheme(false, FromThemeFile);
    ASSERT_FALSE(fromFile);
    EXPECT_EQ(GetStyleColor(look, theme::kControlBorderColor),
              GetStyleColor(DeepBlue, theme::kControlBorderColor));
}

TEST(StyleTableTest, FileThemeLookupsGoByElementName) {
    // Header, one integer entry, one byte entry, the terminating entry.
    std::vector<std::uint8_t> b(24);
    std::memcpy(b.data(), "SKINFILE01", 10);
    auto put = [&b](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = std::uint8_t(v >> (8 * i));
    };
    put(12, 24);
    put(20, 24);
    auto entry = [&](const char* name, std::uint8_t kind, std::vector<std::uint8_t> data) {
        const std::size_t at = b.size();
        b.resize(at + 77);
        std::memcpy(b.data() + at, name, std::strlen(name));
        b[at + 64] = kind;
        put(at + 65, std::uint32_t(at + 77));
        put(at + 69, std::uint32_t(data.size()));
        b.insert(b.end(), data.begin(), data.end());
        put(at + 73, std::uint32_t(b.size()));
    };
    entry("FormBorderColor", 1, {0x11, 0x22, 0x33, 0x00});
    entry("ButtonTransparentBool", 2, {1});
    b.resize(b.size() + 77);

    SkinThemeFileReader reader;
    ASSERT_EQ(reader.load(b), std::nullopt);
    EXPECT_EQ(FileThemeColor(&reader, theme::kFormBorderColor), 0x332211u);
    EXPECT_TRUE(FileThemeBool(&reader, theme::kButtonTransparentBool));
    EXPECT_FALSE(FileThemeBool(&reader, theme::kTitleBarButtonTransparentBool));
    EXPECT_EQ(FileThemeInteger(&reader, theme::kFormMinWidthInt), -1); // absent
    EXPECT_EQ(FileThemeInteger(nullptr, theme::kFormMinWidthInt), 0);  // no file
    EXPECT_EQ(FileThemeColor(nullptr, theme::kFormBorderColor), 0u);
    EXPECT_EQ(FileThemeInteger(&reader, 99), 0);
}

} // namespace
} // namespace trvx
