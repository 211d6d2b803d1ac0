#pragma once
// Layout texts: the INI-like texts that place, size, colour and switch the main window's
// controls, and the section rules the caption texts share.
//
// Rules: lines end at CR LF, CR or LF, a zero byte ends the text; every line is trimmed of
// blanks and control characters; empty lines and ";" comments are skipped; "[name]" opens a
// section (lines before the first are dropped); "key=value" has both parts trimmed; names
// and keys match without regard to case; the last section of a name and the last occurrence
// of a key win.

#include "controls/wide/ParseResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trvx {

// Trims bytes of code 32 or less at both ends.
std::string_view TrimText(std::string_view text);

// ASCII case-insensitive equality, the rule for section names and keys.
bool SameKey(std::string_view a, std::string_view b);

// The strict integer conversion: leading blanks and a sign, then decimal digits, or "$", "x",
// "0x" (x in either case) and hexadecimal digits up to FFFFFFFF; anything else fails, the
// empty text included.
std::optional<std::int32_t> StrToIntStrict(std::string_view text);

// "'<text>' is not a valid integer value", the conversion's error.
std::string InvalidIntegerMessage(std::string_view text);

class LayoutSection {
public:
    LayoutSection() = default;
    explicit LayoutSection(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    // Adds one trimmed line: "key=value", or a line without "=" that no key lookup finds.
    void AddLine(std::string_view line);

    // The value of the last occurrence of the key, or nothing when the key is absent.
    std::optional<std::string_view> Find(std::string_view key) const;
    bool Has(std::string_view key) const { return Find(key).has_value(); }
    // The value, "" when absent.
    std::string ReadString(std::string_view key) const;
    // The value through the strict conversion; an absent key fails as the empty text does.
    ParseResult<std::int32_t> ReadInteger(std::string_view key) const;

    std::size_t LineCount() const { return lines_.size(); }

private:
    struct Line {
        std::string key; // empty for a line without "="
        std::string value;
        bool hasValue = false;
    };
    std::string name_;
    std::vector<Line> lines_;
    std::unordered_map<std::string, std::size_t> lastByKey_; // lower-case key -> line
};

class LayoutIni {
public:
    static LayoutIni Parse(std::string_view text);
    static LayoutIni Parse(std::span<const std::uint8_t> bytes);

    // Feeds one raw line through the rules above.
    void AddLine(std::string_view line);

    // The last section of that name, or nullptr.
    const LayoutSection* FindSection(std::string_view name) const;
    const std::vector<LayoutSection>& Sections() const { return sections_; }

private:
    std::vector<LayoutSection> sections_;
};

// Reads integer and text keys of one section and keeps the first failure, so a caller can
// read everything it needs into its own model and apply it only when nothing failed.
// After a failure further integer reads give 0 and leave the error as it is.
class LayoutReader {
public:
    explicit LayoutReader(const LayoutSection& section) : section_(section) {}

    std::int32_t Int(std::string_view key);
    std::string Text(std::string_view key) const { return section_.ReadString(key); }

    bool ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    const std::string& ErrorKey() const { return errorKey_; }

private:
    const LayoutSection& section_;
    std::string error_;
    std::string errorKey_;
};

// Loads the embedded layout text of that name (any case; "org", "org1" .. "org3") and gives
// its section of the same name. Fails when the text or the section is missing.
ParseResult<LayoutSection> ReadLayoutSection(std::string_view name);

// The embedded resource of that name as given, upper-case or lower-case; empty when none.
std::span<const std::uint8_t> FindTextResource(std::string_view name);

} // namespace trvx
