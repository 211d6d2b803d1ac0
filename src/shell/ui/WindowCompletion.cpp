#include "shell/ui/WindowCompletion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <utility>

namespace trvx {

namespace {

// What one slice may take before the window answers its events again: well under a frame.
constexpr qint64 kSliceNanos = 4'000'000;

// Until the window is complete, a user's click or key completes it before it arrives.
class CompleteOnInput final : public QObject {
public:
    explicit CompleteOnInput(std::function<void()> complete) : complete_(std::move(complete)) {
        qApp->installEventFilter(this);
    }
    ~CompleteOnInput() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            complete_();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> complete_;
};

} // namespace

WindowCompletion::WindowCompletion(Work work, QObject* parent)
    : QObject(parent), work_(std::move(work)),
      inputWatch_(std::make_unique<CompleteOnInput>([this] { CompleteNow(); })) {}

WindowCompletion::~WindowCompletion() = default;

void WindowCompletion::Schedule() {
    if ((complete_ && idleSteps_.empty()) || queued_)
        return;
    queued_ = true;
    QTimer::singleShot(0, this, &WindowCompletion::Continue);
}

void WindowCompletion::CompleteNow() {
    if (!complete_ && !running_)
        Run({});
}

void WindowCompletion::AfterCompletion(Step action) {
    afterCompletion_.push_back(std::move(action));
    if (complete_ && !running_ && afterCompletion_.size() == 1)
        QMetaObject::invokeMethod(this, &WindowCompletion::RunDeferred, Qt::QueuedConnection);
}

void WindowCompletion::AddIdleSteps(std::vector<Step> steps) {
    for (Step& step : steps)
        idleSteps_.push_back(std::move(step));
    Schedule();
}

void WindowCompletion::Continue() {
    queued_ = false;
    if (running_)
        return;
    QElapsedTimer slice;
    slice.start();
    const auto timeLeft = [&slice] { return slice.nsecsElapsed() < kSliceNanos; };
    if (!complete_)
        Run(timeLeft);
    // Then what is only worth doing while the window waits for its user.
    while (complete_ && !idleSteps_.empty() && timeLeft()) {
        const Step step = std::move(idleSteps_.front());
        idleSteps_.pop_front();
        step();
    }
    Schedule();
}

void WindowCompletion::Run(const TimeLeft& timeLeft) {
    running_ = true;
    if (!started_) {
        started_ = true;
        if (work_.started)
            work_.started();
    }
    if (!work_.buildControls(timeLeft)) {
        running_ = false;
        return;
    }
    if (!stepsTaken_) {
        stepsTaken_ = true;
        for (Step& step : work_.setUpSteps())
            steps_.push_back(std::move(step));
    }
    while (!steps_.empty()) {
        if (timeLeft && !timeLeft()) {
            running_ = false;
            return;
        }
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step();
    }
    running_ = false;
    complete_ = true;
    // No click need wait for the window any more. The watch itself stays until the completion
    // goes: it may be what is running this, from inside its event filter.
    qApp->removeEventFilter(inputWatch_.get());
    if (work_.finished)
        work_.finished();
    if (!afterCompletion_.empty())
        QMetaObject::invokeMethod(this, &WindowCompletion::RunDeferred, Qt::QueuedConnection);
}

void WindowCompletion::RunDeferred() {
    // An action may open a dialog whose event loop asks for more: those wait for the next call.
    std::vector<Step> actions = std::exchange(afterCompletion_, {});
    for (const Step& action : actions)
        action();
}

} // namespace trvx
