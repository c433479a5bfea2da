// The program's persistent settings (what a registry key holds elsewhere):
// one ini file in the user's configuration folder.
#pragma once

#include <QString>
#include <QVariant>

namespace platform {

// Reads a value; `fallback` when it is absent.
QVariant ReadSetting(const QString& key, const QVariant& fallback = {});
// Writes a value and flushes it to disk; false when the file cannot be written.
bool WriteSetting(const QString& key, const QVariant& value);
// Path of the ini file.
QString SettingsFilePath();

}  // namespace platform
