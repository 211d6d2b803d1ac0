// List box item colours and text place; input dialog button places and title font colour.

#include "controls/skinned/InputDialogLayout.h"
#include "controls/skinned/ListBoxLayout.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(ListBoxLayoutTest, ItemColours) {
    const ListColors c{0xFFFFFF, 0x000000, 0x800000, 0xFFFFFE, 0x808080};
    struct Case {
        bool selected, itemDisabled, listEnabled;
        SkinColor brush, text;
    };
    const Case cases[] = {
        {false, false, true, 0xFFFFFF, 0x000000}, {true, false, true, 0x800000, 0xFFFFFE},
        {true, false, false, 0x800000, 0x808080}, // disabled text wins over the selected one
        {false, true, true, 0xFFFFFF, 0x808080},  {true, true, true, 0x800000, 0x808080},
    };
    for (const Case& k : cases) {
        const ListItemPaint p = listItemPaint(c, k.selected, k.itemDisabled, k.listEnabled);
        EXPECT_EQ(p.brush, k.brush) << k.selected << k.itemDisabled << k.listEnabled;
        EXPECT_EQ(p.text, k.text) << k.selected << k.itemDisabled << k.listEnabled;
    }
}

TEST(ListBoxLayoutTest, TextRectAndRings) {
    EXPECT_EQ(listItemTextRect({0, 20, 100, 40}, false), (SkinRect{2, 20, 100, 40}));
    EXPECT_EQ(listItemTextRect({0, 20, 100, 40}, true), (SkinRect{0, 20, 98, 40}));
    const ListBorderRings rings = listBorderRings(50, 30);
    EXPECT_EQ(rings.outer, (SkinRect{0, 0, 50, 30}));
    EXPECT_EQ(rings.inner, (SkinRect{1, 1, 49, 29}));
    EXPECT_EQ(listBorderColor(SkinUIStyle::WinXP),
              GetStyleColor(SkinUIStyle::WinXP, theme::kControlBorderColor));
    EXPECT_EQ(listBorderColor(SkinUIStyle::FromThemeFile),
              GetStyleColor(SkinUIStyle::DeepBlue, theme::kControlBorderColor));
}

TEST(InputDialogLayoutTest, ButtonsAreCentredAsAPair) {
    const InputButtonLefts l = inputDialogButtonLefts(254, 73);
    EXPECT_EQ(l.ok, 46);
    EXPECT_EQ(l.cancel, 135);
    EXPECT_EQ(inputDialogButtonLefts(255, 73).ok, 46); // half width, fraction dropped
}

TEST(InputDialogLayoutTest, CaptionFontColour) {
    EXPECT_EQ(inputCaptionFontColor(SkinUIStyle::MacOS), 0x000000u);
    for (SkinUIStyle look : {SkinUIStyle::WinXP, SkinUIStyle::DeepBlue, SkinUIStyle::Protein,
                             SkinUIStyle::BlueGlass, SkinUIStyle::FromThemeFile}) {
        EXPECT_EQ(inputCaptionFontColor(look), 0xFFFFFFu);
    }
    using enum SkinUIStyle;
    EXPECT_EQ(inputCaptionFontColor(FromThemeFile, true, 0x123456, 0), 0x123456u);
    EXPECT_EQ(inputCaptionFontColor(FromThemeFile, true, -1, 0x30000), 0x000000u);
    EXPECT_EQ(inputCaptionFontColor(FromThemeFile, true, -1, 0x20000), 0xFFFFFFu);
}

} // namespace
} // namespace trvx
