// The program from start to end, in this process and as real processes.
#include "MainWndFixture.h"

#include "app/Application.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace app;

namespace {
Application::Config TestConfig(const QString& tag) {
    Application::Config c;
    c.instanceKey =
        QStringLiteral("nuvaro-zr7-test-%1-%2").arg(tag).arg(QCoreApplication::applicationPid());
    c.serviceName =
        QStringLiteral("org.nuvaro.Zr7.App%1%2").arg(tag).arg(QCoreApplication::applicationPid());
    c.watchPower = false;
    return c;
}

QString ProgramPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/nuvaro-zr7");
}

// An environment of its own for a real process: runtime, config and data
// folders in a temporary folder, offscreen, debug lines on.
QProcessEnvironment ProcessEnvironment(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"}) {
        const QString path = dir.path() + QLatin1Char('/') + QLatin1String(var);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(var), path);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NUVARO_DEBUG"), QStringLiteral("1"));
    return env;
}
}  // namespace

TEST(Application, StartsAndShutsDownInOrder) {
    Application program(TestConfig("order"));
    ASSERT_EQ(program.Start(), Application::StartResult::Running);
    CMainWnd* window = program.MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->SkinLoaded());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("NUVARO ZR7"));
    int runningAtQuit = -1;
    // Once shown by the first discovery pass, leave through the tray menu.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!window->isVisible())
            return;
        poll.stop();
        platform::Post(window->GetHWND(), WM_MENU_COMMAND, StoreMenuRecord(QStringLiteral("exit")),
                       0);
    });
    QObject scope;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &scope, [&] {
        if (program.MainWindow() && program.MainWindow()->Destroyed())
            runningAtQuit = program.MainWindow()->Workers().RunningCount();
    });
    poll.start(10);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::quit(); });
    guard.start(8000);
    EXPECT_EQ(program.Exec(), 0);
    EXPECT_TRUE(guard.isActive()) << "the program did not end by itself";
    EXPECT_EQ(runningAtQuit, 0);
    EXPECT_EQ(program.MainWindow(), nullptr);
    const QStringList expected = {"fonts",           "message",
                                  "single-instance", "resources",
                                  "guid-messages",   "bus",
                                  "window",          "loop",
                                  "window-deleted",  "resources-released",
                                  "bus-stopped",     "single-instance-closed",
                                  "fonts-unloaded"};
    EXPECT_EQ(program.Steps(), expected);
}

TEST(Application, SecondStartInTheSameSessionBringsTheFirstForward) {
    Application first(TestConfig("second"));
    ASSERT_EQ(first.Start(), Application::StartResult::Running);
    // Let the first window finish its start and hide.
    ASSERT_TRUE(testsupport::SpinUntil([&] { return first.MainWindow()->WindowInitDone(); }));
    first.MainWindow()->hide();
    Application::Config c = TestConfig("second");
    c.serviceName += QStringLiteral("b");
    Application second(c);
    EXPECT_EQ(second.Start(), Application::StartResult::SecondInstance);
    EXPECT_EQ(second.MainWindow(), nullptr);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return first.MainWindow()->isVisible(); }));
    first.Shutdown();
}

TEST(ApplicationProcess, SecondProcessExitsZeroAndTheFirstComesForward) {
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QProcessEnvironment env = ProcessEnvironment(dir);
    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(ProgramPath(), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    QByteArray out;
    auto waitFor = [&](const QByteArray& text) {
        return testsupport::SpinUntil(
            [&] {
                first.waitForReadyRead(20);
                out += first.readAll();
                return out.contains(text);
            },
            std::chrono::milliseconds(8000));
    };
    // Up and shown by its first discovery pass (lParam 0).
    ASSERT_TRUE(waitFor(QStringLiteral("0d0d").toUtf8())) << out.toStdString();

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(ProgramPath(), {QStringLiteral("--some-launcher-option")});
    ASSERT_TRUE(second.waitForFinished(8000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // The first one got the request of the second (lParam 1).
    EXPECT_TRUE(waitFor(QStringLiteral("0d1d").toUtf8())) << out.toStdString();
    first.terminate();
    first.waitForFinished(5000);
}

TEST(ApplicationProcess, ScreenshotsAtBothDpisInBothLanguages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString outDir =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    QDir().mkpath(outDir);
    struct Case {
        const char* dpi;
        const char* language;
        QSize size;
    } cases[] = {{"96", "en_US", {1000, 640}},
                 {"144", "en_US", {1500, 960}},
                 {"96", "zh_CN", {1000, 640}},
                 {"144", "zh_CN", {1500, 960}}};
    for (const Case& c : cases) {
        const QString file = QStringLiteral("%1/main-%2-%3.png").arg(outDir, c.language, c.dpi);
        QFile::remove(file);
        QProcess p;
        p.setProcessEnvironment(ProcessEnvironment(dir));
        p.start(ProgramPath(), {QStringLiteral("--screenshot"), file, QStringLiteral("--dpi"),
                                c.dpi, QStringLiteral("--language"), c.language});
        ASSERT_TRUE(p.waitForFinished(15000)) << file.toStdString();
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        QImage image(file);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        EXPECT_EQ(image.size(), c.size) << file.toStdString();
    }
}

TEST(ApplicationProcess, BadOwnOptionGivesAnErrorAndHelpExitsZero) {
    QProcess p;
    // No display needed for either.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(ProgramPath(), {QStringLiteral("--dpi=100")});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("--dpi"));
    p.start(ProgramPath(), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().contains("--simulate"));
}
