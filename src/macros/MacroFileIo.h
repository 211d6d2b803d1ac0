#pragma once
// Reading and writing the macro files: bounded reads, and writes through a temporary file that is
// renamed over the old one, so a crash never leaves a half-written library or export.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trvx {

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false; // the file holds more than the limit; bytes then holds the limit
};

// Reads at most maxBytes + 1 bytes, so an oversized file is told without reading it whole.
// nullopt when the file cannot be opened or read; error receives a message.
std::optional<FileBytes> ReadMacroFile(const std::filesystem::path& path, std::size_t maxBytes,
                                       std::string& error);

// Writes the bytes to a temporary file beside path, flushes it to disk and renames it over path.
// An empty result means success; otherwise the message, and path is unchanged.
std::optional<std::string> WriteFileReplacing(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> bytes);

} // namespace trvx
