#pragma once
// What the benchmarks that launch the real program share: the steady clock, an environment with
// overrides, spawning and stopping a process, reading its output line by line, a launch in
// folders of its own up to its start-up trace, and a private Xvfb.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bench {

inline std::int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

inline double Ms(std::int64_t ns) {
    return static_cast<double>(ns) / 1e6;
}

// What tells a launched program which desktop it runs on, where that desktop keeps its settings
// and which of its services (session manager, theme, input method) to load and talk to. The
// benchmarks launch on a private X server of their own and leave these out, with a session bus
// that refuses at once: on a developer's desktop the program would otherwise read its settings
// over the bus (the plain window reads none), and both would load the desktop's plugins, and
// measure more than on a bare machine.
inline constexpr const char* kDesktopVariables[] = {"XDG_CURRENT_DESKTOP",
                                                    "XDG_SESSION_DESKTOP",
                                                    "XDG_SESSION_TYPE",
                                                    "DESKTOP_SESSION",
                                                    "KDE_FULL_SESSION",
                                                    "KDE_SESSION_VERSION",
                                                    "GNOME_DESKTOP_SESSION_ID",
                                                    "GSETTINGS_BACKEND",
                                                    "WAYLAND_DISPLAY",
                                                    "DBUS_SESSION_BUS_ADDRESS",
                                                    "SESSION_MANAGER",
                                                    "QT_QPA_PLATFORMTHEME",
                                                    "QT_IM_MODULE",
                                                    "GTK_IM_MODULE",
                                                    "XMODIFIERS",
                                                    "DESKTOP_STARTUP_ID",
                                                    "XDG_ACTIVATION_TOKEN"};
inline constexpr const char* kNoSessionBus = "unix:path=/nonexistent/trvx-bench-no-session-bus";

// The environment of this process without the desktop's, with `overrides` put in place of what
// they name.
class Environment {
public:
    explicit Environment(const std::map<std::string, std::string>& overrides) {
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry(*e);
            const std::string key = entry.substr(0, entry.find('='));
            const bool desktop =
                std::find(std::begin(kDesktopVariables), std::end(kDesktopVariables), key) !=
                std::end(kDesktopVariables);
            if (overrides.count(key) == 0 && !desktop)
                entries_.push_back(entry);
        }
        for (const auto& [key, value] : overrides)
            entries_.push_back(key + "=" + value);
        if (overrides.count("DBUS_SESSION_BUS_ADDRESS") == 0)
            entries_.push_back(std::string("DBUS_SESSION_BUS_ADDRESS=") + kNoSessionBus);
        for (std::string& entry : entries_)
            pointers_.push_back(entry.data());
        pointers_.push_back(nullptr);
    }
    char** get() { return pointers_.data(); }

private:
    std::vector<std::string> entries_;
    std::vector<char*> pointers_;
};

// Spawns argv with stdout on `stdoutFd` (or kept) and stderr into the file `errPath`; `extraFd`,
// when not -1, is handed to the child as its fd 3. Returns the child's id, or -1.
inline pid_t Spawn(const std::vector<std::string>& args, char** envp, int stdoutFd, int extraFd,
                   const std::string& errPath = "/dev/null") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (extraFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, extraFd, 3);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

inline void Stop(pid_t pid) {
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Reads `fd` until a whole line starting with `prefix` came, or the time ran out.
inline std::optional<std::string> ReadLine(int fd, const std::string& prefix, int timeoutMs) {
    std::string buffer;
    const std::int64_t deadline = MonotonicNs() + std::int64_t{timeoutMs} * 1'000'000;
    for (;;) {
        std::size_t start = 0;
        for (std::size_t nl; (nl = buffer.find('\n', start)) != std::string::npos; start = nl + 1)
            if (buffer.compare(start, prefix.size(), prefix) == 0)
                return buffer.substr(start, nl - start);
        const std::int64_t left = deadline - MonotonicNs();
        if (left <= 0)
            return std::nullopt;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left / 1'000'000) + 1) <= 0)
            continue;
        char chunk[512];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n <= 0)
            return std::nullopt;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

// Prints what a launched program wrote to its error output (the file `errPath`), for a launch
// that failed.
inline void PrintProgramErrors(const std::string& errPath) {
    std::FILE* err = std::fopen(errPath.c_str(), "r");
    for (char line[512]; err != nullptr && std::fgets(line, sizeof line, err) != nullptr;)
        std::printf("  program: %s", line);
    if (err != nullptr)
        std::fclose(err);
}

// One launch of a program on the simulated mouse (TRVX_SIMULATE=i2c unless `platformEnv` names
// another) with its start-up trace on, in folders of its own (no single-instance socket, data or
// settings of an earlier run), up to the trace line it prints at its first paint. The process
// runs until the launch ends or is destroyed, so that it can be looked at meanwhile; a launch
// that printed no trace tells what the program said on its error output.
class TracedLaunch {
public:
    static constexpr int kTraceTimeoutMs = 30'000;

    TracedLaunch(const std::string& program,
                 const std::map<std::string, std::string>& platformEnv) {
        char dirTemplate[] = "/tmp/trvx-bench-launch-XXXXXX";
        if (mkdtemp(dirTemplate) == nullptr)
            return;
        dir_ = dirTemplate;
        std::map<std::string, std::string> overrides = platformEnv;
        overrides.try_emplace("TRVX_SIMULATE", "i2c");
        overrides["TRVX_STARTUP_TRACE"] = "1";
        overrides["TMPDIR"] = dir_.string();
        overrides["XDG_RUNTIME_DIR"] = dir_.string();
        overrides["XDG_DATA_HOME"] = (dir_ / "data").string();
        overrides["XDG_CONFIG_HOME"] = (dir_ / "config").string();
        Environment env(overrides);
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return;
        launch_ = MonotonicNs();
        pid_ = Spawn({program}, env.get(), out[1], -1, (dir_ / "stderr").string());
        close(out[1]);
        if (pid_ > 0)
            if (const auto line = ReadLine(out[0], "startup-trace ", kTraceTimeoutMs)) {
                std::istringstream fields(line->substr(14));
                for (std::string field; fields >> field;)
                    if (const auto eq = field.find('='); eq != std::string::npos)
                        trace_[field.substr(0, eq)] = std::stoll(field.substr(eq + 1));
            }
        close(out[0]);
        if (!Traced())
            PrintProgramErrors(ErrorsPath());
    }
    ~TracedLaunch() {
        End();
        std::error_code ignored;
        if (!dir_.empty())
            std::filesystem::remove_all(dir_, ignored);
    }
    TracedLaunch(const TracedLaunch&) = delete;
    TracedLaunch& operator=(const TracedLaunch&) = delete;

    // True when the program printed its trace line with the time of its first paint.
    bool Traced() const { return trace_.count("painted") != 0; }
    pid_t Pid() const { return pid_; }
    std::int64_t LaunchNs() const { return launch_; }
    // The trace's fields: instants (steady clock) and durations in ns.
    const std::map<std::string, std::int64_t>& Trace() const { return trace_; }
    // Where the program's error output goes; whole once the launch has ended.
    std::string ErrorsPath() const { return (dir_ / "stderr").string(); }
    // Stops the program.
    void End() {
        if (pid_ > 0)
            Stop(pid_);
        pid_ = -1;
    }

private:
    std::filesystem::path dir_;
    pid_t pid_ = -1;
    std::int64_t launch_ = 0;
    std::map<std::string, std::int64_t> trace_;
};

// An Xvfb on a free display; its display name, or "" when none could start.
class Xvfb {
public:
    Xvfb() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        Environment env({});
        pid_ = Spawn({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-screen", "0",
                      "1920x1080x24"},
                     env.get(), -1, fds[1]);
        close(fds[1]);
        if (pid_ > 0) {
            // Xvfb writes the display number once it accepts clients.
            pollfd p{fds[0], POLLIN, 0};
            std::string number;
            char c = 0;
            while (poll(&p, 1, 10'000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
                number += c;
            if (!number.empty())
                display_ = ":" + number;
        }
        close(fds[0]);
    }
    ~Xvfb() {
        if (pid_ > 0)
            Stop(pid_);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// The display to measure on: DISPLAY when it is set, else that of an Xvfb started into `xvfb`;
// "" when there is neither.
inline std::string DisplayOrPrivateXvfb(std::optional<Xvfb>& xvfb) {
    if (const char* set = std::getenv("DISPLAY"); set != nullptr && *set != '\0')
        return set;
    xvfb.emplace();
    return xvfb->Display();
}

} // namespace bench
