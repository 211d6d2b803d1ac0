#pragma once
// Where the window's start-up time goes, for the start-up benchmark. With TRVX_STARTUP_TRACE
// set, the program prints one line at the end of the main window's first paint:
//   startup-trace main=<ns> app=<ns> form=<ns> shown=<ns> painted=<ns> creation=<ns>
//                 layout=<ns> decode=<ns> late=<ns> cpu=<ns>
// main .. painted are steady-clock instants (CLOCK_MONOTONIC, comparable across processes);
// creation, layout and decode are durations spent building controls, in the layout passes and
// decoding skin images (decoding is not counted in the other two), late the part of the three
// spent after the window was built (pictures decoded when first painted); cpu is the process's
// CPU time at the first paint.

#include <chrono>
#include <cstdint>

class QWidget;

namespace trvx {

enum class StartupPhase { Creation, Layout, Decode };

// Counts the time of its scope to the phase, less the image decoding inside it.
class StartupPhaseScope {
public:
    explicit StartupPhaseScope(StartupPhase phase);
    ~StartupPhaseScope();
    StartupPhaseScope(const StartupPhaseScope&) = delete;
    StartupPhaseScope& operator=(const StartupPhaseScope&) = delete;

private:
    StartupPhase phase_;
    std::chrono::steady_clock::time_point start_;
    std::int64_t decodeAtStart_;
};

enum class StartupMark { Main, App, Form, Shown };
void MarkStartup(StartupMark mark);

// Prints the trace line once the first paint of `window` has been flushed, when
// TRVX_STARTUP_TRACE is set; does nothing otherwise.
void TraceFirstPaint(QWidget& window);

} // namespace trvx
