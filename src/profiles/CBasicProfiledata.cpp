#include "profiles/CBasicProfiledata.h"

#include "platform/Debug.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

#include <QDir>
#include <QFileInfo>

namespace profiles {

using json::Member;
using json::ToByte;
using json::ToFlag;

namespace {

// True when the file has content that a repair would throw away: it does
// not parse as an object, or its device section slot holds something that
// is not an object.
bool RepairWouldLoseData(const QString& path, const Json::Value& file, int index) {
    const QFileInfo info(path);
    if (!info.exists() || info.size() == 0)
        return false;
    if (!file.isObject())
        return true;
    const Json::Value& device = Member(file, "Device");
    if (device.isNull())
        return false;
    if (!device.isArray())
        return true;
    const Json::Value& section = json::Element(device, index);
    return !section.isNull() && !section.isObject();
}

}  // namespace

bool CBasicProfiledata::Save() {
    // Nothing loaded and nothing set: writing would only blank the section.
    if (m_working.isNull())
        return false;
    if (!StoreDeviceSection(Json::Value(m_working), m_profileFile))
        return false;
    m_dirty = false;
    return true;
}

bool CBasicProfiledata::StoreDeviceSection(const Json::Value& section, const QString& path) {
    if (path.isEmpty())
        return false;
    Json::Value file = readjsonFile(path);
    if (RepairWouldLoseData(path, file, m_deviceIndex) && KeepBrokenCopy(path).isEmpty())
        return false;
    json::MakeObject(file);
    Json::Value& device = json::MemberRef(file, "Device");
    json::MakeArray(device)[static_cast<Json::ArrayIndex>(m_deviceIndex)] = section;
    return WriteDocument(file, path);
}

bool CBasicProfiledata::SaveOther(const QString& path) {
    if (m_other.isNull())
        return false;
    return StoreDeviceSection(Json::Value(m_other), path);
}

bool CBasicProfiledata::WriteDocument(const Json::Value& document, const QString& path) {
    return WriteJsonFile(path, document) == 0;
}

void CBasicProfiledata::SetProfileFile(const QString& path) {
    if (!path.isEmpty())
        m_profileFile = path;
}

void CBasicProfiledata::SetDefaultProfileFile(const QString& path) {
    if (!path.isEmpty())
        m_defaultProfileFile = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    if (index >= 0 && index < 1024)
        m_deviceIndex = index;
}

Json::Value CBasicProfiledata::LoadSection(const QString& path) {
    const Json::Value file = readjsonFile(path);
    const Json::Value& section = json::Element(Member(file, "Device"), m_deviceIndex);
    if (section.isObject())
        return section;

    const Json::Value defaults = readjsonFile(m_defaultProfileFile);
    const Json::Value& defaultSection = json::Element(Member(defaults, "Device"), m_deviceIndex);
    if (!defaultSection.isObject()) {
        platform::DebugLine(QStringLiteral("no default device section in ") + m_defaultProfileFile);
        return Json::Value();
    }
    if (path.isEmpty())
        return defaultSection;
    // Never overwrite what cannot be kept: without a copy the repaired
    // section is used in memory only.
    if (RepairWouldLoseData(path, file, m_deviceIndex) && KeepBrokenCopy(path).isEmpty())
        return defaultSection;
    Json::Value repaired = file.isObject() ? file : Json::Value(Json::objectValue);
    Json::Value& device = json::MemberRef(repaired, "Device");
    json::MakeArray(device)[static_cast<Json::ArrayIndex>(m_deviceIndex)] = defaultSection;
    WriteDocument(repaired, path);
    return defaultSection;
}

Json::Value CBasicProfiledata::LoadProfileDocument(const QString& path) {
    m_working = LoadSection(path);
    m_dirty = false;
    return m_working;
}

Json::Value CBasicProfiledata::LoadOtherProfileDocument(const QString& path) {
    m_other = LoadSection(path);
    return m_other;
}

Json::Value CBasicProfiledata::LoadLightConfig(const QString& path) {
    m_lightConfig = readjsonFile(path);
    return m_lightConfig;
}

Json::Value& CBasicProfiledata::Section() {
    m_dirty = true;
    return json::MakeObject(m_working);
}

const Json::Value& CBasicProfiledata::Field(const char* key) const {
    return Member(m_working, key);
}

LightInfo CBasicProfiledata::GetLightInfo() {
    const Json::Value& v = Field("LightInfo");
    if (!v.isObject()) {
        m_lightInfo = m_defaultLightInfo;
        return m_lightInfo;
    }
    LightInfo info;
    info.SelectItem = ToByte(Member(v, "SelectItem"));
    info.Light = ToByte(Member(v, "Light"));
    info.Speed = ToByte(Member(v, "Speed"));
    info.Fx = ToByte(Member(v, "Fx"));
    info.MultiColor = ToFlag(Member(v, "MultiColor"));
    info.Red = ToByte(Member(v, "Red"));
    info.Green = ToByte(Member(v, "Green"));
    info.Blue = ToByte(Member(v, "Blue"));
    info.ZZCCLedMode = ToByte(Member(v, "ZZCCLedMode"));
    info.CustomGroup = ToByte(Member(v, "CustomGroup"));
    info.OldLedmode = ToByte(Member(v, "OldLedmode"));
    m_lightInfo = info;
    return info;
}

void CBasicProfiledata::SetLightInfo(const LightInfo& info) {
    m_lightInfo = info;
    Json::Value& v = json::MemberRef(Section(), "LightInfo");
    json::SetInt(v, "SelectItem", info.SelectItem);
    json::SetInt(v, "Light", info.Light);
    json::SetInt(v, "Speed", info.Speed);
    json::SetInt(v, "Fx", info.Fx);
    json::SetInt(v, "MultiColor", info.MultiColor);
    json::SetInt(v, "Red", info.Red);
    json::SetInt(v, "Green", info.Green);
    json::SetInt(v, "Blue", info.Blue);
    json::SetInt(v, "ZZCCLedMode", info.ZZCCLedMode);
    json::SetInt(v, "CustomGroup", info.CustomGroup);
    json::SetInt(v, "OldLedmode", info.OldLedmode);
}

AudioLightInfo CBasicProfiledata::GetAudioLightInfo() {
    const Json::Value& v = Field("AudioLightInfo");
    AudioLightInfo info;
    if (v.isObject()) {
        info.AudioMode = ToByte(Member(v, "AudioMode"));
        info.BkColorR = ToByte(Member(v, "BkColorR"));
        info.BkColorG = ToByte(Member(v, "BkColorG"));
        info.BkColorB = ToByte(Member(v, "BkColorB"));
        info.FgColorR = ToByte(Member(v, "FgColorR"));
        info.FgColorG = ToByte(Member(v, "FgColorG"));
        info.FgColorB = ToByte(Member(v, "FgColorB"));
        info.SevenColorFlags = ToFlag(Member(v, "7ColorFlags"));
        info.ColorTypeFlags = ToFlag(Member(v, "ColorTypeFlags"));
    }
    m_audioLightInfo = info;
    return info;
}

void CBasicProfiledata::SetAudioLightInfo(const AudioLightInfo& info) {
    m_audioLightInfo = info;
    Json::Value& v = json::MemberRef(Section(), "AudioLightInfo");
    json::SetInt(v, "AudioMode", info.AudioMode);
    json::SetInt(v, "BkColorR", info.BkColorR);
    json::SetInt(v, "BkColorG", info.BkColorG);
    json::SetInt(v, "BkColorB", info.BkColorB);
    json::SetInt(v, "FgColorR", info.FgColorR);
    json::SetInt(v, "FgColorG", info.FgColorG);
    json::SetInt(v, "FgColorB", info.FgColorB);
    json::SetInt(v, "7ColorFlags", info.SevenColorFlags);
    json::SetInt(v, "ColorTypeFlags", info.ColorTypeFlags);
}

const std::vector<LightListEntry>& CBasicProfiledata::GetLightList() {
    const Json::Value& list = Field("LightList");
    if (!list.isArray())
        return m_lightList;
    m_lightList.assign(list.size(), LightListEntry{});
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const Json::Value& e = list[i];
        if (!e.isObject())
            continue;
        LightListEntry& entry = m_lightList[i];
        entry.LEDREGMode = ToByte(Member(e, "LEDREGMode"));
        entry.LEDBrightness = ToByte(Member(e, "LEDBrightness"));
        entry.LEDSpeed = ToByte(Member(e, "LEDSpeed"));
        entry.LEDDirection = ToFlag(Member(e, "LEDDirection"));
        entry.LEDMultiColor = ToFlag(Member(e, "LEDMultiColor"));
        entry.red = ToByte(Member(e, "red"));
        entry.green = ToByte(Member(e, "green"));
        entry.blue = ToByte(Member(e, "blue"));
        entry.present = 1;
    }
    return m_lightList;
}

const std::vector<LedEffectStep>& CBasicProfiledata::GetLightEffect() {
    if (m_lightConfig.isNull())
        return m_lightEffect;
    const Json::Value& effects = json::Element(Member(m_lightConfig, "LightInfo"), m_deviceIndex);
    const Json::Value& entry =
        json::Element(effects, static_cast<int>(m_lightInfo.SelectItem) - m_lightEffectOffset);
    QString guid = json::ToText(Member(entry, "Guid"));
    m_lightEffect.clear();
    if (guid.isEmpty())
        return m_lightEffect;
    // A bare identifier names a file beside the light config.
    guid.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString path = guid + QStringLiteral(".light");
    if (QDir::isRelativePath(path) && !m_lightConfigFile.isEmpty())
        path = QFileInfo(m_lightConfigFile).absolutePath() + QLatin1Char('/') + path;
    const Json::Value effect = readjsonFile(path);
    const Json::Value& steps = Member(effect, "LEDEffectList");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(steps); ++i) {
        const Json::Value& s = steps[i];
        LedEffectStep step;
        step.LEDREGMode = ToByte(Member(s, "LEDREGMode"));
        step.LEDBrightness = ToByte(Member(s, "LEDBrightness"));
        step.LEDSpeed = ToByte(Member(s, "LEDSpeed"));
        step.LEDDirection = ToByte(Member(s, "LEDDirection"));
        step.LEDMultiColor = ToByte(Member(s, "LEDMultiColor"));
        step.red = ToByte(Member(s, "red"));
        step.green = ToByte(Member(s, "green"));
        step.blue = ToByte(Member(s, "blue"));
        step.Time = json::ToInt(Member(s, "Time"));
        step.Cyle = json::ToInt(Member(s, "Cyle"));
        m_lightEffect.push_back(step);
    }
    return m_lightEffect;
}

std::vector<KeyAssignmentEntry> CBasicProfiledata::DecodeKeyList(const Json::Value& section) {
    std::vector<KeyAssignmentEntry> list;
    const Json::Value& keys = Member(section, "KeyList");
    const Json::ArrayIndex count = json::ArraySize(keys);
    list.reserve(count);
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        KeyAssignmentEntry entry;
        entry.keyIndex = static_cast<std::uint16_t>(i);
        entry.defaultKeyIndex = static_cast<std::uint16_t>(i);
        entry.current = KeyAction::FromInt(json::ToInt(Member(keys[i], "Assignment")));
        entry.defaultAction = KeyAction::FromInt(json::ToInt(Member(keys[i], "DefaultAssignment")));
        list.push_back(entry);
    }
    return list;
}

void CBasicProfiledata::EncodeKeyList(Json::Value& section,
                                      const std::vector<KeyAssignmentEntry>& list) {
    Json::Value& keys = json::MakeArray(json::MemberRef(section, "KeyList"));
    for (std::size_t i = 0; i < list.size(); ++i)
        json::SetInt(keys[static_cast<Json::ArrayIndex>(i)], "Assignment", list[i].current.ToInt());
}

std::vector<KeyAssignmentEntry> CBasicProfiledata::GetKeyAssignments() {
    m_keyAssignments = DecodeKeyList(m_working);
    return m_keyAssignments;
}

void CBasicProfiledata::SetKeyAssignments(const std::vector<KeyAssignmentEntry>& list) {
    m_keyAssignments = list;
    EncodeKeyList(Section(), list);
}

std::vector<KeyAssignmentEntry> CBasicProfiledata::GetOtherKeyAssignments() {
    m_otherKeyAssignments = DecodeKeyList(m_other);
    return m_otherKeyAssignments;
}

void CBasicProfiledata::SetOtherKeyAssignments(const std::vector<KeyAssignmentEntry>& list) {
    m_otherKeyAssignments = list;
    EncodeKeyList(json::MakeObject(m_other), list);
}

}  // namespace profiles
