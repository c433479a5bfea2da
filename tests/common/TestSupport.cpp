#include "TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace testsupport {

bool SpinUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeout.count())
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

QString FixturePath(const QString& relative) {
    return QStringLiteral(NUVARO_SOURCE_DIR "/tests/fixtures/") + relative;
}

}  // namespace testsupport
