#include "controls/wide/ComboTypeAhead.h"

#include "controls/wide/WideStrings.h"

#include <algorithm>

namespace trvx {

namespace {

bool startsWithNoCase(std::u16string_view item, std::u16string_view prefix) {
    if (item.size() < prefix.size())
        return false;
    return CompareWideText(item.substr(0, prefix.size()), prefix, false) == 0;
}

} // namespace

int FindItemPrefix(const std::vector<std::u16string>& items, int start, std::u16string_view text) {
    const int count = static_cast<int>(items.size());
    if (count == 0)
        return -1;
    if (start < -1 || start >= count)
        start = -1;
    for (int step = 1; step <= count; ++step) {
        const int i = (start + step) % count;
        if (startsWithNoCase(items[i], text))
            return i;
    }
    return -1;
}

int FindUniqueItemPrefix(const std::vector<std::u16string>& items, std::u16string_view text) {
    const int first = FindItemPrefix(items, -1, text);
    if (first < 0)
        return -1;
    return FindItemPrefix(items, first, text) == first ? first : -1;
}

ComboTypeAhead::Outcome ComboTypeAhead::OnChar(char16_t c, std::uint32_t nowMs,
                                               const std::vector<std::u16string>& items,
                                               int itemIndex, bool autoDropDown, bool listOpen) {
    Outcome out;
    switch (c) {
    case 8:
        if (!prefix_.empty())
            prefix_.pop_back();
        return out;
    case 9:
        out.closeList = autoDropDown && listOpen;
        return out;
    case 27:
        return out;
    default:
        break;
    }
    out.openList = autoDropDown && !listOpen;
    // The difference of two wrapping tick counts is right across the wrap too.
    if (!keySeen_ || static_cast<std::uint32_t>(nowMs - lastKeyMs_) >= kResetMs)
        prefix_.clear();
    lastKeyMs_ = nowMs;
    keySeen_ = true;
    std::u16string search = prefix_;
    search.push_back(c);
    const int found = FindItemPrefix(items, -1, search);
    if (found < 0)
        return out;
    prefix_.push_back(c);
    out.consumed = true;
    out.select = found;
    out.changed = found != itemIndex;
    return out;
}

ComboTypeAhead::EditOutcome ComboTypeAhead::OnEditChar(char16_t c, std::u16string_view text,
                                                       int selStart, int selLength,
                                                       const std::vector<std::u16string>& items,
                                                       bool autoDropDown, bool listOpen) {
    EditOutcome out;
    if (c == 8 || c == 27)
        return out;
    if (c == 9) {
        out.closeList = autoDropDown && listOpen;
        return out;
    }
    out.openList = autoDropDown && !listOpen;
    const int length = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, length);
    selLength = std::clamp(selLength, 0, length - selStart);
    if (selStart + selLength != length)
        return out;
    std::u16string search(text.substr(0, std::size_t(selStart)));
    search.push_back(c);
    const int found = FindItemPrefix(items, -1, search);
    if (found < 0)
        return out;
    const std::u16string& item = items[std::size_t(found)];
    out.consumed = true;
    out.select = found;
    out.changed = text != item;
    out.text = search + item.substr(std::min(search.size(), item.size()));
    out.selStart = static_cast<int>(search.size());
    out.selLength = static_cast<int>(out.text.size()) - out.selStart;
    return out;
}

} // namespace trvx
