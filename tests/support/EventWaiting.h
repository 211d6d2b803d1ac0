#pragma once
// Waiting on the UI thread for what another thread or process hands to it: the thread's events
// are processed meanwhile, so queued calls, socket notifiers and timers get through.

#include "support/Waiting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <chrono>

namespace trvx::test {

// Processes events until `holds` is true or the deadline passed; its last answer.
template <class Condition>
bool ProcessEventsUntil(Condition holds, std::chrono::milliseconds deadline = kWaitDeadline) {
    const QDeadlineTimer end(deadline);
    while (!holds()) {
        if (end.hasExpired())
            return holds();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace trvx::test
