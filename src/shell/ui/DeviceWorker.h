#pragma once
// The thread the device poller runs on. A tick, its 2.1 s arrival wait, the search and the
// whole-image read (up to 64 KB from a flash mouse) run here, one job at a time, so the window
// keeps painting and the busy window keeps turning while the mouse is read. What the poller
// asks of the window is carried over to the UI thread (see RunOnUi).

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>

namespace trvx {

class DeviceWorker : public QObject {
    Q_OBJECT
public:
    explicit DeviceWorker(QObject* parent = nullptr);
    // Waits for the running job (processing UI events meanwhile, as the job may be waiting for
    // the UI thread) and ends the thread.
    ~DeviceWorker() override;

    // Queues a job; jobs run in order.
    void Post(std::function<void()> job);
    // Jobs queued or running.
    int Pending() const { return pending_; }
    bool IsIdle() const { return pending_ == 0; }
    // Whether the calling thread is the worker's.
    bool OnWorkerThread() const;
    // Processes UI events until every queued job has run and the idle notice of the last has
    // been delivered; false on timeout. UI thread only.
    bool WaitIdle(int timeoutMs = 30000);

signals:
    // On the UI thread, each time the last queued job has finished.
    void idle();

private:
    QThread thread_;
    QObject* runner_; // lives on thread_
    std::atomic<int> pending_{0};
    std::atomic<int> idleNotices_{0}; // idle notices that may be or are on their way to the UI
};

// Runs fn on the thread of `context` (the UI thread) and waits for it to return; runs it at
// once when already there.
void RunOnUi(QObject* context, const std::function<void()>& fn);
// The same without waiting: at once when already on that thread, else queued to it.
void PostToUi(QObject* context, const std::function<void()>& fn);

} // namespace trvx
