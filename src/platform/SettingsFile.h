#pragma once
// Reading and replacing a desktop settings file that belongs to the user: the old content is
// never lost, whatever happens while the new one is written.

#include <filesystem>
#include <optional>
#include <string>

namespace trvx {

struct SettingsFileText {
    bool exists = false;
    std::string text;
};

// The whole file; a missing file is an empty text that does not exist. nullopt, with `error`
// set, when the file is there but cannot be read.
std::optional<SettingsFileText> ReadSettingsFile(const std::filesystem::path& path,
                                                 std::string& error);

// Replaces the file's content in one step: the text goes to a new file beside the old one,
// which is flushed to disk and then renamed over it, so a crash or a full disk leaves the old
// file whole. A symbolic link is followed and stays a link; the file keeps its permissions; a
// missing folder is made. false, with `error` set, when it failed.
bool WriteSettingsFile(const std::filesystem::path& path, const std::string& text,
                       std::string& error);

} // namespace trvx
