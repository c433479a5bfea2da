// The program's D-Bus face on the session bus: other programs deliver
// registered messages to the main window, ask the model query, and listen to
// the program's broadcasts. Interface org.nuvaro.Zr7 at /org/nuvaro/Zr7;
// see docs/dbus.md.
#pragma once

#include "platform/Messages.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>

namespace platform {

class BusAdaptor;

class Bus : public QObject {
    Q_OBJECT
public:
    static QString DefaultServiceName() { return QStringLiteral("org.nuvaro.Zr7"); }
    static QString ObjectPath() { return QStringLiteral("/org/nuvaro/Zr7"); }
    static QString InterfaceName() { return QStringLiteral("org.nuvaro.Zr7"); }

    explicit Bus(QObject* parent = nullptr);
    ~Bus() override;

    // Registers the object and claims the service name on the session bus.
    // False (with a debug line) when there is no session bus or the name is
    // taken; the program then runs without it.
    bool Start(const QString& serviceName = DefaultServiceName());
    void Stop();
    bool IsStarted() const { return started_; }

    // Incoming PostMessage calls for an accepted name are posted to `window`
    // as the registered message of that name.
    void SetTarget(WindowHandle window) { target_ = window; }
    void AcceptMessage(const QString& name) { accepted_.insert(name); }
    bool Accepts(const QString& name) const { return accepted_.contains(name); }

    // Provides the model query block (QueryModels).
    void SetModelQuery(std::function<QByteArray()> query) { modelQuery_ = std::move(query); }

    // Receives CopyData calls (the capture program's level frames and the
    // like): kind and payload; returns whether the payload was accepted.
    void SetCopyDataHandler(std::function<bool(quint32 kind, const QByteArray& payload)> handler) {
        copyData_ = std::move(handler);
    }

    // Emits the Broadcast signal; false when the bus is not started.
    bool Broadcast(const QString& name, quint32 wParam, qint64 lParam);

private:
    friend class BusAdaptor;
    BusAdaptor* adaptor_ = nullptr;
    QString serviceName_;
    bool started_ = false;
    WindowHandle target_;
    QSet<QString> accepted_;
    std::function<QByteArray()> modelQuery_;
    std::function<bool(quint32, const QByteArray&)> copyData_;
};

}  // namespace platform
