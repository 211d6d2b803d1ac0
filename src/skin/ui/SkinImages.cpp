#include "skin/ui/SkinImages.h"

#include "controls/skinned/ui/StyleBitmaps.h"
#include "skin/LayoutText.h"
#include "skin/PngDecode.h"
#include "skin/ui/StartupTrace.h"

#include <QThreadPool>

#include <cctype>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace trvx {
namespace {

std::string keyOf(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// The images by lower-case name. Only the UI thread touches the map; a prefetched image is
// decoded on a worker and handed over through its future.
struct CachedImage {
    QImage image;
    std::shared_future<QImage> pending; // valid while a worker decodes it
};

std::unordered_map<std::string, CachedImage>& imageCache() {
    static std::unordered_map<std::string, CachedImage> cache;
    return cache;
}

bool allOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

// Safe on any thread: the embedded bytes never change and QImage is reentrant.
QImage decode(std::string_view name) {
    const std::span<const std::uint8_t> bytes = FindTextResource(name);
    QImage image;
    const PngDecodeResult result = DecodePng(bytes, [&image](const PngHeader& header) {
        image = QImage(header.width, header.height,
                       header.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        return image.isNull() ? PngTarget{} : PngTarget{image.bits(), image.bytesPerLine()};
    });
    if (result == PngDecodeResult::Failed)
        image = QImage();
    else if (result == PngDecodeResult::Unsupported)
        image = DecodePngBytes(bytes.data(), bytes.size());
    // The art is opaque (its see-through colour is a colour, not alpha); as RGB32 it is copied
    // when drawn instead of blended, and shape masks need no conversion.
    if (image.format() == QImage::Format_ARGB32 && allOpaque(image))
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// The size in a PNG file's header: the signature, then the IHDR chunk with width and height.
QSize pngHeaderSize(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 24 ||
        !std::equal(std::begin(kSignature), std::end(kSignature), bytes.data()) ||
        std::string_view(reinterpret_cast<const char*>(bytes.data() + 12), 4) != "IHDR")
        return {};
    const std::uint32_t w = bigEndian32(bytes.data() + 16);
    const std::uint32_t h = bigEndian32(bytes.data() + 20);
    // PNG limits both to 2^31 - 1; zero is not a valid size.
    if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu)
        return {};
    return QSize(static_cast<int>(w), static_cast<int>(h));
}

} // namespace

QImage SkinImage(std::string_view name) {
    auto& cache = imageCache();
    std::string key = keyOf(name);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const StartupPhaseScope timed(StartupPhase::Decode);
        it = cache.emplace(std::move(key), CachedImage{decode(name), {}}).first;
    } else if (it->second.pending.valid()) {
        const StartupPhaseScope timed(StartupPhase::Decode); // waiting for it counts as decoding
        it->second.image = it->second.pending.get();
        it->second.pending = {};
    }
    return it->second.image;
}

void PrefetchSkinImage(std::string_view name) {
    auto& cache = imageCache();
    std::string key = keyOf(name);
    if (cache.count(key) != 0)
        return; // decoded or under way already
    // The cache holds the image as under way until SkinImage takes it from the future.
    auto task = std::make_shared<std::packaged_task<QImage()>>(
        [owned = std::string(name)] { return decode(owned); });
    cache.emplace(std::move(key), CachedImage{QImage(), task->get_future().share()});
    QThreadPool::globalInstance()->start([task] { (*task)(); });
}

QSize SkinImageSize(std::string_view name) {
    static std::unordered_map<std::string, QSize> sizes;
    const std::string key = keyOf(name);
    if (const auto it = imageCache().find(key);
        it != imageCache().end() && !it->second.pending.valid())
        return it->second.image.size();
    if (const auto it = sizes.find(key); it != sizes.end())
        return it->second;
    const QSize size = pngHeaderSize(FindTextResource(name));
    sizes.emplace(key, size);
    return size;
}

namespace {

// The outline of the pixels that are not `key`, row by row: each run of other pixels is a
// rectangle, and rows alike make one band. Safe on any thread (QRegion is plain data).
QRegion outlineOf(const QImage& image, QRgb key) {
    QRegion region;
    if (image.isNull())
        return region;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb keyRgb = key | 0xFF000000u;
    std::vector<std::pair<int, int>> runs;     // [left, right) of the row being read
    std::vector<std::pair<int, int>> bandRuns; // of the rows since bandTop
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (const auto& [left, right] : bandRuns)
            region += QRect(left, bandTop, right - left, bottom - bandTop);
    };
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        runs.clear();
        for (int x = 0; x < rgb.width();) {
            while (x < rgb.width() && (row[x] | 0xFF000000u) == keyRgb)
                ++x;
            const int left = x;
            while (x < rgb.width() && (row[x] | 0xFF000000u) != keyRgb)
                ++x;
            if (x > left)
                runs.emplace_back(left, x);
        }
        if (runs != bandRuns) {
            flush(y);
            bandRuns = runs;
            bandTop = y;
        }
    }
    flush(rgb.height());
    return region;
}

using MaskKey = std::pair<std::string, QRgb>;

struct CachedMask {
    QRegion region;
    std::shared_future<QRegion> pending; // valid while a worker works it out
};

std::map<MaskKey, CachedMask>& maskCache() {
    static std::map<MaskKey, CachedMask> masks;
    return masks;
}

} // namespace

void PrefetchSkinShapeMask(std::string_view name, QRgb key) {
    auto& masks = maskCache();
    MaskKey cacheKey(keyOf(name), key);
    if (masks.count(cacheKey) != 0)
        return;
    // The image on the same worker: its decoding is needed first anyway.
    PrefetchSkinImage(name);
    const CachedImage& cached = imageCache()[keyOf(name)];
    auto task = std::make_shared<std::packaged_task<QRegion()>>(
        [pending = cached.pending, ready = cached.image, key] {
            return outlineOf(pending.valid() ? pending.get() : ready, key);
        });
    masks.emplace(std::move(cacheKey), CachedMask{QRegion(), task->get_future().share()});
    QThreadPool::globalInstance()->start([task] { (*task)(); });
}

QRegion SkinShapeMask(std::string_view name, QRgb key) {
    auto& masks = maskCache();
    const MaskKey cacheKey(keyOf(name), key);
    auto it = masks.find(cacheKey);
    if (it == masks.end())
        it = masks.emplace(cacheKey, CachedMask{outlineOf(SkinImage(name), key), {}}).first;
    else if (it->second.pending.valid()) {
        it->second.region = it->second.pending.get();
        it->second.pending = {};
    }
    return it->second.region;
}

} // namespace trvx
