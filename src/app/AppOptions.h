// The program's own command-line options. Everything else on the command
// line is ignored, as desktop launchers add arguments of their own.
#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct AppOptions {
    bool help = false;
    bool simulate = false;
    bool simulateOnly = false;  // virtual devices instead of real ones
    QString simulateModels;     // empty: the default set
    QString screenshotFile;     // non-empty: render the window there and exit
    int forcedDpi = 0;          // 0: chosen from the work area
    QString language;           // empty: the stored choice
    QString error;              // set when one of our options is malformed
};

// `arguments` without the program name.
AppOptions ParseOptions(const QStringList& arguments);
QString HelpText();

}  // namespace app
