// Reading GIF files: header, blocks, extensions, frame fields and the errors.

#include "controls/wide/GifImage.h"
#include "controls_wide/GifTestEncoder.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::Rgb;

const std::vector<Rgb> kFour{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
const Bytes kPixels4x2{0, 1, 2, 3, 3, 2, 1, 0};

GifBuilder fourColorScreen() {
    return std::move(GifBuilder().header(4, 2, kFour, 2));
}

class ToleranceGuard {
public:
    explicit ToleranceGuard(bool on) { setTolerateCorruptGif(on); }
    ~ToleranceGuard() { setTolerateCorruptGif(true); }
};

TEST(GifImageTest, LoadsHeaderFrameAndPixels) {
    const Bytes file = fourColorScreen().image(0, 0, 4, 2, kPixels4x2).trailer().bytes();
    GifImage image;
    int changes = 0;
    image.setOnChange([&] { ++changes; });
    ASSERT_EQ(image.load(file), std::nullopt);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(image.version(), 2);
    EXPECT_EQ(image.screenWidth(), 4);
    EXPECT_EQ(image.screenHeight(), 2);
    EXPECT_EQ(image.bitsPerPixel(), 2);
    EXPECT_EQ(image.backgroundColor(), GifColor(0x00FF00)); // green, index 2
    EXPECT_EQ(image.frameCount(), 1);
    EXPECT_EQ(image.frameIndex(), 0);
    EXPECT_FALSE(image.looping());
    EXPECT_EQ(image.repeatCount(), 1);
    EXPECT_FALSE(image.transparent());

    const GifFrame& frame = image.frame(0);
    ASSERT_TRUE(frame.bitmap.has_value()); // frame 0 decoded during the load
    EXPECT_EQ(frame.bitmap->pixels, kPixels4x2);
    EXPECT_EQ(frame.bitmap->depth, 4);
    EXPECT_EQ(frame.bitmap->colorAt(1, 0), GifColor(0x0000FF)); // red
    EXPECT_EQ(frame.bitmap->palette[4], GifColor(0x808080));    // past the table
    EXPECT_EQ(image.width(), 4);
    EXPECT_EQ(image.height(), 2);
}

TEST(GifImageTest, HeaderChecks) {
    struct Case {
        const char* signature;
        std::optional<std::string> error;
        int version;
    };
    const Case cases[] = {
        {"GIF89a", std::nullopt, 2},          {"GIF87a", std::nullopt, 1},
        {"gif89A", std::nullopt, 2}, // compared without regard to case
        {"GIF88a", "Unknown GIF version", 0}, {"PNG89a", "Unknown GIF version", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signature);
        GifImage image;
        const Bytes file =
            GifBuilder().header(4, 2, kFour, 0, c.signature).image(0, 0, 4, 2, kPixels4x2).bytes();
        EXPECT_EQ(image.load(file), c.error);
        EXPECT_EQ(image.version(), c.version);
        EXPECT_EQ(image.frameCount(), c.error ? 0 : 1);
    }
}

TEST(GifImageTest, TruncatedHeaderOrTableIsAReadError) {
    const Bytes good = fourColorScreen().image(0, 0, 4, 2, kPixels4x2).bytes();
    for (std::size_t size : {1u, 5u, 6u, 12u, 13u, 24u}) {
        SCOPED_TRACE(size);
        GifImage image;
        EXPECT_EQ(image.load(Bytes(good.begin(), good.begin() + size)), "Stream read error");
        EXPECT_EQ(image.frameCount(), 0);
    }
    {
        // Header and table complete, nothing after them: a picture without frames.
        GifImage image;
        EXPECT_EQ(image.load(Bytes(good.begin(), good.begin() + 25)), std::nullopt);
        EXPECT_EQ(image.frameCount(), 0);
        EXPECT_TRUE(image.empty());
    }
    GifImage image;
    EXPECT_EQ(image.load({}), std::nullopt); // nothing to read is an empty picture
    EXPECT_TRUE(image.empty());
}

TEST(GifImageTest, BlockStructure) {
    // No trailer: every frame is still read.
    {
        GifImage image;
        const Bytes file =
            fourColorScreen().image(0, 0, 4, 2, kPixels4x2).image(0, 0, 4, 2, kPixels4x2).bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.frameCount(), 2);
    }
    // Zero bytes between blocks are passed over.
    {
        GifImage image;
        const Bytes file = fourColorScreen()
                               .raw({0, 0})
                               .control(1, 5)
                               .raw({0})
                               .image(0, 0, 4, 2, kPixels4x2)
                               .raw({0, 0, 0})
                               .image(0, 0, 4, 2, kPixels4x2)
                               .trailer()
                               .bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.frameCount(), 2);
        EXPECT_EQ(image.frame(0).delayMs, 50);
    }
    // A frame of width and height 0 takes the screen's size.
    {
        GifImage image;
        const Bytes file = fourColorScreen().image(1, 1, 0, 0, kPixels4x2).bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.frame(0).width, 4);
        EXPECT_EQ(image.frame(0).height, 2);
        EXPECT_EQ(image.frame(0).left, 1);
    }
    // Anything but "!", "," or ";" after a frame ends the reading quietly.
    {
        GifImage image;
        const Bytes file = fourColorScreen()
                               .image(0, 0, 4, 2, kPixels4x2)
                               .raw({'x'})
                               .image(0, 0, 4, 2, kPixels4x2)
                               .bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.frameCount(), 1);
    }
}

TEST(GifImageTest, CommentsBeforeTheTrailerBecomeTheImageComment) {
    GifImage image;
    const Bytes file = fourColorScreen()
                           .image(0, 0, 4, 2, kPixels4x2)
                           .comment({"made by", "hand"})
                           .comment({"twice"})
                           .trailer()
                           .bytes();
    ASSERT_EQ(image.load(file), std::nullopt);
    EXPECT_EQ(image.comment(), (std::vector<std::string>{"made by", "hand", "\r\n\r\n", "twice"}));
}

TEST(GifImageTest, StraySeparatorFailsAndLeavesTheImageEmpty) {
    // A stray byte where a block should start, once nothing is collected.
    GifImage image;
    const Bytes file =
        fourColorScreen().image(0, 0, 4, 2, kPixels4x2).control(1, 5).raw({'x', 0}).bytes();
    EXPECT_EQ(image.load(file), "Stream read error");
    EXPECT_EQ(image.frameCount(), 0);
    EXPECT_EQ(image.frameIndex(), -1);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.screenWidth(), 0);
}

TEST(GifImageTest, FailedLoadKeepsNoFramesAndFiresNoChange) {
    GifImage image;
    int changes = 0;
    image.setOnChange([&] { ++changes; });
    ASSERT_EQ(image.load(fourColorScreen().image(0, 0, 4, 2, kPixels4x2).bytes()), std::nullopt);
    ASSERT_EQ(changes, 1);

    const Bytes file = fourColorScreen()
                           .image(0, 0, 4, 2, kPixels4x2)
                           .image(0, 0, 4, 2, kPixels4x2)
                           .raw({'!', 0x22, 0})
                           .bytes();
    EXPECT_EQ(image.load(file), "Unrecognized extension block: 22");
    EXPECT_EQ(image.frameCount(), 0);
    EXPECT_EQ(image.frameIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST(GifImageTest, NoColourTableFailsOnTheFirstFrame) {
    GifImage image;
    const Bytes file = GifBuilder().header(4, 2).image(0, 0, 4, 2, kPixels4x2).trailer().bytes();
    EXPECT_EQ(image.load(file), "Wrong number of colors; must be a power of 2");
    EXPECT_EQ(image.frameCount(), 0);
    // Without decoding at once the frame is kept and fails when it is first used.
    ASSERT_EQ(image.load(file, false), std::nullopt);
    ASSERT_EQ(image.frameCount(), 1);
    EXPECT_EQ(image.decodeFrame(0), "Wrong number of colors; must be a power of 2");
    EXPECT_EQ(image.width(), 0);
}

TEST(GifImageTest, LocalTableReplacesTheGlobalOne) {
    GifImage image;
    const std::vector<Rgb> local{{1, 2, 3}, {4, 5, 6}};
    const Bytes file = fourColorScreen().image(0, 0, 2, 1, {1, 0}, false, local).trailer().bytes();
    ASSERT_EQ(image.load(file), std::nullopt);
    const GifFrame& frame = image.frame(0);
    EXPECT_TRUE(frame.localColors);
    EXPECT_EQ(frame.bitsPerPixel, 1);
    EXPECT_EQ(frame.bitmap->depth, 1);
    EXPECT_EQ(frame.bitmap->colorAt(0, 0), GifColor(0x060504));
    EXPECT_EQ(frame.bitmap->colorAt(1, 0), GifColor(0x030201));
}

TEST(GifImageTest, GraphicControlRules) {
    // Two extensions before one image: transparency and disposal from the second, the larger
    // delay of the two.
    {
        GifImage image;
        const Bytes file =
            fourColorScreen().control(3, 20, 1).control(2, 7).image(0, 0, 4, 2, kPixels4x2).bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        const GifFrame& frame = image.frame(0);
        EXPECT_EQ(frame.transparentColor, std::nullopt);
        EXPECT_EQ(frame.disposal, 2);
        EXPECT_EQ(frame.delayMs, 200);
        EXPECT_EQ(frame.extensions.size(), 2u);
    }
    // An index not below the table's count leaves the transparent colour as it was.
    {
        GifImage image;
        const Bytes file = fourColorScreen()
                               .control(1, 5, 3)
                               .control(1, 5, 200)
                               .image(0, 0, 4, 2, kPixels4x2)
                               .bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.frame(0).transparentColor, GifColor(0xFF0000));
        EXPECT_TRUE(image.transparent());
    }
    // A plain-text extension drops the extensions collected before it.
    {
        GifImage image;
        const Bytes file =
            fourColorScreen().control(2, 5, 1).plainText().image(0, 0, 4, 2, kPixels4x2).bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_TRUE(image.frame(0).extensions.empty());
        EXPECT_EQ(image.frame(0).disposal, 0);
        EXPECT_EQ(image.frame(0).transparentColor, std::nullopt);
    }
    // Delays: hundredths become milliseconds; what does not fit 16 bits is held at the maximum.
    for (auto [cs, ms] : {std::pair{5, 50}, {0, 0}, {6553, 65530}, {6554, 65535}, {65535, 65535}}) {
        GifImage image;
        ASSERT_EQ(
            image.load(fourColorScreen().control(1, cs).image(0, 0, 4, 2, kPixels4x2).bytes()),
            std::nullopt);
        EXPECT_EQ(image.frame(0).delayMs, ms) << cs;
    }
}

TEST(GifImageTest, ExtensionHeadersAreReadByTheirBlockSize) {
    // A graphic control block one byte longer than usual: its fields still count, and the
    // extra byte is not taken for the terminator.
    {
        GifImage image;
        const Bytes file = fourColorScreen()
                               .raw({'!', 0xF9, 5, 0x05, 7, 0, 2, 0x77, 0})
                               .image(0, 0, 4, 2, kPixels4x2)
                               .bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        ASSERT_EQ(image.frameCount(), 1);
        EXPECT_EQ(image.frame(0).disposal, 1);
        EXPECT_EQ(image.frame(0).delayMs, 70);
        EXPECT_EQ(image.frame(0).transparentColor, GifColor(0x00FF00));
    }
    // One too short to hold its fields is passed over.
    {
        GifImage image;
        const Bytes file =
            fourColorScreen().raw({'!', 0xF9, 2, 0x05, 7, 0}).image(0, 0, 4, 2, kPixels4x2).bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        ASSERT_EQ(image.frameCount(), 1);
        EXPECT_TRUE(image.frame(0).extensions.empty());
        EXPECT_EQ(image.frame(0).delayMs, 0);
    }
    // A data sub-block of an application extension running past the end.
    {
        GifImage image;
        const Bytes file = fourColorScreen()
                               .image(0, 0, 4, 2, kPixels4x2)
                               .raw({'!', 0xFF, 11})
                               .raw(std::string("NETSCAPE2.0"))
                               .raw({9, 1, 2})
                               .bytes();
        EXPECT_EQ(image.load(file), "Stream read error");
        EXPECT_EQ(image.frameCount(), 0);
    }
}

TEST(GifImageTest, LoopExtension) {
    struct Case {
        const char* id;
        int blockSize;
        std::uint8_t subId;
        unsigned count;
        bool looping;
        int repeat;
    };
    const Case cases[] = {
        {"NETSCAPE2.0", 11, 1, 0, true, 0},
        {"NETSCAPE2.0", 11, 1, 40000, true, 30000},
        {"ANIMEXTS1.0", 11, 1, 7, true, 7},
        {"NETSCAPE2.0", 11, 2, 7, false, 1}, // first sub-block does not start with 1
        {"NETSCAPE2.1", 11, 1, 7, false, 1},
        {"NETSCAPE2.0", 3, 1, 7, false, 1}, // "NET" alone is not the loop extension
        {"NETSCAPE2.0", 8, 1, 7, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " size " + std::to_string(c.blockSize));
        GifImage image;
        const Bytes file = fourColorScreen()
                               .loop(c.count, c.id, c.blockSize, c.subId)
                               .image(0, 0, 4, 2, kPixels4x2)
                               .trailer()
                               .bytes();
        ASSERT_EQ(image.load(file), std::nullopt);
        EXPECT_EQ(image.looping(), c.looping);
        EXPECT_EQ(image.repeatCount(), c.repeat);
        EXPECT_EQ(image.frameCount(), 1);
    }
}

TEST(GifImageTest, TruncatedFrameData) {
    const Bytes whole = fourColorScreen().image(0, 0, 4, 2, kPixels4x2).bytes();
    // Cut inside the data sub-block: the frame is kept corrupted, but its data ends without an
    // end code, so decoding it during the load fails.
    const Bytes cut(whole.begin(), whole.end() - 3);
    {
        GifImage image;
        EXPECT_EQ(image.load(cut, false), std::nullopt);
        ASSERT_EQ(image.frameCount(), 1);
        EXPECT_TRUE(image.frame(0).corrupted);
        EXPECT_EQ(image.load(cut), "Stream read error");
        EXPECT_EQ(image.frameCount(), 0);
    }
    {
        ToleranceGuard strict(false);
        GifImage image;
        EXPECT_EQ(image.load(cut, false), "Stream read error");
        EXPECT_EQ(image.frameCount(), 0);
    }
    // Only the terminator is missing: the data is whole and the frame decodes.
    {
        GifImage image;
        const Bytes noTerminator(whole.begin(), whole.end() - 1);
        ASSERT_EQ(image.load(noTerminator), std::nullopt);
        EXPECT_TRUE(image.frame(0).corrupted);
        EXPECT_EQ(image.frame(0).bitmap->pixels, kPixels4x2);
    }
}

TEST(GifImageTest, StoredFormHasALengthPrefix) {
    const Bytes file = fourColorScreen().image(0, 0, 4, 2, kPixels4x2).trailer().bytes();
    Bytes stored{static_cast<std::uint8_t>(file.size()), 0, 0, 0};
    stored.insert(stored.end(), file.begin(), file.end());
    stored.push_back(0xEE); // past the stated length: not read
    GifImage image;
    ASSERT_EQ(image.loadStored(stored), std::nullopt);
    EXPECT_EQ(image.frameCount(), 1);

    Bytes shortStored = stored;
    shortStored[0] = static_cast<std::uint8_t>(file.size() + 2);
    EXPECT_EQ(image.loadStored(shortStored), "Stream read error");
    EXPECT_EQ(image.frameCount(), 0);
    EXPECT_EQ(image.loadStored(Bytes{0, 0, 0, 0}), std::nullopt);
    EXPECT_TRUE(image.empty());
}

} // namespace
} // namespace trvx
