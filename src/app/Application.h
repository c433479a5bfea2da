// The program from start to end: fonts, single instance, resources and
// controls, registered messages, the main window, the message loop and the
// teardown in reverse order.
#pragma once

#include "app/AppOptions.h"
#include "app/PrivateFont.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace platform {
class Bus;
class SingleInstance;
}  // namespace platform
namespace sim {
class VirtualBus;
}

namespace app {

class CMainWnd;

class Application {
public:
    struct Config {
        AppOptions options;
        QString instanceKey = QStringLiteral("nuvaro-zr7");  // single-instance lock and socket
        QString serviceName;                                 // D-Bus name; empty: the program's own
        bool watchPower = true;
    };

    explicit Application(Config config);
    ~Application();

    enum class StartResult { Running, SecondInstance, Failed };
    // The start-up steps up to the created main window.
    StartResult Start();
    // Runs the message loop until the quit message, then Shutdown. The exit
    // code: 0, also for a second instance.
    int Exec();
    // The teardown, in reverse order of the start-up (idempotent).
    void Shutdown();
    // Start, Exec and the --screenshot run in one.
    int Run();

    CMainWnd* MainWindow() const { return window_; }
    platform::Bus* Bus() const { return bus_.get(); }
    // The steps done so far, in order (start-up then teardown).
    const QStringList& Steps() const { return steps_; }
    // Renders the main window into a PNG file; false when it cannot be written.
    bool SaveScreenshot(const QString& file);

private:
    void Step(const QString& name) { steps_ << name; }

    Config config_;
    QStringList steps_;
    std::array<PrivateFont, 4> fonts_;
    std::unique_ptr<platform::SingleInstance> instance_;
    std::unique_ptr<platform::Bus> bus_;
    std::shared_ptr<sim::VirtualBus> simBus_;
    CMainWnd* window_ = nullptr;
    bool started_ = false;
    bool shutDown_ = false;
};

}  // namespace app
