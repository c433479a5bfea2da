// Start-up benchmark: the time from the start of the program to its first
// shown main window (the window appears once the first device scan has
// run). Measured twice: in this process (start-up steps and window only)
// and as a real process started from here (including loading the program).
// Prints the figures of each run and their median; offscreen.
#include "app/Application.h"
#include "app/MainWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One in-process start: milliseconds until the window is visible.
double InProcessRun(int run) {
    app::Application::Config config;
    config.instanceKey =
        QStringLiteral("nuvaro-zr7-bench-%1-%2").arg(QCoreApplication::applicationPid()).arg(run);
    config.serviceName = QStringLiteral("org.nuvaro.Zr7.Bench%1x%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(run);
    config.watchPower = false;
    QElapsedTimer timer;
    timer.start();
    app::Application program(config);
    if (program.Start() != app::Application::StartResult::Running)
        return -1;
    while (!program.MainWindow()->isVisible() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = timer.nsecsElapsed() / 1e6;
    program.Shutdown();
    return program.MainWindow() == nullptr ? ms : -1;
}

// One real process: milliseconds until it reports its window shown.
double ProcessRun(const QString& program) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        const QString path = dir.path() + QLatin1Char('/') + QLatin1String(var);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(var), path);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NUVARO_DEBUG"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer timer;
    timer.start();
    p.start(program, {});
    QByteArray out;
    double ms = -1;
    // The window is shown when the first scan's "Gaming device" line appears.
    while (timer.elapsed() < 10000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(2);
        out += p.readAll();
        if (out.contains("0d0d")) {
            ms = timer.nsecsElapsed() / 1e6;
            break;
        }
    }
    p.terminate();
    p.waitForFinished(3000);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication qtApp(argc, argv);
    const int runs = 7;
    std::vector<double> inProcess, process;
    for (int i = 0; i < runs; ++i) {
        const double ms = InProcessRun(i);
        std::printf("in-process run %d: %.1f ms to the first shown window\n", i + 1, ms);
        if (ms >= 0)
            inProcess.push_back(ms);
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/nuvaro-zr7");
    for (int i = 0; i < runs; ++i) {
        const double ms = ProcessRun(program);
        std::printf("process run %d: %.1f ms to the first shown window\n", i + 1, ms);
        if (ms >= 0)
            process.push_back(ms);
    }
    std::printf("median in-process: %.1f ms (%zu runs)\n", Median(inProcess), inProcess.size());
    std::printf("median process:    %.1f ms (%zu runs; goal under 400 ms)\n", Median(process),
                process.size());
    return inProcess.empty() || process.empty() ? 1 : 0;
}
