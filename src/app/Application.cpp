#include "app/Application.h"

#include "app/ControlRegistry.h"
#include "app/MainLanguage.h"
#include "app/MainWnd.h"
#include "app/ModelTable.h"
#include "app/TrayMenu.h"
#include "hid/DiscoveryThread.h"
#include "platform/Bus.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "platform/SingleInstance.h"
#include "sim/Simulation.h"
#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace app {

Application::Application(Config config) : config_(std::move(config)) {}

Application::~Application() {
    Shutdown();
}

Application::StartResult Application::Start() {
    // 1. Fonts; a missing file only falls back.
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        fonts_[i].Load(QString::fromLatin1(kPrivateFontFiles[i]));
    InstallFontSubstitutions(fonts_[0].Families(), fonts_[1].Families(), fonts_[2].Families(),
                             fonts_[3].Families());
    Step(QStringLiteral("fonts"));
    // 4. The single-instance message.
    const std::uint32_t gamingDevice = RegisterGamingDeviceMessage();
    platform::DebugLineF("软件标示：%d", int(gamingDevice));
    Step(QStringLiteral("message"));
    // 5. Single instance.
    instance_ = std::make_unique<platform::SingleInstance>(config_.instanceKey);
    if (!instance_->TryBecomePrimary()) {
        Step(QStringLiteral("second-instance"));
        instance_.reset();
        for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it)
            it->Unload();
        return StartResult::SecondInstance;
    }
    Step(QStringLiteral("single-instance"));
    // 6, 7. Resources and controls.
    ui::CPaintManagerUI::SetInstance(platform::InstanceFolder());
    ui::CPaintManagerUI::SetResourceType(1);
    ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
    if (!ui::CResourceManager::GetInstance()->LoadResource(QStringLiteral("res.xml")))
        platform::DebugLine(
            QStringLiteral("res.xml not loaded from %1").arg(platform::SkinFolder()));
    RegisterCustomControls();
    Step(QStringLiteral("resources"));
    // 8. The GUID-named messages.
    RegisterGuidMessages();
    Step(QStringLiteral("guid-messages"));
    // The session bus face and the virtual devices.
    bus_ = std::make_unique<platform::Bus>();
    bus_->SetModelQuery([] { return BuildModelQueryBlock(); });
    bus_->Start(config_.serviceName.isEmpty() ? platform::Bus::DefaultServiceName()
                                              : config_.serviceName);
    // "auto" stands in for hardware: virtual devices only when no supported
    // device is attached.
    const bool autoModels =
        config_.options.simulateModels.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0;
    if (config_.options.simulate && autoModels && !config_.options.simulateOnly &&
        hid::SupportedDevicePresent()) {
        platform::DebugLine(QStringLiteral("--simulate=auto: real devices attached, none added"));
    } else if (config_.options.simulate) {
        QString error;
        // The virtual devices keep their memory between runs, as real ones do.
        const QString root = platform::GetUserDataRoot();
        simBus_ =
            sim::CreateBus(config_.options.simulateModels, &error,
                           root.isEmpty() ? QString() : root + QStringLiteral("VirtualDevices/"));
        if (!simBus_) {
            std::fprintf(stderr, "nuvaro-zr7: --simulate: %s\n", qPrintable(error));
            return StartResult::Failed;
        }
        sim::InstallBus(simBus_, !config_.options.simulateOnly);
    }
    Step(QStringLiteral("bus"));
    // 9, 10. The main window.
    CMainWnd::Options wo;
    wo.bus = bus_.get();
    wo.forcedDpi = config_.options.forcedDpi;
    wo.language = config_.options.language;
    wo.watchPower = config_.watchPower;
    window_ = new CMainWnd(wo);
    window_->Create(nullptr, QString::fromUtf8(platform::kProductName), ui::UI_WNDSTYLE_FRAME, 0, 0,
                    0, 800, 572);
    window_->setWindowTitle(QString::fromUtf8(platform::kProductName));
    QObject::connect(instance_.get(), &platform::SingleInstance::activationRequested, window_,
                     [this, gamingDevice](const QString&) {
                         platform::Post(window_->GetHWND(), gamingDevice, 0, 1);
                     });
    Step(QStringLiteral("window"));
    // 11. Centred; the loop runs in Exec.
    window_->CenterWindow();
    started_ = true;
    return StartResult::Running;
}

int Application::Exec() {
    if (!started_)
        return 0;
    Step(QStringLiteral("loop"));
    QApplication::exec();
    Shutdown();
    return 0;
}

void Application::Shutdown() {
    if (shutDown_ || !started_)
        return;
    shutDown_ = true;
    // The window first: it stops its workers if it has not done so.
    if (window_) {
        window_->DestroyWindow();
        delete window_;
        window_ = nullptr;
    }
    Step(QStringLiteral("window-deleted"));
    ui::CResourceManager::GetInstance()->Release();
    Step(QStringLiteral("resources-released"));
    if (simBus_) {
        sim::UninstallBus(simBus_);
        simBus_.reset();
    }
    if (bus_) {
        bus_->Stop();
        bus_.reset();
    }
    Step(QStringLiteral("bus-stopped"));
    instance_.reset();
    Step(QStringLiteral("single-instance-closed"));
    for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it)
        it->Unload();
    Step(QStringLiteral("fonts-unloaded"));
}

bool Application::SaveScreenshot(const QString& file) {
    if (!window_)
        return false;
    window_->GetPaintManager().UpdateLayout();
    const QPixmap pixmap = window_->grab();
    if (pixmap.isNull())
        return false;
    const QString dir = QFileInfo(file).absolutePath();
    QDir().mkpath(dir);
    return pixmap.save(file, "PNG");
}

int Application::Run() {
    if (config_.options.help) {
        std::fputs(qPrintable(HelpText()), stdout);
        return 0;
    }
    if (!config_.options.error.isEmpty()) {
        std::fprintf(stderr, "nuvaro-zr7: %s\n%s", qPrintable(config_.options.error),
                     qPrintable(HelpText()));
        return 2;
    }
    const StartResult started = Start();
    if (started == StartResult::SecondInstance)
        return 0;
    if (started == StartResult::Failed) {
        Shutdown();
        return 2;
    }
    int screenshotResult = 0;
    if (!config_.options.screenshotFile.isEmpty()) {
        // Wait until the window is shown (first discovery pass) and sized,
        // then render it and leave through the ordinary teardown.
        auto* poll = new QTimer(window_);
        auto* waited = new QElapsedTimer();
        waited->start();
        QObject::connect(poll, &QTimer::timeout, window_, [this, poll, waited, &screenshotResult] {
            const bool ready = window_->isVisible() && !window_->HasTimer(kTimerApplyDpi);
            if (!ready && waited->elapsed() < 5000)
                return;
            poll->stop();
            if (!window_->isVisible())
                window_->BringForward();
            window_->ApplyWindowDpi();
            QTimer::singleShot(150, window_, [this, waited, &screenshotResult] {
                delete waited;
                if (!SaveScreenshot(config_.options.screenshotFile)) {
                    std::fprintf(stderr, "nuvaro-zr7: cannot write %s\n",
                                 qPrintable(config_.options.screenshotFile));
                    screenshotResult = 1;
                }
                window_->DestroyWindow();
            });
        });
        poll->start(20);
    }
    const int code = Exec();
    return screenshotResult ? screenshotResult : code;
}

}  // namespace app
