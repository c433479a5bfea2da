#include "platform/Settings.h"

#include "platform/Folders.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace platform {
QString SettingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1Char('/') + QString::fromUtf8(kProductName);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/settings.ini");
}

QVariant ReadSetting(const QString& key, const QVariant& fallback) {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    return settings.value(key, fallback);
}

bool WriteSetting(const QString& key, const QVariant& value) {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace platform
