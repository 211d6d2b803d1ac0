#include "shell/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace trvx {

namespace {
constexpr char kRaiseRequest[] = "raise\n";
}

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::SocketName(const QString& key) {
    // The caption holds blanks and dots; a hash keeps the name plain. The user id keeps two
    // users on one machine apart.
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("trvx-%1-%2")
        .arg(QString::fromLatin1(hash.toHex().left(16)))
        .arg(qEnvironmentVariable("USER"));
}

bool SingleInstance::IsListening() const {
    return server_ && server_->isListening();
}

bool SingleInstance::AskRunningCopy(int timeoutMs) {
    const QString name = SocketName(key_);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (socket.waitForConnected(timeoutMs)) {
        socket.write(kRaiseRequest);
        socket.waitForBytesWritten(timeoutMs);
        socket.disconnectFromServer();
        return true;
    }
    Listen();
    return false;
}

void SingleInstance::Listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = SocketName(key_);
    if (!server_->listen(name)) {
        // Nobody answered, so a socket file left by a copy that crashed is in the way.
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains("raise"))
                    emit raiseRequested();
            });
        }
    });
}

} // namespace trvx
