// Per-user files that start as copies of the "DefaultData" templates.
#pragma once

#include <QString>

namespace profiles {

// Makes sure folder + fileName holds a parsable JSON file: when it is
// missing or unparsable the template DefaultData/<fileName> (or
// templateFolder + fileName) is copied over it byte for byte; an
// unparsable user file is kept as a ".broken" copy first. Returns true when
// the user file is usable afterwards.
bool EnsureUserFile(const QString& folder, const QString& fileName,
                    const QString& templateFolder = QString());

// The device's template profile: DefaultData/<device folder name>.Json.
QString DefaultProfilePath(const QString& deviceFolderName);

}  // namespace profiles
