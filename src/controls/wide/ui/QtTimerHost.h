#pragma once
// The UI-thread side of the threaded timer: ticks are queued to the thread this object lives
// on, and the non-threaded mode runs on a ClockTimer (a QTimer unless a virtual clock drives
// the window's timers).

#include "controls/wide/ThreadedTimer.h"
#include "controls/wide/ui/ClockTimer.h"

#include <QObject>

namespace trvx {

class QtTimerHost final : public QObject, public TimerUiHost {
    Q_OBJECT
public:
    explicit QtTimerHost(QObject* parent = nullptr);

    void post(std::function<void()> fn) override;
    bool onUiThread() const override;
    bool startUiTimer(std::uint32_t ms, std::function<void()> fn) override;
    void stopUiTimer() override;

private:
    ClockTimer timer_;
    std::function<void()> timerFn_;
};

} // namespace trvx
