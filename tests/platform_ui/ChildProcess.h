#pragma once
// A program a test starts for itself (an X server, a session bus) that tells where to reach it
// in its first line of output, and is stopped when the test ends.

#include "support/Waiting.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

namespace trvx::test {

// Starts `program` and reads the first line it prints, without the line's end. nullopt when
// the program is not installed; an empty line when it did not start, or ended or ran out of
// time before a whole line. A missing program fails at once; a slow start on a loaded machine
// is waited for.
inline std::optional<QByteArray> StartForFirstLine(QProcess& process, const QString& program,
                                                   const QStringList& arguments) {
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted(static_cast<int>(kWaitDeadline.count()))) {
        if (process.error() == QProcess::FailedToStart)
            return std::nullopt;
        return QByteArray();
    }
    QByteArray output;
    const QDeadlineTimer deadline(kWaitDeadline);
    while (!output.contains('\n') && !deadline.hasExpired()) {
        const bool ended =
            !process.waitForReadyRead(100) && process.state() == QProcess::NotRunning;
        output += process.readAllStandardOutput();
        if (ended)
            break;
    }
    const qsizetype end = output.indexOf('\n');
    return end < 0 ? QByteArray() : output.left(end).trimmed();
}

// Asks the program to end, and kills it when it does not in time.
inline void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (process.waitForFinished(static_cast<int>(kWaitDeadline.count())))
        return;
    process.kill();
    process.waitForFinished(static_cast<int>(kWaitDeadline.count()));
}

} // namespace trvx::test
