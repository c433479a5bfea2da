// Suspend and resume of the machine as power messages for the main window.
// The source is logind's PrepareForSleep signal on the system bus; without a
// system bus (CI, containers) the monitor is simply not connected. Tests call
// Inject to play a suspend or resume.
#pragma once

#include "platform/Messages.h"

#include <QObject>

namespace app {

class PowerMonitor : public QObject {
    Q_OBJECT
public:
    explicit PowerMonitor(platform::WindowHandle target, QObject* parent = nullptr);

    // Subscribes to logind; false when there is no system bus.
    bool ConnectSystemBus();
    bool IsConnected() const { return connected_; }
    // Plays logind's signal: true = the machine is about to sleep, false =
    // it has woken up. Sends the matching power message to the window.
    void Inject(bool goingToSleep) { prepareForSleep(goingToSleep); }

private slots:
    void prepareForSleep(bool goingToSleep);

private:
    platform::WindowHandle target_;
    bool connected_ = false;
};

}  // namespace app
