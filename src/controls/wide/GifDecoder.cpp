// LZW decoding of one GIF frame into an indexed bitmap, with interlaced row order.

#include "controls/wide/GifImage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace trvx {

namespace {

constexpr int kMaxCodes = 4096;
constexpr std::size_t kStackLimit = 4096;
// A frame is never allocated beyond this many pixels (a 4096 x 4096 picture).
constexpr std::uint64_t kMaxFramePixels = std::uint64_t(1) << 24;

// Codes are read least significant bit first across the data sub-blocks.
class CodeReader {
public:
    explicit CodeReader(const std::vector<std::uint8_t>& encoded) : data_(encoded) {}

    // False at the end of the data with fewer bits left than a code needs.
    bool read(int codeSize, int& code) {
        while (bitCount_ < codeSize) {
            if (blockLeft_ == 0) {
                if (pos_ >= data_.size())
                    return false;
                blockLeft_ = data_[pos_++];
                continue;
            }
            if (pos_ >= data_.size())
                return false;
            bits_ |= std::uint32_t(data_[pos_++]) << bitCount_;
            bitCount_ += 8;
            --blockLeft_;
        }
        code = static_cast<int>(bits_ & ((1u << codeSize) - 1));
        bits_ >>= codeSize;
        bitCount_ -= codeSize;
        return true;
    }
    int percent() const { return data_.empty() ? 100 : int(pos_ * 100 / data_.size()); }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_ = 1; // past the minimum code size byte
    std::size_t blockLeft_ = 0;
    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
};

// Places pixel values left to right, rows top down or in the four interlace passes.
class RowWriter {
public:
    RowWriter(GifIndexedBitmap& bitmap, bool interlaced)
        : bitmap_(bitmap), interlaced_(interlaced), done_(bitmap.width <= 0 || bitmap.height <= 0),
          mask_(static_cast<std::uint8_t>((1u << bitmap.depth) - 1)) {}

    bool done() const { return done_; }
    void put(int value) {
        if (done_)
            return;
        bitmap_.pixels[std::size_t(y_) * bitmap_.width + x_] =
            static_cast<std::uint8_t>(value) & mask_;
        if (++x_ < bitmap_.width)
            return;
        x_ = 0;
        if (!interlaced_) {
            done_ = ++y_ >= bitmap_.height;
            return;
        }
        static constexpr std::array<int, 4> kStart{0, 4, 2, 1};
        static constexpr std::array<int, 4> kStep{8, 8, 4, 2};
        y_ += kStep[pass_];
        while (y_ >= bitmap_.height) {
            if (++pass_ >= 4) {
                done_ = true;
                return;
            }
            y_ = kStart[pass_];
        }
    }

private:
    GifIndexedBitmap& bitmap_;
    bool interlaced_;
    bool done_;
    std::uint8_t mask_;
    int x_ = 0;
    int y_ = 0;
    int pass_ = 0;
};

struct Failure {
    std::string message;
};

// The most pixels `encoded` can yield: every code at the smallest width, each giving at most
// one full output stack. A frame larger than this cannot be filled by its data.
std::uint64_t maxPixelsFromData(const std::vector<std::uint8_t>& encoded, int minCodeSize) {
    const std::uint64_t bits = std::uint64_t(encoded.size()) * 8;
    return (bits / std::uint64_t(minCodeSize + 1) + 1) * (kStackLimit + 2);
}

// Returns the decoder's corrupted flag; throws Failure on an error.
bool decodeLzw(const GifFrame& frame, GifIndexedBitmap& bitmap, const GifProgress& progress) {
    bool corrupted = false;
    int minCodeSize = frame.encoded.empty() ? 0 : frame.encoded[0];
    if (minCodeSize < 2 || minCodeSize > 9) {
        if (!tolerateCorruptGif())
            throw Failure{std::string(gif_error::kCodeSizeRange)};
        corrupted = true;
        minCodeSize = std::clamp(minCodeSize, 2, 9);
    }

    const std::uint64_t pixels = std::uint64_t(bitmap.width) * std::uint64_t(bitmap.height);
    if (pixels > kMaxFramePixels || pixels > maxPixelsFromData(frame.encoded, minCodeSize))
        throw Failure{std::string(gif_error::kTooLarge)};
    bitmap.pixels.assign(pixels, 0);

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    const int firstFree = clearCode + 2;
    const int pixelMask = (1 << frame.bitsPerPixel) - 1;
    int codeSize = minCodeSize + 1;
    int limit = 1 << codeSize;
    int nextFree = firstFree;
    bool tableFull = false;

    // The tables start as a clear code leaves them: every root code stands for itself, and a
    // first data code that is not a clear code is taken as the first code after one.
    std::array<std::uint16_t, kMaxCodes> prefix{};
    std::array<std::uint16_t, kMaxCodes> suffix{};
    for (int i = 0; i < clearCode; ++i)
        suffix[i] = static_cast<std::uint16_t>(i);
    std::vector<std::uint16_t> stack;
    stack.reserve(kStackLimit + 2);

    RowWriter out(bitmap, frame.interlaced);
    CodeReader reader(frame.encoded);
    int code = 0;
    int oldCode = 0;
    int firstChar = 0;
    bool afterClear = true;
    bool endOfData = !reader.read(codeSize, code);

    while (!endOfData && code != endCode && !out.done()) {
        if (code == clearCode || afterClear) {
            if (code == clearCode) {
                codeSize = minCodeSize + 1;
                limit = 1 << codeSize;
                nextFree = firstFree;
                if (!reader.read(codeSize, code)) {
                    endOfData = true;
                    break;
                }
            }
            afterClear = false;
            oldCode = code;
            firstChar = code & pixelMask;
            out.put(firstChar);
            tableFull = false;
        } else {
            const int inCode = code;
            if (code >= nextFree) {
                stack.push_back(static_cast<std::uint16_t>(firstChar));
                code = oldCode;
            }
            while (code > pixelMask) {
                if (stack.size() > kStackLimit) {
                    if (!tolerateCorruptGif())
                        throw Failure{std::string(gif_error::kCorruptData)};
                    corrupted = true;
                    break;
                }
                stack.push_back(suffix[code]);
                code = prefix[code];
            }
            if (corrupted)
                break;
            firstChar = code & pixelMask;
            stack.push_back(static_cast<std::uint16_t>(firstChar));
            while (!stack.empty()) {
                out.put(stack.back());
                stack.pop_back();
            }
            if (!tableFull) {
                prefix[nextFree] = static_cast<std::uint16_t>(oldCode);
                suffix[nextFree] = static_cast<std::uint16_t>(firstChar);
                if (++nextFree >= limit) {
                    if (codeSize < 12) {
                        ++codeSize;
                        limit <<= 1;
                    } else {
                        tableFull = true;
                    }
                }
            }
            oldCode = inCode;
        }
        endOfData = !reader.read(codeSize, code);
        if (progress)
            progress(GifProgressStage::Running, reader.percent(), {});
    }
    if (endOfData)
        throw Failure{std::string(gif_error::kStreamRead)};
    return corrupted;
}

int depthFor(int bitsPerPixel) {
    if (bitsPerPixel == 1)
        return 1;
    if (bitsPerPixel >= 2 && bitsPerPixel <= 4)
        return 4;
    if (bitsPerPixel >= 5 && bitsPerPixel <= 8)
        return 8;
    return 0;
}

} // namespace

std::optional<std::string> decodeGifFrame(GifFrame& frame, const GifProgress& progress) {
    if (frame.bitmap)
        return std::nullopt;
    if (frame.encoded.empty()) {
        frame.bitmap.emplace();
        return std::nullopt;
    }
    const int depth = depthFor(frame.bitsPerPixel);
    if (depth == 0)
        return std::string(gif_error::kWrongColorCount);

    GifIndexedBitmap bitmap;
    bitmap.width = frame.width;
    bitmap.height = frame.height;
    bitmap.depth = depth;
    bitmap.palette.assign(std::size_t(1) << depth, 0x808080);
    for (int i = 0; i < std::min<int>(frame.palette.count, int(bitmap.palette.size())); ++i)
        bitmap.palette[i] = frame.palette.color(i);

    if (progress)
        progress(GifProgressStage::Starting, 0, {});
    try {
        // A flag set while loading (truncated data) stays set.
        frame.corrupted = decodeLzw(frame, bitmap, progress) || frame.corrupted;
    } catch (const Failure& failure) {
        if (progress)
            progress(GifProgressStage::Ending, 0, failure.message);
        return failure.message;
    }
    if (progress)
        progress(GifProgressStage::Ending, 100, {});
    frame.bitmap = std::move(bitmap);
    return std::nullopt;
}

} // namespace trvx
