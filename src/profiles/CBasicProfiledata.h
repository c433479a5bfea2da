// The profile record: the working profile's device section as a parsed JSON
// document, decoded on demand. Setters change the document in memory; the
// owner saves with Save(). A second slot holds another profile's section
// (macro deletion scans), a third the device's light-config document.
#pragma once

#include "profiles/ProfileRecords.h"

#include <json/json.h>

#include <QString>
#include <vector>

namespace profiles {

class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;

    // Writes the working section into the profile file. False when the
    // file could not be written (it then keeps its previous content) or
    // when there is no section (nothing loaded, nothing set).
    virtual bool Save();
    // Replaces "Device"[device index] of the file at path with the section
    // and writes the file back; other top-level keys survive.
    virtual bool StoreDeviceSection(const Json::Value& section, const QString& path);
    // Stores the other section into the file at path.
    virtual bool SaveOther(const QString& path);
    // Writes the document as the whole file.
    virtual bool WriteDocument(const Json::Value& document, const QString& path);

    // Paths. The profile and default setters ignore an empty argument.
    void SetProfileFile(const QString& path);
    QString GetProfileFile() const { return m_profileFile; }
    void SetDefaultProfileFile(const QString& path);
    QString GetDefaultProfileFile() const { return m_defaultProfileFile; }
    void SetLightConfigFile(const QString& path) { m_lightConfigFile = path; }
    QString GetLightConfigFile() const { return m_lightConfigFile; }
    // Devices pass 0; negative values are ignored.
    void SetDeviceIndex(int index);
    int GetDeviceIndex() const { return m_deviceIndex; }
    // Subtracted from SelectItem to find a custom effect in the light
    // config (0 unless a device numbers its custom effects after its
    // built-in ones).
    void SetLightEffectOffset(int offset) { m_lightEffectOffset = offset; }
    // The preset-set index of the device owning the record.
    void SetPresetSetIndex(int index) { m_presetSetIndex = index; }
    int GetPresetSetIndex() const { return m_presetSetIndex; }
    // True after a setter changed the working section since the last
    // load or successful save.
    bool IsDirty() const { return m_dirty; }
    void MarkClean() { m_dirty = false; }

    // Loads the profile file's section into the working document, repairing
    // the file from the default profile when it has none (an unusable file
    // is kept as ".broken" first). Returns a copy of the working section.
    Json::Value LoadProfileDocument(const QString& path);
    // The same into the other document.
    Json::Value LoadOtherProfileDocument(const QString& path);
    // Reads the light-config file (no fallback).
    Json::Value LoadLightConfig(const QString& path);

    const Json::Value& WorkingDocument() const { return m_working; }
    const Json::Value& OtherDocument() const { return m_other; }
    const Json::Value& LightConfigDocument() const { return m_lightConfig; }
    void SetWorkingDocument(const Json::Value& section) { m_working = section; }

    LightInfo GetLightInfo();
    void SetLightInfo(const LightInfo& info);
    const LightInfo& CurrentLightInfo() const { return m_lightInfo; }
    AudioLightInfo GetAudioLightInfo();
    void SetAudioLightInfo(const AudioLightInfo& info);

    const std::vector<LightListEntry>& GetLightList();
    const std::vector<LedEffectStep>& GetLightEffect();

    std::vector<KeyAssignmentEntry> GetKeyAssignments();
    void SetKeyAssignments(const std::vector<KeyAssignmentEntry>& list);
    std::vector<KeyAssignmentEntry> GetOtherKeyAssignments();
    void SetOtherKeyAssignments(const std::vector<KeyAssignmentEntry>& list);

protected:
    // The working section made into an object, for setters.
    Json::Value& Section();
    // A member of the working section, null when absent.
    const Json::Value& Field(const char* key) const;

    Json::Value m_working;
    Json::Value m_other;
    Json::Value m_lightConfig;

private:
    Json::Value LoadSection(const QString& path);
    static std::vector<KeyAssignmentEntry> DecodeKeyList(const Json::Value& section);
    static void EncodeKeyList(Json::Value& section, const std::vector<KeyAssignmentEntry>& list);

    QString m_profileFile;
    QString m_defaultProfileFile;
    QString m_lightConfigFile;
    int m_deviceIndex = 0;
    int m_lightEffectOffset = 0;
    int m_presetSetIndex = 0;
    bool m_dirty = false;

    LightInfo m_lightInfo;
    const LightInfo m_defaultLightInfo{};
    AudioLightInfo m_audioLightInfo;

    std::vector<LightListEntry> m_lightList;
    std::vector<LedEffectStep> m_lightEffect;
    std::vector<KeyAssignmentEntry> m_keyAssignments;
    std::vector<KeyAssignmentEntry> m_otherKeyAssignments;
};

}  // namespace profiles
