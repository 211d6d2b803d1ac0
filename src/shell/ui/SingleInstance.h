#pragma once
// One running copy per user: the first start listens on a local (Unix) socket named by the
// window caption; a later start connects, asks the first to restore and raise its window, and ends.
//
// The socket lives in the user's own runtime folder ($XDG_RUNTIME_DIR), or else in a folder of
// /tmp that only the user may enter, so no other user can take the name or listen in its place.
// A listener there that does not answer as this program does is no running copy: the start goes
// on normally.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

namespace trvx {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy of this program answered on the key and was asked to raise
    // itself: this start should end. False when this copy now listens (a stale socket of a
    // crashed copy is replaced), or when no private folder or name can be had (the check is
    // then skipped).
    bool AskRunningCopy(int timeoutMs = 1000);
    bool IsListening() const;

    // The socket's file name for a key (a plain name: no blanks, no slashes).
    static QString SocketName(const QString& key);
    // Its full path in the user's private folder; empty when there is no such folder.
    static QString SocketPath(const QString& key);

signals:
    // Another start asked this copy to show itself.
    void raiseRequested();

private:
    struct Peer;
    void Listen(const QByteArray& file);
    void Accept();
    void Read(Peer* peer);

    QString key_;
    int listenFd_ = -1; // the listening socket while this copy listens
    QByteArray listenPath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::shared_ptr<Peer>> peers_;
};

} // namespace trvx
