// Test helper: `nuvaro-instance-probe KEY`. As the first instance it prints
// "primary", then "activated" for each bring-forward request, and exits after
// the first one (or after 10 s). As a later instance it exits 0 at once.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    platform::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.TryBecomePrimary()) {
        std::puts("secondary");
        return 0;
    }
    std::puts("primary");
    std::fflush(stdout);
    QObject::connect(&instance, &platform::SingleInstance::activationRequested, &app, [&] {
        std::puts("activated");
        std::fflush(stdout);
        app.quit();
    });
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    return app.exec();
}
