#include "controls/wide/GifImage.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace trvx {

namespace {

std::atomic<bool> gTolerateCorrupt{true};

// Internal only: thrown by the parser, caught at the public entry points.
struct GifFailure {
    std::string message;
};

[[noreturn]] void fail(std::string_view message) {
    throw GifFailure{std::string(message)};
}

bool equalNoCase(const std::uint8_t* bytes, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(text[i]);
        if (std::tolower(a) != std::tolower(b))
            return false;
    }
    return true;
}

// Every read is checked against the end of the data.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    std::size_t position() const { return pos_; }
    void skipToEnd() { pos_ = data_.size(); }

    std::uint8_t byte() {
        if (atEnd())
            fail(gif_error::kStreamRead);
        return data_[pos_++];
    }
    std::uint16_t word() {
        const std::uint8_t lo = byte();
        return static_cast<std::uint16_t>(lo | (byte() << 8));
    }
    std::span<const std::uint8_t> take(std::size_t n) {
        if (remaining() < n)
            fail(gif_error::kStreamRead);
        auto out = data_.subspan(pos_, n);
        pos_ += n;
        return out;
    }
    // The next non-zero byte; 0 at the end of the data.
    std::uint8_t nextNonZero() {
        while (!atEnd()) {
            if (const std::uint8_t b = data_[pos_++]; b != 0)
                return b;
        }
        return 0;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

void readPalette(ByteReader& in, GifPalette& palette, int count) {
    palette = GifPalette{};
    const auto bytes = in.take(std::size_t(count) * 3);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            palette.entries[i][c] = bytes[std::size_t(i) * 3 + c];
    palette.count = count;
}

// Data sub-blocks up to the zero-length terminator or the end of the data, one line each.
std::vector<std::string> readSubBlocks(ByteReader& in) {
    std::vector<std::string> lines;
    while (!in.atEnd()) {
        const std::uint8_t size = in.byte();
        if (size == 0)
            break;
        const auto bytes = in.take(size);
        lines.emplace_back(bytes.begin(), bytes.end());
    }
    return lines;
}

bool isLoopExtension(const GifExtension& ext) {
    // The identifier and authentication code fill exactly 11 bytes; a shorter block that happens
    // to start with the same letters is some other application's.
    if (ext.kind != GifExtensionKind::Application || ext.fixed.size() != 12 || ext.fixed[0] != 11)
        return false;
    const auto* id = ext.fixed.data() + 1;
    if (std::memcmp(id, "NETSCAPE2.0", 11) != 0 && std::memcmp(id, "ANIMEXTS1.0", 11) != 0)
        return false;
    return !ext.data.empty() && ext.data[0].size() >= 3 && ext.data[0][0] == 1;
}

} // namespace

bool tolerateCorruptGif() {
    return gTolerateCorrupt.load();
}
void setTolerateCorruptGif(bool on) {
    gTolerateCorrupt.store(on);
}

GifColor GifPalette::color(int index) const {
    const auto& e = entries[index];
    return GifColor(e[0]) | (GifColor(e[1]) << 8) | (GifColor(e[2]) << 16);
}

class GifParser {
public:
    GifParser(GifImage& image, std::span<const std::uint8_t> data) : image_(image), in_(data) {}

    void run() {
        readHeader();
        std::uint8_t separator = in_.nextNonZero();
        std::vector<GifExtension> collected;
        while (separator != 0 && separator != ';' && !in_.atEnd()) {
            while (separator == '!') {
                if (auto ext = readExtension())
                    keepExtension(std::move(*ext), collected);
                separator = in_.atEnd() ? ';' : in_.nextNonZero();
            }
            if (separator == ',') {
                GifFrame frame;
                if (image_.globalPalette_.count > 0)
                    frame.bitsPerPixel = log2ColorCount(image_.globalPalette_.count);
                frame.extensions = std::move(collected);
                collected.clear();
                readFrame(frame);
                image_.frames_.push_back(std::move(frame));
                separator = in_.atEnd() ? ';' : in_.nextNonZero();
                if (separator != '!' && separator != ',' && separator != ';')
                    separator = 0;
            } else {
                const bool hadComment = !image_.comment_.empty();
                if (!hadComment && !collected.empty()) {
                    takeComments(collected);
                    collected.clear();
                } else if (separator != 0 && separator != ';') {
                    fail(gif_error::kStreamRead);
                }
                collected.clear();
            }
        }
    }

private:
    static int log2ColorCount(int count) {
        for (int bits = 1; bits <= 8; ++bits)
            if (count == (1 << bits))
                return bits;
        fail(gif_error::kWrongColorCount);
    }

    void readHeader() {
        const auto sig = in_.take(6);
        if (!equalNoCase(sig.data(), "GIF"))
            fail(gif_error::kUnknownVersion);
        if (equalNoCase(sig.data() + 3, "87a"))
            image_.version_ = 1;
        else if (equalNoCase(sig.data() + 3, "89a"))
            image_.version_ = 2;
        else
            fail(gif_error::kUnknownVersion);

        image_.screenWidth_ = in_.word();
        image_.screenHeight_ = in_.word();
        const std::uint8_t packed = in_.byte();
        const std::uint8_t backgroundIndex = in_.byte();
        image_.aspectRatio_ = in_.byte();
        image_.bitsPerPixel_ = (packed & 7) + 1;
        image_.colorResolution_ = ((packed >> 4) & 7) + 1;
        if (packed & 0x80) {
            readPalette(in_, image_.globalPalette_, 1 << image_.bitsPerPixel_);
            if (backgroundIndex < image_.globalPalette_.count)
                image_.backgroundColor_ = image_.globalPalette_.color(backgroundIndex);
        }
    }

    // Reads one extension after its "!"; empty for a kind the image does not keep.
    std::optional<GifExtension> readExtension() {
        const std::uint8_t label = in_.byte();
        GifExtension ext;
        switch (label) {
        case 0xF9:
            ext.kind = GifExtensionKind::GraphicControl;
            break;
        case 0xFE:
            ext.kind = GifExtensionKind::Comment;
            break;
        case 0x01:
            ext.kind = GifExtensionKind::PlainText;
            break;
        case 0xFF:
            ext.kind = GifExtensionKind::Application;
            break;
        default: {
            char text[48];
            std::snprintf(text, sizeof text, "Unrecognized extension block: %.2x", label);
            fail(text);
        }
        }
        if (ext.kind != GifExtensionKind::Comment) {
            // The header block is as long as its size byte says, whatever the kind expects.
            const std::uint8_t blockSize = in_.byte();
            const auto block = in_.take(blockSize);
            ext.fixed.push_back(blockSize);
            ext.fixed.insert(ext.fixed.end(), block.begin(),
                             block.begin() + std::min<std::size_t>(block.size(), 12));
        }
        ext.data = readSubBlocks(in_);
        if (ext.kind == GifExtensionKind::GraphicControl) {
            ext.data.clear();
            // Without its packed fields, delay and index there is nothing to apply.
            if (ext.fixed[0] < 4)
                return std::nullopt;
        }
        return ext;
    }

    void keepExtension(GifExtension ext, std::vector<GifExtension>& collected) {
        switch (ext.kind) {
        case GifExtensionKind::PlainText:
            collected.clear();
            return;
        case GifExtensionKind::Application:
            if (isLoopExtension(ext)) {
                image_.looping_ = true;
                const auto& line = ext.data[0];
                const unsigned count =
                    static_cast<std::uint8_t>(line[1]) | (static_cast<std::uint8_t>(line[2]) << 8);
                image_.repeatCount_ = static_cast<std::uint16_t>(std::min(count, 30000u));
            }
            return;
        default:
            collected.push_back(std::move(ext));
        }
    }

    void takeComments(const std::vector<GifExtension>& collected) {
        for (const auto& ext : collected) {
            if (ext.kind != GifExtensionKind::Comment)
                continue;
            if (!image_.comment_.empty())
                image_.comment_.emplace_back("\r\n\r\n");
            image_.comment_.insert(image_.comment_.end(), ext.data.begin(), ext.data.end());
        }
    }

    void readFrame(GifFrame& frame) {
        frame.left = in_.word();
        frame.top = in_.word();
        frame.width = in_.word();
        frame.height = in_.word();
        frame.packedFields = in_.byte();
        frame.interlaced = (frame.packedFields & 0x40) != 0;
        if (frame.packedFields & 0x80) {
            frame.localColors = true;
            frame.bitsPerPixel = (frame.packedFields & 7) + 1;
            readPalette(in_, frame.palette, 1 << frame.bitsPerPixel);
        } else {
            frame.palette = image_.globalPalette_;
        }

        frame.encoded.push_back(in_.byte()); // minimum code size
        for (;;) {
            if (in_.atEnd()) {
                frame.corrupted = true; // no terminator
                break;
            }
            const std::uint8_t size = in_.byte();
            if (size > in_.remaining()) {
                frame.corrupted = true;
                in_.skipToEnd();
                break;
            }
            frame.encoded.push_back(size);
            const auto block = in_.take(size);
            frame.encoded.insert(frame.encoded.end(), block.begin(), block.end());
            if (size == 0)
                break;
        }
        if (frame.corrupted && !tolerateCorruptGif())
            fail(gif_error::kStreamRead);

        if (frame.width == 0)
            frame.width = image_.screenWidth_;
        if (frame.height == 0)
            frame.height = image_.screenHeight_;

        for (const auto& ext : frame.extensions) {
            if (ext.kind != GifExtensionKind::GraphicControl)
                continue;
            const std::uint8_t packed = ext.fixed[1];
            const unsigned delay = ext.fixed[2] | (ext.fixed[3] << 8);
            const std::uint8_t index = ext.fixed[4];
            if (packed & 1) {
                if (index < frame.palette.count)
                    frame.transparentColor = frame.palette.color(index);
            } else {
                frame.transparentColor.reset();
            }
            // The field holds milliseconds in 16 bits; longer delays are held at its maximum.
            const unsigned ms = std::min(delay * 10u, 65535u);
            frame.delayMs = static_cast<std::uint16_t>(std::max<unsigned>(frame.delayMs, ms));
            frame.disposal = (packed >> 2) & 7;
        }
    }

    GifImage& image_;
    ByteReader in_;
};

void GifImage::clear() {
    frames_.clear();
    frameIndex_ = -1;
    version_ = 0;
    screenWidth_ = 0;
    screenHeight_ = 0;
    backgroundColor_.reset();
    looping_ = false;
    corrupted_ = false;
    repeatCount_ = 1;
    comment_.clear();
    aspectRatio_ = 0;
    bitsPerPixel_ = 0;
    colorResolution_ = 0;
    globalPalette_ = GifPalette{};
}

std::optional<std::string> GifImage::load(std::span<const std::uint8_t> data,
                                          bool decodeFirstFrame) {
    clear();
    if (!data.empty()) {
        try {
            GifParser(*this, data).run();
        } catch (const GifFailure& failure) {
            clear();
            return failure.message;
        }
    }
    if (!frames_.empty()) {
        frameIndex_ = 0;
        if (decodeFirstFrame) {
            if (auto error = decodeGifFrame(frames_[0], onProgress_)) {
                clear();
                return error;
            }
        }
    }
    paletteModified_ = true;
    if (onChange_)
        onChange_();
    return std::nullopt;
}

std::optional<std::string> GifImage::loadStored(std::span<const std::uint8_t> stored) {
    if (stored.size() < 4) {
        clear();
        return std::string(gif_error::kStreamRead);
    }
    const std::int32_t length = static_cast<std::int32_t>(
        std::uint32_t(stored[0]) | (std::uint32_t(stored[1]) << 8) |
        (std::uint32_t(stored[2]) << 16) | (std::uint32_t(stored[3]) << 24));
    if (length <= 0)
        return load({});
    if (std::size_t(length) > stored.size() - 4) {
        clear();
        return std::string(gif_error::kStreamRead);
    }
    return load(stored.subspan(4, std::size_t(length)));
}

std::optional<std::string> GifImage::decodeFrame(int index) {
    if (index < 0 || index >= frameCount())
        return std::string(gif_error::kStreamRead);
    return decodeGifFrame(frames_[index], onProgress_);
}

bool GifImage::empty() const {
    if (frames_.empty())
        return true;
    const auto& f = frames_[std::max(frameIndex_, 0)];
    return !f.bitmap && f.encoded.empty();
}

int GifImage::width() {
    if (empty() || frameIndex_ < 0 || frameIndex_ >= frameCount() || decodeFrame(frameIndex_))
        return 0;
    return frames_[frameIndex_].bitmap->width;
}

int GifImage::height() {
    if (empty() || frameIndex_ < 0 || frameIndex_ >= frameCount() || decodeFrame(frameIndex_))
        return 0;
    return frames_[frameIndex_].bitmap->height;
}

const std::vector<GifColor>* GifImage::palette() {
    if (frames_.empty())
        return nullptr;
    const int index = frameIndex_ >= 0 && frameIndex_ < frameCount() ? frameIndex_ : 0;
    if (decodeFrame(index))
        return nullptr;
    return &frames_[index].bitmap->palette;
}

bool GifImage::transparent() const {
    return std::any_of(frames_.begin(), frames_.end(),
                       [](const GifFrame& f) { return f.transparentColor.has_value(); });
}

} // namespace trvx
