#include "macros/MacroFileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace trvx {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what, int err) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(err);
}

} // namespace

std::optional<FileBytes> ReadMacroFile(const std::filesystem::path& path, std::size_t maxBytes,
                                       std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Describe(path, "Cannot open file", errno);
        return std::nullopt;
    }
    FileBytes result;
    result.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = Describe(path, "Cannot read file", errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    result.tooLarge = got > maxBytes;
    result.bytes.resize(std::min(got, maxBytes));
    return result;
}

std::optional<std::string> WriteFileReplacing(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> bytes) {
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Describe(path, "Cannot create file", errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Describe(path, "Cannot write file", err);
        }
        done += static_cast<std::size_t>(n);
    }
    const int syncErr = ::fsync(fd) == 0 ? 0 : errno;
    const int closeErr = ::close(fd) == 0 ? 0 : errno;
    if (syncErr != 0 || closeErr != 0) {
        ::unlink(temp.c_str());
        return Describe(path, "Cannot write file", syncErr != 0 ? syncErr : closeErr);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Describe(path, "Cannot replace file", err);
    }
    return std::nullopt;
}

} // namespace trvx
