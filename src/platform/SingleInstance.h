// Keeps one copy of the program per user. The first copy holds a lock file
// in the runtime folder and listens on a local socket; a later copy finds the
// lock taken, sends the "Gaming device" request over the socket so the first
// copy comes forward, and exits. A lock left by a crashed copy is stale (its
// process is gone) and is taken over.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the lock and the socket (tests pass their own).
    explicit SingleInstance(QString key = QStringLiteral("nuvaro-zr7"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the only instance (lock held, listening).
    // False when another instance runs; that instance has then been asked to
    // come forward (best effort within about a second).
    bool TryBecomePrimary();
    bool IsPrimary() const { return primary_; }

    // The request text a second instance sends.
    static QString RequestText() { return QStringLiteral("Gaming device"); }

signals:
    // The primary received a request from a later start.
    void activationRequested(const QString& request);

private:
    bool NotifyPrimary();
    QString LockPath() const;
    QString SocketPath() const;

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool primary_ = false;
};

}  // namespace platform
