// The list of a device's profiles, "ProfileList.ini" in the device's user
// folder (a JSON document despite its name), and the profile files it
// names. This is the model behind the profile panel: the panel mirrors
// Names() into its combo and calls these operations. Every change re-reads
// the list file first, so the file and not memory is the reference.
#pragma once

#include <json/json.h>

#include <QString>
#include <utility>
#include <vector>

namespace profiles {

class ProfileList {
public:
    static constexpr int kMaxProfiles = 50;  // limit of AddProfile
    static constexpr char kListFileName[] = "ProfileList.ini";

    // Results of RenameProfile; kRenameFailed when the list could not be
    // written (nothing changed).
    enum RenameResult {
        kRenameFailed = -1,
        kRenameNameInUse = 0,
        kRenameDone = 1,
        kRenameBlank = 2,
        kRenameAmpersand = 3
    };

    void SetDeviceType(int type) { m_deviceType = type; }
    int GetDeviceType() const { return m_deviceType; }
    // userFolder ends with "/"; defaultProfilePath is the device's template.
    void SetProfileFolders(const QString& userFolder, const QString& defaultProfilePath);
    QString GetUserFolder() const { return m_userFolder; }
    QString ListFilePath() const;

    // Reads the list (making a one-profile list "Profile1" when it is
    // missing, unusable or empty) and selects "profileselect".
    bool InitProfileList();
    // Selects a profile and records it in the list file.
    bool SelectProfile(int index);
    // "profile%d"; refused at kMaxProfiles. The selection is not changed.
    bool AddProfile();
    // "<name> copy" of the selected profile; no count limit.
    bool CopyProfile();
    // A profile from a file that parses and has "profilename" and
    // "profileUUID"; named after the file, with "(%d)" suffixes on clashes.
    bool ImportProfile(const QString& path);
    // Writes the selected profile's document to path.
    bool ExportProfile(const QString& path) const;
    // The selected profile back to the template, keeping name and UUID (a
    // headset also keeps its custom equaliser presets).
    bool ResetProfile();
    // Removes the selected profile and its file; never the last one.
    bool DeleteProfile();
    // Renames the selected profile; see RenameResult.
    int RenameProfile(const QString& name);

    // The current selection, -1 for none.
    int GetSelectedProfile() const { return m_selected; }
    QString GetSelectedName() const;
    QString GetCurrentProfileUUID() const { return m_currentUuid; }
    // Path of the selected profile's file ("" when none).
    QString GetCurrentProfilePath() const;
    // Count and paths from a fresh read of the list file.
    int GetProfileCount() const;
    QString GetProfilePathAt(int index) const;

    // The names shown in the combo, in list order.
    const std::vector<QString>& Names() const { return m_names; }

    // The profile file of a UUID; empty for a UUID that is not a plain
    // file name (so a damaged list can never point outside the folder).
    QString ProfilePathFor(const QString& uuid) const;
    static bool IsSafeUuid(const QString& uuid);

    // Function tabs whose visibility the device type changes: name and
    // visible flag.
    static std::vector<std::pair<QString, bool>> TabVisibility(int deviceType);

private:
    struct Entry {
        QString name;
        QString uuid;
    };
    Json::Value ReadList() const;
    bool WriteList(const Json::Value& list) const;
    static Json::Value MakeEntry(const QString& name, const QString& uuid);
    QString NewUuid() const;
    int FindName(const QString& name, int except = -1) const;
    bool WriteNewProfileFile(Json::Value document, const QString& name, const QString& uuid) const;
    bool AppendProfile(const QString& name, Json::Value document, bool select);

    int m_deviceType = 0;
    QString m_userFolder;
    QString m_defaultProfilePath;
    int m_selected = -1;
    QString m_currentUuid;
    std::vector<QString> m_names;
    std::vector<QString> m_uuids;  // parallel to m_names
};

}  // namespace profiles
