#pragma once
// The report trace for debugging a mouse: every report sent or received, one hex line each,
// appended to a file ("> 40 05 00 2C 84 00 00 01" sent, "< 41 ..." received). Transfers that
// failed are traced too, with " FAILED" after the bytes: they are what a user chasing a mouse
// that will not answer needs most.
//
// The file may be a FIFO a user reads with `cat`: it is opened without waiting for a reader,
// writes never block the device thread, and a reader that goes away costs the trace, never the
// program. When the trace cannot be written, stderr says so once.

#include <cstdint>
#include <mutex>
#include <span>
#include <string>

namespace trvx {

class HidTrace {
public:
    // Opens the file for appending (created when missing).
    explicit HidTrace(const std::string& path);
    ~HidTrace();
    HidTrace(const HidTrace&) = delete;
    HidTrace& operator=(const HidTrace&) = delete;

    bool isOpen() const;
    void sent(std::span<const std::uint8_t> report) { write(formatLine('>', report)); }
    void received(std::span<const std::uint8_t> report) { write(formatLine('<', report)); }
    // A report that did not go out; or, for '<', a read that brought nothing (the report
    // holds what was asked for, its id at least).
    void failed(char direction, std::span<const std::uint8_t> report) {
        write(formatLine(direction, report) + " FAILED");
    }

    // "> 40 05 ..." without the line end.
    static std::string formatLine(char direction, std::span<const std::uint8_t> report);

private:
    void write(std::string line);
    // With mutex_ held: says once on stderr why the trace stopped, and stops it.
    void giveUp(const char* what, int error);

    mutable std::mutex mutex_;
    std::string path_;
    int fd_ = -1;
    bool toldFull_ = false;
};

} // namespace trvx
