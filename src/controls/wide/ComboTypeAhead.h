#pragma once
// Type-ahead of the wide combo box's list styles: letters typed within 1250 ms of each other
// build a prefix, and the first item starting with it (case-insensitive) is selected.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// The first item after `start` (wrapping; -1 searches from the first item) that begins with
// `text`, ignoring case; -1 when none does.
int FindItemPrefix(const std::vector<std::u16string>& items, int start, std::u16string_view text);
// The item found from the start, kept only when searching again from it finds it again.
int FindUniqueItemPrefix(const std::vector<std::u16string>& items, std::u16string_view text);

class ComboTypeAhead {
public:
    static constexpr std::uint32_t kResetMs = 1250;

    struct Outcome {
        bool consumed = false;  // the key was used for the search
        bool openList = false;  // open the drop-down list first
        bool closeList = false; // close the drop-down list
        int select = -1;        // the item to select, -1 for none
        bool changed = false;   // the selection moves: run the change handlers
    };

    // One typed character `c` at tick count `nowMs` (wrapping 32-bit milliseconds).
    Outcome OnChar(char16_t c, std::uint32_t nowMs, const std::vector<std::u16string>& items,
                   int itemIndex, bool autoDropDown, bool listOpen);

    const std::u16string& TypedPrefix() const { return prefix_; }

    struct EditOutcome {
        bool consumed = false;
        bool openList = false;
        bool closeList = false;
        int select = -1;      // the item found, -1 for none
        bool changed = false; // the edit's text differs from the item's (case-sensitive)
        std::u16string text;  // the completed text, the completed part selected
        int selStart = 0;
        int selLength = 0;
    };

    // The edit styles: a character typed while the selection reaches the end of the text
    // completes the text before the selection plus the character to the first item that
    // begins with it, keeping what was typed and selecting the rest.
    static EditOutcome OnEditChar(char16_t c, std::u16string_view text, int selStart, int selLength,
                                  const std::vector<std::u16string>& items, bool autoDropDown,
                                  bool listOpen);

private:
    std::u16string prefix_;
    std::uint32_t lastKeyMs_ = 0;
    bool keySeen_ = false;
};

} // namespace trvx
