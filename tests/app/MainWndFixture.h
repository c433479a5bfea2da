// A main window built from the real skin, offscreen, with fake devices.
#pragma once

#include "app/ControlRegistry.h"
#include "app/MainWnd.h"
#include "app/TrayMenu.h"
#include "platform/Debug.h"
#include "platform/Folders.h"
#include "ui/UIControl.h"
#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <mutex>

struct FakeDevice : app::IMainWndDevice {
    int enabled = -1;
    int preview = -1;
    int hidden = -1;
    void SetEnabledFlag(int f) override { enabled = f; }
    void SetPreviewFlag(int f) override { preview = f; }
    void SetWindowHiddenFlag(int f) override { hidden = f; }
};

// Collects debug lines (from any thread).
class DebugLines {
public:
    DebugLines() {
        platform::SetDebugSink([this](const QString& l) {
            std::lock_guard lock(mutex_);
            lines_ << l;
        });
    }
    ~DebugLines() { platform::SetDebugSink({}); }
    QStringList Lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    bool Has(const QString& text) const {
        for (const QString& l : Lines())
            if (l.contains(text))
                return true;
        return false;
    }
    int IndexOf(const QString& text) const {
        const QStringList l = Lines();
        for (int i = 0; i < l.size(); ++i)
            if (l[i].contains(text))
                return i;
        return -1;
    }

private:
    mutable std::mutex mutex_;
    QStringList lines_;
};

class MainWndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ui::CPaintManagerUI::SetInstance(platform::InstanceFolder());
        ui::CPaintManagerUI::SetResourceType(1);
        ui::CPaintManagerUI::SetResourcePath(platform::SkinFolder());
        ui::CResourceManager::GetInstance()->LoadResource(QStringLiteral("res.xml"));
        app::RegisterCustomControls();
        app::RegisterGamingDeviceMessage();
        app::RegisterGuidMessages();
    }

    // Creates the window and waits for its windowinit.
    app::CMainWnd* Make(app::CMainWnd::Options o = {}) {
        o.watchPower = false;
        if (!o.quit)
            o.quit = [this] { ++quits; };
        window.reset(new app::CMainWnd(o));
        window->Create(nullptr, QStringLiteral("NUVARO ZR7"), ui::UI_WNDSTYLE_FRAME, 0, 0, 0, 800,
                       572);
        window->SetHideToTray(true);
        window->AddDevice(app::DeviceFamily::Mouse, &mouse);
        window->AddDevice(app::DeviceFamily::Keyboard, &keyboard);
        window->AddDevice(app::DeviceFamily::Headset, &headset);
        EXPECT_TRUE(testsupport::SpinUntil([&] { return window->WindowInitDone(); }));
        return window.get();
    }
    app::CMainWnd::Options NoDiscovery() {
        app::CMainWnd::Options o;
        o.startDiscovery = false;
        return o;
    }
    ui::CControlUI* Find(const char* name) {
        return window->FindControl(QString::fromLatin1(name));
    }
    platform::WindowHandle Hwnd() { return window->GetHWND(); }

    void TearDown() override { window.reset(); }

    FakeDevice mouse, keyboard, headset;
    int quits = 0;
    std::unique_ptr<app::CMainWnd> window;
};
