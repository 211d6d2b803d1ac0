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
