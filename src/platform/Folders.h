// The folders the program finds its resources in and keeps its data in.
// Every folder value ends with "/". Relative resource paths written with
// backslashes ("XML\\CustomControlXML\\X.xml") resolve with forward slashes.
#pragma once

#include <QString>

namespace platform {

// The product name; also the name of the user data folder.
inline constexpr char kProductName[] = "NUVARO ZR7";

// The instance folder: the executable's folder when it holds the run-time
// resources (the build tree), else <prefix>/share/nuvaro-zr7/. The
// environment variable NUVARO_INSTANCE_DIR overrides both.
QString InstanceFolder();
// Overrides the instance folder (tests); an empty path restores discovery.
void SetInstanceFolder(const QString& folder);

QString SkinFolder();             // instance folder + "skin/"
QString FontFolder();             // instance folder + "Font/"
QString GetDefaultDataFolder();   // instance folder + "DefaultData/"
QString SdkFolder();              // instance folder + "SDK/"
// The per-user local application-data folder + "NUVARO ZR7/", created when
// missing. Empty when it cannot be created.
QString GetUserDataRoot();
// User data root + device folder name + "/", both levels created when missing.
QString GetDeviceUserFolder(const QString& deviceFolderName);

// Turns a relative path with backslashes into one with forward slashes.
QString NormalizeRelativePath(const QString& relative);
// folder + NormalizeRelativePath(relative).
QString ResolvePath(const QString& folder, const QString& relative);

}  // namespace platform
