#include "shell/ui/DeviceWorker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>

namespace trvx {

DeviceWorker::DeviceWorker(QObject* parent) : QObject(parent), runner_(new QObject) {
    thread_.setObjectName(QStringLiteral("device"));
    runner_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, runner_, &QObject::deleteLater);
    thread_.start();
}

DeviceWorker::~DeviceWorker() {
    // However long the job takes (a slow 64 KB read): a job that asks this thread for something
    // after a bounded wait gave up would never get its answer while wait() below blocks.
    while (!WaitIdle()) {
    }
    thread_.quit();
    thread_.wait();
}

bool DeviceWorker::OnWorkerThread() const {
    return QThread::currentThread() == &thread_;
}

void DeviceWorker::Post(std::function<void()> job) {
    ++pending_;
    QMetaObject::invokeMethod(
        runner_,
        [this, job = std::move(job)] {
            job();
            // The notice counts before the job stops counting: until the notice has arrived,
            // WaitIdle sees one of the two.
            ++idleNotices_;
            if (--pending_ == 0)
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        --idleNotices_;
                        emit idle();
                    },
                    Qt::QueuedConnection);
            else
                --idleNotices_;
        },
        Qt::QueuedConnection);
}

bool DeviceWorker::WaitIdle(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    // The idle notice too: what it sets off (a close that waited for the job) is part of the
    // job's end for whoever waits here.
    while (pending_ > 0 || idleNotices_ > 0) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    QCoreApplication::processEvents();
    return true;
}

void RunOnUi(QObject* context, const std::function<void()>& fn) {
    if (QThread::currentThread() == context->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(context, fn, Qt::BlockingQueuedConnection);
}

void PostToUi(QObject* context, const std::function<void()>& fn) {
    if (QThread::currentThread() == context->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(context, fn, Qt::QueuedConnection);
}

} // namespace trvx
