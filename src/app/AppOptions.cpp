#include "app/AppOptions.h"

#include "app/WindowPlacement.h"

namespace app {

namespace {
// "--name=value" or "--name value"; true when `arg` is the option.
bool TakeValue(const QStringList& args, int& i, const QString& name, QString* value,
               bool* missing) {
    const QString& arg = args[i];
    if (arg.startsWith(name + QLatin1Char('='))) {
        *value = arg.mid(name.size() + 1);
        *missing = value->isEmpty();
        return true;
    }
    if (arg != name)
        return false;
    if (i + 1 < args.size() && !args[i + 1].startsWith(QStringLiteral("--"))) {
        *value = args[++i];
        *missing = false;
    } else {
        *missing = true;
    }
    return true;
}
}  // namespace

AppOptions ParseOptions(const QStringList& args) {
    AppOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString value;
        bool missing = false;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.help = true;
        } else if (arg == QLatin1String("--simulate") || arg == QLatin1String("--simulate-only")) {
            o.simulate = true;
            o.simulateOnly = arg.endsWith(QLatin1String("-only"));
        } else if (arg.startsWith(QLatin1String("--simulate=")) ||
                   arg.startsWith(QLatin1String("--simulate-only="))) {
            o.simulate = true;
            o.simulateOnly = arg.startsWith(QLatin1String("--simulate-only="));
            o.simulateModels = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
        } else if (TakeValue(args, i, QStringLiteral("--screenshot"), &value, &missing)) {
            if (missing)
                o.error =
                    QStringLiteral("--screenshot needs a file name, e.g. --screenshot main.png");
            o.screenshotFile = value;
        } else if (TakeValue(args, i, QStringLiteral("--dpi"), &value, &missing)) {
            bool ok = false;
            const int dpi = value.toInt(&ok);
            if (missing || !ok || !IsAcceptedDpi(dpi))
                o.error = QStringLiteral("--dpi takes one of 48, 72, 96, 120, 144, 168, 192");
            else
                o.forcedDpi = dpi;
        } else if (TakeValue(args, i, QStringLiteral("--language"), &value, &missing)) {
            if (missing)
                o.error = QStringLiteral("--language needs a language name, e.g. --language en_US");
            o.language = value;
        }
        // Anything else is not ours and is ignored.
    }
    return o;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: nuvaro-zr7 [options]\n"
        "Configuration program for the NUVARO ZR7 mouse, keyboard, mousepad and headset.\n"
        "\n"
        "Options:\n"
        "  --simulate[=MODELS]   add virtual devices beside the real ones; MODELS is a\n"
        "                        comma-separated list (mouse, mouse-receiver, keyboard,\n"
        "                        keyboard-receiver, mousepad, headset) or \"all\";\n"
        "                        without MODELS the default set (mouse, keyboard,\n"
        "                        mousepad, headset); \"auto\": the default set, but\n"
        "                        only when no supported device is attached\n"
        "  --simulate-only[=MODELS]  the same, instead of the real devices\n"
        "  --screenshot FILE.png render the main window after start-up into FILE.png\n"
        "                        and exit (works with QT_QPA_PLATFORM=offscreen)\n"
        "  --dpi N               use window DPI N (48, 72, 96, 120, 144, 168, 192)\n"
        "                        instead of choosing it from the screen size\n"
        "  --language NAME       show the interface in NAME (en_US, zh_CN) for\n"
        "                        this run, without changing the stored choice\n"
        "  -h, --help            show this text\n"
        "\n"
        "Other arguments are ignored. A second start brings the running window forward.\n");
}

}  // namespace app
