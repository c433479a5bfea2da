#include "MainWndFixture.h"

#include "app/PowerMonitor.h"
#include "app/TrayMenu.h"
#include "sim/Simulation.h"
#include "ui/UIButton.h"

#include <QElapsedTimer>

namespace {
ui::TNotifyUI Click(ui::CControlUI* sender) {
    ui::TNotifyUI msg;
    msg.sType = QStringLiteral("click");
    msg.pSender = sender;
    return msg;
}
}  // namespace
#include <QMouseEvent>
#include <QTest>

using namespace app;

TEST_F(MainWndTest, WindowInitLeavesTheWindowHiddenWithTheNoDevicePage) {
    Make(NoDiscovery());
    EXPECT_TRUE(window->SkinLoaded());
    EXPECT_FALSE(window->isVisible());
    for (const char* name :
         {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn", "cloudbtn",
          "smarteyesbtn", "setbtn", "device_select_layout", "device_select_prev",
          "device_select_next", "device_switch", "device_power_switch", "No_device_Link",
          "nodevice_ok_btn", "control_light_status", "setting_progress", "str_test"})
        EXPECT_NE(Find(name), nullptr) << name;
    EXPECT_TRUE(Find("No_device_Link")->IsVisible());
    EXPECT_FALSE(Find("setting_progress")->IsVisible());
    EXPECT_EQ(Find("control_light_status")->GetTextId(), QStringLiteral("控制灯光"));
    EXPECT_EQ(window->LightControlFlag(), 1);
    EXPECT_EQ(window->PowerFlag(), 1);
    // The font table of the window.
    ui::CPaintManagerUI& pm = window->GetPaintManager();
    EXPECT_EQ(pm.GetFontInfo(0).iSize, 15);
    EXPECT_EQ(pm.GetFontInfo(3).iSize, 30);
    EXPECT_TRUE(pm.GetFontInfo(1).bUnderline);
    EXPECT_TRUE(pm.GetFontInfo(50).bBold);
    EXPECT_EQ(pm.GetFontInfo(50).iSize, 18);
    EXPECT_EQ(pm.GetFontInfo(11).iSize, 28);
    // The 100 ms timer sizes the window at its DPI.
    EXPECT_TRUE(testsupport::SpinUntil([&] { return !window->HasTimer(kTimerApplyDpi); }));
    EXPECT_EQ(window->size(),
              QSize(window->GetPaintManager().Scale(1000), window->GetPaintManager().Scale(640)));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWndTest, GamingDeviceBringsTheWindowForward) {
    DebugLines debug;
    Make(NoDiscovery());
    mouse.hidden = keyboard.hidden = 1;
    platform::Send(Hwnd(), Registered().gamingDevice, 0, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Find("No_device_Link")->IsVisible());
    EXPECT_EQ(mouse.hidden, 0);
    EXPECT_EQ(keyboard.hidden, 0);
    EXPECT_EQ(headset.hidden, -1);  // only mice and keyboards
    EXPECT_TRUE(debug.Has(QStringLiteral("软件标示 %1，0d1d").arg(Registered().gamingDevice)));
}

TEST_F(MainWndTest, LightControlMessageSwitchesTheFlagOnlyForWParam1) {
    Make(NoDiscovery());
    const auto ebf17 = Registered().ebf17;
    platform::Send(Hwnd(), ebf17, 2, 0);
    EXPECT_EQ(window->LightControlFlag(), 1);
    EXPECT_EQ(mouse.enabled, -1);
    platform::Send(Hwnd(), ebf17, 1, 0);
    EXPECT_EQ(window->LightControlFlag(), 0);
    EXPECT_EQ(Find("control_light_status")->GetTextId(), QStringLiteral("不控制灯光"));
    EXPECT_EQ(mouse.enabled, 0);
    EXPECT_EQ(keyboard.enabled, 0);
    EXPECT_EQ(headset.enabled, -1);
    platform::Send(Hwnd(), ebf17, 1, 7);  // not a flag value
    EXPECT_EQ(window->LightControlFlag(), 0);
    platform::Send(Hwnd(), ebf17, 1, 1);
    EXPECT_EQ(window->LightControlFlag(), 1);
    EXPECT_EQ(Find("control_light_status")->GetTextId(), QStringLiteral("控制灯光"));
    EXPECT_EQ(mouse.enabled, 1);
}

TEST_F(MainWndTest, ClickingTheLightSwitchTogglesIt) {
    Make(NoDiscovery());
    ui::CControlUI* sw = Find("control_light_status");
    ui::TNotifyUI click = Click(sw);
    window->Notify(click);
    EXPECT_EQ(window->LightControlFlag(), 0);
    EXPECT_EQ(sw->GetTextId(), QStringLiteral("不控制灯光"));
    EXPECT_EQ(mouse.enabled, 0);
    window->Notify(click);
    EXPECT_EQ(window->LightControlFlag(), 1);
    EXPECT_EQ(sw->GetTextId(), QStringLiteral("控制灯光"));
    EXPECT_EQ(mouse.enabled, 1);
}

TEST_F(MainWndTest, SuspendedWindowIgnoresTimersGameEventsTrayAndCopyData) {
    Make(NoDiscovery());
    platform::Send(Hwnd(), Registered().ebf17, 1, 0);  // light control off
    window->Power()->Inject(true);
    EXPECT_EQ(window->PowerFlag(), 0);
    EXPECT_EQ(mouse.enabled, 0);

    platform::Send(Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_FALSE(window->isVisible());
    platform::Send(Hwnd(), Registered().game[0], 1, 3);
    EXPECT_FALSE(window->HasTimer(kTimerGameRestore));
    EXPECT_FALSE(window->DeliverCopyData(2, QByteArray(8, 1)));
    // The start-up timer keeps firing unhandled while suspended.
    QTest::qWait(300);
    EXPECT_TRUE(window->HasTimer(kTimerApplyDpi));
    // The light-control message is still looked at.
    platform::Send(Hwnd(), Registered().ebf17, 1, 1);
    EXPECT_EQ(window->LightControlFlag(), 1);

    window->Power()->Inject(false);
    EXPECT_EQ(window->PowerFlag(), 1);
    EXPECT_EQ(mouse.enabled, 1);  // the flag is honoured on resume
    EXPECT_TRUE(testsupport::SpinUntil([&] { return !window->HasTimer(kTimerApplyDpi); }));
    platform::Send(Hwnd(), Registered().game[3], 0, 2);
    EXPECT_TRUE(window->HasTimer(kTimerGameRestore));
    EXPECT_TRUE(window->DeliverCopyData(2, QByteArray(8, 1)));
}

TEST_F(MainWndTest, ResumeWithLightControlOffKeepsDevicesDisabled) {
    Make(NoDiscovery());
    platform::Send(Hwnd(), Registered().ebf17, 1, 0);
    window->Power()->Inject(true);
    mouse.enabled = -1;
    window->Power()->Inject(false);
    EXPECT_EQ(mouse.enabled, 0);
}

TEST_F(MainWndTest, CopyDataLargerThanItsBufferIsRefused) {
    Make(NoDiscovery());
    QByteArray peaks(156, 0);
    peaks[0] = 7;
    EXPECT_TRUE(window->DeliverCopyData(2, peaks));
    EXPECT_EQ(window->Buffers().PeakValue(0), 7);
    QByteArray tooLong(157, 9);
    EXPECT_FALSE(window->DeliverCopyData(2, tooLong));
    EXPECT_EQ(window->Buffers().PeakValue(0), 7);
    EXPECT_TRUE(window->DeliverCopyData(1, QByteArray(4280, 3)));
    EXPECT_FALSE(window->DeliverCopyData(1, QByteArray(4281, 4)));
    EXPECT_EQ(window->Buffers().LevelFrame()[4279], 3);
    EXPECT_FALSE(window->DeliverCopyData(1, QByteArray()));
    EXPECT_FALSE(window->DeliverCopyData(3, QByteArray(4, 1)));
}

TEST_F(MainWndTest, TrayLeftClickTogglesHiddenAndShown) {
    Make(NoDiscovery());
    ASSERT_FALSE(window->isVisible());
    platform::Send(Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(mouse.hidden, 0);
    platform::Send(Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(mouse.hidden, 1);
    EXPECT_EQ(keyboard.hidden, 1);
    // A minimised window is shown and restored.
    window->showMinimized();
    platform::Send(Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(MainWndTest, CloseAndOkButtonsHideTheWindow) {
    Make(NoDiscovery());
    struct Case {
        const char* button;
        int devicesHidden;  // the close button marks the devices hidden
    } cases[] = {{"closebtn", 1}, {"nodevice_ok_btn", 0}};
    for (const Case& c : cases) {
        platform::Send(Hwnd(), Registered().gamingDevice, 0, 0);
        ASSERT_TRUE(window->isVisible());
        ui::TNotifyUI click = Click(Find(c.button));
        window->Notify(click);
        EXPECT_FALSE(window->isVisible()) << c.button;
        EXPECT_FALSE(window->Destroyed());
        EXPECT_EQ(mouse.hidden, c.devicesHidden) << c.button;
    }
}

namespace {
// A secondary window that records when it is told to close.
class RecordingWindow : public ui::CWindowWnd {
public:
    explicit RecordingWindow(QStringList* log) : log_(log) {}
    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM w, ui::LPARAM l) override {
        if (msg == ui::WM_CLOSE)
            *log_ << QStringLiteral("secondary closed");
        return ui::CWindowWnd::HandleMessage(msg, w, l);
    }

private:
    QStringList* log_;
};
}  // namespace

TEST_F(MainWndTest, MenuExitClosesSecondaryWindowsFirstThenEndsTheWindow) {
    QStringList order;
    platform::SetDebugSink([&](const QString& l) {
        if (l == QStringLiteral("退出测试"))
            order << l;
    });
    CMainWnd::Options o = NoDiscovery();
    o.quit = [&] { order << QStringLiteral("quit"); };
    Make(o);
    RecordingWindow about(&order);
    about.Create(window.get(), QStringLiteral("About"), ui::UI_WNDSTYLE_DIALOG);
    about.ShowWindow(true, false);
    window->SetSecondaryWindow(SecondaryWindow::About, &about);

    platform::Post(Hwnd(), WM_MENU_COMMAND, StoreMenuRecord(QStringLiteral("exit")), 0);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return order.contains(QStringLiteral("quit")); }));
    platform::SetDebugSink({});
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(order[0], QStringLiteral("secondary closed"));
    EXPECT_EQ(order[1], QStringLiteral("退出测试"));
    EXPECT_EQ(order[2], QStringLiteral("quit"));
    EXPECT_TRUE(window->Destroyed());
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(PendingMenuRecords(), 0);
}

TEST_F(MainWndTest, TrayRightClickOpensTheMenuAndItsExitItemEndsTheProgram) {
    Make(NoDiscovery());
    platform::Send(Hwnd(), WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
    EXPECT_TRUE(window->HasTimer(kTimerTrayMenu));
    ASSERT_TRUE(testsupport::SpinUntil(
        [&] { return window->TrayMenu() && window->TrayMenu()->isVisible(); }));
    ui::CMenuWnd* menu = window->TrayMenu();
    for (const char* item : {"about_menu", "setwnd_menu", "exit"})
        EXPECT_NE(menu->FindControl(QString::fromLatin1(item)), nullptr) << item;
    ui::TNotifyUI click = Click(menu->FindControl(QStringLiteral("exit")));
    menu->Notify(click);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return window->Destroyed(); }));
    EXPECT_TRUE(testsupport::SpinUntil([&] { return quits == 1; }));
}

TEST_F(MainWndTest, ShutdownStopsTheDiscoveryWorkerPromptly) {
    sim::ScopedBus bus(sim::CreateBus({sim::Model::Mouse}));
    Make();
    EXPECT_TRUE(window->Workers().IsRunning(kSlotDiscovery));
    EXPECT_EQ(window->Workers().RunningCount(), 1);
    QElapsedTimer t;
    t.start();
    window->DestroyWindow();
    // A hang guard, not a speed target: every slot has 1 s at most.
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(window->Workers().RunningCount(), 0);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return quits == 1; }));
    // Messages after the end are refused.
    EXPECT_FALSE(platform::Post(Hwnd(), WM_TRAY_NOTIFY, 0, WM_LBUTTONUP));
}

TEST_F(MainWndTest, WindowStaysHiddenUntilTheFirstDiscoveryPass) {
    sim::ScopedBus bus(sim::CreateBus({sim::Model::Mouse}));
    std::atomic<int> visibleAtAnnouncement{-1};
    std::atomic<bool> sawArrival{false};
    platform::SetDebugSink([&](const QString& l) {
        // Lines of the window are written on the UI thread.
        if (l.startsWith(QStringLiteral("软件标示 ")) && visibleAtAnnouncement < 0)
            visibleAtAnnouncement = window && window->isVisible() ? 1 : 0;
        if (l.startsWith(QStringLiteral("device arrived")))
            sawArrival = true;
    });
    Make();
    EXPECT_TRUE(testsupport::SpinUntil([&] { return window->isVisible(); },
                                       std::chrono::milliseconds(5000)));
    platform::SetDebugSink({});
    EXPECT_EQ(visibleAtAnnouncement.load(), 0);
    EXPECT_TRUE(sawArrival.load());
}

TEST_F(MainWndTest, DisplayChangeReappliesTheWindowDpi) {
    DebugLines debug;
    CMainWnd::Options o = NoDiscovery();
    o.forcedDpi = 144;
    Make(o);
    platform::Send(Hwnd(), WM_DISPLAYCHANGE, 0, 0);
    EXPECT_TRUE(debug.Has(QStringLiteral("显示器分辨率发生变化")));
    EXPECT_EQ(window->WindowDpi(), 144);
    EXPECT_EQ(window->size(), QSize(1500, 960));
    EXPECT_FALSE(window->isVisible());
    // A DPI change message renders the skin at its value.
    platform::Send(Hwnd(), ui::WM_DPICHANGED, 96, 0);
    EXPECT_EQ(window->GetPaintManager().GetDPI(), 96);
    EXPECT_TRUE(debug.Has(QStringLiteral("界面 DPI 发生变化")));
}

TEST_F(MainWndTest, LanguageChangeMessageSwitchesTheTexts) {
    Make(NoDiscovery());
    const int en = FindLanguageIndex(QStringLiteral("en_US"));
    const int zh = FindLanguageIndex(QStringLiteral("zh_CN"));
    ASSERT_GE(en, 0);
    ASSERT_GE(zh, 0);
    platform::Send(Hwnd(), WM_LANGUAGE_CHANGED, en, 0);
    EXPECT_EQ(window->LanguageIndex(), en);
    EXPECT_EQ(Find("nodevice_ok_btn")->GetText(), QStringLiteral("OK"));
    EXPECT_EQ(Find("control_light_status")->GetText(), QStringLiteral("Lighting on"));
    platform::Send(Hwnd(), WM_LANGUAGE_CHANGED, zh, 0);
    EXPECT_EQ(Find("nodevice_ok_btn")->GetText(), QStringLiteral("确定"));
    // An index without an entry changes nothing.
    platform::Send(Hwnd(), WM_LANGUAGE_CHANGED, 99, 0);
    EXPECT_EQ(window->LanguageIndex(), zh);
}

TEST_F(MainWndTest, ActivationAndHoverDriveThePreviewFlag) {
    DebugLines debug;
    Make(NoDiscovery());
    struct Step {
        std::uint32_t msg;
        ui::WPARAM wParam;
        int preview;
    } steps[] = {
        {WM_ACTIVATE, 1, 1},   {WM_MOUSELEAVE, 0, 1},  // active: hover changes nothing
        {WM_ACTIVATE, 0, 0},   {WM_MOUSEHOVER, 0, 1},  // inactive: hover previews
        {WM_MOUSELEAVE, 0, 0},
    };
    for (const Step& s : steps) {
        platform::Send(Hwnd(), s.msg, s.wParam, 0);
        EXPECT_EQ(window->PreviewFlag(), s.preview) << s.msg;
        EXPECT_EQ(mouse.preview, s.preview) << s.msg;
    }
    EXPECT_TRUE(debug.Has(QStringLiteral("鼠标移入")));
    EXPECT_TRUE(debug.Has(QStringLiteral("鼠标移出")));
    // Still looked at while suspended.
    window->Power()->Inject(true);
    platform::Send(Hwnd(), WM_MOUSEHOVER, 0, 0);
    EXPECT_EQ(window->PreviewFlag(), 1);
}

TEST_F(MainWndTest, SkinChoiceSetsTheRootBackground) {
    Make(NoDiscovery());
    ui::CControlUI* root = Find("root");
    ASSERT_NE(root, nullptr);
    window->ApplySkinBackground(false, 0, QStringLiteral("common/background.png"));
    EXPECT_EQ(root->GetBkColor(), 0u);
    EXPECT_EQ(root->GetBkImage(), QStringLiteral("common/background.png"));
    window->ApplySkinBackground(true, 0xFF203040, QStringLiteral("ignored.png"));
    EXPECT_EQ(root->GetBkColor(), 0xFF203040u);
    EXPECT_TRUE(root->GetBkImage().isEmpty());
}

TEST_F(MainWndTest, PrivateMessagesOfTheCatalogue) {
    DebugLines debug;
    Make(NoDiscovery());
    platform::Send(Hwnd(), WM_SHOW_SETTING_PROGRESS, 0, 0);
    EXPECT_TRUE(Find("setting_progress")->IsVisible());
    Find("setbtn")->SetForeImage(QStringLiteral("main/ic_settings.png"));
    platform::Send(Hwnd(), WM_CLEAR_UPDATE_MARK, 0, 0);
    EXPECT_TRUE(Find("setbtn")->GetForeImage().isEmpty());
    platform::Send(Hwnd(), WM_FIRMWARE_OUTDATED, 0x50C2, 261);
    EXPECT_EQ(window->FirmwareCurrentFlag(), 1);
    platform::Send(Hwnd(), WM_DPI_NOTE, 0, 0);
    EXPECT_TRUE(debug.Has(QStringLiteral("界面 DPI 1发生变化")));
    // A menu record nobody knows and an unknown item change nothing.
    platform::Send(Hwnd(), WM_MENU_COMMAND, 123456789, 0);
    platform::Send(Hwnd(), WM_MENU_COMMAND, StoreMenuRecord(QStringLiteral("no_such_item")), 0);
    EXPECT_FALSE(window->Destroyed());
    EXPECT_EQ(PendingMenuRecords(), 0);
    // While suspended the private messages wait.
    Find("setting_progress")->SetVisible(false);
    window->Power()->Inject(true);
    platform::Send(Hwnd(), WM_SHOW_SETTING_PROGRESS, 0, 0);
    EXPECT_FALSE(Find("setting_progress")->IsVisible());
}
