#include "shell/ui/SingleInstance.h"
#include "support/Waiting.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace trvx {
namespace {

QString UniqueKey() {
    return QStringLiteral("TRVX4410B test %1").arg(QUuid::createUuid().toString());
}

// The running copy, in a thread with its own event loop, as if in another process: the later
// start waits for its answer.
class RunningCopy {
public:
    explicit RunningCopy(const QString& key) {
        context_.moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            &context_,
            [&] {
                copy_ = std::make_unique<SingleInstance>(key);
                asked_ = copy_->AskRunningCopy();
                listening_ = copy_->IsListening();
                QObject::connect(copy_.get(), &SingleInstance::raiseRequested,
                                 [this] { ++raised; });
            },
            Qt::BlockingQueuedConnection);
    }
    ~RunningCopy() {
        QMetaObject::invokeMethod(
            &context_, [&] { copy_.reset(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    bool asked() const { return asked_; }
    bool listening() const { return listening_; }
    std::atomic<int> raised{0};

private:
    QThread thread_;
    QObject context_; // runs the copy's calls on the thread
    std::unique_ptr<SingleInstance> copy_;
    bool asked_ = false;
    bool listening_ = false;
};

bool WaitFor(const std::atomic<int>& raised, int count) {
    return test::WaitUntil([&] { return raised >= count; });
}

// How long a start waits for a running copy that does answer: on a loaded machine its thread
// may take longer than a user's start would wait, and the answer ends the wait anyway.
const int kAnsweredAskMs = static_cast<int>(test::kWaitDeadline.count());

// Each test gets a runtime folder of its own, like the one the session gives a user.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        ::chmod(QFile::encodeName(runtime_.path()).constData(), 0700);
        previous_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", previous_); }

    QTemporaryDir runtime_;
    QByteArray previous_;
};

TEST_F(SingleInstanceTest, SecondStartAsksTheFirstToRaiseAndEnds) {
    const QString key = UniqueKey();
    RunningCopy first(key);
    EXPECT_FALSE(first.asked());
    EXPECT_TRUE(first.listening());

    SingleInstance second(key);
    EXPECT_TRUE(second.AskRunningCopy(kAnsweredAskMs));
    EXPECT_FALSE(second.IsListening());
    EXPECT_TRUE(WaitFor(first.raised, 1));

    // Every later start does the same.
    SingleInstance third(key);
    EXPECT_TRUE(third.AskRunningCopy(kAnsweredAskMs));
    EXPECT_TRUE(WaitFor(first.raised, 2));
}

TEST_F(SingleInstanceTest, TheSocketIsInTheUsersOwnFolderUnderAPlainName) {
    const QString key = QStringLiteral("TRVX4410B Gaming Mouse v1.0");
    const QString name = SingleInstance::SocketName(key);
    EXPECT_FALSE(name.contains(QLatin1Char(' ')));
    EXPECT_FALSE(name.contains(QLatin1Char('/')));
    EXPECT_EQ(SingleInstance::SocketPath(key), runtime_.path() + QLatin1Char('/') + name);
    SingleInstance a(UniqueKey());
    SingleInstance b(UniqueKey());
    EXPECT_FALSE(a.AskRunningCopy());
    EXPECT_FALSE(b.AskRunningCopy());

    // A runtime folder others may enter is not used; the fallback is private to the user.
    ::chmod(QFile::encodeName(runtime_.path()).constData(), 0755);
    const QString fallback = QFileInfo(SingleInstance::SocketPath(key)).path();
    EXPECT_NE(fallback, runtime_.path());
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fallback).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(SingleInstanceTest, AStrangerHoldingTheNameDoesNotStopTheStart) {
    const QString key = UniqueKey();
    QLocalServer stranger; // listens, never answers as the program does
    ASSERT_TRUE(stranger.listen(SingleInstance::SocketPath(key)));
    SingleInstance start(key);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(start.AskRunningCopy(300));
    EXPECT_LT(timer.elapsed(), 2000);

    // A folder of that name is no running copy either.
    const QString key2 = UniqueKey();
    ASSERT_TRUE(QDir().mkpath(SingleInstance::SocketPath(key2)));
    SingleInstance other(key2);
    EXPECT_FALSE(other.AskRunningCopy(300));
}

TEST_F(SingleInstanceTest, ACopyTooBusyToTakeTheCallKeepsItsNameAndTheStartGoesOn) {
    // A listener that never accepts, its queue of callers full.
    const QString key = UniqueKey();
    const QByteArray path = QFile::encodeName(SingleInstance::SocketPath(key));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const auto* at = reinterpret_cast<const sockaddr*>(&address);
    const int busy = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(busy, at, sizeof address), 0);
    ASSERT_EQ(::listen(busy, 0), 0);
    std::vector<int> callers;
    for (bool queued = true; queued;) {
        callers.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        queued = ::connect(callers.back(), at, sizeof address) == 0;
    }
    struct stat before {};
    ASSERT_EQ(::lstat(path.constData(), &before), 0);

    SingleInstance start(key);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(start.AskRunningCopy(300));
    EXPECT_LT(timer.elapsed(), 2000);
    // The busy copy still has its name.
    EXPECT_FALSE(start.IsListening());
    struct stat after {};
    ASSERT_EQ(::lstat(path.constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);

    for (int fd : callers)
        ::close(fd);
    ::close(busy);
}

TEST_F(SingleInstanceTest, TheNextStartAfterTheFirstEndedListensItself) {
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
