#include "app/MainWnd.h"

#include "app/ControlRegistry.h"
#include "app/PowerMonitor.h"
#include "app/TrayMenu.h"
#include "app/WindowPlacement.h"
#include "appearance/AboutWnd.h"
#include "hid/DiscoveryThread.h"
#include "hid/HidInterface.h"
#include "platform/Bus.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "profiles/JsonFile.h"
#include "ui/UIButton.h"
#include "ui/UIControl.h"
#include "ui/UIManager.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

namespace app {

namespace {
constexpr const char* kTitleButtonNames[] = {"closebtn", "maxbtn",       "restorebtn",
                                             "minbtn",   "skinbtn",      "gamemodebtn",
                                             "cloudbtn", "smarteyesbtn", "setbtn"};
RegisteredMessages g_registered;
}  // namespace

const RegisteredMessages& Registered() {
    return g_registered;
}

std::uint32_t RegisterGamingDeviceMessage() {
    g_registered.gamingDevice = platform::RegisterWindowMessage(QString::fromUtf8(kGamingDevice));
    return g_registered.gamingDevice;
}

void RegisterGuidMessages() {
    g_registered.ebf15 = platform::RegisterWindowMessage(QString::fromLatin1(kMsgEBF15));
    g_registered.ebf16 = platform::RegisterWindowMessage(QString::fromLatin1(kMsgEBF16));
    g_registered.ebf17 = platform::RegisterWindowMessage(QString::fromLatin1(kMsgEBF17));
    g_registered.ebf18 = platform::RegisterWindowMessage(QString::fromLatin1(kMsgEBF18));
    g_registered.ebe19 = platform::RegisterWindowMessage(QString::fromLatin1(kMsgEBE19));
}

namespace {
// The hook and game messages belong to this unit; registering is idempotent.
void RegisterOwnMessages() {
    if (!g_registered.gamingDevice)
        RegisterGamingDeviceMessage();
    if (!g_registered.ebf15)
        RegisterGuidMessages();
    for (std::size_t i = 0; i < g_registered.game.size(); ++i)
        g_registered.game[i] =
            platform::RegisterWindowMessage(QString::fromLatin1(kGameEventNames[i]));
    for (std::size_t i = 0; i < g_registered.hook.size(); ++i)
        g_registered.hook[i] =
            platform::RegisterWindowMessage(QString::fromLatin1(kHookMessageNames[i]));
}
}  // namespace

CMainWnd::CMainWnd() : CMainWnd(Options{}) {}

CMainWnd::CMainWnd(Options options) : options_(std::move(options)) {
    RegisterOwnMessages();
    if (!options_.quit)
        options_.quit = [] { QCoreApplication::quit(); };
}

CMainWnd::~CMainWnd() {
    if (!destroyed_)
        DestroyWindow();
    if (menu_)
        delete menu_.data();
    for (QTimer* t : std::as_const(timers_))
        delete t;
    timers_.clear();
    if (ui::CResourceManager::GetInstance())
        ui::CResourceManager::GetInstance()->SetTextQueryInterface(nullptr);
}

void CMainWnd::InitWindow() {
    platform::DebugLine(QStringLiteral("InitWindow"));
    auto* rm = ui::CResourceManager::GetInstance();
    rm->SetTextQueryInterface(this);
    // The base table first, so every id has a text before the chosen
    // language is applied at window start.
    if (QFileInfo::exists(ui::CPaintManagerUI::GetResourcePath() + QStringLiteral("lan_cn.xml")))
        rm->LoadLanguage(QStringLiteral("lan_cn.xml"));
    for (std::size_t i = 0; i < titleButtons_.size(); ++i)
        titleButtons_[i] = m_pm.FindControl(QString::fromLatin1(kTitleButtonNames[i]));
    const QString iconPath =
        ui::CPaintManagerUI::GetResourcePath() + QStringLiteral("main/app_icon.png");
    setWindowIcon(QIcon(iconPath));
    setWindowTitle(QString::fromUtf8(platform::kProductName));
    tray_ = std::make_unique<ui::CTrayIcon>();
    tray_->CreateTrayIcon(GetHWND(), iconPath, QString::fromUtf8(platform::kProductName),
                          WM_TRAY_NOTIFY);
    hideToTray_ = ui::CTrayIcon::IsSystemTrayAvailable();
    if (options_.watchPower) {
        power_monitor_ = std::make_unique<PowerMonitor>(GetHWND());
        power_monitor_->ConnectSystemBus();
    } else {
        power_monitor_ = std::make_unique<PowerMonitor>(GetHWND());
    }
    if (options_.bus) {
        options_.bus->SetTarget(GetHWND());
        QPointer<CMainWnd> self(this);
        options_.bus->SetCopyDataHandler([self](quint32 kind, const QByteArray& payload) {
            return self && self->DeliverCopyData(kind, payload);
        });
    }
    ConnectScreens();
}

ui::CControlUI* CMainWnd::CreateControl(const QString& className) {
    return CreateMainControl(className, &m_pm, this);
}

void CMainWnd::OnWindowInit() {
    if (windowInitDone_)
        return;
    windowInitDone_ = true;
    // 1. The messages other programs may deliver.
    if (options_.bus) {
        for (const char* name : {kGamingDevice, kMsgEBF15, kMsgEBF16, kMsgEBF17, kMsgEBF18})
            options_.bus->AcceptMessage(QString::fromUtf8(name));
        for (const char* name : kGameEventNames)
            options_.bus->AcceptMessage(QString::fromLatin1(name));
    }
    // 2. Tell other programs that this one drives the lights.
    BroadcastLightControl(1);
    // 3. Language.
    int index = LoadLanguageIndex();
    bool persist = true;
    if (!options_.language.isEmpty()) {
        const int wanted = FindLanguageIndex(options_.language);
        if (wanted >= 0) {
            index = wanted;
            persist = false;
        } else {
            platform::DebugLine(QStringLiteral("unknown language %1").arg(options_.language));
        }
    }
    if (!language_.Apply(m_pm, index, persist))
        ApplyMainFontTable(m_pm, FaceForLanguageIndex(index));
    // 4. The identity list already holds the supported-device table.
    // 5. Device pages are created by the device list once it exists.
    // 6. Screen size.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        screenWidth_ = s->geometry().width();
        screenHeight_ = s->geometry().height();
    }
    SetLightControlText(lightControl_);
    ShowNoDeviceLink(CountConnectedEntries() == 0);
    // 7. Hidden until the first discovery pass.
    hide();
    // 8. Workers.
    StartWorkers();
    // 10. DPI and size shortly after start.
    StartTimer(kTimerApplyDpi, kTimerApplyDpiMs);
    // 11. Music-light settings.
    LoadMusicLightSettings();
}

void CMainWnd::StartWorkers() {
    if (!options_.startDiscovery)
        return;
    const platform::WindowHandle target = GetHWND();
    hid::IdentityList* list = &identities_;
    workers_.Start(kSlotDiscovery, [target, list](const platform::StopEvent& stop) {
        hid::DiscoveryThread::RunLoop(stop, target, *list);
    });
}

void CMainWnd::LoadMusicLightSettings() {
    const QString root = platform::GetUserDataRoot();
    musicFile_ = root.isEmpty() ? QString() : root + QStringLiteral("AudioFile.json");
    Json::Value doc = musicFile_.isEmpty() ? Json::Value() : profiles::readjsonFile(musicFile_);
    if (doc.isNull()) {
        doc = profiles::readjsonFile(platform::GetDefaultDataFolder() +
                                     QStringLiteral("AudioFile.json"));
        if (!doc.isNull() && !musicFile_.isEmpty() && profiles::WriteJsonFile(musicFile_, doc) != 0)
            platform::DebugLine(QStringLiteral("cannot write %1").arg(musicFile_));
    }
    musicDevice_ = doc.isObject() ? doc["Device"] : Json::Value();
}

void CMainWnd::Notify(ui::TNotifyUI& msg) {
    const QString type = msg.sType;
    if (type != QLatin1String(ui::DUI_MSGTYPE_TIMER)) {
        platform::DebugLine(type);
        platform::DebugLine(msg.pSender ? msg.pSender->GetName() : QString());
    }
    if (type == QLatin1String(ui::DUI_MSGTYPE_WINDOWINIT)) {
        OnWindowInit();
    } else if (type == QLatin1String(ui::DUI_MSGTYPE_WINDOWSIZE)) {
        OnWindowSize(msg);
    } else if (type == QLatin1String(ui::DUI_MSGTYPE_CLICK)) {
        OnClick(msg);
        return;  // the title-bar buttons are handled here, not by the base
    } else if (type == QLatin1String("click_wpremove") || type == QLatin1String("click_wpedit")) {
        return;
    }
    ui::WindowImplBase::Notify(msg);
}

void CMainWnd::OnWindowSize(ui::TNotifyUI& msg) {
    if (!msg.pSender || msg.pSender != m_pm.GetRoot() || !displayChanged_)
        return;
    displayChanged_ = 0;
    ApplyWindowDpi();
}

void CMainWnd::OnClick(ui::TNotifyUI& msg) {
    ui::CControlUI* sender = msg.pSender;
    if (!sender)
        return;
    const QString name = sender->GetName();
    auto is = [&](int i, const char* n) {
        return sender == titleButtons_[i] ||
               name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0;
    };
    if (is(0, "closebtn")) {
        CloseSecondaryWindows();
        if (hideToTray_)
            hide();
        else
            showMinimized();
        SetDevicesHidden(1);
    } else if (is(3, "minbtn")) {
        HandleMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
    } else if (is(1, "maxbtn")) {
        HandleMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
    } else if (is(2, "restorebtn")) {
        HandleMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    } else if (is(4, "skinbtn")) {
        platform::DebugLine(QStringLiteral("skin window is not part of this build yet"));
    } else if (is(8, "setbtn")) {
        ShowSettingsWindow(false);
    } else if (name.compare(QLatin1String("nodevice_ok_btn"), Qt::CaseInsensitive) == 0) {
        hide();
    } else if (name.compare(QLatin1String("control_light_status"), Qt::CaseInsensitive) == 0) {
        lightControl_ = lightControl_ ? 0 : 1;
        BroadcastLightControl(lightControl_);
        SetLightControlText(lightControl_);
        SetDevicesEnabled(lightControl_);
    }
}

void CMainWnd::BroadcastLightControl(int flag) {
    if (options_.bus)
        options_.bus->Broadcast(QString::fromLatin1(kMsgEBF16), 1, flag);
}

void CMainWnd::SetLightControlText(int flag) {
    if (ui::CControlUI* c = m_pm.FindControl(QStringLiteral("control_light_status"))) {
        // The texts are language ids, so the switch reads in every language.
        c->SetTextId(flag ? QStringLiteral("控制灯光") : QStringLiteral("不控制灯光"));
        if (auto* option = static_cast<ui::COptionUI*>(c->GetInterface(QStringLiteral("Option"))))
            option->Selected(flag != 0, false);
    }
}

void CMainWnd::ShowNoDeviceLink(bool visible) {
    if (ui::CControlUI* c = m_pm.FindControl(QStringLiteral("No_device_Link")))
        c->SetVisible(visible);
}

int CMainWnd::CountConnectedEntries() const {
    // Device list entries arrive with the device pages; none are connected
    // until then.
    return 0;
}

void CMainWnd::AddDevice(DeviceFamily family, IMainWndDevice* device) {
    if (!device)
        return;
    switch (family) {
        case DeviceFamily::Mousepad:
            mousepads_.push_back(device);
            break;
        case DeviceFamily::Mouse:
            mice_.push_back(device);
            break;
        case DeviceFamily::Keyboard:
            keyboards_.push_back(device);
            break;
        case DeviceFamily::Headset:
            headsets_.push_back(device);
            break;
    }
}

void CMainWnd::SetDevicesEnabled(int flag) {
    for (auto* list : {&mice_, &mousepads_, &keyboards_})
        for (IMainWndDevice* d : *list)
            d->SetEnabledFlag(flag);
}

void CMainWnd::SetDevicesPreview(int flag) {
    for (auto* list : {&mice_, &mousepads_, &keyboards_})
        for (IMainWndDevice* d : *list)
            d->SetPreviewFlag(flag);
}

void CMainWnd::SetDevicesHidden(int flag) {
    for (auto* list : {&mice_, &keyboards_})
        for (IMainWndDevice* d : *list)
            d->SetWindowHiddenFlag(flag);
}

void CMainWnd::SetSecondaryWindow(SecondaryWindow kind, ui::CWindowWnd* window) {
    secondary_[std::size_t(kind)] = window;
}

ui::CWindowWnd* CMainWnd::GetSecondaryWindow(SecondaryWindow kind) const {
    return secondary_[std::size_t(kind)].data();
}

void CMainWnd::CloseSecondaryWindows() {
    for (auto& w : secondary_) {
        if (w)
            w->SendMessage(ui::WM_CLOSE, 0, 0);
    }
}

void CMainWnd::ShowSettingsWindow(bool centred) {
    if (secondary_[std::size_t(SecondaryWindow::Settings)])
        return;
    platform::DebugLineF("settings window (%s) is not part of this build yet",
                         centred ? "centred" : "at the edge");
}

void CMainWnd::ShowAboutWindow() {
    if (secondary_[std::size_t(SecondaryWindow::About)])
        return;
    QPointer<appearance::CAboutWnd> about = new appearance::CAboutWnd();
    about->GetPaintManager().SetDPI(dpi_);
    about->Create(this, QStringLiteral("AboutWnd"), ui::UI_WNDSTYLE_DIALOG);
    about->CenterWindow();
    secondary_[std::size_t(SecondaryWindow::About)] = about.data();
    about->ShowModal();
    secondary_[std::size_t(SecondaryWindow::About)] = nullptr;
    if (about)
        about->deleteLater();
}

void CMainWnd::ShowPaletteWindow() {
    if (secondary_[std::size_t(SecondaryWindow::Palette)])
        return;
    platform::DebugLine(QStringLiteral("palette window is not part of this build yet"));
}

void CMainWnd::ShowMusicWindow() {
    if (secondary_[std::size_t(SecondaryWindow::Music)])
        return;
    platform::DebugLine(QStringLiteral("music-light window is not part of this build yet"));
}

void CMainWnd::ApplyWindowDpi() {
    const bool wasShown = isVisible() && !isMinimized();
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect work = s ? s->availableGeometry() : QRect();
    const int dpi = AcceptDpi(options_.forcedDpi ? options_.forcedDpi : ChooseWindowDpi(work));
    for (ui::CPaintManagerUI* pm : ui::CPaintManagerUI::GetPaintManagers())
        pm->SetDPI(96);
    resize(kMainWidth, kMainHeight);
    for (ui::CPaintManagerUI* pm : ui::CPaintManagerUI::GetPaintManagers())
        pm->SetDPI(dpi);
    dpi_ = dpi;
    resize(m_pm.Scale(kMainWidth), m_pm.Scale(kMainHeight));
    m_pm.UpdateLayout();
    CenterOnWorkArea();
    if (!wasShown && isVisible())
        hide();
}

void CMainWnd::ApplySkinBackground(bool isColour, ui::DWORD colour, const QString& picture) {
    ui::CControlUI* root = m_pm.FindControl(QStringLiteral("root"));
    if (!root)
        return;
    if (isColour) {
        root->SetBkColor(colour);
        root->SetBkImage(QString());
    } else {
        root->SetBkColor(0);
        root->SetBkImage(picture);
    }
}

void CMainWnd::CenterOnWorkArea() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect r(QPoint(0, 0), size());
    r.moveCenter(s->availableGeometry().center());
    move(r.topLeft());
}

void CMainWnd::BringForward() {
    ShowNoDeviceLink(CountConnectedEntries() == 0);
    SetDevicesHidden(0);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool CMainWnd::HasTimer(unsigned id) const {
    QTimer* t = timers_.value(id);
    return t && t->isActive();
}

void CMainWnd::StartTimer(unsigned id, unsigned ms) {
    QTimer*& t = timers_[id];
    if (!t) {
        t = new QTimer();
        QObject::connect(t, &QTimer::timeout, t, [this, id] { HandleMessage(WM_TIMER, id, 0); });
    }
    // Repeats until its handler kills it, so a timer that fires while the
    // machine is suspended runs once it has resumed.
    t->start(int(ms));
}

void CMainWnd::KillTimer(unsigned id) {
    if (QTimer* t = timers_.value(id))
        t->stop();
}

void CMainWnd::OnTimer(unsigned id) {
    KillTimer(id);
    switch (id) {
        case kTimerApplyDpi:
            ApplyWindowDpi();
            m_pm.Invalidate();
            break;
        case kTimerTrayMenu:
            OpenTrayMenu();
            break;
        case kTimerItemSelect:
            break;
        case kTimerGameRestore:
            // The active device's saved effect comes back here once device
            // pages exist; with no active device there is nothing to restore.
            break;
        default:
            break;
    }
}

void CMainWnd::OpenTrayMenu() {
    if (menu_)
        delete menu_.data();
    auto* menu = new ui::CMenuWnd();
    menu_ = menu;
    menu->GetPaintManager().SetDPI(dpi_);
    // Open beside the desktop's panel, as far as the screen tells where it is.
    const QPoint cursor = QCursor::pos();
    QScreen* s = QGuiApplication::screenAt(cursor);
    if (!s)
        s = QGuiApplication::primaryScreen();
    const QRect screenRect = s ? s->geometry() : QRect();
    const QRect panel = s ? PanelRect(s->geometry(), s->availableGeometry()) : QRect();
    MenuAnchor anchor = TrayMenuAnchor(cursor - screenRect.topLeft(), panel);
    anchor.point += screenRect.topLeft();
    const platform::WindowHandle self = GetHWND();
    menu->Init(nullptr, QStringLiteral("menu.xml"), anchor.point, anchor.alignment,
               [self](const QString& name) {
                   const std::uintptr_t record = StoreMenuRecord(name);
                   if (!platform::Post(self, WM_MENU_COMMAND, record, 0))
                       TakeMenuRecord(record);
               });
}

void CMainWnd::DestroyWindow() {
    if (destroyed_)
        return;
    HandleMessage(WM_DESTROY, 0, 0);
}

void CMainWnd::PostQuit() {
    // QCoreApplication::quit only asks the loop to end; nothing of the
    // window is touched after it.
    if (options_.quit)
        options_.quit();
}

void CMainWnd::ConnectScreens() {
    auto hook = [this](QScreen* s) {
        QObject::connect(s, &QScreen::geometryChanged, &m_pm,
                         [this] { platform::Post(GetHWND(), WM_DISPLAYCHANGE, 0, 0); });
        QObject::connect(s, &QScreen::availableGeometryChanged, &m_pm,
                         [this] { platform::Post(GetHWND(), WM_DISPLAYCHANGE, 0, 0); });
        QObject::connect(s, &QScreen::logicalDotsPerInchChanged, &m_pm, [this, s] {
            if (screen() == s)
                platform::Post(GetHWND(), ui::WM_DPICHANGED,
                               platform::WParam(AcceptDpi(qRound(s->logicalDotsPerInch()))), 0);
        });
    };
    for (QScreen* s : QGuiApplication::screens())
        hook(s);
    QObject::connect(qApp, &QGuiApplication::screenAdded, &m_pm, [this, hook](QScreen* s) {
        hook(s);
        platform::Post(GetHWND(), WM_DISPLAYCHANGE, 0, 0);
    });
    QObject::connect(qApp, &QGuiApplication::screenRemoved, &m_pm,
                     [this] { platform::Post(GetHWND(), WM_DISPLAYCHANGE, 0, 0); });
}

void CMainWnd::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange)
        HandleMessage(WM_ACTIVATE, isActiveWindow() ? 1 : 0, 0);
    ui::WindowImplBase::changeEvent(e);
}

void CMainWnd::enterEvent(QEnterEvent* e) {
    HandleMessage(WM_MOUSEHOVER, 0, 0);
    ui::WindowImplBase::enterEvent(e);
}

void CMainWnd::leaveEvent(QEvent* e) {
    HandleMessage(WM_MOUSELEAVE, 0, 0);
    ui::WindowImplBase::leaveEvent(e);
}

void CMainWnd::closeEvent(QCloseEvent* e) {
    // A close request from the desktop acts like the close button: the
    // program keeps running in the tray. Only the tray menu ends it.
    e->ignore();
    if (destroyed_)
        return;
    CloseSecondaryWindows();
    if (hideToTray_)
        hide();
    else
        showMinimized();
    SetDevicesHidden(1);
}

}  // namespace app
