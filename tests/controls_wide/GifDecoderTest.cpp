// LZW decoding of frames: code-size growth, clear codes, interlacing, damaged data, limits.

#include "controls/wide/GifImage.h"
#include "controls_wide/GifTestEncoder.h"

#include <gtest/gtest.h>

#include <random>

namespace trvx {
namespace {

using gif_test::BitPacker;
using gif_test::Bytes;
using gif_test::LzwOptions;

GifFrame makeFrame(int width, int height, int bitsPerPixel, Bytes encoded,
                   bool interlaced = false) {
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.bitsPerPixel = bitsPerPixel;
    frame.palette.count = 1 << bitsPerPixel;
    frame.interlaced = interlaced;
    frame.encoded = std::move(encoded);
    return frame;
}

Bytes randomPixels(std::size_t count, int colors, unsigned seed, int runLength = 1) {
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < count) {
        const auto value = static_cast<std::uint8_t>(rng() % colors);
        const int run = 1 + static_cast<int>(rng() % runLength);
        for (int i = 0; i < run && out.size() < count; ++i)
            out.push_back(value);
    }
    return out;
}

class ToleranceGuard {
public:
    explicit ToleranceGuard(bool on) { setTolerateCorruptGif(on); }
    ~ToleranceGuard() { setTolerateCorruptGif(true); }
};

TEST(GifDecoderTest, RoundTripsThroughEveryCodeSize) {
    // Enough pixels to grow the code size to 12 bits, fill the table and clear it again.
    struct Case {
        int bits;
        int width;
        int height;
        int runLength;
        bool leadingClear;
    };
    const Case cases[] = {
        {1, 64, 64, 3, true},   {2, 50, 40, 1, true},  {4, 97, 31, 2, true},  {8, 128, 96, 1, true},
        {8, 200, 192, 9, true}, {3, 33, 17, 1, false}, {8, 64, 64, 1, false}, {1, 1, 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits " << c.width << "x" << c.height
                                        << (c.leadingClear ? "" : " no leading clear"));
        const Bytes pixels =
            randomPixels(std::size_t(c.width) * c.height, 1 << c.bits, 7 + c.bits, c.runLength);
        const int minCodeSize = std::max(2, c.bits);
        GifFrame frame = makeFrame(
            c.width, c.height, c.bits,
            gif_test::subBlocks(
                minCodeSize, gif_test::lzwEncode(pixels, minCodeSize, LzwOptions{c.leadingClear})));
        ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
        ASSERT_TRUE(frame.bitmap);
        EXPECT_EQ(frame.bitmap->pixels, pixels);
        EXPECT_FALSE(frame.corrupted);
    }
}

TEST(GifDecoderTest, CodeSizeGrowsWhenTheTableReachesItsLimit) {
    // Hand-packed codes, minimum code size 2: 3-bit codes until the table reaches entry 7,
    // then 4-bit codes.
    BitPacker bits;
    bits.put(4, 3); // clear
    bits.put(0, 3); // 0
    bits.put(1, 3); // 1            adds 6 = 0 1
    bits.put(6, 3); // 0 1          adds 7 = 1 0; the table reaches 8: 4-bit codes
    bits.put(8, 4); // 0 1 0 (KwK)  adds 8 = 0 1 0
    bits.put(7, 4); // 1 0          adds 9
    bits.put(5, 4); // end
    GifFrame frame = makeFrame(9, 1, 2, gif_test::subBlocks(2, bits.finish()));
    ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
    EXPECT_EQ(frame.bitmap->pixels, (Bytes{0, 1, 0, 1, 0, 1, 0, 1, 0}));
}

TEST(GifDecoderTest, InterlacedRowsFillEveryRowOnce) {
    // Rows are sent in pass order; each sent row carries the number of the row it lands in.
    for (int height = 1; height <= 20; ++height) {
        SCOPED_TRACE(height);
        std::vector<int> order;
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < height; y += step)
                order.push_back(y);
        ASSERT_EQ(int(order.size()), height);
        const int width = 3;
        Bytes sent;
        for (int y : order)
            for (int x = 0; x < width; ++x)
                sent.push_back(static_cast<std::uint8_t>(y));
        GifFrame frame =
            makeFrame(width, height, 8, gif_test::subBlocks(8, gif_test::lzwEncode(sent, 8)), true);
        ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(frame.bitmap->pixels[std::size_t(y) * width + x], y) << "row " << y;
    }
}

TEST(GifDecoderTest, PixelsPastTheLastRowAreIgnored) {
    // Data for 12 pixels into a 2 x 3 frame: decoding stops when the rows are full, with or
    // without an end code after them.
    const Bytes sent{1, 2, 3, 0, 1, 2, 3, 3, 3, 3, 3, 3};
    for (bool endCode : {true, false}) {
        GifFrame frame = makeFrame(
            2, 3, 2, gif_test::subBlocks(2, gif_test::lzwEncode(sent, 2, {true, endCode})));
        ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
        EXPECT_EQ(frame.bitmap->pixels, Bytes(sent.begin(), sent.begin() + 6));
    }
}

TEST(GifDecoderTest, EarlyEndCodeLeavesTheRestZero) {
    GifFrame frame = makeFrame(3, 2, 2, gif_test::subBlocks(2, gif_test::lzwEncode({3, 2}, 2)));
    ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
    EXPECT_EQ(frame.bitmap->pixels, (Bytes{3, 2, 0, 0, 0, 0}));
}

TEST(GifDecoderTest, DataEndingWithoutEndCodeIsAReadError) {
    GifFrame frame = makeFrame(
        4, 4, 2, gif_test::subBlocks(2, gif_test::lzwEncode(Bytes(10, 1), 2, {true, false})));
    EXPECT_EQ(decodeGifFrame(frame), "Stream read error");
    EXPECT_FALSE(frame.bitmap);
}

TEST(GifDecoderTest, CodeSizeOutOfRange) {
    for (int size : {0, 1, 10, 12}) {
        SCOPED_TRACE(size);
        BitPacker bits;
        bits.put(0, 16);
        bits.put(0, 16);
        const Bytes encoded = gif_test::subBlocks(size, bits.finish());
        {
            ToleranceGuard strict(false);
            GifFrame frame = makeFrame(2, 2, 2, encoded);
            EXPECT_EQ(decodeGifFrame(frame), "GIF code size not in range 2 to 9");
        }
        GifFrame frame = makeFrame(2, 2, 2, encoded);
        EXPECT_EQ(decodeGifFrame(frame), std::nullopt);
        EXPECT_TRUE(frame.corrupted);
    }
}

TEST(GifDecoderTest, LoopingCodeChainIsCorrupt) {
    // Code 7 arrives before it exists and becomes the old code, so entry 7 is stored with
    // itself as prefix; asking for 7 again walks that loop.
    BitPacker bits;
    bits.put(4, 3); // clear
    bits.put(0, 3);
    bits.put(7, 3); // not yet in the table: walks from the old code, adds 6
    bits.put(6, 3); // adds 7 = (7, 0); 4-bit codes from here
    bits.put(7, 4);
    bits.put(5, 4);
    const Bytes encoded = gif_test::subBlocks(2, bits.finish());
    {
        ToleranceGuard strict(false);
        GifFrame frame = makeFrame(8, 1, 2, encoded);
        EXPECT_EQ(decodeGifFrame(frame), "GIF encoded data is corrupt");
    }
    GifFrame frame = makeFrame(8, 1, 2, encoded);
    ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
    EXPECT_TRUE(frame.corrupted);
    EXPECT_EQ(frame.bitmap->pixels, (Bytes{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(GifDecoderTest, FirstCodeWithoutClearIsDecodedAsAfterAClear) {
    // The same pixels with and without a leading clear code give the same picture; a table
    // code before any entry exists reads from the initialised table instead of stale memory.
    const Bytes pixels{2, 2, 2, 2, 1, 1, 3, 0};
    GifFrame plain =
        makeFrame(8, 1, 2, gif_test::subBlocks(2, gif_test::lzwEncode(pixels, 2, {false})));
    ASSERT_EQ(decodeGifFrame(plain), std::nullopt);
    EXPECT_EQ(plain.bitmap->pixels, pixels);

    // One bit per pixel with code size 2: root code 3 lies above the pixel mask and is read
    // through the table, whose roots start as themselves with prefix 0.
    BitPacker bits;
    bits.put(3, 3);
    bits.put(3, 3);
    bits.put(5, 3);
    GifFrame early = makeFrame(3, 1, 1, gif_test::subBlocks(2, bits.finish()));
    ASSERT_EQ(decodeGifFrame(early), std::nullopt);
    EXPECT_EQ(early.bitmap->pixels, (Bytes{1, 0, 1}));
}

TEST(GifDecoderTest, DepthAndPaletteFollowTheBitsPerPixel) {
    struct Case {
        int bits;
        int depth;
    };
    for (auto c : {Case{1, 1}, {2, 4}, {3, 4}, {4, 4}, {5, 8}, {8, 8}}) {
        SCOPED_TRACE(c.bits);
        GifFrame frame =
            makeFrame(1, 1, c.bits,
                      gif_test::subBlocks(std::max(2, c.bits),
                                          gif_test::lzwEncode({1}, std::max(2, c.bits))));
        frame.palette.count = 2;
        frame.palette.entries[1] = {0x10, 0x20, 0x30};
        ASSERT_EQ(decodeGifFrame(frame), std::nullopt);
        EXPECT_EQ(frame.bitmap->depth, c.depth);
        ASSERT_EQ(frame.bitmap->palette.size(), std::size_t(1) << c.depth);
        EXPECT_EQ(frame.bitmap->colorAt(0, 0), GifColor(0x302010));
        if (c.depth > 1) {
            EXPECT_EQ(frame.bitmap->palette.back(), GifColor(0x808080));
        }
    }
    GifFrame noTable = makeFrame(1, 1, 0, gif_test::subBlocks(2, gif_test::lzwEncode({1}, 2)));
    EXPECT_EQ(decodeGifFrame(noTable), "Wrong number of colors; must be a power of 2");
}

TEST(GifDecoderTest, FramesLargerThanTheirDataCanFillAreRefused) {
    const Bytes encoded = gif_test::subBlocks(2, gif_test::lzwEncode({1, 2, 3}, 2));
    for (auto [w, h] : {std::pair{65535, 65535}, {4096, 4097}, {4000, 4000}}) {
        GifFrame frame = makeFrame(w, h, 2, encoded);
        EXPECT_EQ(decodeGifFrame(frame), "GIF image is too large") << w << "x" << h;
        EXPECT_FALSE(frame.bitmap);
    }
    // A large frame whose data does fill it is decoded.
    const Bytes pixels(1000 * 1000, 3);
    GifFrame big = makeFrame(1000, 1000, 2, gif_test::subBlocks(2, gif_test::lzwEncode(pixels, 2)));
    ASSERT_EQ(decodeGifFrame(big), std::nullopt);
    EXPECT_EQ(big.bitmap->pixels, pixels);
}

TEST(GifDecoderTest, ReportsProgress) {
    const Bytes pixels = randomPixels(40 * 40, 4, 3);
    GifFrame frame = makeFrame(40, 40, 2, gif_test::subBlocks(2, gif_test::lzwEncode(pixels, 2)));
    std::vector<std::pair<GifProgressStage, int>> seen;
    ASSERT_EQ(decodeGifFrame(frame, [&](GifProgressStage stage, int percent,
                                        std::string_view) { seen.emplace_back(stage, percent); }),
              std::nullopt);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), std::pair(GifProgressStage::Starting, 0));
    EXPECT_EQ(seen.back(), std::pair(GifProgressStage::Ending, 100));
    for (std::size_t i = 2; i + 1 < seen.size(); ++i)
        EXPECT_LE(seen[i - 1].second, seen[i].second);

    std::string message;
    GifFrame broken = makeFrame(4, 4, 2, gif_test::subBlocks(2, {}));
    EXPECT_EQ(decodeGifFrame(broken,
                             [&](GifProgressStage stage, int percent, std::string_view text) {
                                 if (stage == GifProgressStage::Ending && percent == 0)
                                     message = text;
                             }),
              "Stream read error");
    EXPECT_EQ(message, "Stream read error");
}

} // namespace
} // namespace trvx
