#include "app/PowerMonitor.h"

#include "app/MainMessages.h"
#include "platform/Debug.h"

#include <QDBusConnection>

namespace app {

PowerMonitor::PowerMonitor(platform::WindowHandle target, QObject* parent)
    : QObject(parent), target_(target) {}

bool PowerMonitor::ConnectSystemBus() {
    if (connected_)
        return true;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        platform::DebugLine(QStringLiteral("no system bus: suspend and resume are not watched"));
        return false;
    }
    connected_ = bus.connect(QStringLiteral("org.freedesktop.login1"),
                             QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"),
                             QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    return connected_;
}

void PowerMonitor::prepareForSleep(bool goingToSleep) {
    // Sent, not posted: the window must have switched its state before the
    // machine actually sleeps.
    platform::Send(target_, WM_POWERBROADCAST,
                   goingToSleep ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC, 0);
}

}  // namespace app
