#include "platform/SingleInstance.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QUuid>
#include <csignal>

namespace {

QString ProbePath() { return QCoreApplication::applicationDirPath() + "/nuvaro-instance-probe"; }

QString UniqueKey() {
    return "zr7-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
}

bool WaitForOutput(QProcess& process, const QByteArray& text, int ms = 3000) {
    QByteArray seen;
    return testsupport::SpinUntil(
        [&] {
            seen += process.readAllStandardOutput();
            return seen.contains(text);
        },
        std::chrono::milliseconds(ms));
}

bool WaitForExit(QProcess& process, int ms) {
    return testsupport::SpinUntil([&] { return process.state() == QProcess::NotRunning; },
                                  std::chrono::milliseconds(ms));
}

}  // namespace

TEST(SingleInstance, SecondProcessExitsAtOnceAndTheFirstComesForward) {
    const QString key = UniqueKey();
    QProcess first;
    first.start(ProbePath(), {key});
    ASSERT_TRUE(WaitForOutput(first, "primary"));

    QProcess second;
    QElapsedTimer timer;
    timer.start();
    second.start(ProbePath(), {key});
    ASSERT_TRUE(WaitForExit(second, 3000));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().contains("secondary"));

    EXPECT_TRUE(WaitForOutput(first, "activated"));
    ASSERT_TRUE(WaitForExit(first, 3000));
}

TEST(SingleInstance, AStaleLockAfterACrashDoesNotBlockTheNextStart) {
    const QString key = UniqueKey();
    QProcess crashed;
    crashed.start(ProbePath(), {key});
    ASSERT_TRUE(WaitForOutput(crashed, "primary"));
    ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
    ASSERT_TRUE(WaitForExit(crashed, 3000));

    platform::SingleInstance instance(key);
    EXPECT_TRUE(instance.TryBecomePrimary());
}

TEST(SingleInstance, InProcessRequestReachesThePrimary) {
    const QString key = UniqueKey();
    platform::SingleInstance primary(key);
    ASSERT_TRUE(primary.TryBecomePrimary());
    int requests = 0;
    QObject::connect(&primary, &platform::SingleInstance::activationRequested,
                     [&](const QString& request) {
                         EXPECT_EQ(request, "Gaming device");
                         ++requests;
                     });
    QProcess second;
    second.start(ProbePath(), {key});
    ASSERT_TRUE(WaitForExit(second, 3000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(testsupport::SpinUntil([&] { return requests == 1; }));
}
