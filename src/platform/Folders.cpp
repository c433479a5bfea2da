#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <mutex>

namespace platform {
namespace {

std::mutex& FolderMutex() {
    static std::mutex mutex;
    return mutex;
}

QString& OverriddenInstanceFolder() {
    static QString folder;
    return folder;
}

QString WithSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool HoldsResources(const QString& folder) {
    return QFileInfo::exists(folder + QStringLiteral("skin")) ||
           QFileInfo::exists(folder + QStringLiteral("DefaultData"));
}

QString DiscoverInstanceFolder() {
    const QString fromEnv = qEnvironmentVariable("NUVARO_INSTANCE_DIR");
    if (!fromEnv.isEmpty())
        return WithSlash(QDir::cleanPath(fromEnv));
    const QString exeDir =
        WithSlash(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                               : QDir::currentPath());
    if (HoldsResources(exeDir))
        return exeDir;
    const QString installed =
        WithSlash(QDir::cleanPath(exeDir + QStringLiteral("../share/nuvaro-zr7")));
    if (HoldsResources(installed))
        return installed;
    return exeDir;
}

}  // namespace

QString InstanceFolder() {
    std::lock_guard lock(FolderMutex());
    if (OverriddenInstanceFolder().isEmpty())
        OverriddenInstanceFolder() = DiscoverInstanceFolder();
    return OverriddenInstanceFolder();
}

void SetInstanceFolder(const QString& folder) {
    std::lock_guard lock(FolderMutex());
    OverriddenInstanceFolder() = folder.isEmpty() ? QString() : WithSlash(QDir::cleanPath(folder));
}

QString SkinFolder() { return InstanceFolder() + QStringLiteral("skin/"); }
QString FontFolder() { return InstanceFolder() + QStringLiteral("Font/"); }
QString GetDefaultDataFolder() { return InstanceFolder() + QStringLiteral("DefaultData/"); }
QString SdkFolder() { return InstanceFolder() + QStringLiteral("SDK/"); }

QString GetUserDataRoot() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString root = WithSlash(base) + QString::fromUtf8(kProductName) + QLatin1Char('/');
    if (!QDir().mkpath(root))
        return {};
    return root;
}

QString GetDeviceUserFolder(const QString& deviceFolderName) {
    const QString root = GetUserDataRoot();
    if (root.isEmpty() || deviceFolderName.isEmpty())
        return {};
    const QString folder = root + NormalizeRelativePath(deviceFolderName);
    if (!QDir().mkpath(folder))
        return {};
    return WithSlash(folder);
}

QString NormalizeRelativePath(const QString& relative) {
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString ResolvePath(const QString& folder, const QString& relative) {
    const QString path = NormalizeRelativePath(relative);
    if (QDir::isAbsolutePath(path))
        return path;
    return WithSlash(folder) + path;
}

}  // namespace platform
