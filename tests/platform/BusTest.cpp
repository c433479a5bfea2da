#include "platform/Bus.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>

namespace {

struct DbusSendResult {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs dbus-send while this process keeps serving its own bus object.
DbusSendResult DbusSend(const QStringList& arguments) {
    QProcess process;
    process.start("dbus-send", arguments);
    DbusSendResult result;
    if (!process.waitForStarted(2000))
        return result;
    testsupport::SpinUntil([&] { return process.state() == QProcess::NotRunning; },
                           std::chrono::milliseconds(5000));
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

class BusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no D-Bus session bus (run under dbus-run-session)";
        if (QStandardPaths::findExecutable("dbus-send").isEmpty())
            GTEST_SKIP() << "dbus-send not installed";
        service = QString("org.nuvaro.Zr7Test.p%1").arg(QCoreApplication::applicationPid());
        ASSERT_TRUE(bus.Start(service));
    }

    QStringList Call(const QString& method, const QStringList& args) {
        QStringList all{"--session", "--print-reply", "--dest=" + service,
                        platform::Bus::ObjectPath(), "org.nuvaro.Zr7." + method};
        return all + args;
    }

    platform::Bus bus;
    QString service;
};

}  // namespace

TEST_F(BusTest, PostMessageReachesTheWindowHandler) {
    std::uint32_t gotMessage = 0;
    platform::WParam gotW = 0;
    platform::LParam gotL = 0;
    platform::MessageWindow window([&](std::uint32_t m, platform::WParam w, platform::LParam l) {
        gotMessage = m;
        gotW = w;
        gotL = l;
        return platform::LResult{0};
    });
    const QString name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
    bus.SetTarget(window.Handle());
    bus.AcceptMessage(name);

    auto result = DbusSend(Call("PostMessage", {"string:" + name, "uint32:1", "int64:-5"}));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("boolean true")) << result.out.toStdString();
    ASSERT_TRUE(testsupport::SpinUntil([&] { return gotMessage != 0; }));
    EXPECT_EQ(gotMessage, platform::RegisterWindowMessage(name));
    EXPECT_EQ(gotW, 1u);
    EXPECT_EQ(gotL, -5);
}

TEST_F(BusTest, MalformedAndUnknownCallsGetErrors) {
    int calls = 0;
    platform::MessageWindow window([&](std::uint32_t, platform::WParam, platform::LParam) {
        ++calls;
        return platform::LResult{0};
    });
    bus.SetTarget(window.Handle());
    bus.AcceptMessage("Game_Start");

    // Wrong argument types.
    auto wrongTypes = DbusSend(Call("PostMessage", {"int32:7", "string:x", "boolean:true"}));
    EXPECT_NE(wrongTypes.exitCode, 0);
    EXPECT_FALSE(wrongTypes.err.isEmpty());
    // Missing arguments.
    auto missing = DbusSend(Call("PostMessage", {"string:Game_Start"}));
    EXPECT_NE(missing.exitCode, 0);
    // A name the program does not accept.
    auto unknown = DbusSend(Call("PostMessage", {"string:Nonsense", "uint32:0", "int64:0"}));
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_TRUE(unknown.err.contains("unknown message name")) << unknown.err.toStdString();
    // An unknown method.
    auto method = DbusSend(Call("Explode", {}));
    EXPECT_NE(method.exitCode, 0);

    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
    // The bus still works afterwards.
    auto good = DbusSend(Call("PostMessage", {"string:Game_Start", "uint32:0", "int64:3"}));
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_TRUE(testsupport::SpinUntil([&] { return calls == 1; }));
}

TEST_F(BusTest, QueryModelsAnswersWithTheProvidedBlock) {
    QByteArray block(1024, '\0');
    block[0] = 2;
    block[4] = 3;
    bus.SetModelQuery([&] { return block; });
    auto result = DbusSend(Call("QueryModels", {}));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("array of bytes")) << result.out.left(200).toStdString();
}

TEST_F(BusTest, CopyDataGoesThroughTheHandlerWhichMayRefuseIt) {
    QByteArray last;
    bus.SetCopyDataHandler([&](quint32 kind, const QByteArray& payload) {
        if (kind != 2 || payload.size() > 156)
            return false;
        last = payload;
        return true;
    });
    auto good = DbusSend(Call("CopyData", {"uint32:2", "array:byte:1,2,3"}));
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_EQ(last, QByteArray("\x01\x02\x03", 3));
    QStringList big;
    for (int i = 0; i < 157; ++i)
        big << "7";
    auto refused = DbusSend(Call("CopyData", {"uint32:2", "array:byte:" + big.join(',')}));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains("refused")) << refused.err.toStdString();
    EXPECT_EQ(last.size(), 3);
}
