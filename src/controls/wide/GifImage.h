#pragma once
// Reader of GIF pictures (versions 87a and 89a). The frames stay LZW-encoded as read and are
// decoded into indexed bitmaps the first time they are needed. The program only reads GIF data:
// nothing here encodes or saves one.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// Colour values are laid out 0x00BBGGRR (red in the low byte), like the skin tables.
using GifColor = std::uint32_t;

// The error texts the reader reports.
namespace gif_error {
inline constexpr std::string_view kUnknownVersion = "Unknown GIF version";
inline constexpr std::string_view kWrongColorCount = "Wrong number of colors; must be a power of 2";
inline constexpr std::string_view kCodeSizeRange = "GIF code size not in range 2 to 9";
inline constexpr std::string_view kCorruptData = "GIF encoded data is corrupt";
inline constexpr std::string_view kStreamRead = "Stream read error";
inline constexpr std::string_view kTooLarge = "GIF image is too large";
// "Unrecognized extension block: %.2x" is built with the label.
} // namespace gif_error

// Damaged encoded data marks the frame corrupted instead of failing (process-wide, on).
bool tolerateCorruptGif();
void setTolerateCorruptGif(bool on);

struct GifPalette {
    int count = 0;                                          // 0 to 256
    std::array<std::array<std::uint8_t, 3>, 256> entries{}; // red, green, blue in file order
    GifColor color(int index) const;
};

enum class GifExtensionKind : std::uint8_t {
    GraphicControl = 0,
    PlainText = 1,
    Application = 2,
    Comment = 3
};

struct GifExtension {
    GifExtensionKind kind = GifExtensionKind::Comment;
    std::vector<std::uint8_t> fixed; // block size byte and the block as read, at most 13 bytes
    std::vector<std::string> data;   // one line per data sub-block
};

// A decoded frame: one palette index per pixel, top row first.
struct GifIndexedBitmap {
    int width = 0;
    int height = 0;
    int depth = 0;                    // 1, 4 or 8 bits
    std::vector<GifColor> palette;    // 2^depth colours; entries past the frame's table 0x808080
    std::vector<std::uint8_t> pixels; // width * height indices
    GifColor colorAt(int x, int y) const { return palette[pixels[std::size_t(y) * width + x]]; }
};

enum class GifProgressStage { Starting, Running, Ending };
// Decoding progress: percent of the encoded data consumed; message set when an error ends it.
using GifProgress =
    std::function<void(GifProgressStage stage, int percent, std::string_view message)>;

enum class GifDisposal : std::uint8_t { Unspecified = 0, Leave = 1, Background = 2, Previous = 3 };

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0; // a descriptor width of 0 takes the screen width
    int height = 0;
    bool interlaced = false;
    bool corrupted = false; // damaged data that was tolerated
    bool grayscale = false;
    std::optional<GifColor> transparentColor;
    std::uint16_t delayMs = 0;
    std::uint8_t disposal = 0; // 0 to 7, see GifDisposal
    bool localColors = false;
    std::uint8_t packedFields = 0; // of the image descriptor
    int bitsPerPixel = 0;          // 1 to 8; 0 while no colour table is known
    GifPalette palette;            // the local table or a copy of the global one
    // Minimum code size byte, then the data sub-blocks with their size bytes and terminator.
    std::vector<std::uint8_t> encoded;
    std::vector<GifExtension> extensions;   // graphic control and comment, read before the frame
    std::optional<GifIndexedBitmap> bitmap; // decoded on first use, then kept
};

// Decodes the frame's encoded data into frame.bitmap (unless it is decoded already). Returns an
// error text on failure, leaving the frame without a bitmap.
std::optional<std::string> decodeGifFrame(GifFrame& frame, const GifProgress& progress = {});

class GifImage {
public:
    GifImage() = default;

    // Replaces the whole content with the GIF in `data`; frame 0 is decoded at once when asked.
    // Returns an error text on failure; a failed load leaves the image empty.
    std::optional<std::string> load(std::span<const std::uint8_t> data,
                                    bool decodeFirstFrame = true);
    // The stored form: a 4-byte little-endian length, then that many bytes of GIF data.
    std::optional<std::string> loadStored(std::span<const std::uint8_t> stored);
    void clear();

    int frameCount() const { return static_cast<int>(frames_.size()); }
    const GifFrame& frame(int index) const { return frames_.at(index); }
    GifFrame& frame(int index) { return frames_.at(index); }
    std::optional<std::string> decodeFrame(int index);

    // No frames, or the current frame has neither a bitmap nor encoded data.
    bool empty() const;
    int frameIndex() const { return frameIndex_; }
    int screenWidth() const { return empty() ? 0 : screenWidth_; }
    int screenHeight() const { return empty() ? 0 : screenHeight_; }
    // Size of the current frame's decoded bitmap (decoding it); 0 when there is none.
    int width();
    int height();
    // Palette of the current frame's decoded bitmap (frame 0 when the index is out of range).
    const std::vector<GifColor>* palette();
    // The picture is drawn see-through when any frame has a transparent colour.
    bool transparent() const;
    std::optional<GifColor> backgroundColor() const { return backgroundColor_; }

    int version() const { return version_; } // 0 unknown, 1 "87a", 2 "89a"
    bool looping() const { return looping_; }
    bool corrupted() const { return corrupted_; }
    std::uint16_t repeatCount() const { return repeatCount_; }
    const std::vector<std::string>& comment() const { return comment_; }
    std::uint8_t aspectRatio() const { return aspectRatio_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int colorResolution() const { return colorResolution_; }
    const GifPalette& globalPalette() const { return globalPalette_; }
    bool paletteModified() const { return paletteModified_; }
    void clearPaletteModified() { paletteModified_ = false; }

    void setOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }
    void setOnProgress(GifProgress handler) { onProgress_ = std::move(handler); }

private:
    friend class GifParser;

    std::vector<GifFrame> frames_;
    int frameIndex_ = -1;
    int version_ = 0;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    std::optional<GifColor> backgroundColor_;
    bool looping_ = false;
    bool corrupted_ = false;
    std::uint16_t repeatCount_ = 1;
    std::vector<std::string> comment_;
    std::uint8_t aspectRatio_ = 0;
    int bitsPerPixel_ = 0;
    int colorResolution_ = 0;
    GifPalette globalPalette_;
    bool paletteModified_ = false;
    std::function<void()> onChange_;
    GifProgress onProgress_;
};

} // namespace trvx
