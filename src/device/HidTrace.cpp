#include "device/HidTrace.h"

namespace trvx {

HidTrace::HidTrace(const std::string& path) {
    if (!path.empty())
        file_ = std::fopen(path.c_str(), "a");
}

HidTrace::~HidTrace() {
    if (file_ != nullptr)
        std::fclose(file_);
}

std::string HidTrace::formatLine(char direction, std::span<const std::uint8_t> report) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(2 + report.size() * 3);
    line += direction;
    for (std::uint8_t byte : report) {
        line += ' ';
        line += digits[byte >> 4];
        line += digits[byte & 0x0F];
    }
    return line;
}

void HidTrace::write(char direction, std::span<const std::uint8_t> report) {
    if (file_ == nullptr)
        return;
    const std::string line = formatLine(direction, report) + '\n';
    std::lock_guard lock(mutex_);
    // Flushed per line so the trace survives a crash of the program.
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

} // namespace trvx
