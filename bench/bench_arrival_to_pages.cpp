// The main window (offscreen) on the simulated mouse with a modelled USB latency of 1 ms per
// feature transfer, on the real clock, as the program runs. Prints two ratios:
//   time from the end of the 2.1 s arrival wait to filled pages
//     / (transfers x 1 ms + 500 us per reply)                       (bound 1.25), per storage type
//   CPU time of the whole process over 30 s idle with the mouse connected
//     / 0.2 % of one core                                           (bound 1.00)
#include "base/Clock.h"
#include "device/DevicePoller.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <sys/prctl.h>

namespace {

using namespace trvx;

constexpr std::int64_t kTransferMicros = 1000;
constexpr double kReplyWaitSeconds = 500e-6;
constexpr double kIdleSeconds = 30.0;
constexpr double kIdleShareBound = 0.002; // of one core
constexpr double kFillRatioBound = 1.25;

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The real clock, marking the moment the arrival wait (21 sleeps of 100 ms in a row) ends.
class ArrivalMarkingClock final : public Clock {
public:
    std::int64_t nowMicros() override { return real_.nowMicros(); }
    void sleepMicros(std::int64_t us) override {
        real_.sleepMicros(us);
        if (us != 100'000) {
            run_ = 0;
            return;
        }
        if (++run_ == DevicePoller::kArrivalWaitRounds && !marked_) {
            if (onArrivalEnd)
                onArrivalEnd();
            marked_ = true;
        }
    }
    bool Marked() const { return marked_; }

    std::function<void()> onArrivalEnd; // called on the device thread

private:
    RealClock real_;
    int run_ = 0;
    std::atomic<bool> marked_{false};
};

struct Fill {
    bool ok = false;
    double seconds = 0;
    std::int64_t transfers = 0;
    std::int64_t replies = 0;
};

// Runs the event loop (sleeping in it, as the program does) until `done`, checked every 10 ms
// and at every event, or until `timeoutMs` of real time.
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(10);
    if (!done())
        loop.exec();
    return done();
}

Fill ArrivalToPages(StorageKind kind, bool measureIdle, double& idleShare) {
    ArrivalMarkingClock clock;
    SimulatedMouse mouse(kind, clock);
    mouse.SetTransferLatencyMicros(kTransferMicros);

    std::atomic<bool> arrived{false};
    std::chrono::steady_clock::time_point arrivalEnd;
    std::int64_t transfersBefore = 0;
    clock.onArrivalEnd = [&] {
        arrivalEnd = std::chrono::steady_clock::now();
        transfersBefore = mouse.FeatureTransferCount();
        mouse.ClearFrames();
        arrived = true;
    };

    MainWindowOptions options;
    options.backend = &mouse;
    options.clock = &clock;
    options.trayIcon = false;
    options.defaultImageSet = kind;
    auto form = std::make_unique<TForm1>(options);
    form->show();

    // Filled: the read's job on the device thread has ended with the covers gone.
    Fill fill;
    std::chrono::steady_clock::time_point filledAt;
    bool filled = false;
    QObject::connect(&form->Worker(), &DeviceWorker::idle, form.get(), [&] {
        if (!arrived || filled)
            return;
        QWidget* cover = form->Control("Disable_All_1");
        if (cover != nullptr && cover->isHidden()) {
            filledAt = std::chrono::steady_clock::now();
            filled = true;
        }
    });
    form->CreateLoadingWindow(); // starts the polling
    const bool done = RunUntil([&] { return filled; }, 120'000);
    if (done) {
        fill.seconds = Seconds(arrivalEnd, filledAt);
        fill.transfers = mouse.FeatureTransferCount() - transfersBefore;
        for (const SimFrame& frame : mouse.Frames())
            if (!frame.sent)
                ++fill.replies;
        fill.ok = true;
    }

    if (done && measureIdle) {
        // Settle first: the fill's last repaints are not idle time.
        RunUntil([] { return false; }, 1000);
        const double cpuStart = CpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(kIdleSeconds * 1000), &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = Seconds(wallStart, std::chrono::steady_clock::now());
        idleShare = (CpuSeconds() - cpuStart) / wall;
    }
    form.reset();
    return fill;
}

} // namespace

int main(int argc, char** argv) {
    // The kernel lets a sleep run up to its timer slack (50 us by default) late; with some
    // 9000 sleeps that slack, not the program, would dominate the wall-time ratio.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gaming Mouse"));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    FormMessageDialog::setResponder(
        [](const QString& text) { std::printf("message: %s\n", text.toUtf8().constData()); });

    bool within = true;
    double idleShare = 0;
    for (StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        const bool idle = kind == StorageKind::I2C;
        const Fill fill = ArrivalToPages(kind, idle, idleShare);
        const std::string name(StorageKindName(kind));
        if (!fill.ok) {
            std::printf("%-5s the pages were not filled\n", name.c_str());
            within = false;
            continue;
        }
        const double bound = static_cast<double>(fill.transfers) * kTransferMicros * 1e-6 +
                             static_cast<double>(fill.replies) * kReplyWaitSeconds;
        const double ratio = fill.seconds / bound;
        std::printf("%-5s arrival to filled pages %.3f s / bound %.3f s (%lld transfers, %lld "
                    "replies) = %.2f (bound %.2f)\n",
                    name.c_str(), fill.seconds, bound, static_cast<long long>(fill.transfers),
                    static_cast<long long>(fill.replies), ratio, kFillRatioBound);
        within = within && ratio <= kFillRatioBound;
    }
    const double idleRatio = idleShare / kIdleShareBound;
    std::printf("idle  cpu over %.0f s with the mouse connected: %.4f %% of one core / bound "
                "%.1f %% = %.2f (bound 1.00)\n",
                kIdleSeconds, idleShare * 100, kIdleShareBound * 100, idleRatio);
    within = within && idleRatio <= 1.0;
    std::printf("%s\n", within ? "all within bounds" : "OUT OF BOUNDS");
    return within ? 0 : 1;
}
