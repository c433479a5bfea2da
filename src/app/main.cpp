// nuvaro-zr7: the configuration program.
#include "app/Application.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Our options first: --help and option errors need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    app::Application::Config config;
    config.options = app::ParseOptions(arguments);
    if (config.options.help) {
        std::fputs(qPrintable(app::HelpText()), stdout);
        return 0;
    }
    if (!config.options.error.isEmpty()) {
        std::fprintf(stderr, "nuvaro-zr7: %s\n%s", qPrintable(config.options.error),
                     qPrintable(app::HelpText()));
        return 2;
    }
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nuvaro-zr7"));
    QApplication::setQuitOnLastWindowClosed(false);
    app::Application program(std::move(config));
    return program.Run();
}
