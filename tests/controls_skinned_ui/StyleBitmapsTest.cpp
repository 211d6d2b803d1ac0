#include "controls/skinned/ui/StyleBitmaps.h"
#include "base/Resources.h"
#include "controls/skinned/ui/SkinPainting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace trvx {
namespace {

bool HasKey(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == kSkinKeyColor)
                return true;
    return false;
}

const SkinUIStyle kLooks[] = {SkinUIStyle::MacOS, SkinUIStyle::WinXP, SkinUIStyle::DeepBlue,
                              SkinUIStyle::Protein, SkinUIStyle::BlueGlass};

TEST(StyleBitmaps, EveryBitmapTheTableNamesIsEmbedded) {
    for (int index = 1; index <= kThemeElementCount; ++index) {
        if (themeElement(index)->kind != ThemeElementKind::Bitmap)
            continue;
        for (SkinUIStyle look : kLooks) {
            const std::string_view name = GetStyleBitmapName(look, index);
            if (name.empty())
                continue;
            EXPECT_FALSE(StyleBitmap(name).isNull()) << name;
        }
    }
    for (const char* name :
         {"MACOS_COMBOBOX_BUTTON", "WINXP_COMBOBOX_BUTTON", "MACOS_FORM_BACKGROUND",
          "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR", "MACOS_MENU_SELECT", "MENU_CHECKED"})
        EXPECT_FALSE(StyleBitmap(name).isNull()) << name;
}

// The program's pictures are PNGs: decoding them loads no image plugin (each would bring its
// libraries along at start-up), and bytes that are no PNG give a null image.
TEST(StyleBitmaps, PngBytesAreReadWithoutLoadingImagePlugins) {
    const auto png = resource("MENU_CHECKED");
    ASSERT_FALSE(png.empty());
    const QImage read = DecodePngBytes(reinterpret_cast<const uchar*>(png.data()), png.size());
    EXPECT_FALSE(read.isNull());
    EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32), StyleBitmap("MENU_CHECKED"));
    const std::string gif = "GIF89a";
    EXPECT_TRUE(DecodePngBytes(reinterpret_cast<const uchar*>(gif.data()), gif.size()).isNull());

    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        EXPECT_EQ(line.find("/imageformats/"), std::string::npos) << line;
}

TEST(StyleBitmaps, SizesOfThePicturesTheProgramShows) {
    struct Case {
        const char* name;
        int w, h;
    };
    const Case cases[] = {
        {"WINXP_BUTTON", 54, 21},
        {"DEEPBLUE_BUTTON", 222, 21},
        {"MACOS_BUTTON", 252, 23},
        {"BLUEGLASS_BUTTON", 231, 27},
        {"WINXP_CHECKBOX", 52, 13},
        {"MACOS_CHECKBOX", 60, 17},
        {"BLUEGLASS_CHECKBOX", 52, 13},
        {"MACOS_RADIOBUTTON", 64, 17},
        {"WINXP_COMBOBOX_BUTTON", 16, 18},
        {"MACOS_COMBOBOX_BUTTON", 16, 17},
        {"WINXP_TITLEBTN", 378, 21},
        {"DEEPBLUE_TITLEBTN", 342, 19},
        {"WINXP_TITLE_LEFT", 35, 29},
        {"WINXP_TITLE_CLIENT", 37, 29},
        {"WINXP_TITLE_RIGHT", 35, 29},
        {"PROTEIN_TITLE_CLIENT", 1, 23},
        {"MACOS_TAB", 36, 27},
        {"MACOS_TAB_LINE", 17, 7},
        {"WINXP_TAB_LINE", 8, 1},
        {"MACOS_SCROLLBUTTON", 72, 18},
        {"MORE_SCROLLBUTTON", 72, 17},
        {"WINXP_TRACKBAR_SLIDER_V", 22, 11},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StyleBitmap(c.name).size(), QSize(c.w, c.h)) << c.name;
}

TEST(StyleBitmaps, KeyColourStaysOutOfOpaqueParts) {
    // Pictures drawn opaque, and faces whose edges and middle are keyed whatever the look says.
    for (const char* name :
         {"WINXP_BUTTON", "DEEPBLUE_BUTTON", "WINXP_CHECKBOX", "MACOS_CHECKBOX",
          "BLUEGLASS_CHECKBOX", "DEEPBLUE_CHECKBOX", "WINXP_COMBOBOX_BUTTON",
          "MACOS_COMBOBOX_BUTTON", "WINXP_TITLEBTN", "WINXP_TITLE_LEFT", "WINXP_TITLE_CLIENT",
          "WINXP_TITLE_RIGHT", "MACOS_TAB_LINE", "MACOS_SCROLLBUTTON"}) {
        const QImage img = StyleBitmap(name);
        EXPECT_FALSE(HasKey(img, img.rect())) << name;
    }
    // Masked button looks: only the corner pixels are keyed.
    for (const char* name : {"MACOS_BUTTON", "BLUEGLASS_BUTTON"}) {
        const QImage frame = ExtractBitmapFrame(StyleBitmap(name), 3, 1);
        EXPECT_TRUE(HasKey(frame, QRect(0, 0, 1, 1))) << name;
        EXPECT_FALSE(HasKey(frame, frame.rect().adjusted(1, 1, -1, -1))) << name;
    }
    // Tabs are keyed by their top-left pixel; the stretched middle third holds no key.
    for (int part : {1, 2}) {
        const QImage tab = ExtractBitmapFrame(StyleBitmap("MACOS_TAB"), 2, part);
        EXPECT_EQ(tab.pixel(0, 0) | 0xFF000000u, kSkinKeyColor);
        EXPECT_FALSE(HasKey(tab, QRect(tab.width() / 3, 0, tab.width() / 3, tab.height())));
    }
}

TEST(StyleBitmaps, FramesOfTheLooksDiffer) {
    // Normal, mouse over and pressed must be told apart, as must checked and unchecked.
    const QImage button = StyleBitmap("WINXP_BUTTON");
    EXPECT_NE(ExtractBitmapFrame(button, 3, 1), ExtractBitmapFrame(button, 3, 2));
    EXPECT_NE(ExtractBitmapFrame(button, 3, 1), ExtractBitmapFrame(button, 3, 3));
    const QImage box = StyleBitmap("WINXP_CHECKBOX");
    EXPECT_NE(ExtractBitmapFrame(box, 4, 1), ExtractBitmapFrame(box, 4, 2));
    EXPECT_NE(ExtractBitmapFrame(box, 4, 1), ExtractBitmapFrame(box, 4, 3));
    EXPECT_EQ(StyleElementFrame(SkinUIStyle::FromThemeFile, theme::kButtonImage, 2, 3),
              ExtractBitmapFrame(StyleBitmap("DEEPBLUE_BUTTON"), 3, 2));
    EXPECT_EQ(StyleElementFrame(SkinUIStyle::WinXP, theme::kButtonImage, 0, 0), button);
}

} // namespace
} // namespace trvx
