// Turns a caption text authored as UTF-8 (resources/captions/langN.txt) into the form the
// program embeds: UTF-16 little-endian with the byte-order mark FF FE, lines ended by CR LF.
//
//   gen_captions <source.txt> <output>
//
// The source is checked line by line so that a slip fails the build instead of silently
// changing captions: the first line is the section header "[name]", every other line is blank,
// a "#" comment (left out of the output) or one entry "key=value" enclosed in double quotes,
// with a quote inside the value written twice. Keys are FontName, Title or Str and three
// digits, each at most once.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Failure {
    std::size_t line = 0;
    std::string message;
};

// The code points of a UTF-8 text, or nothing when it is not well-formed UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            extra = 2;
            cp = b0 & 0x0F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            extra = 3;
            cp = b0 & 0x07;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size())
            return std::nullopt; // a sequence cut short
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        out.push_back(cp);
        i += 1 + extra;
    }
    return out;
}

void appendUtf16Le(std::vector<std::uint8_t>& out, std::u32string_view text) {
    auto unit = [&out](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>((u >> 8) & 0xFF));
    };
    for (char32_t cp : text) {
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            unit(0xD800 + (v >> 10));
            unit(0xDC00 + (v & 0x3FF));
        } else {
            unit(cp);
        }
    }
}

bool isKeyName(std::string_view key) {
    if (key == "FontName" || key == "Title")
        return true;
    if (key.size() != 6 || key.substr(0, 3) != "Str")
        return false;
    for (char c : key.substr(3)) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Checks one quoted entry line; gives the key, or a message.
std::optional<std::string> checkEntry(std::string_view line, std::string& error) {
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
        error = "entry is not enclosed in double quotes";
        return std::nullopt;
    }
    const std::string_view inner = line.substr(1, line.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != '"')
            continue;
        if (i + 1 < inner.size() && inner[i + 1] == '"') {
            ++i;
            continue;
        }
        error = "single double quote inside the entry (write it twice)";
        return std::nullopt;
    }
    const std::size_t eq = inner.find('=');
    if (eq == std::string_view::npos) {
        error = "entry has no '='";
        return std::nullopt;
    }
    const std::string key(inner.substr(0, eq));
    if (!isKeyName(key)) {
        error = "unknown key '" + key + "'";
        return std::nullopt;
    }
    return key;
}

std::string trimRight(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

// The output bytes for the source text, or the first fault found.
std::vector<std::uint8_t> convert(std::string_view source, Failure& failure) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF")
        source.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= source.size()) {
        const std::size_t end = source.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? source.size() : end;
        lines.push_back(trimRight(source.substr(start, stop - start)));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();

    std::vector<std::uint8_t> out{0xFF, 0xFE};
    std::set<std::string> keys;
    bool header = false;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        failure.line = n + 1;
        if (!line.empty() && line.front() == '#')
            continue;
        const auto text = decodeUtf8(line);
        if (!text) {
            failure.message = "not valid UTF-8";
            return {};
        }
        if (!header) {
            if (line.size() < 3 || line.front() != '[' || line.back() != ']') {
                failure.message = "the first line must be the section header [name]";
                return {};
            }
            header = true;
        } else if (!line.empty()) {
            std::string error;
            const auto key = checkEntry(line, error);
            if (!key) {
                failure.message = error;
                return {};
            }
            if (!keys.insert(*key).second) {
                failure.message = "key " + *key + " appears twice";
                return {};
            }
        }
        appendUtf16Le(out, *text);
        appendUtf16Le(out, U"\r\n");
    }
    if (!header) {
        failure.line = 0;
        failure.message = "no section header";
        return {};
    }
    failure = {};
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gen_captions <source.txt> <output>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    Failure failure;
    const std::vector<std::uint8_t> bytes = convert(source, failure);
    if (!failure.message.empty()) {
        std::cerr << argv[1] << ":" << failure.line << ": " << failure.message << "\n";
        return 1;
    }

    // Written beside the target and renamed over it, so a failed run leaves no half file.
    const std::filesystem::path target(argv[2]);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    const std::filesystem::path temp = target.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << temp.string() << ": cannot write\n";
            return 1;
        }
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::cerr << target.string() << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
