#pragma once
// Small builders shared by the macro tests.

#include "macros/MacroCode.h"
#include "macros/MacroName.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace trvx::test {

// A body from parts: byte lists and runs of one byte.
class BodyBuilder {
public:
    BodyBuilder& bytes(std::initializer_list<std::uint8_t> b) {
        data_.insert(data_.end(), b.begin(), b.end());
        return *this;
    }
    BodyBuilder& bytes(const std::vector<std::uint8_t>& b) {
        data_.insert(data_.end(), b.begin(), b.end());
        return *this;
    }
    BodyBuilder& repeat(std::uint8_t b, std::size_t n) {
        data_.insert(data_.end(), n, b);
        return *this;
    }
    BodyBuilder& repeat(std::initializer_list<std::uint8_t> group, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            bytes(group);
        return *this;
    }
    std::vector<std::uint8_t> vector() const { return data_; }
    MacroBody body() const {
        MacroBody b{};
        std::copy_n(data_.begin(), std::min(data_.size(), b.size()), b.begin());
        return b;
    }
    std::size_t size() const { return data_.size(); }

private:
    std::vector<std::uint8_t> data_;
};

// A body of `size` bytes: left-button presses ended by 0x00.
inline MacroBody ButtonBody(std::size_t size) {
    return BodyBuilder().repeat(0xA1, size - 1).bytes({0x00}).body();
}

} // namespace trvx::test

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace trvx::test {

// A fresh folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("trvx_macros_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace trvx::test
