// Start-up of the real program on the simulated mouse (TRVX_SIMULATE=i2c): from the launch of
// the process to the end of the main window's first paint, in fresh processes, median of 7
// after one run that is not counted (it warms the file cache). Offscreen, and through xcb on a
// display when there is one: DISPLAY when it is set, else an Xvfb this benchmark starts.
// Usage: bench_startup [program]   (the program of this build when none is named)
// Prints per platform
//   median launch to first paint / a plain Qt window's / 2                            (bound 1.00)
// and, for information, the medians in milliseconds and where the time of the median run went
// (the program's TRVX_STARTUP_TRACE line). The plain window of the same size, started the same
// way and in turns with the program, is the floor that loading Qt and showing any window costs
// on this machine under its present load: a time of its own would measure the machine's load as
// much as the program, so only the ratio is bounded.
#include "PlainWindow.h"
#include "ProgramLaunch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::MonotonicNs;
using bench::Ms;
using bench::RunPlainWindow;
using bench::TracedLaunch;
using bench::Xvfb;

constexpr int kRuns = 7;
// The program against a plain Qt window of its size, started the same way.
constexpr double kPlainBound = 2.0;

struct Run {
    std::int64_t launch = 0;
    std::map<std::string, std::int64_t> trace;
    std::int64_t total() const { return trace.at("painted") - launch; }
};

std::optional<Run> LaunchOnce(const std::string& program,
                              const std::map<std::string, std::string>& platformEnv) {
    const TracedLaunch launch(program, platformEnv);
    if (!launch.Traced())
        return std::nullopt;
    return Run{launch.LaunchNs(), launch.Trace()};
}

// kRuns launches of `program` and of the plain window, taken in turns so that both see the same
// load of the machine, after one more of each that warms the file cache; each sorted by the
// time to the first paint. Empty when a launch printed no trace.
struct Runs {
    std::vector<Run> program;
    std::vector<Run> plain;
};

Runs LaunchRuns(const std::string& program, const std::map<std::string, std::string>& platformEnv) {
    LaunchOnce(program, platformEnv);
    LaunchOnce("/proc/self/exe", platformEnv);
    Runs runs;
    for (int i = 0; i < kRuns; ++i) {
        auto run = LaunchOnce(program, platformEnv);
        if (!run)
            return {};
        runs.program.push_back(*run);
        if (auto plain = LaunchOnce("/proc/self/exe", platformEnv))
            runs.plain.push_back(*plain);
    }
    for (std::vector<Run>* list : {&runs.program, &runs.plain})
        std::sort(list->begin(), list->end(),
                  [](const Run& a, const Run& b) { return a.total() < b.total(); });
    return runs;
}

// Measures the program on one platform and prints its figures. False when a run failed or a
// median is out of its bound.
bool Measure(const std::string& program, const std::string& name,
             const std::map<std::string, std::string>& platformEnv) {
    const Runs all = LaunchRuns(program, platformEnv);
    const std::vector<Run>& runs = all.program;
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
    std::printf("%-9s launch to first paint: median %.1f ms of %d (%.1f .. %.1f)\n", name.c_str(),
                total, kRuns, Ms(runs.front().total()), Ms(runs.back().total()));
    bool within = false;
    if (all.plain.size() == runs.size()) {
        const Run& p = all.plain[kRuns / 2];
        const double plainRatio = total / Ms(p.total());
        std::printf("%-9s launch to first paint / a plain Qt window's of the same size: %.1f / "
                    "%.1f ms (%.1f .. %.1f) = %.2fx / bound %.0fx = %.2f (bound 1.00)\n",
                    name.c_str(), total, Ms(p.total()), Ms(all.plain.front().total()),
                    Ms(all.plain.back().total()), plainRatio, kPlainBound,
                    plainRatio / kPlainBound);
        std::printf("%-9s   the plain window: process start to main %.1f ms, main to painted "
                    "%.1f ms\n",
                    "", Ms(p.trace.at("main") - p.launch),
                    Ms(p.trace.at("painted") - p.trace.at("main")));
        within = plainRatio <= kPlainBound;
    } else {
        std::printf("%-9s the plain window printed no start-up trace: no ratio\n", name.c_str());
    }
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
    return within;
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = MonotonicNs();
    if (std::getenv("TRVX_STARTUP_TRACE") != nullptr)
        return RunPlainWindow(argc, argv, mainNs);
    // Another build of the program may be named, to compare two builds on one machine.
    const std::string program = argc > 1 ? argv[1] : TRVX_PROGRAM_PATH;
    bool within = Measure(program, "offscreen", {{"QT_QPA_PLATFORM", "offscreen"}});

    std::optional<Xvfb> xvfb;
    const std::string display = bench::DisplayOrPrivateXvfb(xvfb);
    if (display.empty())
        std::printf("xcb       no display and no Xvfb: not measured\n");
    else
        within =
            Measure(program, "xcb", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}}) && within;

    std::printf("%s\n", within ? "all within bounds" : "OUT OF BOUNDS");
    return within ? 0 : 1;
}
