#pragma once
// One running copy per user: the first start listens on a local socket named by the window
// caption; a later start connects, asks the first to restore and raise its window, and ends.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace trvx {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy answered on the key and was asked to raise itself: this start
    // should end. False when this copy now listens (a stale socket of a crashed copy is
    // replaced).
    bool AskRunningCopy(int timeoutMs = 1000);
    bool IsListening() const;

    // The socket name used for a key (local socket names must be plain file names).
    static QString SocketName(const QString& key);

signals:
    // Another start asked this copy to show itself.
    void raiseRequested();

private:
    void Listen();

    QString key_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace trvx
