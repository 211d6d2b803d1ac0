// The shipped skin resources against what the program reads: every picture at its size and
// format, the busy spinner readable by our own GIF reader, every layout key of every language
// set present and numeric, and the layout keeping its buttons on the window.
#include "base/Resources.h"
#include "controls/wide/GifImage.h"
#include "skin/DialogLayout.h"
#include "skin/GeneralSettings.h"
#include "skin/LayoutKeys.h"
#include "skin/LayoutText.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace trvx {
namespace {

constexpr int kRgba = 6, kRgb = 2;

struct ImageSpec {
    std::string name;
    int width;
    int height;
    int colorType = kRgba;
    bool interlaced = false;
};

std::vector<ImageSpec> skinImages() {
    std::vector<ImageSpec> all;
    for (int n = 1; n <= 3; ++n) {
        const std::string s = "L" + std::to_string(n) + "_";
        all.push_back({s + "BackGround", 1030, 660, kRgba, true});
        all.push_back({s + "Back1", 680, 380, kRgba, true});
        all.push_back({s + "Back2", 850, 374});
        all.push_back({s + "Back3", 800, 374});
        all.push_back({s + "Back4", 850, 374});
        all.push_back({s + "Back5", 720, 650});
    }
    const std::array<std::tuple<const char*, int, int>, 8> states = {{{"BtnS", 100, 30},
                                                                      {"SetS", 100, 30},
                                                                      {"KeyS", 150, 30},
                                                                      {"ExitS", 34, 35},
                                                                      {"MiniS", 34, 33},
                                                                      {"WebS", 200, 66},
                                                                      {"MacroS", 110, 27},
                                                                      {"MacroBtnS", 44, 27}}};
    for (const auto& [stem, w, h] : states)
        for (const char* s : {"_01", "_02", "_03"})
            all.push_back({std::string(stem) + s, w, h});
    for (const char* s : {"_D", "_E"}) {
        all.push_back({std::string("CbS") + s, 16, 16});
        all.push_back({std::string("RdS") + s, 15, 15});
        all.push_back({std::string("Bar1") + s, 26, 18});
        all.push_back({std::string("Bar2") + s, 20, 16});
    }
    all.push_back({"Col_F", 18, 18});
    for (int g = 1; g <= 7; ++g)
        for (const char* s : {"_01", "_02"})
            all.push_back({"Gun" + std::to_string(g) + s, 120, 56});
    all.push_back({"GunMode1", 42, 42});
    all.push_back({"GunMode3", 42, 42});
    all.push_back({"GunMode2", 52, 52});
    all.push_back({"GunMode4", 52, 52});
    all.push_back({"GunMode5", 62, 62});
    for (const char* base : {"InsertDelayBase", "InsertKeyBase", "InsertXYBase"})
        all.push_back({base, 207, 162});
    all.push_back({"Update", 540, 102});
    all.push_back({"Msg", 530, 200, kRgb});
    all.push_back({"ImageList1", 200, 20});
    return all;
}

std::uint32_t bigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Decodes a whole PNG to RGBA through libpng; empty on any failure.
std::vector<std::uint8_t> decodeRgba(std::span<const std::uint8_t> data, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    w = int(image.width);
    h = int(image.height);
    return pixels;
}

TEST(SkinResources, EveryImageHasItsSizeAndFormatAndDecodes) {
    const auto images = skinImages();
    EXPECT_EQ(images.size(), 76u);
    for (const ImageSpec& spec : images) {
        SCOPED_TRACE(spec.name);
        const auto data = resource(spec.name);
        ASSERT_GT(data.size(), 33u);
        const std::array<std::uint8_t, 8> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        ASSERT_TRUE(std::equal(signature.begin(), signature.end(), data.begin()));
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(data.data() + 12), 4), "IHDR");
        EXPECT_EQ(int(bigEndian(data.data() + 16)), spec.width);
        EXPECT_EQ(int(bigEndian(data.data() + 20)), spec.height);
        EXPECT_EQ(data[24], 8); // bit depth
        EXPECT_EQ(int(data[25]), spec.colorType);
        EXPECT_EQ(data[28] == 1, spec.interlaced);
        int w = 0, h = 0;
        EXPECT_FALSE(decodeRgba(data, w, h).empty());
        EXPECT_EQ(w, spec.width);
    }
}

// The window is see-through exactly outside its rounded frame: only corner pixels hold the
// key colour, every one of them fully opaque, and the frame's inside never does.
TEST(SkinResources, BackgroundsAreSeeThroughOnlyOutsideTheFrame) {
    for (const char* name : {"L1_BackGround", "L2_BackGround"}) {
        SCOPED_TRACE(name);
        int w = 0, h = 0;
        const auto px = decodeRgba(resource(name), w, h);
        ASSERT_EQ(w, 1030);
        ASSERT_EQ(h, 660);
        auto isKey = [&](int x, int y) {
            const std::uint8_t* p = &px[(std::size_t(y) * w + x) * 4];
            return p[0] == 128 && p[1] == 0 && p[2] == 0 && p[3] == 255;
        };
        int keyed = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                EXPECT_EQ(px[(std::size_t(y) * w + x) * 4 + 3], 255) << x << "," << y;
                if (!isKey(x, y))
                    continue;
                ++keyed;
                const bool inCorner = (x < 20 || x >= w - 20) && (y < 20 || y >= h - 20);
                ASSERT_TRUE(inCorner) << "key colour inside the frame at " << x << "," << y;
            }
        EXPECT_TRUE(isKey(0, 0) && isKey(w - 1, 0) && isKey(0, h - 1) && isKey(w - 1, h - 1));
        EXPECT_FALSE(isKey(20, 0)); // the edges between the corners belong to the frame
        EXPECT_GT(keyed, 4 * 40);
    }
}

// The script lists make each icon's top-left colour see-through: every icon of the strip stands
// on an opaque corner of the window's key colour and shows a glyph in other colours. The six
// kinds of line have icons of their own; the digits no line is written with share a marker.
TEST(SkinResources, ScriptIconsHaveTheKeyColourInTheirCornerAndAGlyphEach) {
    int w = 0, h = 0;
    const auto px = decodeRgba(resource("ImageList1"), w, h);
    ASSERT_EQ(w, 200);
    ASSERT_EQ(h, 20);
    std::set<std::vector<std::uint8_t>> distinct;
    for (int icon = 0; icon < 10; ++icon) {
        SCOPED_TRACE(icon);
        std::vector<std::uint8_t> pixels;
        int glyph = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const std::uint8_t* p = &px[(std::size_t(y) * w + icon * 20 + x) * 4];
                pixels.insert(pixels.end(), p, p + 4);
                glyph += p[3] == 255 && !(p[0] == 128 && p[1] == 0 && p[2] == 0);
            }
        EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 4),
                  (std::vector<std::uint8_t>{128, 0, 0, 255}));
        EXPECT_GT(glyph, 20 * 20 / 2);
        distinct.insert(pixels);
    }
    EXPECT_EQ(distinct.size(), 7u);
}

TEST(SkinResources, BusySpinnerDecodesWithOurReader) {
    GifImage gif;
    ASSERT_EQ(gif.load(resource("WaitGif")), std::nullopt);
    EXPECT_EQ(gif.version(), 2);
    EXPECT_EQ(gif.screenWidth(), 200);
    EXPECT_EQ(gif.screenHeight(), 192);
    EXPECT_EQ(gif.globalPalette().count, 256);
    EXPECT_TRUE(gif.looping());
    EXPECT_EQ(gif.repeatCount(), 0);
    ASSERT_EQ(gif.frameCount(), 12);
    const GifColor white = 0xFFFFFF;
    std::set<std::vector<std::uint8_t>> distinct;
    for (int i = 0; i < gif.frameCount(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(gif.decodeFrame(i), std::nullopt);
        const GifFrame& f = gif.frame(i);
        EXPECT_FALSE(f.corrupted);
        EXPECT_EQ(f.left, 0);
        EXPECT_EQ(f.top, 0);
        EXPECT_EQ(f.delayMs, 50);
        EXPECT_EQ(f.disposal, 1);
        EXPECT_EQ(f.transparentColor, std::optional<GifColor>(white));
        ASSERT_TRUE(f.bitmap.has_value());
        EXPECT_EQ(f.bitmap->width, 200);
        EXPECT_EQ(f.bitmap->height, 192);
        // The ground is see-through; the ring has pixels of other colours, none of them black,
        // the busy window's own key colour.
        EXPECT_EQ(f.bitmap->colorAt(0, 0), white);
        int ring = 0;
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 200; ++x) {
                const GifColor c = f.bitmap->colorAt(x, y);
                EXPECT_NE(c, 0u);
                ring += c != white;
            }
        EXPECT_GT(ring, 12 * 200);
        distinct.insert(f.bitmap->pixels);
    }
    EXPECT_EQ(distinct.size(), 12u); // every frame shows the ring turned one step further
}

// ---- layout texts ----------------------------------------------------------------------------

bool isColorKey(const std::string& key) {
    return key.size() > 2 && key.compare(0, 6, "Color_") == 0;
}

TEST(SkinResources, EveryLayoutKeyReadExistsAndConvertsInEverySet) {
    auto keys = AllLayoutPassKeys();
    ASSERT_GT(keys.size(), 600u);
    for (const DialogLayoutKeys* dialog : {&kInputDialogLayoutKeys, &kCombinationDialogLayoutKeys})
        for (std::string& key : DialogLayoutKeyNames(*dialog))
            keys.push_back(std::move(key));
    for (const char* set : {"org1", "org2", "org3"}) {
        SCOPED_TRACE(set);
        const auto section = ReadLayoutSection(set);
        ASSERT_TRUE(section.ok()) << section.error;
        for (const std::string& key : keys) {
            const auto value = section->ReadInteger(key);
            ASSERT_TRUE(value.ok()) << key << ": " << value.error;
            if (isColorKey(key) || key.find("_Lable_R") != std::string::npos ||
                key.find("_Lable_G") != std::string::npos ||
                key.find("_Lable_B") != std::string::npos) {
                EXPECT_GE(*value, 0) << key;
                EXPECT_LE(*value, 255) << key;
            }
            if (key.compare(0, 5, "Size_") == 0 || key.ends_with("_Size")) {
                EXPECT_GE(*value, 8) << key;
            }
            if (key.ends_with("_Enable")) {
                EXPECT_TRUE(*value == 0 || *value == 1) << key;
            }
        }
    }
}

TEST(SkinResources, LayoutFamiliesRunInPassOrder) {
    std::vector<std::string_view> names;
    for (const LayoutFamily& f : LayoutPassFamilies())
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string_view>{"A", "B", "C", "G", "D", "E", "F", "I", "J",
                                                    "Labels"}));
    // A member's position follows its switch, so a disabled member's position is never read.
    const auto& c = LayoutPassFamilies()[2].keys;
    const auto at = std::find(c.begin(), c.end(), "Key2_Enable");
    ASSERT_NE(at, c.end());
    EXPECT_EQ(*(at + 1), "Key2_X");
    EXPECT_EQ(*(at + 3), "Key_Width");
}

TEST(SkinResources, GeneralSettingsAsShipped) {
    const auto settings = LoadOrgSettings();
    ASSERT_TRUE(settings.ok()) << settings.error;
    EXPECT_TRUE(settings->WebEnable);
    EXPECT_EQ(settings->WebAddress, "https://example.com/");
    EXPECT_GE(settings->WebX, 1030); // the link exists but lies outside the window
    EXPECT_EQ(settings->RevManuID, 0);
    EXPECT_EQ(settings->RevProID, 0);
    EXPECT_EQ(settings->PCMacroFolder, "");
    EXPECT_EQ(settings->Gun6Num, 2);
    EXPECT_EQ(settings->Gun7Num, 3);
    const auto org = ReadLayoutSection("org");
    ASSERT_TRUE(org.ok());
    for (const std::string& key : OrgSettingKeys().keys)
        EXPECT_TRUE(org->ReadInteger(key).ok()) << key;
    for (const std::string& key : OrgTextKeys())
        EXPECT_TRUE(org->Has(key)) << key;
}

// Everything a set switches on sits wholly on the 1030 x 660 window, with its picture's size.
TEST(SkinResources, EnabledButtonsAndPanelsLieOnTheWindow) {
    struct Member {
        std::string stem;
        int w, h;
    };
    std::vector<Member> members = {{"Btn_A2", 100, 30},
                                   {"Btn_A3", 100, 30},
                                   {"Btn_A5", 100, 30},
                                   {"Btn_A6", 34, 33},
                                   {"Btn_A4", 34, 35}};
    for (const char* b : {"Btn_B1", "Btn_B2", "Btn_B3", "Btn_B4", "Btn_B5", "Btn_B11", "Btn_B12",
                          "Btn_B6", "Btn_B7", "Btn_B8", "Btn_B9", "Btn_B10"})
        members.push_back({b, 100, 30});
    for (int n = 1; n <= 12; ++n)
        members.push_back({"Key" + std::to_string(n), 150, 30});
    for (int n = 1; n <= 8; ++n)
        members.push_back({"ComboKey" + std::to_string(n), 16, 16});
    const std::array<std::tuple<const char*, int, int>, 6> panels = {{{"P1", 680, 380},
                                                                      {"P2", 850, 374},
                                                                      {"P3", 800, 374},
                                                                      {"P4", 850, 374},
                                                                      {"P5", 540, 102},
                                                                      {"P6", 720, 650}}};
    for (const char* set : {"org1", "org2", "org3"}) {
        SCOPED_TRACE(set);
        const auto section = ReadLayoutSection(set);
        ASSERT_TRUE(section.ok());
        auto value = [&](const std::string& key) {
            return section->ReadInteger(key).value.value_or(-1);
        };
        auto onWindow = [](int x, int y, int w, int h) {
            return x >= 0 && y >= 0 && x + w <= 1030 && y + h <= 660;
        };
        int shown = 0;
        for (const Member& m : members) {
            if (value(m.stem + "_Enable") != 1)
                continue;
            ++shown;
            EXPECT_TRUE(onWindow(value(m.stem + "_X"), value(m.stem + "_Y"), m.w, m.h)) << m.stem;
        }
        EXPECT_GT(shown, 25);
        for (const auto& [stem, w, h] : panels)
            EXPECT_TRUE(
                onWindow(value(std::string(stem) + "_X"), value(std::string(stem) + "_Y"), w, h))
                << stem;
        // every language set offers the switch to each of the three
        EXPECT_EQ(value("Btn_B8_Enable"), 1);
        EXPECT_EQ(value("Btn_B9_Enable"), 1);
        EXPECT_EQ(value("Btn_B10_Enable"), 1);
    }
}

// The small dialogs are their 530 x 200 "Msg" picture: a title band above y 36, the edit's panel
// down to y 151, the button band below it. Every set keeps each part of each kind in its band,
// the two buttons (100 x 30) apart, the close button (34 x 35) in the title band's right end, and
// the combination dialog's check boxes in one row between its edit and its buttons.
TEST(SkinResources, DialogPartsSitOnTheirBandsOfTheArt) {
    struct Box {
        int x, y, w, h;
    };
    auto inside = [](const Box& b, int top, int bottom) {
        return b.x >= 0 && b.x + b.w <= 530 && b.y >= top && b.y + b.h <= bottom;
    };
    for (const char* set : {"org1", "org2", "org3"}) {
        const auto section = ReadLayoutSection(set);
        ASSERT_TRUE(section.ok());
        for (const DialogLayoutKeys* kind :
             {&kInputDialogLayoutKeys, &kCombinationDialogLayoutKeys}) {
            SCOPED_TRACE(std::string(set) + " " + std::string(kind->title));
            const auto layout = ReadDialogLayout(*section, *kind);
            ASSERT_TRUE(layout.ok()) << layout.where;
            // Text heights: a line is about 1.6 times its size in points at 96 dots an inch.
            auto box = [](DialogPoint at, int w, int h) { return Box{at.x, at.y, w, h}; };
            const Box title = box(layout->title, 200, layout->TitleFontSize() * 16 / 10);
            const Box edit =
                box(layout->edit, layout->editWidth, layout->EditFontSize() * 16 / 10 + 12);
            const Box confirm = box(layout->confirm, 100, 30);
            const Box clear = box(layout->clear, 100, 30);
            const Box close = box(layout->close, 34, 35);
            EXPECT_TRUE(inside(title, 0, 36) && title.x >= 4) << "title";
            EXPECT_TRUE(inside(edit, 37, 151)) << "edit";
            EXPECT_GE(edit.w, 200) << "the longest key name fits";
            EXPECT_TRUE(inside(confirm, 152, 200)) << "Confirm";
            EXPECT_TRUE(inside(clear, 152, 200)) << "Clear";
            EXPECT_TRUE(confirm.x + confirm.w <= clear.x || clear.x + clear.w <= confirm.x);
            EXPECT_TRUE(inside(close, 0, 37) && close.x >= 530 - 34 - 4) << "close";
            EXPECT_LE(title.x + title.w, close.x);
            // A box is its picture and a word: at least 60 pixels wide, one line high.
            const int boxHeight = std::max(16, layout->BoxFontSize() * 16 / 10);
            for (std::size_t i = 0; i < layout->boxes.size(); ++i) {
                const Box b = box(layout->boxes[i], 60, boxHeight);
                EXPECT_TRUE(inside(b, edit.y + edit.h + 4, 151)) << "box " << i;
                EXPECT_EQ(b.y, layout->boxes[0].y) << "box " << i << " stands in the row";
                if (i > 0) {
                    EXPECT_GE(b.x, layout->boxes[i - 1].x + 60) << "box " << i;
                }
            }
        }
    }
}

// WCAG relative luminance of an 8-bit sRGB colour.
double Luminance(int r, int g, int b) {
    auto channel = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
}

// An empty edit is seen only by its border: it must stand out from the edit's face (3:1, what
// a control's outline needs to be made out). The side menu reads the same in every set.
TEST(SkinResources, EditBordersStandOutAndTheSideMenuFontIsTheSameInEverySet) {
    const std::array<std::pair<const char*, const char*>, 3> pairs = {{
        {"Color_D_Border", "Color_D_Back"},
        {"Color_J_Border", "Color_J_Back"},
        {"Color_F_LBorder", "Color_F_LBack"},
    }};
    std::set<int> menuSizes;
    for (const char* set : {"org1", "org2", "org3"}) {
        SCOPED_TRACE(set);
        const auto section = ReadLayoutSection(set);
        ASSERT_TRUE(section.ok());
        auto value = [&](const std::string& key) {
            return section->ReadInteger(key).value.value_or(-1);
        };
        auto luminance = [&](const std::string& stem) {
            return Luminance(value(stem + "_R"), value(stem + "_G"), value(stem + "_B"));
        };
        for (const auto& [border, back] : pairs) {
            const double a = luminance(border), b = luminance(back);
            EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 3.0) << border;
        }
        menuSizes.insert(value("Size_B"));
    }
    EXPECT_EQ(menuSizes.size(), 1u);
}

} // namespace
} // namespace trvx
