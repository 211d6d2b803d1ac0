#include "shell/ui/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QUuid>

#include <gtest/gtest.h>

namespace trvx {
namespace {

QString UniqueKey() {
    return QStringLiteral("TRVX4410B test %1").arg(QUuid::createUuid().toString());
}

bool WaitFor(const int& raised, int count) {
    QElapsedTimer timer;
    timer.start();
    while (raised < count && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return raised >= count;
}

TEST(SingleInstanceTest, SecondStartAsksTheFirstToRaiseAndEnds) {
    const QString key = UniqueKey();
    SingleInstance first(key);
    EXPECT_FALSE(first.AskRunningCopy());
    EXPECT_TRUE(first.IsListening());
    int raised = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++raised; });

    SingleInstance second(key);
    EXPECT_TRUE(second.AskRunningCopy());
    EXPECT_FALSE(second.IsListening());
    EXPECT_TRUE(WaitFor(raised, 1));

    // Every later start does the same.
    SingleInstance third(key);
    EXPECT_TRUE(third.AskRunningCopy());
    EXPECT_TRUE(WaitFor(raised, 2));
}

TEST(SingleInstanceTest, DifferentCaptionsDoNotMeetAndTheKeyIsAPlainName) {
    SingleInstance a(UniqueKey());
    SingleInstance b(UniqueKey());
    EXPECT_FALSE(a.AskRunningCopy());
    EXPECT_FALSE(b.AskRunningCopy());
    const QString name = SingleInstance::SocketName(QStringLiteral("TRVX4410B Gaming Mouse v1.0"));
    EXPECT_FALSE(name.contains(QLatin1Char(' ')));
    EXPECT_FALSE(name.contains(QLatin1Char('/')));
}

TEST(SingleInstanceTest, TheNextStartAfterTheFirstEndedListensItself) {
    const QString key = UniqueKey();
    {
        SingleInstance ended(key);
        ASSERT_FALSE(ended.AskRunningCopy());
    }
    SingleInstance next(key);
    EXPECT_FALSE(next.AskRunningCopy());
    EXPECT_TRUE(next.IsListening());
}

} // namespace
} // namespace trvx
