#pragma once
// The report trace for debugging a mouse: every report sent or received, one hex line each,
// appended to a file ("> 40 05 00 2C 84 00 00 01" sent, "< 41 ..." received).

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>
#include <string>

namespace trvx {

class HidTrace {
public:
    // Opens the file for appending; a file that cannot be opened leaves the trace silent.
    explicit HidTrace(const std::string& path);
    ~HidTrace();
    HidTrace(const HidTrace&) = delete;
    HidTrace& operator=(const HidTrace&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void sent(std::span<const std::uint8_t> report) { write('>', report); }
    void received(std::span<const std::uint8_t> report) { write('<', report); }

    // "> 40 05 ..." without the line end.
    static std::string formatLine(char direction, std::span<const std::uint8_t> report);

private:
    void write(char direction, std::span<const std::uint8_t> report);

    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

} // namespace trvx
