#include "shell/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>

#include <sys/stat.h>
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

} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

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
    return server_ && server_->isListening();
}

bool SingleInstance::AskRunningCopy(int timeoutMs) {
    const QString path = SocketPath(key_);
    if (path.isEmpty())
        return false; // nowhere private to meet: every start runs
    QLocalSocket socket;
    socket.connectToServer(path);
    if (socket.waitForConnected(timeoutMs)) {
        socket.write(kRaiseRequest);
        socket.waitForBytesWritten(timeoutMs);
        QByteArray answer;
        QElapsedTimer timer;
        timer.start();
        while (!answer.contains('\n') && timer.elapsed() < timeoutMs &&
               socket.state() == QLocalSocket::ConnectedState) {
            socket.waitForReadyRead(
                static_cast<int>(std::max<qint64>(1, timeoutMs - timer.elapsed())));
            answer += socket.readAll();
        }
        answer += socket.readAll();
        socket.disconnectFromServer();
        if (answer == kRaiseAnswer)
            return true;
        // Something else holds the name: run, without the check.
        return false;
    }
    Listen(path);
    return false;
}

void SingleInstance::Listen(const QString& path) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        // Nobody answered, so a socket file left by a copy that crashed is in the way.
        QLocalServer::removeServer(path);
        server_->listen(path);
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("raise")) {
                    peer->write(kRaiseAnswer);
                    peer->flush();
                    emit raiseRequested();
                }
            });
        }
    });
}

} // namespace trvx
