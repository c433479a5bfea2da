#include "platform/Bus.h"

#include "platform/BusAdaptor.h"
#include "platform/Debug.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>

namespace platform {

BusAdaptor::BusAdaptor(Bus* bus) : QObject(bus), bus_(bus) {}

bool BusAdaptor::PostMessage(const QString& name, uint wParam, qlonglong lParam) {
    if (!bus_->Accepts(name)) {
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("unknown message name: %1").arg(name.left(200)));
        return false;
    }
    const bool posted =
        Post(bus_->target_, RegisterWindowMessage(name), wParam, static_cast<LParam>(lParam));
    if (!posted)
        sendErrorReply(QDBusError::Failed, QStringLiteral("the program's window is not ready"));
    return posted;
}

QByteArray BusAdaptor::QueryModels() {
    if (!bus_->modelQuery_) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("model query is not available"));
        return {};
    }
    return bus_->modelQuery_();
}

bool BusAdaptor::CopyData(uint kind, const QByteArray& payload) {
    if (!bus_->copyData_) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("copy data is not available"));
        return false;
    }
    if (!bus_->copyData_(kind, payload)) {
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("payload of kind %1 with %2 bytes refused")
                           .arg(kind)
                           .arg(payload.size()));
        return false;
    }
    return true;
}

Bus::Bus(QObject* parent) : QObject(parent), adaptor_(new BusAdaptor(this)) {}

Bus::~Bus() { Stop(); }

bool Bus::Start(const QString& serviceName) {
    if (started_)
        return true;
    QDBusConnection connection = QDBusConnection::sessionBus();
    if (!connection.isConnected()) {
        DebugLine(QStringLiteral("D-Bus: no session bus: %1").arg(connection.lastError().message()));
        return false;
    }
    if (!connection.registerObject(ObjectPath(), adaptor_,
                                   QDBusConnection::ExportAllSlots |
                                       QDBusConnection::ExportAllSignals)) {
        DebugLine(QStringLiteral("D-Bus: cannot register %1").arg(ObjectPath()));
        return false;
    }
    if (!connection.registerService(serviceName)) {
        DebugLine(QStringLiteral("D-Bus: cannot own %1: %2")
                      .arg(serviceName, connection.lastError().message()));
        connection.unregisterObject(ObjectPath());
        return false;
    }
    serviceName_ = serviceName;
    started_ = true;
    return true;
}

void Bus::Stop() {
    if (!started_)
        return;
    QDBusConnection connection = QDBusConnection::sessionBus();
    connection.unregisterService(serviceName_);
    connection.unregisterObject(ObjectPath());
    started_ = false;
}

bool Bus::Broadcast(const QString& name, quint32 wParam, qint64 lParam) {
    if (!started_)
        return false;
    emit adaptor_->Broadcast(name, wParam, lParam);
    return true;
}

}  // namespace platform
