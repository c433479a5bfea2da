// The exported D-Bus object behind platform::Bus.
#pragma once

#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QString>

namespace platform {

class Bus;

class BusAdaptor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.nuvaro.Zr7")
public:
    explicit BusAdaptor(Bus* bus);

public slots:
    bool PostMessage(const QString& name, uint wParam, qlonglong lParam);
    QByteArray QueryModels();
    bool CopyData(uint kind, const QByteArray& payload);

signals:
    void Broadcast(const QString& name, uint wParam, qlonglong lParam);

private:
    Bus* bus_;
};

}  // namespace platform
