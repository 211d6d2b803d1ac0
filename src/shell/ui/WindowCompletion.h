#pragma once
// Completes the main window after its first paint.
//
// What is built when:
// - Before the first paint the window builds its frame and first page itself and sets them up.
// - From the first paint on (Schedule), the rest is done here a slice of about 4 ms at a time,
//   from the event loop, so the window answers between slices: first the controls of the other
//   pages, then the set-up steps that put the whole window into its start state, in order.
// - Whoever needs the whole window has everything that is left done at once (CompleteNow): a
//   control or page asked for, a device event, and a user's click, key, wheel turn or context
//   menu, which a watch on the application sees before the window does.
// - Once complete, the idle steps (AddIdleSteps) run in slices while the window waits.
//
// No step may wait for a user: what a step would tell the user waits for the end of the
// completion (AfterCompletion), so no dialog's event loop runs inside a step and lets a device
// event land between two steps. (Should any other loop run inside one, the window's set-up
// steps still never put back a state older than one shown meanwhile.)

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace trvx {

class WindowCompletion final : public QObject {
public:
    using Step = std::function<void()>;
    using TimeLeft = std::function<bool()>;
    struct Work {
        // Builds controls while `timeLeft` says so (all of them when it is empty); true when
        // none are left to build.
        std::function<bool(const TimeLeft& timeLeft)> buildControls;
        // The set-up steps, asked for once, when the controls exist.
        std::function<std::vector<Step>()> setUpSteps;
        // Before the first slice, and after the last step.
        Step started;
        Step finished;
    };

    WindowCompletion(Work work, QObject* parent);
    ~WindowCompletion() override;

    // A slice soon; nothing when there is nothing left to do.
    void Schedule();
    // Everything that is left, now (nothing while a step is running: it is done then).
    void CompleteNow();
    bool Complete() const { return complete_; }
    // Controls are being built or a step runs.
    bool Running() const { return running_; }

    // Runs `action` from the event loop once the completion has ended (soon, when it has).
    void AfterCompletion(Step action);
    void AddIdleSteps(std::vector<Step> steps);

private:
    void Continue();
    void Run(const TimeLeft& timeLeft);
    void RunDeferred();

    Work work_;
    bool complete_ = false;
    bool running_ = false;
    bool started_ = false;
    bool queued_ = false;
    bool stepsTaken_ = false;
    std::deque<Step> steps_;
    std::deque<Step> idleSteps_;
    std::vector<Step> afterCompletion_;
    std::unique_ptr<QObject> inputWatch_;
};

} // namespace trvx
