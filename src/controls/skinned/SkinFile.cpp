#include "controls/skinned/SkinFile.h"

#include <cctype>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

namespace trvx {

namespace {

std::int32_t readInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(
        std::uint32_t(bytes[at]) | (std::uint32_t(bytes[at + 1]) << 8) |
        (std::uint32_t(bytes[at + 2]) << 16) | (std::uint32_t(bytes[at + 3]) << 24));
}

// The range [offset, offset + size) when it lies inside the file.
std::optional<std::span<const std::uint8_t>> range(std::span<const std::uint8_t> file,
                                                   std::int64_t offset, std::int64_t size) {
    if (offset < 0 || size < 0 || offset > std::int64_t(file.size()) ||
        size > std::int64_t(file.size()) - offset)
        return std::nullopt;
    return file.subspan(std::size_t(offset), std::size_t(size));
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The value of the first "name=value" line whose name matches.
std::optional<std::string_view> valueOf(const std::vector<std::string>& lines,
                                        std::string_view name) {
    for (const auto& line : lines) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string_view view(line);
        if (equalNoCase(view.substr(0, eq), name))
            return view.substr(eq + 1);
    }
    return std::nullopt;
}

// A decimal integer with an optional sign, nothing else.
std::optional<std::int32_t> toInt(std::string_view text) {
    std::size_t start = 0;
    if (!text.empty() && text[0] == '+')
        start = 1;
    std::int32_t value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (first == last || (*first == '-' && start == 1))
        return std::nullopt;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

bool ValidateSkinFileBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSkinFileHeaderSize)
        return false;
    const char* sig = reinterpret_cast<const char*>(bytes.data());
    const std::size_t len = strnlen(sig, 12);
    return std::string_view(sig, len) == kSkinFileSignature;
}

bool ValidateSkinFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::uint8_t header[kSkinFileHeaderSize];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    return ValidateSkinFileBytes(header);
}

void SkinThemeFileReader::clear() {
    bitmaps_.clear();
    integers_.clear();
    bytes_.clear();
    texts_.clear();
}

std::optional<std::string> SkinThemeFileReader::loadFromFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        clear();
        return std::string(skin_file_error::kCannotOpen);
    }
    const auto bytes = readFile(path);
    if (!bytes) {
        clear();
        return std::string(skin_file_error::kCannotOpen);
    }
    return load(*bytes);
}

std::optional<std::string> SkinThemeFileReader::load(std::span<const std::uint8_t> file) {
    clear();
    auto failed = [this](std::string_view message) {
        clear();
        return std::optional<std::string>(message);
    };

    if (file.size() < kSkinFileHeaderSize)
        return failed(skin_file_error::kStreamRead);
    // The header must be whole: a shorter one would not hold the first-entry offset.
    const std::int32_t headerLength = readInt32(file, 12);
    if (headerLength < std::int32_t(kSkinFileHeaderSize) || !range(file, 0, headerLength))
        return failed(skin_file_error::kBadHeader);

    std::vector<bool> visited(file.size(), false);
    std::int64_t offset = readInt32(file, 20);
    for (;;) {
        const auto entry = range(file, offset, kSkinFileEntrySize);
        if (!entry)
            return failed(skin_file_error::kStreamRead);
        if (visited[std::size_t(offset)])
            return failed(skin_file_error::kEntryLoop);
        visited[std::size_t(offset)] = true;

        const std::int32_t next = readInt32(*entry, 73);
        if (next == 0)
            break;

        const char* rawName = reinterpret_cast<const char*>(entry->data());
        const std::string name(rawName, strnlen(rawName, kSkinFileNameSize));
        const std::uint8_t kind = (*entry)[64];
        const std::int32_t dataOffset = readInt32(*entry, 65);
        const std::int32_t dataSize = readInt32(*entry, 69);

        if (kind <= std::uint8_t(SkinEntryKind::Text)) {
            const auto data = range(file, dataOffset, dataSize);
            if (!data)
                return failed(skin_file_error::kStreamRead);
            switch (SkinEntryKind(kind)) {
            case SkinEntryKind::Bitmap:
                bitmaps_.emplace_back(name, std::vector<std::uint8_t>(data->begin(), data->end()));
                break;
            case SkinEntryKind::Integer: {
                // Shorter data fills the low bytes; longer data is not an integer.
                if (data->size() > 4)
                    return failed(skin_file_error::kDataSize);
                std::uint32_t value = 0;
                for (std::size_t i = 0; i < data->size(); ++i)
                    value |= std::uint32_t((*data)[i]) << (8 * i);
                integers_.push_back(name + "=" + std::to_string(std::int32_t(value)));
                break;
            }
            case SkinEntryKind::Byte: {
                if (data->size() > 1)
                    return failed(skin_file_error::kDataSize);
                const unsigned value = data->empty() ? 0 : (*data)[0];
                bytes_.push_back(name + "=" + std::to_string(value));
                break;
            }
            case SkinEntryKind::Text:
                texts_.push_back(name + "=" + std::string(data->begin(), data->end()));
                break;
            }
        }
        offset = next;
    }
    return std::nullopt;
}

const std::vector<std::uint8_t>* SkinThemeFileReader::bitmap(std::string_view name) const {
    for (const auto& [entryName, data] : bitmaps_)
        if (equalNoCase(entryName, name))
            return &data;
    return nullptr;
}

std::int32_t SkinThemeFileReader::integer(std::string_view name) const {
    const auto value = valueOf(integers_, name);
    if (!value)
        return -1;
    return toInt(*value).value_or(-1);
}

std::uint8_t SkinThemeFileReader::byteValue(std::string_view name) const {
    const auto value = valueOf(bytes_, name);
    if (!value)
        return 0;
    return static_cast<std::uint8_t>(toInt(*value).value_or(0) & 0xFF);
}

} // namespace trvx
