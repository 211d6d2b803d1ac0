#include "sim/ScenarioScript.h"

#include "base/NumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace trvx {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A comment is a `#` at the start of the line or after a blank, so a `#` inside a word stays.
std::string_view StripComment(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || IsBlank(line[i - 1])))
            return line.substr(0, i);
    return line;
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest = Trim(rest.substr(end));
    return word;
}

std::optional<std::int64_t> ParseNumber(std::string_view s) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value < 0)
        return std::nullopt;
    return value;
}

// An item index, where -1 means none.
std::optional<std::int64_t> ParseIndex(std::string_view s) {
    if (s.size() > 1 && s[0] == '-') {
        const auto n = ParseNumber(s.substr(1));
        return n == 1 ? std::optional<std::int64_t>(-1) : std::nullopt;
    }
    return ParseNumber(s);
}

struct StepWord {
    std::string_view word;
    ScenarioStepKind kind;
};

constexpr std::array<StepWord, 33> kPlainSteps{{
    {"device", ScenarioStepKind::Device},
    {"file-of", ScenarioStepKind::FileOf},
    {"start", ScenarioStepKind::Start},
    {"wait", ScenarioStepKind::Wait},
    {"click", ScenarioStepKind::Click},
    {"dblclick", ScenarioStepKind::DblClick},
    {"hover", ScenarioStepKind::Hover},
    {"leave", ScenarioStepKind::Leave},
    {"rclick", ScenarioStepKind::RClick},
    {"text", ScenarioStepKind::Text},
    {"choose", ScenarioStepKind::Choose},
    {"check", ScenarioStepKind::Check},
    {"uncheck", ScenarioStepKind::Uncheck},
    {"key", ScenarioStepKind::Key},
    {"plug", ScenarioStepKind::Plug},
    {"unplug", ScenarioStepKind::Unplug},
    {"other-plug", ScenarioStepKind::OtherPlug},
    {"other-unplug", ScenarioStepKind::OtherUnplug},
    {"input", ScenarioStepKind::Input},
    {"answer", ScenarioStepKind::Answer},
    {"choose-file", ScenarioStepKind::ChooseFile},
    {"choose-color", ScenarioStepKind::ChooseColor},
    {"snapshot", ScenarioStepKind::Snapshot},
    {"frames", ScenarioStepKind::Frames},
    {"expect", ScenarioStepKind::Expect},
    {"expect-none", ScenarioStepKind::ExpectNone},
    {"skip-to", ScenarioStepKind::SkipTo},
    {"messages", ScenarioStepKind::Messages},
    {"image", ScenarioStepKind::Image},
    {"show", ScenarioStepKind::Show},
    {"expect-control", ScenarioStepKind::ExpectControl},
    {"data-file", ScenarioStepKind::DataFile},
    {"setting", ScenarioStepKind::Setting},
}};

struct PropertyWord {
    std::string_view word;
    ControlProperty property;
};

constexpr std::array<PropertyWord, 6> kProperties{{
    {"text", ControlProperty::Text},
    {"index", ControlProperty::Index},
    {"checked", ControlProperty::Checked},
    {"visible", ControlProperty::Visible},
    {"enabled", ControlProperty::Enabled},
    {"count", ControlProperty::Count},
}};

std::string_view PropertyName(ControlProperty property) {
    for (const PropertyWord& p : kProperties)
        if (p.property == property)
            return p.word;
    return "?";
}

// A data file's name is one name in the data folder: no folders, nothing that climbs out.
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

constexpr std::array<StepWord, 5> kSimSteps{{
    {"poke", ScenarioStepKind::SimPoke},
    {"info", ScenarioStepKind::SimInfo},
    {"fail-reply", ScenarioStepKind::SimFailReply},
    {"fail-send", ScenarioStepKind::SimFailSend},
    {"deny-access", ScenarioStepKind::SimDenyAccess},
}};

// Fills the step's arguments from `rest`; an error text when they do not fit.
std::string ParseArguments(ScenarioStep& step, std::string_view word, std::string_view rest) {
    using K = ScenarioStepKind;
    const std::string w(word);
    auto noArguments = [&]() -> std::string {
        return rest.empty() ? std::string() : "'" + w + "' takes nothing after it";
    };
    auto oneWord = [&](std::string& into, const char* what) -> std::string {
        std::string_view r = rest;
        const std::string_view first = NextWord(r);
        if (first.empty() || !r.empty())
            return "'" + w + "' takes one " + what;
        into = std::string(first);
        return {};
    };
    auto hexBytes = [&](std::string_view text) -> std::string {
        const auto bytes = ParseHexBytes(text);
        if (!bytes)
            return "'" + w + "' takes hex bytes, such as 40 05 00 2C";
        step.bytes = *bytes;
        return {};
    };
    auto number = [&](std::string_view text, const char* what) -> std::string {
        const auto n = ParseNumber(text);
        if (!n)
            return "'" + w + "' takes " + what + ", not '" + std::string(text) + "'";
        step.number = *n;
        return {};
    };

    switch (step.kind) {
    case K::Device:
        if (rest == "i2c")
            step.device = ScenarioDevice::I2C;
        else if (rest == "flash")
            step.device = ScenarioDevice::Flash;
        else if (rest == "none")
            step.device = ScenarioDevice::None;
        else
            return "'device' takes i2c, flash or none";
        return {};
    case K::FileOf:
    case K::ChooseFile:
    case K::Snapshot:
        if (rest.empty())
            return "'" + w + "' takes a path";
        step.name = std::string(rest);
        return {};
    case K::Start:
    case K::Plug:
    case K::Unplug:
    case K::OtherPlug:
    case K::OtherUnplug:
    case K::Frames:
    case K::ExpectNone:
    case K::Messages:
    case K::Image:
        return noArguments();
    case K::Wait:
        return number(rest, "a number of milliseconds");
    case K::Click:
    case K::DblClick:
    case K::RClick: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        const std::string_view row = NextWord(r);
        if (step.name.empty() || !r.empty())
            return "'" + w + "' takes a control name and an optional list row";
        if (row.empty())
            return {};
        const auto n = ParseNumber(row);
        if (!n || *n > std::numeric_limits<int>::max())
            return "'" + w + "' takes a list row, not '" + std::string(row) + "'";
        step.row = static_cast<int>(*n);
        return {};
    }
    case K::Show:
    case K::Hover:
    case K::Leave:
    case K::Check:
    case K::Uncheck:
        return oneWord(step.name, "control name");
    case K::Text: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        if (step.name.empty())
            return "'text' takes a control name and the text";
        step.text = std::string(r);
        return {};
    }
    case K::Choose: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        const std::string_view index = NextWord(r);
        if (step.name.empty() || index.empty() || !r.empty())
            return "'choose' takes a control name and an item index";
        return number(index, "an item index");
    }
    case K::Key: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        step.text = std::string(NextWord(r));
        if (step.name.empty() || step.text.empty() || !r.empty())
            return "'key' takes a control name and a key";
        return {};
    }
    case K::SimPoke: {
        std::string_view r = rest;
        const std::string_view offset = NextWord(r);
        if (std::string e = number(offset, "an image offset"); !e.empty())
            return e;
        return hexBytes(r);
    }
    case K::SimInfo:
    case K::Input:
    case K::Expect:
    case K::SkipTo:
        return hexBytes(rest);
    case K::SimFailReply:
    case K::SimFailSend:
        return number(rest, "a count (1 = the next one, 0 = off)");
    case K::SimDenyAccess:
        if (rest != "0" && rest != "1")
            return "'" + w + "' takes 1 (on) or 0 (off)";
        step.number = rest == "1" ? 1 : 0;
        return {};
    case K::Answer:
        if (rest.empty())
            return "'answer' takes ok, cancel or a text";
        step.answer = rest == "ok"       ? ScenarioAnswer::Ok
                      : rest == "cancel" ? ScenarioAnswer::Cancel
                                         : ScenarioAnswer::Text;
        step.text = std::string(rest);
        return {};
    case K::ExpectControl: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        const std::string_view property = NextWord(r);
        if (step.name.empty() || property.empty())
            return "'expect-control' takes a control name, a property and a value";
        const auto* found = std::find_if(kProperties.begin(), kProperties.end(),
                                         [&](const PropertyWord& p) { return p.word == property; });
        if (found == kProperties.end())
            return "'expect-control' takes a property of text, index, checked, visible, "
                   "enabled, count, not '" +
                   std::string(property) + "'";
        step.property = found->property;
        step.text = std::string(r);
        switch (step.property) {
        case ControlProperty::Text:
            return {}; // any text, also none
        // Numbers are kept as `show` prints them, so 0x10 matches a count of 16.
        case ControlProperty::Index: {
            const auto index = ParseIndex(r);
            if (!index || *index > std::numeric_limits<int>::max())
                return "'expect-control' takes an index (-1 for none), not '" + step.text + "'";
            step.text = std::to_string(*index);
            return {};
        }
        case ControlProperty::Count: {
            const auto count = ParseNumber(r);
            if (!count || *count > std::numeric_limits<int>::max())
                return "'expect-control' takes a count, not '" + step.text + "'";
            step.text = std::to_string(*count);
            return {};
        }
        default:
            if (r != "0" && r != "1")
                return "'expect-control' takes 0 or 1 for " + std::string(property) + ", not '" +
                       step.text + "'";
            return {};
        }
    }
    case K::DataFile: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        step.text = std::string(r);
        if (step.name.empty() || step.text.empty())
            return "'data-file' takes a file name and a path";
        if (!IsPlainFileName(step.name))
            return "'data-file' takes a file name without folders, not '" + step.name + "'";
        return {};
    }
    case K::Setting: {
        std::string_view r = rest;
        step.name = std::string(NextWord(r));
        const auto value = ParseNumber(r);
        if (step.name.empty() || !value || *value > std::numeric_limits<int>::max())
            return "'setting' takes a setting's key and a number";
        step.number = *value;
        return {};
    }
    case K::ChooseColor: {
        const auto bytes = rest.size() == 6 ? ParseHexBytes(rest) : std::nullopt;
        if (!bytes)
            return "'choose-color' takes a colour as rrggbb";
        step.color =
            (std::uint32_t((*bytes)[0]) << 16) | (std::uint32_t((*bytes)[1]) << 8) | (*bytes)[2];
        return {};
    }
    }
    return "unknown step";
}

} // namespace

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::string_view rest = text;
    for (std::string_view token = NextWord(rest); !token.empty(); token = NextWord(rest)) {
        if (token.size() % 2 != 0 && token.size() != 1)
            return std::nullopt;
        if (token.size() == 1) {
            const int d = HexDigitValue(static_cast<unsigned char>(token[0]));
            if (d < 0)
                return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(d));
            continue;
        }
        const auto tokenBytes = ParseHexByteText(token);
        if (!tokenBytes)
            return std::nullopt;
        bytes.insert(bytes.end(), tokenBytes->begin(), tokenBytes->end());
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

ScenarioParse ParseScenario(std::string_view text) {
    ScenarioParse parse;
    int lineNo = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view raw = text.substr(at, end - at);
        at = end + 1;
        ++lineNo;
        const std::string_view line = Trim(StripComment(raw));
        if (line.empty())
            continue;
        std::string_view rest = line;
        std::string_view word = NextWord(rest);
        std::optional<ScenarioStepKind> kind;
        std::string shownWord(word);
        if (word == "sim") {
            const std::string_view sub = NextWord(rest);
            shownWord = "sim " + std::string(sub);
            for (const StepWord& s : kSimSteps)
                if (s.word == sub)
                    kind = s.kind;
            word = shownWord;
        } else {
            for (const StepWord& s : kPlainSteps)
                if (s.word == word)
                    kind = s.kind;
        }
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        if (!kind) {
            parse.errors.push_back(where + "unknown step '" + shownWord + "'");
            continue;
        }
        ScenarioStep step;
        step.kind = *kind;
        step.line = lineNo;
        step.source = std::string(line);
        if (std::string error = ParseArguments(step, word, rest); !error.empty()) {
            parse.errors.push_back(where + error);
            continue;
        }
        parse.steps.push_back(std::move(step));
    }
    return parse;
}

std::string FormatImageLines(std::span<const std::uint8_t> image) {
    std::string out;
    out.reserve(image.size() * 3 + image.size() / 16 * 7);
    char offset[24];
    for (std::size_t at = 0; at < image.size(); at += 16) {
        std::snprintf(offset, sizeof offset, "%04zX: ", at);
        out += offset;
        out += FormatHexBytes(image.subspan(at, std::min<std::size_t>(16, image.size() - at)));
        out += '\n';
    }
    return out;
}

std::string FormatMessageLine(std::string_view text) {
    std::string out = "message: ";
    bool lineBreak = false;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            lineBreak = true;
            continue;
        }
        if (lineBreak)
            out += " | ";
        lineBreak = false;
        out += c;
    }
    out += '\n';
    return out;
}

std::string FormatControlState(std::string_view name, const ControlState& state) {
    std::string out = "control " + std::string(name) + ":";
    if (state.text) {
        out += " text=\"";
        for (char c : *state.text) {
            if (c == '"' || c == '\\')
                out += '\\';
            if (c == '\n')
                out += "\\n";
            else if (c != '\r')
                out += c;
        }
        out += '"';
    }
    if (state.index)
        out += " index=" + std::to_string(*state.index);
    if (state.checked)
        out += std::string(" checked=") + (*state.checked ? "1" : "0");
    out += std::string(" visible=") + (state.visible ? "1" : "0");
    out += std::string(" enabled=") + (state.enabled ? "1" : "0");
    if (state.count)
        out += " count=" + std::to_string(*state.count);
    out += '\n';
    return out;
}

bool CheckControlState(std::string_view name, const ControlState& state, ControlProperty property,
                       std::string_view value, std::string& error) {
    auto flag = [](bool b) { return std::optional<std::string>(b ? "1" : "0"); };
    auto number = [](const std::optional<int>& n) {
        return n ? std::optional<std::string>(std::to_string(*n)) : std::nullopt;
    };
    std::optional<std::string> actual;
    switch (property) {
    case ControlProperty::Text:
        actual = state.text;
        break;
    case ControlProperty::Index:
        actual = number(state.index);
        break;
    case ControlProperty::Checked:
        if (state.checked)
            actual = flag(*state.checked);
        break;
    case ControlProperty::Visible:
        actual = flag(state.visible);
        break;
    case ControlProperty::Enabled:
        actual = flag(state.enabled);
        break;
    case ControlProperty::Count:
        actual = number(state.count);
        break;
    }
    const std::string what = std::string(name) + " " + std::string(PropertyName(property));
    if (!actual) {
        error = std::string(name) + " has no " + std::string(PropertyName(property));
        return false;
    }
    if (*actual == value)
        return true;
    if (property == ControlProperty::Text)
        error = what + " is \"" + *actual + "\", not \"" + std::string(value) + "\"";
    else
        error = what + " is " + *actual + ", not " + std::string(value);
    return false;
}

bool CopyDataFile(const std::filesystem::path& dataFolder, std::string_view name,
                  const std::filesystem::path& source, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        error = "cannot read " + source.string();
        return false;
    }
    fs::create_directories(dataFolder, ec);
    if (ec) {
        error = "cannot make the data folder " + dataFolder.string() + ": " + ec.message();
        return false;
    }
    const fs::path target = dataFolder / fs::path(name);
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy " + source.string() + " to " + target.string() + ": " + ec.message();
        return false;
    }
    return true;
}

void ScenarioFrameLog::Append(std::span<const SimFrame> frames) {
    frames_.insert(frames_.end(), frames.begin(), frames.end());
}

std::string ScenarioFrameLog::TakeUnprinted() {
    const std::span<const SimFrame> rest(frames_.data() + printed_, frames_.size() - printed_);
    printed_ = frames_.size();
    return FormatFrames(rest);
}

bool ScenarioFrameLog::Expect(std::span<const std::uint8_t> bytes, std::string& error) {
    while (matched_ < frames_.size() && !frames_[matched_].sent)
        ++matched_;
    const SimFrame wanted{true, {bytes.begin(), bytes.end()}};
    if (matched_ == frames_.size()) {
        error = "expected " + FormatFrame(wanted) + ", but nothing more was sent";
        return false;
    }
    const SimFrame& next = frames_[matched_];
    if (next.bytes != wanted.bytes) {
        error = "expected " + FormatFrame(wanted) + ", but " + FormatFrame(next) + " was sent";
        return false;
    }
    ++matched_;
    return true;
}

bool ScenarioFrameLog::SkipTo(std::span<const std::uint8_t> bytes, std::string& error) {
    const SimFrame wanted{true, {bytes.begin(), bytes.end()}};
    for (std::size_t i = matched_; i < frames_.size(); ++i) {
        if (frames_[i] == wanted) {
            matched_ = i + 1;
            return true;
        }
    }
    error = "skip-to " + FormatFrame(wanted) + ": no such frame was sent";
    return false;
}

bool ScenarioFrameLog::ExpectNone(std::string& error) const {
    for (std::size_t i = matched_; i < frames_.size(); ++i) {
        if (frames_[i].sent) {
            error = "expect-none: " + FormatFrame(frames_[i]) + " was sent and not expected";
            return false;
        }
    }
    return true;
}

} // namespace trvx
