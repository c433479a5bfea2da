#include "platform/SingleInstance.h"

#include "platform/Debug.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace platform {

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
    if (lock_)
        lock_->unlock();
}

QString SingleInstance::LockPath() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + key_ + QStringLiteral(".lock");
}

QString SingleInstance::SocketPath() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + key_ + QStringLiteral(".socket");
}

bool SingleInstance::TryBecomePrimary() {
    if (primary_)
        return true;
    lock_ = std::make_unique<QLockFile>(LockPath());
    // A lock whose owner process is gone counts as stale at once.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        NotifyPrimary();
        return false;
    }
    QLocalServer::removeServer(SocketPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(SocketPath()))
        DebugLine(QStringLiteral("single instance: cannot listen on %1: %2")
                      .arg(SocketPath(), server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QString request =
                        QString::fromUtf8(socket->readLine(256)).trimmed();
                    if (request == RequestText())
                        emit activationRequested(request);
                }
            });
        }
    });
    primary_ = true;
    return true;
}

bool SingleInstance::NotifyPrimary() {
    // The first instance may still be starting: retry for about a second.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000) {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(200)) {
            socket.write(RequestText().toUtf8() + '\n');
            const bool sent = socket.waitForBytesWritten(300);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    }
    DebugLine(QStringLiteral("single instance: the running instance did not answer"));
    return false;
}

}  // namespace platform
