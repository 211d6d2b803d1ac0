#pragma once
// A tiny GIF writer for the reader's tests: an LZW encoder whose code-size steps follow the
// decoder's, and a builder for the blocks of a file.

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trvx::gif_test {

using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<std::uint8_t, 3>;

// Packs codes of the given widths least significant bit first.
class BitPacker {
public:
    void put(int code, int size) {
        acc_ |= std::uint32_t(code) << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    Bytes finish() {
        if (bits_ > 0)
            out_.push_back(static_cast<std::uint8_t>(acc_ & 0xFF));
        acc_ = 0;
        bits_ = 0;
        return std::move(out_);
    }

private:
    Bytes out_;
    std::uint32_t acc_ = 0;
    int bits_ = 0;
};

struct LzwOptions {
    bool leadingClear = true;
    bool endCode = true;
};

// LZW codes of `pixels` (packed, not yet in sub-blocks).
inline Bytes lzwEncode(const Bytes& pixels, int minCodeSize, LzwOptions options = {}) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    BitPacker out;
    std::map<std::pair<int, int>, int> dict;
    int codeSize = minCodeSize + 1;
    int limit = 1 << codeSize;
    int encoderNext = clear + 2;
    int decoderNext = clear + 2; // the decoder adds its entries one code later
    bool first = true;
    auto emit = [&](int code) {
        out.put(code, codeSize);
        if (first) {
            first = false;
            return;
        }
        if (++decoderNext >= limit && codeSize < 12) {
            ++codeSize;
            limit <<= 1;
        }
    };
    auto emitClear = [&] {
        out.put(clear, codeSize);
        dict.clear();
        codeSize = minCodeSize + 1;
        limit = 1 << codeSize;
        encoderNext = decoderNext = clear + 2;
        first = true;
    };
    if (options.leadingClear)
        emitClear();
    int prefix = -1;
    for (const std::uint8_t p : pixels) {
        if (prefix < 0) {
            prefix = p;
            continue;
        }
        if (auto it = dict.find({prefix, p}); it != dict.end()) {
            prefix = it->second;
            continue;
        }
        emit(prefix);
        if (encoderNext < 4095) {
            dict[{prefix, p}] = encoderNext++;
        } else {
            emitClear();
        }
        prefix = p;
    }
    if (prefix >= 0)
        emit(prefix);
    if (options.endCode)
        out.put(end, codeSize);
    return out.finish();
}

// The minimum code size byte, then `codes` in sub-blocks of up to 255 bytes and a terminator.
inline Bytes subBlocks(int minCodeSize, const Bytes& codes, bool terminator = true) {
    Bytes out{static_cast<std::uint8_t>(minCodeSize)};
    for (std::size_t i = 0; i < codes.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, codes.size() - i);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), codes.begin() + i, codes.begin() + i + n);
    }
    if (terminator)
        out.push_back(0);
    return out;
}

inline int bitsFor(std::size_t colors) {
    int bits = 1;
    while ((std::size_t(1) << bits) < colors)
        ++bits;
    return bits;
}

// Builds a GIF file block by block.
class GifBuilder {
public:
    GifBuilder& header(int width, int height, const std::vector<Rgb>& global = {},
                       int backgroundIndex = 0, const char* version = "GIF89a") {
        raw(std::string(version));
        word(width);
        word(height);
        std::uint8_t packed = 0;
        if (!global.empty()) {
            globalBits_ = bitsFor(global.size());
            packed = static_cast<std::uint8_t>(0x80 | (globalBits_ - 1));
        }
        bytes_.push_back(packed);
        bytes_.push_back(static_cast<std::uint8_t>(backgroundIndex));
        bytes_.push_back(0);
        table(global, globalBits_);
        return *this;
    }
    GifBuilder& loop(unsigned count, const char* id = "NETSCAPE2.0", int blockSize = 11,
                     std::uint8_t subId = 1) {
        raw({0x21, 0xFF, static_cast<std::uint8_t>(blockSize)});
        raw(std::string(id).substr(0, std::size_t(blockSize)));
        raw({3, subId, static_cast<std::uint8_t>(count & 0xFF),
             static_cast<std::uint8_t>(count >> 8), 0});
        return *this;
    }
    GifBuilder& control(int disposal, int delayCs, std::optional<int> transparentIndex = {}) {
        const auto packed = static_cast<std::uint8_t>((disposal << 2) | (transparentIndex ? 1 : 0));
        raw({0x21, 0xF9, 4, packed, static_cast<std::uint8_t>(delayCs & 0xFF),
             static_cast<std::uint8_t>(delayCs >> 8),
             static_cast<std::uint8_t>(transparentIndex.value_or(0)), 0});
        return *this;
    }
    GifBuilder& comment(const std::vector<std::string>& lines) {
        raw({0x21, 0xFE});
        for (const auto& line : lines) {
            bytes_.push_back(static_cast<std::uint8_t>(line.size()));
            raw(line);
        }
        bytes_.push_back(0);
        return *this;
    }
    GifBuilder& plainText() {
        raw({0x21, 0x01, 12, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0, 2, 'h', 'i', 0});
        return *this;
    }
    // One image: descriptor, optional local table and the LZW data of `pixels`.
    GifBuilder& image(int left, int top, int width, int height, const Bytes& pixels,
                      bool interlaced = false, const std::vector<Rgb>& local = {},
                      LzwOptions options = {}) {
        bytes_.push_back(',');
        word(left);
        word(top);
        word(width);
        word(height);
        const int localBits = local.empty() ? 0 : bitsFor(local.size());
        std::uint8_t packed = interlaced ? 0x40 : 0;
        if (localBits)
            packed |= static_cast<std::uint8_t>(0x80 | (localBits - 1));
        bytes_.push_back(packed);
        table(local, localBits);
        const int bits = localBits ? localBits : (globalBits_ ? globalBits_ : 2);
        const int minCodeSize = std::max(2, bits);
        raw(subBlocks(minCodeSize, lzwEncode(pixels, minCodeSize, options)));
        return *this;
    }
    GifBuilder& trailer() {
        bytes_.push_back(';');
        return *this;
    }
    GifBuilder& raw(std::initializer_list<std::uint8_t> b) {
        bytes_.insert(bytes_.end(), b);
        return *this;
    }
    GifBuilder& raw(const Bytes& b) {
        bytes_.insert(bytes_.end(), b.begin(), b.end());
        return *this;
    }
    GifBuilder& raw(const std::string& s) {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return *this;
    }
    Bytes bytes() const { return bytes_; }

private:
    void word(int v) {
        bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    void table(const std::vector<Rgb>& colors, int bits) {
        if (colors.empty())
            return;
        for (std::size_t i = 0; i < (std::size_t(1) << bits); ++i) {
            const Rgb c = i < colors.size() ? colors[i] : Rgb{0, 0, 0};
            bytes_.insert(bytes_.end(), c.begin(), c.end());
        }
    }

    Bytes bytes_;
    int globalBits_ = 0;
};

// Colours for tests: index i is (i, 255 - i, i / 2), so every index of a 256 table differs.
inline std::vector<Rgb> rampPalette(std::size_t count) {
    std::vector<Rgb> colors;
    for (std::size_t i = 0; i < count; ++i)
        colors.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                          static_cast<std::uint8_t>(i / 2)});
    return colors;
}

} // namespace trvx::gif_test
