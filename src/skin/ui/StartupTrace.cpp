#include "skin/ui/StartupTrace.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <array>
#include <cstdio>
#include <ctime>

namespace trvx {
namespace {

using Clock = std::chrono::steady_clock;

// The UI thread alone builds and lays out the window, so plain counters do.
std::array<std::int64_t, 3> phaseNs{};
std::array<std::int64_t, 4> markNs{};
std::int64_t phasesAtForm = 0; // creation, layout and decoding before the window was built
std::array<int, 3> depth{};    // only the outermost scope of a phase counts

std::int64_t Nanos(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

std::int64_t& Phase(StartupPhase phase) {
    return phaseNs[static_cast<std::size_t>(phase)];
}

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The children paint and the window is flushed before the queued call runs.
            QMetaObject::invokeMethod(this, &FirstPaintFilter::Print, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Print() {
        const std::int64_t painted = Nanos(Clock::now());
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        const std::int64_t late = phaseNs[0] + phaseNs[1] + phaseNs[2] - phasesAtForm;
        std::printf("startup-trace main=%lld app=%lld form=%lld shown=%lld painted=%lld "
                    "creation=%lld layout=%lld decode=%lld late=%lld cpu=%lld\n",
                    static_cast<long long>(markNs[0]), static_cast<long long>(markNs[1]),
                    static_cast<long long>(markNs[2]), static_cast<long long>(markNs[3]),
                    static_cast<long long>(painted), static_cast<long long>(phaseNs[0]),
                    static_cast<long long>(phaseNs[1]), static_cast<long long>(phaseNs[2]),
                    static_cast<long long>(late),
                    static_cast<long long>(cpu.tv_sec) * 1'000'000'000LL + cpu.tv_nsec);
        std::fflush(stdout);
        deleteLater();
    }

    bool seen_ = false;
};

} // namespace

StartupPhaseScope::StartupPhaseScope(StartupPhase phase)
    : phase_(phase), start_(Clock::now()), decodeAtStart_(Phase(StartupPhase::Decode)) {
    ++depth[static_cast<std::size_t>(phase_)];
}

StartupPhaseScope::~StartupPhaseScope() {
    if (--depth[static_cast<std::size_t>(phase_)] > 0)
        return;
    const std::int64_t elapsed = Nanos(Clock::now()) - Nanos(start_);
    if (phase_ == StartupPhase::Decode)
        Phase(phase_) += elapsed;
    else
        Phase(phase_) += elapsed - (Phase(StartupPhase::Decode) - decodeAtStart_);
}

void MarkStartup(StartupMark mark) {
    markNs[static_cast<std::size_t>(mark)] = Nanos(Clock::now());
    if (mark == StartupMark::Form)
        phasesAtForm = phaseNs[0] + phaseNs[1] + phaseNs[2];
}

void TraceFirstPaint(QWidget& window) {
    if (!qEnvironmentVariableIsSet("TRVX_STARTUP_TRACE"))
        return;
    window.installEventFilter(new FirstPaintFilter(&window));
}

} // namespace trvx
