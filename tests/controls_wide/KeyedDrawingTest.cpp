// Keyed drawing: the see-through colour (none, the bottom-left or top-left pixel, a colour, white
// of a monochrome picture), size fall-backs, nothing at all from a picture without pixels, and
// the pictures an image list strip hands out.

#include "controls/wide/KeyedDrawing.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

constexpr std::uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF,
                        D = 0xFF101010; // D: what the destination held

// 2 x 2: red green / blue white.
KeyedPixels picture(bool mono = false) {
    return {2, 2, mono, {R, G, B, W}};
}

KeyedPixels canvas(int w, int h) {
    return {w, h, false, std::vector<std::uint32_t>(std::size_t(w) * h, D)};
}

TEST(KeyedDrawingTest, KeyColourChoices) {
    struct Case {
        const char* name;
        KeySpec key;
        bool mono;
        std::vector<std::uint32_t> expect; // the 2 x 2 destination afterwards
    };
    const Case cases[] = {
        {"none: a plain copy", KeySpec::none(), false, {R, G, B, W}},
        {"bottom-left pixel", KeySpec::bottomLeft(), false, {R, G, D, W}},
        {"top-left pixel", KeySpec::topLeft(), false, {D, G, B, W}},
        {"given colour", KeySpec::color(0x00FF00), false, {R, D, B, W}},
        {"monochrome: white whatever the key", KeySpec::color(0x00FF00), true, {R, G, B, D}},
        {"monochrome without key", KeySpec::none(), true, {R, G, B, W}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyedPixels pic = picture(c.mono);
        auto plan = PlanKeyedDraw(pic, c.key, 0, 0, 2, 2, 0, 0, 2, 2);
        ASSERT_TRUE(plan);
        KeyedPixels dest = canvas(2, 2);
        DrawKeyed(dest, pic, *plan);
        EXPECT_EQ(dest.argb, c.expect);
    }
}

TEST(KeyedDrawingTest, SizesBelowOneFallBackToThePicture) {
    const KeyedPixels pic = picture();
    auto plan = PlanKeyedDraw(pic, KeySpec::none(), 3, 4, 0, -1, 1, 1, 0, 5);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->dw, 2);
    EXPECT_EQ(plan->dh, 2);
    EXPECT_EQ(plan->sx, 0);
    EXPECT_EQ(plan->sy, 0);
    EXPECT_EQ(plan->sw, 2);
    EXPECT_EQ(plan->sh, 2);
}

TEST(KeyedDrawingTest, StretchesByNearestPixelWithoutBlending) {
    const KeyedPixels pic = picture();
    auto plan = PlanKeyedDraw(pic, KeySpec::color(0xFFFFFF), 0, 0, 4, 2, 0, 0, 2, 1);
    ASSERT_TRUE(plan);
    KeyedPixels dest = canvas(4, 2);
    DrawKeyed(dest, pic, *plan);
    EXPECT_EQ(dest.argb, (std::vector<std::uint32_t>{R, R, G, G, R, R, G, G}));

    const KeyedPixels src =
        KeyedSource(pic, *PlanKeyedDraw(pic, KeySpec::bottomLeft(), 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(src.argb, (std::vector<std::uint32_t>{R, G, 0, W}));
}

TEST(KeyedDrawingTest, APictureWithoutPixelsDrawsNothing) {
    EXPECT_FALSE(PlanKeyedDraw(KeyedPixels{}, KeySpec::bottomLeft(), 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(
        PlanKeyedDraw(KeyedPixels{0, 5, false, {}}, KeySpec::none(), 0, 0, 5, 5, 0, 0, 0, 0));
    EXPECT_FALSE(
        PlanKeyedDraw(KeyedPixels{3, 3, false, {R}}, KeySpec::none(), 0, 0, 3, 3, 0, 0, 3, 3))
        << "a size larger than its pixels";
}

// A strip of two 2 x 1 pictures: [red, half-transparent white] [clear, green]. The list hands a
// picture out opaque, its translucent pixels laid over the list's colour; the keyed draw then
// takes the handed-out picture's own top-left pixel as see-through.
TEST(KeyedDrawingTest, ImageListEntriesComeOpaqueOverTheListColour) {
    const KeyedPixels strip{4, 1, false, {R, 0x80FFFFFF, 0x00123456, G}};
    const std::uint32_t back = 0x102030;
    EXPECT_EQ(ImageListEntry(strip, 0, 2, back).argb, (std::vector<std::uint32_t>{R, 0xFF889098}));
    const KeyedPixels second = ImageListEntry(strip, 1, 2, back);
    EXPECT_EQ(second.argb, (std::vector<std::uint32_t>{0xFF102030, G}));
    EXPECT_EQ(second.width, 2);
    EXPECT_EQ(second.height, 1);

    auto plan = PlanKeyedDraw(second, KeySpec::topLeft(), 0, 0, 2, 1, 0, 0, 0, 0);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->key, std::optional<std::uint32_t>(back));

    for (int index : {-1, 2})
        EXPECT_TRUE(ImageListEntry(strip, index, 2, back).argb.empty()) << index;
    EXPECT_TRUE(ImageListEntry(strip, 0, 0, back).argb.empty());
    EXPECT_TRUE(ImageListEntry(strip, 0, 5, back).argb.empty()) << "wider than the strip";
    EXPECT_TRUE(ImageListEntry(KeyedPixels{}, 0, 2, back).argb.empty());
}

} // namespace
} // namespace trvx
