// Start-up of the real program on the simulated mouse (TRVX_SIMULATE=i2c): from the launch of
// the process to the end of the main window's first paint, in fresh processes, median of 7
// after one run that is not counted (it warms the file cache). Offscreen, and through xcb on a
// display when there is one: DISPLAY when it is set, else an Xvfb this benchmark starts.
// Usage: bench_startup [program]   (the program of this build when none is named)
// Prints per platform
//   median launch to first paint / 84 ms (half the fastest comparable tool's 168 ms)  (bound 1.00)
// and where the time of the median run went (the program's TRVX_STARTUP_TRACE line). For scale it
// also times a plain Qt window of the same size, started the same way: the floor that loading
// Qt and showing any window costs on this machine.
#include <QApplication>
#include <QMetaObject>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

namespace {

constexpr int kRuns = 7;
constexpr double kBoundMs = 84.0;
constexpr int kTraceTimeoutMs = 30'000;

std::int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

double Ms(std::int64_t ns) {
    return static_cast<double>(ns) / 1e6;
}

// The environment of this process with `overrides` put in place of what they name.
class Environment {
public:
    explicit Environment(const std::map<std::string, std::string>& overrides) {
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry(*e);
            const std::string key = entry.substr(0, entry.find('='));
            if (overrides.count(key) == 0)
                entries_.push_back(entry);
        }
        for (const auto& [key, value] : overrides)
            entries_.push_back(key + "=" + value);
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
pid_t Spawn(const std::vector<std::string>& args, char** envp, int stdoutFd, int extraFd,
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

void Stop(pid_t pid) {
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Reads `fd` until a whole line starting with `prefix` came, or the time ran out.
std::optional<std::string> ReadLine(int fd, const std::string& prefix, int timeoutMs) {
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

struct Run {
    std::int64_t launch = 0;
    std::map<std::string, std::int64_t> trace;
    std::int64_t total() const { return trace.at("painted") - launch; }
};

std::optional<Run> LaunchOnce(const std::string& program,
                              const std::map<std::string, std::string>& platformEnv) {
    // Every run gets folders of its own: no single-instance socket or data of an earlier run.
    char dirTemplate[] = "/tmp/trvx-bench-startup-XXXXXX";
    if (mkdtemp(dirTemplate) == nullptr)
        return std::nullopt;
    const std::filesystem::path dir(dirTemplate);
    std::map<std::string, std::string> overrides = platformEnv;
    overrides["TRVX_SIMULATE"] = "i2c";
    overrides["TRVX_STARTUP_TRACE"] = "1";
    overrides["TMPDIR"] = dir.string();
    overrides["XDG_DATA_HOME"] = (dir / "data").string();
    overrides["XDG_CONFIG_HOME"] = (dir / "config").string();
    Environment env(overrides);

    std::optional<Run> run;
    int out[2];
    if (pipe2(out, O_CLOEXEC) == 0) {
        Run r;
        r.launch = MonotonicNs();
        const pid_t pid = Spawn({program}, env.get(), out[1], -1, (dir / "stderr").string());
        close(out[1]);
        if (pid > 0) {
            if (const auto line = ReadLine(out[0], "startup-trace ", kTraceTimeoutMs)) {
                std::istringstream fields(line->substr(14));
                for (std::string field; fields >> field;)
                    if (const auto eq = field.find('='); eq != std::string::npos)
                        r.trace[field.substr(0, eq)] = std::stoll(field.substr(eq + 1));
                if (r.trace.count("painted") != 0)
                    run = r;
            }
            Stop(pid);
        }
        close(out[0]);
    }
    if (!run) {
        // What the program said about it.
        std::FILE* err = std::fopen((dir / "stderr").c_str(), "r");
        for (char line[512]; err != nullptr && std::fgets(line, sizeof line, err) != nullptr;)
            std::printf("  program: %s", line);
        if (err != nullptr)
            std::fclose(err);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return run;
}

// kRuns launches of `program` after one more that warms the file cache, sorted by their time
// to the first paint; empty when one printed no trace.
std::vector<Run> LaunchRuns(const std::string& program,
                            const std::map<std::string, std::string>& platformEnv) {
    LaunchOnce(program, platformEnv);
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i) {
        auto run = LaunchOnce(program, platformEnv);
        if (!run)
            return {};
        runs.push_back(*run);
    }
    std::sort(runs.begin(), runs.end(),
              [](const Run& a, const Run& b) { return a.total() < b.total(); });
    return runs;
}

// Measures the program on one platform and prints its figures. False when a run failed or the
// median is out of bounds.
bool Measure(const std::string& program, const std::string& name,
             const std::map<std::string, std::string>& platformEnv) {
    const std::vector<Run> runs = LaunchRuns(program, platformEnv);
    if (runs.empty()) {
        std::printf("%-9s the program printed no start-up trace\n", name.c_str());
        return false;
    }
    const Run& median = runs[kRuns / 2];
    // A field the program did not print (an older build) counts as 0.
    auto t = [&](const char* key) {
        const auto it = median.trace.find(key);
        return it != median.trace.end() ? it->second : 0;
    };
    const double total = Ms(median.total());
    const double ratio = total / kBoundMs;
    std::printf("%-9s launch to first paint: median %.1f ms of %d (%.1f .. %.1f) / bound %.0f ms "
                "= %.2f (bound 1.00)\n",
                name.c_str(), total, kRuns, Ms(runs.front().total()), Ms(runs.back().total()),
                kBoundMs, ratio);
    const double creation = Ms(t("creation"));
    const double layout = Ms(t("layout"));
    const double decode = Ms(t("decode"));
    const double other = total - creation - layout - decode;
    std::printf("%-9s   median run: control creation %.1f ms, layout pass %.1f ms, image "
                "decoding %.1f ms, other %.1f ms\n",
                "", creation, layout, decode, other);
    // Other: starting the process and Qt, the window's remaining set-up (default image, poller,
    // shape mask, term captions ...), and showing and painting it (less the pictures decoded
    // for that paint, which count as decoding).
    const double toMain = Ms(t("main") - median.launch);
    const double qtStart = Ms(t("app") - t("main"));
    const double showPaint = Ms(t("painted") - t("form") - t("late"));
    const double rest = other - toMain - qtStart - showPaint;
    std::printf("%-9s   other: process start to main %.1f ms, QApplication %.1f ms, rest of the "
                "window's set-up %.1f ms, show to painted %.1f ms; CPU time %.1f ms\n",
                "", toMain, qtStart, rest, showPaint, Ms(t("cpu")));
    const std::vector<Run> plain = LaunchRuns("/proc/self/exe", platformEnv);
    if (!plain.empty()) {
        const Run& p = plain[kRuns / 2];
        std::printf("%-9s   for scale, a plain Qt window of the same size: median %.1f ms (process "
                    "start to main %.1f ms)\n",
                    "", Ms(p.total()), Ms(p.trace.at("main") - p.launch));
    }
    return ratio <= 1.0;
}

// The plain window: QApplication and one empty window of the program's size, with the
// program's trace line at its first paint.
class PlainWindow final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (painted_)
            return;
        painted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::printf("startup-trace main=%lld painted=%lld\n", static_cast<long long>(main_),
                            static_cast<long long>(MonotonicNs()));
                std::fflush(stdout);
            },
            Qt::QueuedConnection);
    }

public:
    std::int64_t main_ = 0;

private:
    bool painted_ = false;
};

int RunPlainWindow(int argc, char** argv, std::int64_t mainNs) {
    QApplication app(argc, argv);
    PlainWindow window;
    window.main_ = mainNs;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(1030, 660);
    window.show();
    return QApplication::exec();
}

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

} // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = MonotonicNs();
    if (std::getenv("TRVX_STARTUP_TRACE") != nullptr)
        return RunPlainWindow(argc, argv, mainNs);
    // Another build of the program may be named, to compare two builds on one machine.
    const std::string program = argc > 1 ? argv[1] : TRVX_PROGRAM_PATH;
    bool within = Measure(program, "offscreen", {{"QT_QPA_PLATFORM", "offscreen"}});

    std::optional<Xvfb> xvfb;
    std::string display;
    if (const char* set = std::getenv("DISPLAY"); set != nullptr && *set != '\0') {
        display = set;
    } else {
        xvfb.emplace();
        display = xvfb->Display();
    }
    if (display.empty())
        std::printf("xcb       no display and no Xvfb: not measured\n");
    else
        within =
            Measure(program, "xcb", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}}) && within;

    std::printf("%s\n", within ? "all within bounds" : "OUT OF BOUNDS");
    return within ? 0 : 1;
}
