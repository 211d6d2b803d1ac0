#pragma once
// Skin files: named bitmaps, integers, bytes and texts that replace the built-in look values of
// the skinned controls. A 24-byte header ("SKINFILE01", header length, first-entry offset) and
// a chain of 77-byte entries, all integers little-endian signed 32-bit. The program only reads
// skin files.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trvx {

inline constexpr std::string_view kSkinFileSignature = "SKINFILE01";
inline constexpr std::size_t kSkinFileHeaderSize = 24;
inline constexpr std::size_t kSkinFileEntrySize = 77;
inline constexpr std::size_t kSkinFileNameSize = 64;

enum class SkinEntryKind : std::uint8_t { Bitmap = 0, Integer = 1, Byte = 2, Text = 3 };

// The error texts the reader reports.
namespace skin_file_error {
inline constexpr std::string_view kCannotOpen = "Cannot open skin file";
inline constexpr std::string_view kStreamRead = "Stream read error";
inline constexpr std::string_view kBadHeader = "Skin file header is damaged";
inline constexpr std::string_view kEntryLoop = "Skin file entries form a loop";
inline constexpr std::string_view kDataSize = "Skin file entry has a wrong data size";
} // namespace skin_file_error

// True only for a readable file with the whole header whose signature, up to the first NUL of
// its first 12 bytes, is exactly "SKINFILE01".
bool ValidateSkinFile(const std::filesystem::path& path);
bool ValidateSkinFileBytes(std::span<const std::uint8_t> bytes);

class SkinThemeFileReader {
public:
    SkinThemeFileReader() = default;

    // Reads the entries of a skin file. Does not check the signature (validate first). On an
    // error the reader holds nothing and the text says what was wrong.
    std::optional<std::string> loadFromFile(const std::filesystem::path& path);
    std::optional<std::string> load(std::span<const std::uint8_t> bytes);
    void clear();

    // The bitmap file image stored under `name` (first match, case-insensitive); null if absent.
    const std::vector<std::uint8_t>* bitmap(std::string_view name) const;
    // The integer (or colour) stored under `name`; -1 when absent or not a number.
    std::int32_t integer(std::string_view name) const;
    // The low byte of the value stored under `name`; 0 when absent or not a number.
    std::uint8_t byteValue(std::string_view name) const;

    // The lists as read: lines "name=value" in file order.
    const std::vector<std::string>& integerLines() const { return integers_; }
    const std::vector<std::string>& byteLines() const { return bytes_; }
    const std::vector<std::string>& textLines() const { return texts_; }
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& bitmaps() const {
        return bitmaps_;
    }

private:
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bitmaps_;
    std::vector<std::string> integers_;
    std::vector<std::string> bytes_;
    std::vector<std::string> texts_;
};

} // namespace trvx
