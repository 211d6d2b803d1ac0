#pragma once
// A settings file in the INI dialect of the Plasma desktop's files (kdeglobals, kcminputrc):
// "[Group]" lines (nested groups as "[Outer][Inner]", a trailing "[$i]" locking the group, a
// line "[$i]" alone locking the file), "key=value" lines (options after the key as
// "key[$i]" or "key[$d]" for a deleted entry, a language as "key[de]"), "#" comments, and
// backslash escapes in values. Entries before the first group belong to no group.
//
// The text is edited line by line: a change rewrites only the value it changes, or adds the
// one line (and group) it needs, so every other byte of the user's file stays as it was, also
// lines the desktop itself would reject.

#include <optional>
#include <string>
#include <string_view>

namespace trvx {

class IniText {
public:
    explicit IniText(std::string text = {}) : text_(std::move(text)) {}

    const std::string& Text() const { return text_; }

    // The value of `key` in `group` as the desktop reads it: the last entry wins, escapes are
    // undone, entries for one language are not the key's. nullopt when there is none or the
    // last one marks it deleted.
    std::optional<std::string> Value(std::string_view group, std::string_view key) const;

    // Whether the desktop would refuse to change the entry: the file, a section of the group
    // or the entry itself is locked.
    bool Locked(std::string_view group, std::string_view key) const;

    // Sets the entry. The line that holds its value now gets the new value (its key, spacing
    // and line end kept); without one, the entry is added after the group's last entry, and
    // without the group, the group is added at the end.
    void Set(std::string_view group, std::string_view key, std::string_view value);

    // A value written so the desktop reads it back unchanged.
    static std::string Escape(std::string_view value);
    static std::string Unescape(std::string_view value);

private:
    std::string text_;
};

} // namespace trvx
