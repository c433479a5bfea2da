#include "profiles/UserFiles.h"

#include "platform/Folders.h"
#include "profiles/JsonFile.h"

#include <QFileInfo>

namespace profiles {

bool EnsureUserFile(const QString& folder, const QString& fileName, const QString& templateFolder) {
    if (folder.isEmpty() || fileName.isEmpty())
        return false;
    const QString path = folder + fileName;
    if (!readjsonFile(path).isNull())
        return true;
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0 && KeepBrokenCopy(path).isEmpty())
        return false;  // never replace what could not be kept
    const QString source =
        (templateFolder.isEmpty() ? platform::GetDefaultDataFolder() : templateFolder) + fileName;
    return CopyFileBytes(source, path) && !readjsonFile(path).isNull();
}

QString DefaultProfilePath(const QString& deviceFolderName) {
    return platform::GetDefaultDataFolder() + deviceFolderName + QStringLiteral(".Json");
}

}  // namespace profiles
