// Helpers shared by the profile tests: a temporary folder and small file
// utilities.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace profiletest {

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// The DefaultData templates in the source tree.
inline QString TemplateFolder() {
    return QStringLiteral(NUVARO_SOURCE_DIR "/resources/DefaultData/");
}

// A fresh temporary folder path ending with "/".
struct TempFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
};

}  // namespace profiletest
