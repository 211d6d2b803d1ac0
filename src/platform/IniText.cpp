#include "platform/IniText.h"

#include "base/NumberText.h"

#include <cstdio>
#include <vector>

namespace trvx {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// A group name no header can spell: the lines after a file lock "[$i]" belong to it until the
// next header.
const std::string kNoGroup(1, '\0');

struct Line {
    std::size_t begin = 0; // the line without its '\n'
    std::size_t end = 0;
    bool newline = false;
    enum Kind { Other, Header, Entry } kind = Other;
    std::string group; // Header: the group it opens; Entry: the group it belongs to
    bool lockedGroup = false;
    bool fileLock = false;
    std::string key; // Entry: the key without options or language
    bool localized = false;
    bool deleted = false;
    bool lockedEntry = false;
    bool hasValue = false; // holds '=' (a deleted entry need not)
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

// A group header: its name parts joined as the desktop joins nested groups, whether it locks
// its group or (alone) the file; nullopt when it is not closed, which the desktop skips
// without leaving the current group.
struct HeaderParts {
    std::string name;
    bool lock = false;
    bool fileLock = false;
};

std::optional<HeaderParts> ParseHeader(std::string_view t) {
    HeaderParts h;
    bool named = false;
    std::size_t start = 1;
    for (;;) {
        const std::size_t close = t.find(']', start);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view part = t.substr(start, close - start);
        if (close + 1 == t.size() && part == "$i") {
            (named ? h.lock : h.fileLock) = true;
        } else {
            if (named)
                h.name += '\x1d';
            h.name += IniText::Unescape(part);
            named = true;
        }
        if (close + 1 < t.size() && t[close + 1] == '[') {
            start = close + 2;
            continue;
        }
        return h;
    }
}

std::vector<Line> Scan(const std::string& text) {
    std::vector<Line> lines;
    std::string current; // entries before any header belong to no group: ""
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t nl = text.find('\n', pos);
        Line l;
        l.begin = pos;
        l.end = nl == std::string::npos ? text.size() : nl;
        l.newline = nl != std::string::npos;
        std::size_t b = l.begin;
        std::size_t e = l.end;
        while (b < e && IsSpace(text[b]))
            ++b;
        while (e > b && IsSpace(text[e - 1]))
            --e;
        const std::string_view t(text.data() + b, e - b);
        l.group = current;
        if (t.empty() || t[0] == '#') {
            // blank or comment
        } else if (t[0] == '[') {
            if (auto h = ParseHeader(t)) {
                l.kind = Line::Header;
                l.fileLock = h->fileLock;
                l.lockedGroup = h->lock;
                current = h->fileLock && h->name.empty() ? kNoGroup : h->name;
                l.group = current;
            }
        } else {
            const std::size_t eq = t.find('=');
            std::size_t keyEnd = eq == std::string_view::npos ? t.size() : eq;
            while (keyEnd > 0 && IsSpace(t[keyEnd - 1]))
                --keyEnd;
            std::string_view key = t.substr(0, keyEnd);
            bool valid = !key.empty();
            std::size_t open;
            while (valid && (open = key.rfind('[')) != std::string_view::npos) {
                const std::size_t close = key.find(']', open);
                if (close == std::string_view::npos) {
                    valid = false;
                    break;
                }
                if (close > open + 1 && key[open + 1] == '$') {
                    for (std::size_t i = open + 2; i < close; ++i) {
                        l.lockedEntry |= key[i] == 'i';
                        l.deleted |= key[i] == 'd';
                    }
                } else if (l.localized) {
                    valid = false; // a second language
                } else {
                    l.localized = true;
                }
                key = key.substr(0, open);
            }
            if (valid && !key.empty() && (eq != std::string_view::npos || l.deleted)) {
                l.kind = Line::Entry;
                l.key = IniText::Unescape(key);
                l.hasValue = eq != std::string_view::npos;
                if (l.hasValue) {
                    std::size_t vb = b + eq + 1;
                    while (vb < e && IsSpace(text[vb]))
                        ++vb;
                    l.valueBegin = vb;
                    l.valueEnd = e;
                }
            }
        }
        pos = l.newline ? l.end + 1 : text.size();
        lines.push_back(std::move(l));
    }
    return lines;
}

bool IsEntryOf(const Line& l, std::string_view group, std::string_view key) {
    return l.kind == Line::Entry && !l.localized && l.group == group && l.key == key;
}

} // namespace

std::optional<std::string> IniText::Value(std::string_view group, std::string_view key) const {
    std::optional<std::string> value;
    for (const Line& l : Scan(text_)) {
        if (!IsEntryOf(l, group, key))
            continue;
        if (l.deleted || !l.hasValue)
            value.reset();
        else
            value =
                Unescape(std::string_view(text_).substr(l.valueBegin, l.valueEnd - l.valueBegin));
    }
    return value;
}

bool IniText::Locked(std::string_view group, std::string_view key) const {
    for (const Line& l : Scan(text_)) {
        if (l.kind == Line::Header && (l.fileLock || (l.lockedGroup && l.group == group)))
            return true;
        if (IsEntryOf(l, group, key) && l.lockedEntry)
            return true;
    }
    return false;
}

void IniText::Set(std::string_view group, std::string_view key, std::string_view value) {
    const std::vector<Line> lines = Scan(text_);
    const std::string escaped = Escape(value);
    const std::string entry = std::string(key) + "=" + escaped;

    const Line* holder = nullptr;
    for (const Line& l : lines)
        if (IsEntryOf(l, group, key))
            holder = &l;
    if (holder != nullptr && holder->hasValue && !holder->deleted) {
        text_.replace(holder->valueBegin, holder->valueEnd - holder->valueBegin, escaped);
        return;
    }
    if (holder != nullptr) {
        // A deleted entry ("key[$d]") is written over, keeping the line's indent and end.
        std::size_t b = holder->begin;
        std::size_t e = holder->end;
        while (b < e && IsSpace(text_[b]))
            ++b;
        while (e > b && IsSpace(text_[e - 1]))
            --e;
        text_.replace(b, e - b, entry);
        return;
    }

    // The last section of the group, and its last entry (or its header) to add the line after.
    const Line* anchor = nullptr;
    for (const Line& l : lines) {
        if (l.kind == Line::Header)
            anchor = l.group == group ? &l : anchor;
        else if (l.kind == Line::Entry && anchor != nullptr && l.group == group)
            anchor = &l;
    }
    if (anchor == nullptr && group.empty()) {
        // Entries of no group come before the first header.
        text_.insert(0, entry + "\n");
        return;
    }
    if (anchor == nullptr) {
        std::string added;
        if (!text_.empty() && text_.back() != '\n')
            added += '\n';
        if (!text_.empty())
            added += '\n';
        added += "[" + std::string(group) + "]\n" + entry + "\n";
        text_ += added;
        return;
    }
    const bool crlf = anchor->end > anchor->begin && text_[anchor->end - 1] == '\r';
    const std::string eol = crlf ? "\r\n" : "\n";
    if (anchor->newline)
        text_.insert(anchor->end + 1, entry + eol);
    else
        text_ += eol + entry + eol;
}

std::string IniText::Escape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ' ' && (i == 0 || i + 1 == value.size()))
            out += "\\s";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (static_cast<unsigned char>(c) < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            out += hex;
        } else
            out += c;
    }
    return out;
}

std::string IniText::Unescape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char c = value[++i];
        switch (c) {
        case 's':
            out += ' ';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        case 'x':
            if (const auto byte = ParseHexByte(value.substr(i + 1, 2))) {
                out += static_cast<char>(*byte);
                i += 2;
            } else {
                out += 'x';
            }
            break;
        default:
            // "\;" and "\," stay for the lists that use them; anything else is kept as written.
            out += '\\';
            out += c;
            break;
        }
    }
    return out;
}

} // namespace trvx
