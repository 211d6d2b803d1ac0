#include "shell/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace trvx {

namespace {

constexpr char kRaiseRequest[] = "raise\n";
// What a running copy answers, so a stranger listening on the name is not taken for one.
constexpr char kRaiseAnswer[] = "raised\n";

// A folder only this user may enter: a real directory (no link), owned by the user, closed to
// everyone else.
bool PrivateFolder(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

QString UserFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && PrivateFolder(runtime))
        return QString::fromLocal8Bit(runtime);
    // Without a runtime folder: one of our own under /tmp, made private when first made.
    const QByteArray tmp = QStringLiteral("%1/trvx-%2")
                               .arg(QDir::tempPath())
                               .arg(static_cast<qulonglong>(::getuid()))
                               .toLocal8Bit();
    if (::mkdir(tmp.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return PrivateFolder(tmp) ? QString::fromLocal8Bit(tmp) : QString();
}

// The socket's address; false when the path does not fit one.
bool AddressOf(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

int UnixSocket(int flags = 0) {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
}

// Sends the request on a connected socket and reads the answer line, for up to `timeoutMs`.
QByteArray Ask(int fd, int timeoutMs) {
    if (::send(fd, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_NOSIGNAL) < 0)
        return {};
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while (!answer.contains('\n')) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<qsizetype>(n));
    }
    return answer;
}

} // namespace

// One copy that connected to ask: what it sent so far, and its socket.
struct SingleInstance::Peer {
    ~Peer() {
        notifier.reset();
        ::close(fd);
    }
    int fd = -1;
    QByteArray received;
    std::unique_ptr<QSocketNotifier> notifier;
};

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
    peers_.clear();
    notifier_.reset();
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        // The name is free for the next start.
        ::unlink(listenPath_.constData());
    }
}

QString SingleInstance::SocketName(const QString& key) {
    // The caption holds blanks and dots; a hash keeps the name plain.
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("trvx-%1").arg(QString::fromLatin1(hash.toHex().left(16)));
}

QString SingleInstance::SocketPath(const QString& key) {
    const QString folder = UserFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + SocketName(key);
}

bool SingleInstance::IsListening() const {
    return listenFd_ >= 0;
}

bool SingleInstance::AskRunningCopy(int timeoutMs) {
    const QString path = SocketPath(key_);
    if (path.isEmpty())
        return false; // nowhere private to meet: every start runs
    const QByteArray file = QFile::encodeName(path);
    sockaddr_un address{};
    if (!AddressOf(file, address))
        return false;
    const int fd = UnixSocket();
    if (fd < 0)
        return false;
    // A copy too busy to take calls keeps them waiting in its queue; when that is full, the
    // call itself waits, but no longer than the answer would.
    const int waitMs = std::max(timeoutMs, 1); // a limit of 0 would be none
    const timeval limit{waitMs / 1000, (waitMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const QByteArray answer = Ask(fd, timeoutMs);
        ::close(fd);
        // Something else holding the name is no running copy: run, without the check.
        return answer == kRaiseAnswer;
    }
    const int err = errno;
    ::close(fd);
    // Nobody there, or a socket file a copy that crashed left behind: this copy takes the name.
    // A listener that is there but did not take the call keeps it; this copy runs unchecked.
    if (err == ENOENT || err == ECONNREFUSED)
        Listen(file);
    return false;
}

void SingleInstance::Listen(const QByteArray& file) {
    sockaddr_un address{};
    if (!AddressOf(file, address))
        return;
    const int fd = UnixSocket(SOCK_NONBLOCK);
    if (fd < 0)
        return;
    const auto* at = reinterpret_cast<const sockaddr*>(&address);
    if (::bind(fd, at, sizeof address) != 0) {
        // Nobody answered, so a socket file left by a copy that crashed is in the way.
        struct stat st {};
        if (errno != EADDRINUSE || ::lstat(file.constData(), &st) != 0 || !S_ISSOCK(st.st_mode) ||
            ::unlink(file.constData()) != 0 || ::bind(fd, at, sizeof address) != 0) {
            ::close(fd);
            return;
        }
    }
    // Only this user may ask (its folder is private already).
    ::chmod(file.constData(), 0600);
    if (::listen(fd, 8) != 0) {
        ::close(fd);
        ::unlink(file.constData());
        return;
    }
    listenFd_ = fd;
    listenPath_ = file;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Accept(); });
}

void SingleInstance::Accept() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        auto peer = std::make_shared<Peer>();
        peer->fd = fd;
        peer->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(peer->notifier.get(), &QSocketNotifier::activated, this,
                [this, raw = peer.get()] { Read(raw); });
        peers_.push_back(std::move(peer));
    }
}

void SingleInstance::Read(Peer* peer) {
    char buffer[64];
    bool ended = false;
    for (;;) {
        const ssize_t n = ::recv(peer->fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            peer->received.append(buffer, static_cast<qsizetype>(n));
            continue;
        }
        ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        break;
    }
    if (peer->received.contains("raise")) {
        ::send(peer->fd, kRaiseAnswer, sizeof kRaiseAnswer - 1, MSG_NOSIGNAL);
        peer->received.clear();
        emit raiseRequested();
        ended = true;
    }
    if (!ended)
        return;
    // Closed once this call, which its notifier made, has returned.
    peer->notifier->setEnabled(false);
    for (auto it = peers_.begin(); it != peers_.end(); ++it)
        if (it->get() == peer) {
            QMetaObject::invokeMethod(
                this, [done = std::move(*it)] {}, Qt::QueuedConnection);
            peers_.erase(it);
            break;
        }
}

} // namespace trvx
