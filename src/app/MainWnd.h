// CMainWnd: the program's only top-level window. It shows the main skin,
// owns the tray icon, the identity list and the worker table, and is the one
// receiver of the window messages of other threads, other programs and the
// UI library (the catalogue in HandleCustomMessage).
#pragma once

#include "app/CopyDataBuffers.h"
#include "app/MainLanguage.h"
#include "app/MainMessages.h"
#include "app/WorkerTable.h"
#include "hid/DeviceIdentity.h"
#include "ui/UIMenu.h"
#include "ui/UIResourceManager.h"
#include "ui/UITrayIcon.h"
#include "ui/UIWindow.h"

#include <json/value.h>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace platform {
class Bus;
}

namespace app {

class PowerMonitor;

// The flags the main window sets on every device page. Device pages
// implement it; the window holds non-owning pointers.
class IMainWndDevice {
public:
    virtual ~IMainWndDevice() = default;
    virtual void SetEnabledFlag(int flag) = 0;       // light sending on/off
    virtual void SetPreviewFlag(int flag) = 0;       // live preview on/off
    virtual void SetWindowHiddenFlag(int flag) = 0;  // window hidden to the tray
};

enum class DeviceFamily { Mousepad, Mouse, Keyboard, Headset };
enum class SecondaryWindow { Settings = 0, About = 1, Palette = 2, Music = 3 };

// A data record handed to WM_COPYDATA (lParam points to it while the
// message is sent).
struct CopyDataRecord {
    std::uint32_t dwData = 0;
    const QByteArray* payload = nullptr;
};

// The registered message ids, registered once per process.
struct RegisteredMessages {
    std::uint32_t gamingDevice = 0;
    std::uint32_t ebf15 = 0, ebf16 = 0, ebf17 = 0, ebf18 = 0, ebe19 = 0;
    std::array<std::uint32_t, 4> game{};
    std::array<std::uint32_t, std::size(kHookMessageNames)> hook{};
};
const RegisteredMessages& Registered();
std::uint32_t RegisterGamingDeviceMessage();
void RegisterGuidMessages();

class CMainWnd : public ui::WindowImplBase, public ui::IQueryControlText {
public:
    struct Options {
        bool startDiscovery = true;    // slot 0 polls for devices
        bool watchPower = true;        // subscribe to logind
        int forcedDpi = 0;             // 0: from the work area
        QString language;              // empty: the stored choice
        std::function<void()> quit;    // the quit message; default quits the application
        platform::Bus* bus = nullptr;  // broadcasts and incoming registered messages
    };

    CMainWnd();
    explicit CMainWnd(Options options);
    ~CMainWnd() override;

    QString GetWindowClassName() const override { return QStringLiteral("MainWnd"); }
    QString GetSkinFile() const override { return QStringLiteral("XML_MAIN"); }
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;
    ui::CControlUI* CreateControl(const QString& className) override;
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam,
                                    bool& handled) override;
    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) override;
    QString QueryControlText(const QString&, const QString&) override { return QString(); }

    // Operations used by other parts of the program.
    void ShowSettingsWindow(bool centred);
    void ShowAboutWindow();
    void ShowPaletteWindow();
    void ShowMusicWindow();
    void CloseSecondaryWindows();
    void SetDevicesEnabled(int flag);
    void SetDevicesPreview(int flag);
    void SetDevicesHidden(int flag);
    void ApplyWindowDpi();
    void BringForward();
    // The skin picker's choice: a colour for "root" (no picture), or a
    // picture (relative to the skin folder or a full path) with no colour.
    void ApplySkinBackground(bool isColour, ui::DWORD colour, const QString& picture);
    // The main window's end (WM_DESTROY): stops the workers and quits.
    void DestroyWindow();
    int CountConnectedEntries() const;
    // Delivers a data record as WM_COPYDATA; true when it was accepted.
    bool DeliverCopyData(std::uint32_t kind, const QByteArray& payload);

    // State.
    int WindowDpi() const { return dpi_; }
    int LightControlFlag() const { return lightControl_; }
    int PowerFlag() const { return power_; }
    int FirmwareCurrentFlag() const { return firmwareCurrent_; }
    int PreviewFlag() const { return preview_; }
    bool WindowInitDone() const { return windowInitDone_; }
    bool Destroyed() const { return destroyed_; }
    bool HasTimer(unsigned id) const;
    const WorkerTable& Workers() const { return workers_; }
    hid::IdentityList& Identities() { return identities_; }
    const CopyDataBuffers& Buffers() const { return buffers_; }
    PowerMonitor* Power() const { return power_monitor_.get(); }
    ui::CMenuWnd* TrayMenu() const { return menu_.data(); }
    const Json::Value& MusicLightDevice() const { return musicDevice_; }
    QString MusicLightFile() const { return musicFile_; }
    int LanguageIndex() const { return language_.CurrentIndex(); }

    // Device pages and secondary windows register here as they are created.
    void AddDevice(DeviceFamily family, IMainWndDevice* device);
    void SetSecondaryWindow(SecondaryWindow kind, ui::CWindowWnd* window);
    ui::CWindowWnd* GetSecondaryWindow(SecondaryWindow kind) const;
    // Where the close button sends the window: the tray when there is one,
    // else the taskbar (minimised) so the window stays reachable.
    void SetHideToTray(bool hideToTray) { hideToTray_ = hideToTray; }

protected:
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void OnWindowInit();
    void OnWindowSize(ui::TNotifyUI& msg);
    void OnClick(ui::TNotifyUI& msg) override;
    void OnTimer(unsigned id);
    void StartTimer(unsigned id, unsigned ms);
    void KillTimer(unsigned id);
    void OnTrayNotify(ui::LPARAM mouseMessage);
    void OpenTrayMenu();
    void OnMenuCommand(const QString& name);
    void OnGameEvent(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnLightControl(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnModelQuery();
    bool OnCopyData(const CopyDataRecord* record);
    void OnFirmwareOutdated(ui::WPARAM wParam, ui::LPARAM lParam);
    void SetLightControlText(int flag);
    void ShowNoDeviceLink(bool visible);
    void StartWorkers();
    void LoadMusicLightSettings();
    void BroadcastLightControl(int flag);
    void ConnectScreens();
    void CenterOnWorkArea();
    void PostQuit();

    Options options_;
    std::array<ui::CControlUI*, 9> titleButtons_{};
    std::unique_ptr<ui::CTrayIcon> tray_;
    QPointer<ui::CMenuWnd> menu_;
    std::vector<IMainWndDevice*> mousepads_, mice_, keyboards_, headsets_;
    hid::IdentityList identities_;
    std::array<QPointer<ui::CWindowWnd>, 4> secondary_;
    WorkerTable workers_;
    QHash<unsigned, QTimer*> timers_;
    std::unique_ptr<PowerMonitor> power_monitor_;
    MainLanguage language_;
    CopyDataBuffers buffers_;
    Json::Value musicDevice_;
    QString musicFile_;
    int dpi_ = 96;
    int displayChanged_ = 0;
    int windowActive_ = 0;
    int preview_ = 0;
    int lightControl_ = 1;
    std::uint8_t power_ = 1;
    int firmwareCurrent_ = 0;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    bool windowInitDone_ = false;
    bool destroyed_ = false;
    bool hideToTray_ = true;
};

}  // namespace app
