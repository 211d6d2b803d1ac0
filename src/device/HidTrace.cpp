#include "device/HidTrace.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace trvx {
namespace {

// Writes with SIGPIPE held back on this thread, so a FIFO whose reader left gives EPIPE
// instead of ending the process; a SIGPIPE the write raised is taken off again.
ssize_t WriteWithoutSigpipe(int fd, const char* data, std::size_t size) {
    sigset_t pipeOnly, previous;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    const bool wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &previous);
    ssize_t written;
    do {
        written = ::write(fd, data, size);
    } while (written < 0 && errno == EINTR);
    const int error = errno;
    if (written < 0 && error == EPIPE && !wasPending) {
        const timespec none{0, 0};
        while (sigtimedwait(&pipeOnly, nullptr, &none) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return written;
}

} // namespace

HidTrace::HidTrace(const std::string& path) : path_(path) {
    if (path.empty())
        return;
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of holding up the start,
    // and a full one drops lines instead of stalling transfers. Regular files ignore it.
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        const int error = errno;
        std::fprintf(stderr, "HID trace %s cannot be opened (%s); no trace is written\n",
                     path.c_str(), std::strerror(error));
    }
}

HidTrace::~HidTrace() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool HidTrace::isOpen() const {
    std::lock_guard lock(mutex_);
    return fd_ >= 0;
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

void HidTrace::giveUp(const char* what, int error) {
    std::fprintf(stderr, "HID trace %s %s (%s); the trace stops here\n", path_.c_str(), what,
                 std::strerror(error));
    ::close(fd_);
    fd_ = -1;
}

void HidTrace::write(std::string line) {
    line += '\n';
    std::lock_guard lock(mutex_);
    if (fd_ < 0)
        return;
    // One write per line: the trace survives a crash of the program, and lines from the two
    // device threads never mix.
    const ssize_t written = WriteWithoutSigpipe(fd_, line.data(), line.size());
    if (written >= 0)
        return;
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) {
        // A FIFO whose reader lags: this line is lost, the trace goes on.
        if (!toldFull_)
            std::fprintf(stderr, "HID trace %s is full; lines are dropped while it is\n",
                         path_.c_str());
        toldFull_ = true;
        return;
    }
    giveUp(error == EPIPE ? "lost its reader" : "cannot be written", error);
}

} // namespace trvx
