// The message catalogue of the main window.
#include "app/MainWnd.h"

#include "app/ModelTable.h"
#include "app/TrayMenu.h"
#include "appearance/MsgWnd.h"
#include "platform/Bus.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "ui/UIControl.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <algorithm>

namespace app {

namespace {
bool IsIn(std::uint32_t msg, const auto& ids) {
    return std::find(std::begin(ids), std::end(ids), msg) != std::end(ids);
}
}  // namespace

ui::LRESULT CMainWnd::HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) {
    if (msg == ui::WM_DPICHANGED) {
        // A DPI change is a display message: ignored while suspended.
        if (!power_ || destroyed_)
            return 0;
        ui::WindowImplBase::HandleMessage(msg, wParam, lParam);
        dpi_ = m_pm.GetDPI();
        CenterOnWorkArea();
        m_pm.NeedUpdate();
        platform::DebugLine(QStringLiteral("界面 DPI 发生变化"));
        return 0;
    }
    return ui::WindowImplBase::HandleMessage(msg, wParam, lParam);
}

ui::LRESULT CMainWnd::HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam,
                                          bool& handled) {
    handled = false;
    const RegisteredMessages& reg = Registered();
    // Always looked at, whatever the power state.
    if (msg == WM_ACTIVATE) {
        windowActive_ = wParam != 0;
        preview_ = windowActive_;
        SetDevicesPreview(preview_);
        return 0;
    }
    if (msg == WM_MOUSELEAVE) {
        platform::DebugLine(QStringLiteral("鼠标移出"));
        if (!windowActive_) {
            preview_ = 0;
            SetDevicesPreview(0);
        }
        return 0;
    }
    if (msg == WM_MOUSEHOVER) {
        platform::DebugLine(QStringLiteral("鼠标移入"));
        if (!windowActive_) {
            preview_ = 1;
            SetDevicesPreview(1);
        }
        return 0;
    }
    if (msg == reg.gamingDevice) {
        platform::DebugLineF("软件标示 %d，%xd%xd", int(msg), unsigned(wParam), unsigned(lParam));
        if (!destroyed_)
            BringForward();
        return 0;
    }
    if (msg == reg.ebf15) {
        if (ui::CWindowWnd* w = GetSecondaryWindow(SecondaryWindow::Settings))
            w->PostMessage(msg, wParam, lParam);
        return 0;
    }
    if (msg == reg.ebf17) {
        OnLightControl(wParam, lParam);
        return 0;
    }
    if (msg == reg.ebf18) {
        OnModelQuery();
        return 0;
    }
    if (msg == WM_DESTROY) {
        handled = true;
        if (destroyed_)
            return 0;
        destroyed_ = true;
        // OnDestroy: the tray icon goes.
        tray_.reset();
        platform::DebugLine(QStringLiteral("退出测试"));
        hide();
        for (QTimer* t : std::as_const(timers_))
            t->stop();
        // Workers that send to the window get 0 from now on instead of
        // waiting for a UI thread that is busy stopping them.
        if (m_msg)
            m_msg->BeginClose();
        workers_.StopAll(std::chrono::milliseconds(1000));
        if (options_.bus) {
            options_.bus->SetTarget({});
            options_.bus->SetCopyDataHandler({});
        }
        // The quit message: the loop ends once this handler has returned.
        PostQuit();
        return 0;
    }
    if (msg == WM_POWERBROADCAST) {
        if (wParam == PBT_APMRESUMEAUTOMATIC) {
            power_ = 1;
            SetDevicesEnabled(lightControl_);
        } else if (wParam == PBT_APMSUSPEND) {
            power_ = 0;
            SetDevicesEnabled(0);
        }
        return 0;
    }
    // Suspended: everything else waits for the resume.
    if (!power_ || destroyed_)
        return 0;

    if (IsIn(msg, reg.hook)) {
        // Recording and key capture arrive with the input hook.
        return 0;
    }
    if (IsIn(msg, reg.game)) {
        OnGameEvent(wParam, lParam);
        return 0;
    }
    switch (msg) {
        case WM_TRAY_NOTIFY:
            OnTrayNotify(lParam);
            return 0;
        case WM_HOOK_SWITCH:
            platform::DebugLineF(
                "input hook switch %u: the input hook is not part of this build yet",
                unsigned(wParam));
            return 0;
        case WM_MENU_COMMAND: {
            handled = true;
            const QString name = TakeMenuRecord(wParam);
            OnMenuCommand(name);
            return 0;
        }
        case WM_DPI_NOTE:
            platform::DebugLine(QStringLiteral("界面 DPI 1发生变化"));
            return 0;
        case WM_SHOW_SETTING_PROGRESS:
            if (ui::CControlUI* c = m_pm.FindControl(QStringLiteral("setting_progress")))
                c->SetVisible(true);
            return 0;
        case WM_LANGUAGE_CHANGED:
            if (language_.Apply(m_pm, int(wParam), true)) {
                for (auto& w : secondary_)
                    if (w)
                        w->PostMessage(WM_LANGUAGE_CHANGED, wParam, lParam);
            }
            return 0;
        case WM_DEVICE_ARRIVED: {
            const hid::DeviceIdentity row = identities_.Row(int(wParam));
            platform::DebugLine(
                QStringLiteral("device arrived: row %1 %2").arg(wParam).arg(row.DevicePath));
            return 0;
        }
        case WM_DEVICE_REMOVED:
            platform::DebugLineF("device removed: row %u", unsigned(wParam));
            return 0;
        case WM_OPEN_SETTINGS:
            ShowSettingsWindow(true);
            return 0;
        case WM_CLEAR_UPDATE_MARK:
            if (titleButtons_[8])
                titleButtons_[8]->SetForeImage(QString());
            return 0;
        case WM_IGNORED_3330:
            return 0;
        case WM_ENTRY_STATE:
            platform::DebugLineF("entry %u state %d", unsigned(wParam), int(lParam));
            return 0;
        case WM_FIRMWARE_OUTDATED:
            OnFirmwareOutdated(wParam, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(unsigned(wParam));
            return 0;
        case WM_COPYDATA:
            handled = true;  // the answer tells the sender whether it was taken
            return OnCopyData(reinterpret_cast<const CopyDataRecord*>(lParam)) ? 1 : 0;
        case WM_DISPLAYCHANGE:
            platform::DebugLine(QStringLiteral("显示器分辨率发生变化"));
            displayChanged_ = 1;
            ApplyWindowDpi();
            return 0;
        default:
            return 0;
    }
}

void CMainWnd::OnLightControl(ui::WPARAM wParam, ui::LPARAM lParam) {
    if (wParam != 1 || (lParam != 0 && lParam != 1))
        return;
    lightControl_ = int(lParam);
    SetLightControlText(lightControl_);
    SetDevicesEnabled(lightControl_);
}

void CMainWnd::OnModelQuery() {
    // The service tool listens on the session bus under the name
    // "org.nuvaro.WorkTool"; the block goes to its CopyData method.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString tool = QStringLiteral("org.nuvaro.WorkTool");
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(tool).value()) {
        platform::DebugLine(QStringLiteral("WorkTool not found"));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(tool, QStringLiteral("/org/nuvaro/WorkTool"),
                                                       tool, QStringLiteral("CopyData"));
    call << quint32(5) << BuildModelQueryBlock();
    bus.call(call, QDBus::NoBlock);
}

bool CMainWnd::DeliverCopyData(std::uint32_t kind, const QByteArray& payload) {
    CopyDataRecord record{kind, &payload};
    return HandleMessage(WM_COPYDATA, GetHWND().id, reinterpret_cast<ui::LPARAM>(&record)) != 0;
}

bool CMainWnd::OnCopyData(const CopyDataRecord* record) {
    if (!record || !record->payload || record->payload->isEmpty())
        return false;
    if (record->dwData != CopyDataBuffers::kLevelFrameKind &&
        record->dwData != CopyDataBuffers::kPeakKind)
        return false;
    if (!buffers_.Accept(record->dwData, *record->payload)) {
        platform::DebugLineF("copy data kind %u refused: %lld bytes", record->dwData,
                             static_cast<long long>(record->payload->size()));
        return false;
    }
    // The audio spectrum step and the keyboard's audio peaks arrive with the
    // music light and keyboard pages; the data is kept meanwhile.
    return true;
}

void CMainWnd::OnTrayNotify(ui::LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP) {
        const int connected = CountConnectedEntries();
        if (connected == 0)
            ShowNoDeviceLink(true);
        else if (firmwareCurrent_)
            ShowNoDeviceLink(false);
        CloseSecondaryWindows();
        if (isVisible() && !isMinimized()) {
            hide();
            SetDevicesHidden(1);
        } else {
            show();
            ApplyWindowDpi();
            showNormal();
            raise();
            activateWindow();
            m_pm.Invalidate();
            SetDevicesHidden(0);
        }
    } else if (mouseMessage == WM_RBUTTONUP) {
        StartTimer(kTimerTrayMenu, kTimerTrayMenuMs);
    }
}

void CMainWnd::OnMenuCommand(const QString& name) {
    if (name == QLatin1String("exit")) {
        CloseSecondaryWindows();
        DestroyWindow();
    } else if (name == QLatin1String("about_menu")) {
        ShowAboutWindow();
    } else if (name == QLatin1String("setwnd_menu")) {
        ShowSettingsWindow(false);
    } else if (!name.isEmpty()) {
        platform::DebugLine(QStringLiteral("menu item %1 has no handler in this build").arg(name));
    }
}

void CMainWnd::OnGameEvent(ui::WPARAM wParam, ui::LPARAM lParam) {
    // The active device's effect switch happens here once device pages
    // exist; the restore timer runs in every case.
    platform::DebugLineF("game event %u effect %d", unsigned(wParam), int(lParam & 0xFF));
    StartTimer(kTimerGameRestore, kTimerGameRestoreMs);
}

void CMainWnd::OnFirmwareOutdated(ui::WPARAM wParam, ui::LPARAM lParam) {
    if (lParam > 260) {
        firmwareCurrent_ = 1;
        return;
    }
    firmwareCurrent_ = 0;
    ShowNoDeviceLink(true);
    const int answer = appearance::ShowMessageBox(this, QStringLiteral("UpdateTiShi"),
                                                  QStringLiteral("message_text_26"), dpi_, true,
                                                  1);  // OK and Cancel
    if (answer != 1) {
        // The program cannot run with this firmware: it ends, orderly.
        platform::DebugLineF("firmware of %04x too old (%d): exiting", unsigned(wParam),
                             int(lParam));
        CloseSecondaryWindows();
        DestroyWindow();
        return;
    }
    const QString folder = platform::InstanceFolder() + QStringLiteral("Update/");
    const QFileInfoList programs =
        QDir(folder).entryInfoList(QDir::Files | QDir::Executable, QDir::Name);
    if (programs.isEmpty() ||
        !QProcess::startDetached(programs.first().absoluteFilePath(),
                                 {QStringLiteral("On the upgrade")}, folder)) {
        platform::DebugLine(
            QStringLiteral("firmware upgrade program not started from %1").arg(folder));
    }
}

}  // namespace app
