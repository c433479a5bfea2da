// The main window on the session bus: other programs' messages and queries.
#include "MainWndFixture.h"

#include "app/ModelTable.h"
#include "platform/Bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QtEndian>

using namespace app;

namespace {
QString UniqueServiceName() {
    return QStringLiteral("org.nuvaro.Zr7.Test%1").arg(QCoreApplication::applicationPid());
}

// dbus-send, as another program would use it; true when it exited 0.
bool DbusSend(const QString& service, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("dbus-send"),
            QStringList{QStringLiteral("--session"), QStringLiteral("--print-reply"),
                        QStringLiteral("--dest=") + service, platform::Bus::ObjectPath()} +
                args);
    // The service answers from this thread: keep its event loop running.
    if (!testsupport::SpinUntil([&] { return p.state() == QProcess::NotRunning; },
                                std::chrono::milliseconds(5000)))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A stand-in for the service tool that asks for the model block.
class WorkTool : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.nuvaro.WorkTool")
public:
    quint32 kind = 0;
    QByteArray block;
public slots:
    bool CopyData(uint k, const QByteArray& data) {
        kind = k;
        block = data;
        return true;
    }
};
// Records the program's Broadcast signals.
class BroadcastListener : public QObject {
    Q_OBJECT
public:
    QStringList seen;
public slots:
    void Broadcast(const QString& name, uint wParam, qlonglong lParam) {
        seen << QStringLiteral("%1 %2 %3").arg(name).arg(wParam).arg(lParam);
    }
};
}  // namespace

class MainWndBusTest : public MainWndTest {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        bus = std::make_unique<platform::Bus>();
        bus->SetModelQuery([] { return BuildModelQueryBlock(); });
        ASSERT_TRUE(bus->Start(UniqueServiceName()));
        CMainWnd::Options o = NoDiscovery();
        o.bus = bus.get();
        Make(o);
    }
    void TearDown() override {
        MainWndTest::TearDown();
        if (bus)
            bus->Stop();
    }
    std::unique_ptr<platform::Bus> bus;
};

TEST_F(MainWndBusTest, DbusSendOfTheLightControlMessage) {
    const QString name = QString::fromLatin1(kMsgEBF17);
    ASSERT_TRUE(DbusSend(UniqueServiceName(),
                         {QStringLiteral("org.nuvaro.Zr7.PostMessage"), "string:" + name,
                          QStringLiteral("uint32:1"), QStringLiteral("int64:0")}));
    EXPECT_TRUE(testsupport::SpinUntil([&] { return window->LightControlFlag() == 0; }));
    EXPECT_EQ(Find("control_light_status")->GetTextId(), QStringLiteral("不控制灯光"));
    EXPECT_EQ(mouse.enabled, 0);

    ASSERT_TRUE(DbusSend(UniqueServiceName(),
                         {QStringLiteral("org.nuvaro.Zr7.PostMessage"), "string:" + name,
                          QStringLiteral("uint32:2"), QStringLiteral("int64:1")}));
    // wParam 2: nothing changes, also after the message was handled.
    testsupport::SpinUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(window->LightControlFlag(), 0);
    EXPECT_EQ(Find("control_light_status")->GetTextId(), QStringLiteral("不控制灯光"));
}

TEST_F(MainWndBusTest, GameEventFromAnotherProgramStartsTheRestoreTimer) {
    ASSERT_TRUE(
        DbusSend(UniqueServiceName(),
                 {QStringLiteral("org.nuvaro.Zr7.PostMessage"), QStringLiteral("string:Game_Kill"),
                  QStringLiteral("uint32:0"), QStringLiteral("int64:5")}));
    EXPECT_TRUE(testsupport::SpinUntil([&] { return window->HasTimer(kTimerGameRestore); }));
}

TEST_F(MainWndBusTest, ModelQueryAnswersTheBlock) {
    QDBusInterface iface(UniqueServiceName(), platform::Bus::ObjectPath(),
                         platform::Bus::InterfaceName());
    QDBusReply<QByteArray> reply = iface.call(QStringLiteral("QueryModels"));
    ASSERT_TRUE(reply.isValid()) << reply.error().message().toStdString();
    const QByteArray block = reply.value();
    ASSERT_EQ(block.size(), 1024);
    auto value = [&](int i) { return qFromLittleEndian<std::uint32_t>(block.constData() + 4 * i); };
    EXPECT_EQ(value(0), 2u);
    EXPECT_EQ(value(1), 3u);
    EXPECT_EQ(value(2), 0u);
    EXPECT_EQ(value(3), 2u);
    EXPECT_EQ(value(4), 4u);
    for (std::size_t row = 0; row < kModelTable.size(); ++row) {
        EXPECT_EQ(value(5 + 3 * int(row)), kModelTable[row].vendorId);
        EXPECT_EQ(value(6 + 3 * int(row)), kModelTable[row].productId);
        EXPECT_EQ(value(7 + 3 * int(row)), std::uint32_t(kModelTable[row].deviceType));
    }
}

TEST_F(MainWndBusTest, ModelQueryMessageSendsTheBlockToTheWorkTool) {
    QDBusConnection tool =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("worktool"));
    WorkTool receiver;
    ASSERT_TRUE(tool.registerObject(QStringLiteral("/org/nuvaro/WorkTool"), &receiver,
                                    QDBusConnection::ExportAllSlots));
    if (!tool.registerService(QStringLiteral("org.nuvaro.WorkTool")))
        GTEST_SKIP() << "the tool's name is taken on this bus";
    platform::Post(Hwnd(), Registered().ebf18, 0, 0);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return !receiver.block.isEmpty(); }));
    EXPECT_EQ(receiver.kind, 5u);
    EXPECT_EQ(receiver.block, BuildModelQueryBlock());
    tool.unregisterService(QStringLiteral("org.nuvaro.WorkTool"));
    QDBusConnection::disconnectFromBus(QStringLiteral("worktool"));
}

TEST_F(MainWndBusTest, OversizeCopyDataOverTheBusIsRefused) {
    QDBusInterface iface(UniqueServiceName(), platform::Bus::ObjectPath(),
                         platform::Bus::InterfaceName());
    QDBusReply<bool> ok = iface.call(QStringLiteral("CopyData"), 2u, QByteArray(156, 1));
    ASSERT_TRUE(ok.isValid()) << ok.error().message().toStdString();
    EXPECT_TRUE(ok.value());
    QDBusReply<bool> refused = iface.call(QStringLiteral("CopyData"), 2u, QByteArray(157, 2));
    EXPECT_FALSE(refused.isValid() && refused.value());
    EXPECT_EQ(window->Buffers().Peaks()[0], 1);
}

TEST_F(MainWndBusTest, TogglingLightControlBroadcastsTheFlag) {
    BroadcastListener listener;
    ASSERT_TRUE(QDBusConnection::sessionBus().connect(
        QString(), platform::Bus::ObjectPath(), platform::Bus::InterfaceName(),
        QStringLiteral("Broadcast"), &listener, SLOT(Broadcast(QString, uint, qlonglong))));
    ui::TNotifyUI click;
    click.sType = QStringLiteral("click");
    click.pSender = Find("control_light_status");
    window->Notify(click);
    window->Notify(click);
    const QString name = QString::fromLatin1(kMsgEBF16);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return listener.seen.size() >= 2; }));
    EXPECT_EQ(listener.seen, (QStringList{name + " 1 0", name + " 1 1"}));
    QDBusConnection::sessionBus().disconnect(
        QString(), platform::Bus::ObjectPath(), platform::Bus::InterfaceName(),
        QStringLiteral("Broadcast"), &listener, SLOT(Broadcast(QString, uint, qlonglong)));
}

#include "MainWndBusTest.moc"
