// nuvaro-zr7: the configuration program.
#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nuvaro-zr7"));
    QApplication::setQuitOnLastWindowClosed(false);
    app::Application::Config config;
    config.options = app::ParseOptions(QApplication::arguments().mid(1));
    app::Application program(std::move(config));
    return program.Run();
}
