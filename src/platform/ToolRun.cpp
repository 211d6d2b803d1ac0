#include "platform/ToolRun.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace trvx {

ToolRun RunTool(const std::vector<std::string>& argv, int timeoutMs) {
    ToolRun run;
    if (argv.empty())
        return run;
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return run;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    // Built before the fork: the child only calls what is safe there.
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        for (int fd : {out[0], out[1], err[0], err[1]})
            close(fd);
        run.err = std::strerror(errno);
        return run;
    }
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        const int devNull = open("/dev/null", O_RDONLY);
        if (devNull >= 0)
            dup2(devNull, 0);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::array<pollfd, 2> fds{pollfd{out[0], POLLIN, 0}, pollfd{err[0], POLLIN, 0}};
    int openPipes = 2;
    bool timedOut = false;
    char buffer[4096];
    while (openPipes > 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        const int ready = poll(fds.data(), fds.size(), static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        for (pollfd& p : fds) {
            if (p.fd < 0 || (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            const ssize_t n = read(p.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(p.fd);
                p.fd = -1;
                --openPipes;
                continue;
            }
            (p.fd == out[0] ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
        }
    }
    for (pollfd& p : fds)
        if (p.fd >= 0)
            close(p.fd);
    // Closing its output is not the end of a tool: one that goes on running is held to the
    // same deadline.
    int status = 0;
    pid_t waited = 0;
    for (auto pause = std::chrono::milliseconds(1); !timedOut;
         pause = std::min(pause * 2, std::chrono::milliseconds(16))) {
        waited = waitpid(pid, &status, WNOHANG);
        if (waited < 0 && errno == EINTR)
            continue;
        if (waited != 0)
            break;
        if (Clock::now() >= deadline)
            timedOut = true;
        else
            std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - Clock::now()));
    }
    if (timedOut) {
        kill(pid, SIGKILL);
        do
            waited = waitpid(pid, &status, 0);
        while (waited < 0 && errno == EINTR);
    }
    if (waited == pid && WIFEXITED(status) && !timedOut)
        run.status = WEXITSTATUS(status);
    if (timedOut)
        run.err += (run.err.empty() ? "" : "\n") + argv[0] + " did not answer in time";
    return run;
}

bool ToolOnPath(const std::string& name) {
    if (name.empty())
        return false;
    if (name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t colon = dirs.find(':', start);
        std::string dir =
            dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (dir.empty())
            dir = ".";
        if (access((dir + "/" + name).c_str(), X_OK) == 0)
            return true;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return false;
}

} // namespace trvx
