// Memory of the real program on the simulated mouse (TRVX_SIMULATE=i2c) as a user sees it, on a
// display: its resident set 1.5 s after the end of the main window's first paint (the other
// pages are built by then and the window waits for its user), in fresh processes, median of 5.
// Through xcb on DISPLAY when it is set, else on an Xvfb this benchmark starts.
// Usage: bench_memory [program]   (the program of this build when none is named)
// Prints
//   median resident set / a plain Qt window's / 1.55                          (bound 1.00)
// and, for information, both in MiB and what they are made of: anonymous memory (the heaps,
// thread stacks, decoded pictures), pages of files (the program, its libraries, fonts) and
// shared memory (the window's picture handed to the X server).
// The plain window of the same size, started the same way and in turns with the program, shows
// one line of text: what loading Qt, its fonts and showing any window with a caption costs. (A
// window without any text loads no fonts at all on a bare X server, which no window of the
// program can do without.) The same window without the text is printed for scale.
#include "PlainWindow.h"
#include "ProgramLaunch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::MonotonicNs;
using bench::PlainContent;
using bench::RunPlainWindow;
using bench::TracedLaunch;
using bench::Xvfb;

constexpr int kRuns = 5;
constexpr std::int64_t kAfterPaintNs = 1'500'000'000;
// The program against a plain Qt window of its size, started the same way.
constexpr double kPlainBound = 1.55;
// Marks the launch of the plain window without text.
constexpr char kEmptyMarker[] = "TRVX_BENCH_PLAIN_EMPTY";

// A process's resident set in KiB, as /proc/<pid>/status gives it.
struct Resident {
    long total = 0;
    long anonymous = 0;
    long files = 0;
    long shared = 0;
};

std::optional<Resident> ResidentOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::map<std::string, long> fields;
    for (std::string key; status >> key;) {
        long kib = 0;
        if (status >> kib)
            fields[key] = kib;
        status.clear();
        status.ignore(1 << 12, '\n');
    }
    if (fields.count("VmRSS:") == 0)
        return std::nullopt;
    return Resident{fields["VmRSS:"], fields["RssAnon:"], fields["RssFile:"], fields["RssShmem:"]};
}

// One launch: the resident set 1.5 s after the first paint; empty when the launch printed no
// trace or ended before.
std::optional<Resident> MeasureOnce(const std::string& program,
                                    const std::map<std::string, std::string>& platformEnv) {
    const TracedLaunch launch(program, platformEnv);
    if (!launch.Traced())
        return std::nullopt;
    const std::int64_t wait = launch.Trace().at("painted") + kAfterPaintNs - MonotonicNs();
    if (wait > 0) {
        const timespec pause{static_cast<time_t>(wait / 1'000'000'000),
                             static_cast<long>(wait % 1'000'000'000)};
        nanosleep(&pause, nullptr);
    }
    return ResidentOf(launch.Pid());
}

double MiB(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

std::string Describe(const std::vector<Resident>& runs) {
    const Resident& m = runs[runs.size() / 2];
    char text[160];
    std::snprintf(text, sizeof text,
                  "%.1f MiB (%.1f .. %.1f): anonymous %.1f, files %.1f, shared %.1f", MiB(m.total),
                  MiB(runs.front().total), MiB(runs.back().total), MiB(m.anonymous), MiB(m.files),
                  MiB(m.shared));
    return text;
}

// Measures the program in turns with the plain windows and prints the figures. False when a
// launch failed or the median is out of its bound.
bool Measure(const std::string& program, const std::string& display) {
    const std::map<std::string, std::string> xcb{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}};
    std::map<std::string, std::string> empty = xcb;
    empty[kEmptyMarker] = "1";
    std::vector<Resident> runs;
    std::vector<Resident> plain;
    std::vector<Resident> plainEmpty;
    for (int i = 0; i < kRuns; ++i) {
        const auto run = MeasureOnce(program, xcb);
        const auto floor = MeasureOnce("/proc/self/exe", xcb);
        const auto scale = MeasureOnce("/proc/self/exe", empty);
        if (!run || !floor || !scale) {
            std::printf("%s printed no start-up trace or ended\n",
                        !run ? "the program" : "a plain window");
            return false;
        }
        runs.push_back(*run);
        plain.push_back(*floor);
        plainEmpty.push_back(*scale);
    }
    for (std::vector<Resident>* list : {&runs, &plain, &plainEmpty})
        std::sort(list->begin(), list->end(),
                  [](const Resident& a, const Resident& b) { return a.total < b.total; });
    const double ratio = static_cast<double>(runs[kRuns / 2].total) / plain[kRuns / 2].total;
    std::printf("resident set 1.5 s after the first paint / a plain Qt window's of the same size "
                "with a line of text: %.1f / %.1f MiB = %.2fx / bound %.2fx = %.2f (bound 1.00)\n",
                MiB(runs[kRuns / 2].total), MiB(plain[kRuns / 2].total), ratio, kPlainBound,
                ratio / kPlainBound);
    std::printf("  the program: %s\n", Describe(runs).c_str());
    std::printf("  the plain window: %s\n", Describe(plain).c_str());
    std::printf("  for scale, the plain window without text: %s\n", Describe(plainEmpty).c_str());
    return ratio <= kPlainBound;
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("TRVX_STARTUP_TRACE") != nullptr)
        return RunPlainWindow(argc, argv, MonotonicNs(),
                              std::getenv(kEmptyMarker) != nullptr ? PlainContent::Empty
                                                                   : PlainContent::Text);
    // Another build of the program may be named, to compare two builds on one machine.
    const std::string program = argc > 1 ? argv[1] : TRVX_PROGRAM_PATH;
    std::optional<Xvfb> xvfb;
    const std::string display = bench::DisplayOrPrivateXvfb(xvfb);
    if (display.empty()) {
        std::printf("no display and no Xvfb: not measured\n");
        return 1;
    }
    const bool within = Measure(program, display);
    std::printf("%s\n", within ? "all within bounds" : "OUT OF BOUNDS");
    return within ? 0 : 1;
}
