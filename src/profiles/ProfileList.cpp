#include "profiles/ProfileList.h"

#include "platform/Debug.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/TimeUuid.h"

#include <QFile>
#include <QFileInfo>

namespace profiles {

using json::Member;

namespace {

constexpr int kHeadsetType = 7;

void SetIdentity(Json::Value& document, const QString& name, const QString& uuid) {
    json::SetText(document, "profilename", name);
    json::SetText(document, "profileUUID", uuid);
}

}  // namespace

void ProfileList::SetProfileFolders(const QString& userFolder, const QString& defaultProfilePath) {
    m_userFolder = userFolder;
    if (!m_userFolder.isEmpty() && !m_userFolder.endsWith(QLatin1Char('/')))
        m_userFolder += QLatin1Char('/');
    m_defaultProfilePath = defaultProfilePath;
}

QString ProfileList::ListFilePath() const {
    return m_userFolder.isEmpty() ? QString() : m_userFolder + QString::fromLatin1(kListFileName);
}

bool ProfileList::IsSafeUuid(const QString& uuid) {
    return !uuid.isEmpty() && uuid != QStringLiteral(".") && uuid != QStringLiteral("..") &&
           !uuid.contains(QLatin1Char('/')) && !uuid.contains(QLatin1Char('\\')) &&
           !uuid.contains(QChar(0));
}

QString ProfileList::ProfilePathFor(const QString& uuid) const {
    if (m_userFolder.isEmpty() || !IsSafeUuid(uuid))
        return QString();
    return m_userFolder + uuid + QStringLiteral(".Json");
}

Json::Value ProfileList::MakeEntry(const QString& name, const QString& uuid) {
    Json::Value entry(Json::objectValue);
    entry["profilename"] = name.toStdString();
    entry["profileUUID"] = uuid.toStdString();
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    return entry;
}

Json::Value ProfileList::ReadList() const {
    Json::Value list = readjsonFile(ListFilePath());
    json::MakeObject(list);
    const Json::Value& entries = Member(list, "profilelist");
    // A list that no longer matches the profiles in memory is rebuilt
    // from them, so indexes always mean the same profile.
    if (!entries.isArray() || entries.size() != m_names.size()) {
        Json::Value rebuilt(Json::arrayValue);
        for (std::size_t i = 0; i < m_names.size(); ++i)
            rebuilt.append(MakeEntry(m_names[i], m_uuids[i]));
        list["profilelist"] = rebuilt;
    }
    return list;
}

bool ProfileList::WriteList(const Json::Value& list) const {
    const QString path = ListFilePath();
    return !path.isEmpty() && WriteJsonFile(path, list) == 0;
}

QString ProfileList::NewUuid() const {
    return NewTimeUuid([this](const QString& uuid) {
        for (const QString& used : m_uuids) {
            if (used == uuid)
                return true;
        }
        return QFileInfo::exists(ProfilePathFor(uuid));
    });
}

int ProfileList::FindName(const QString& name, int except) const {
    for (int i = 0; i < static_cast<int>(m_names.size()); ++i) {
        if (i != except && m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool ProfileList::WriteNewProfileFile(Json::Value document, const QString& name,
                                      const QString& uuid) const {
    json::MakeObject(document);
    SetIdentity(document, name, uuid);
    const QString path = ProfilePathFor(uuid);
    return !path.isEmpty() && WriteJsonFile(path, document) == 0;
}

bool ProfileList::InitProfileList() {
    const QString path = ListFilePath();
    if (path.isEmpty())
        return false;
    m_names.clear();
    m_uuids.clear();
    m_selected = -1;
    m_currentUuid.clear();

    Json::Value list = readjsonFile(path);
    const Json::Value& entries = Member(list, "profilelist");
    if (json::ArraySize(entries) == 0) {
        const QFileInfo info(path);
        if (info.exists() && info.size() > 0 && !list.isObject() && KeepBrokenCopy(path).isEmpty())
            return false;  // an unreadable list is never replaced without a copy
        const QString name = QStringLiteral("Profile1");
        const QString uuid = NewUuid();
        json::MakeObject(list);
        Json::Value fresh(Json::arrayValue);
        fresh.append(MakeEntry(name, uuid));
        list["profilelist"] = fresh;
        list["profileselect"] = 0;
        m_names.push_back(name);
        m_uuids.push_back(uuid);
        if (!WriteList(list))
            platform::DebugLine(QStringLiteral("profile list not written: ") + path);
        WriteNewProfileFile(readjsonFile(m_defaultProfilePath), name, uuid);
    } else {
        for (Json::ArrayIndex i = 0; i < entries.size(); ++i) {
            m_names.push_back(json::ToText(Member(entries[i], "profilename")));
            m_uuids.push_back(json::ToText(Member(entries[i], "profileUUID")));
        }
    }
    int select = json::ToInt(Member(list, "profileselect"));
    if (select < 0 || select >= static_cast<int>(m_names.size()))
        select = 0;
    return SelectProfile(select);
}

bool ProfileList::SelectProfile(int index) {
    if (index < 0 || index >= static_cast<int>(m_names.size()))
        return false;
    m_selected = index;
    Json::Value list = ReadList();
    list["profileselect"] = index;
    const QString uuid = json::ToText(Member(list["profilelist"][index], "profileUUID"));
    m_currentUuid = uuid;
    m_uuids[index] = uuid;
    return WriteList(list);
}

bool ProfileList::AppendProfile(const QString& name, Json::Value document, bool select) {
    Json::Value list = ReadList();
    const QString uuid = NewUuid();
    m_names.push_back(name);
    m_uuids.push_back(uuid);
    const int index = static_cast<int>(m_names.size()) - 1;
    list["profilelist"][index] = MakeEntry(name, uuid);
    if (select)
        list["profileselect"] = index;
    if (!WriteList(list)) {
        m_names.pop_back();
        m_uuids.pop_back();
        return false;
    }
    return WriteNewProfileFile(std::move(document), name, uuid);
}

bool ProfileList::AddProfile() {
    if (m_userFolder.isEmpty() || m_names.size() >= static_cast<std::size_t>(kMaxProfiles))
        return false;
    QString name;
    for (int n = 1;; ++n) {
        name = QString::asprintf("profile%d", n);
        if (FindName(name) < 0)
            break;
    }
    return AppendProfile(name, readjsonFile(m_defaultProfilePath), true);
}

bool ProfileList::CopyProfile() {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_names.size()))
        return false;
    QString name = m_names[m_selected];
    do {
        name = QString::asprintf("%s copy", name.toUtf8().constData());
    } while (FindName(name) >= 0);
    const Json::Value source = readjsonFile(ProfilePathFor(m_uuids[m_selected]));
    return AppendProfile(name, source, false);
}

bool ProfileList::ImportProfile(const QString& path) {
    if (m_userFolder.isEmpty() || path.isEmpty())
        return false;
    Json::Value document = readjsonFile(path);
    if (!document.isObject() || !document.isMember("profilename") ||
        !document.isMember("profileUUID"))
        return false;
    QString name = QFileInfo(path).completeBaseName();
    for (int k = 1; FindName(name) >= 0; ++k)
        name += QString::asprintf("(%d)", k);
    return AppendProfile(name, std::move(document), false);
}

bool ProfileList::ExportProfile(const QString& path) const {
    if (path.isEmpty() || m_selected < 0)
        return false;
    const Json::Value list = ReadList();
    const QString uuid =
        json::ToText(Member(json::Element(Member(list, "profilelist"), m_selected), "profileUUID"));
    const Json::Value document = readjsonFile(ProfilePathFor(uuid));
    if (document.isNull())
        return false;
    return WriteJsonFile(path, document) == 0;
}

bool ProfileList::ResetProfile() {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_names.size()))
        return false;
    const Json::Value list = ReadList();
    const Json::Value& entry = json::Element(Member(list, "profilelist"), m_selected);
    const QString name = json::ToText(Member(entry, "profilename"));
    const QString uuid = json::ToText(Member(entry, "profileUUID"));
    const QString path = ProfilePathFor(uuid);
    Json::Value document = readjsonFile(m_defaultProfilePath);
    // Without a template there is nothing to reset to; the profile stays.
    if (path.isEmpty() || !document.isObject())
        return false;
    SetIdentity(document, name, uuid);
    if (m_deviceType == kHeadsetType) {
        const Json::Value current = readjsonFile(path);
        const Json::Value& section = json::Element(Member(current, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& kept = Member(section, key);
            if (!kept.isNull())
                json::MemberRef(json::ElementRef(json::MemberRef(document, "Device"), 0), key) =
                    kept;
        }
    }
    return WriteJsonFile(path, document) == 0;
}

bool ProfileList::DeleteProfile() {
    const int count = static_cast<int>(m_names.size());
    if (m_selected < 0 || m_selected >= count || count < 2)
        return false;
    const int removed = m_selected;
    const int next = removed > 0 ? removed - 1 : 0;
    Json::Value list = ReadList();
    Json::Value dropped;
    list["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(removed), &dropped);
    list["profileselect"] = next;
    // The list is written first: a failed write leaves list and file intact.
    if (!WriteList(list))
        return false;
    const QString path = ProfilePathFor(json::ToText(Member(dropped, "profileUUID")));
    if (!path.isEmpty())
        QFile::remove(path);
    m_names.erase(m_names.begin() + removed);
    m_uuids.erase(m_uuids.begin() + removed);
    m_selected = next;
    m_currentUuid = m_uuids[next];
    return true;
}

int ProfileList::RenameProfile(const QString& name) {
    if (name.toUtf8().contains('&'))
        return kRenameAmpersand;
    for (int i = 0; i < static_cast<int>(m_names.size()); ++i) {
        if (name.trimmed().isEmpty())
            return kRenameBlank;
        if (i != m_selected && m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return kRenameNameInUse;
    }
    if (m_selected < 0 || m_selected >= static_cast<int>(m_names.size()))
        return kRenameNameInUse;
    Json::Value list = ReadList();
    json::SetText(list["profilelist"][m_selected], "profilename", name);
    if (!WriteList(list))
        return kRenameFailed;
    m_names[m_selected] = name;
    const QString path = ProfilePathFor(m_uuids[m_selected]);
    Json::Value document = readjsonFile(path);
    if (!path.isEmpty() && (document.isObject() || document.isNull())) {
        json::SetText(document, "profilename", name);
        WriteJsonFile(path, document);
    }
    return kRenameDone;
}

QString ProfileList::GetSelectedName() const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_names.size()))
        return QString();
    return m_names[m_selected];
}

QString ProfileList::GetCurrentProfilePath() const {
    return ProfilePathFor(m_currentUuid);
}

int ProfileList::GetProfileCount() const {
    return static_cast<int>(json::ArraySize(Member(ReadList(), "profilelist")));
}

QString ProfileList::GetProfilePathAt(int index) const {
    const Json::Value list = ReadList();
    return ProfilePathFor(
        json::ToText(Member(json::Element(Member(list, "profilelist"), index), "profileUUID")));
}

std::vector<std::pair<QString, bool>> ProfileList::TabVisibility(int deviceType) {
    const QString cursor = QStringLiteral("cursor_Op_tab");
    switch (deviceType) {
        case 1:
            return {{cursor, false}};
        case 3:
            return {{cursor, false},
                    {QStringLiteral("macro_Op_tab"), false},
                    {QStringLiteral("system_Op_tab"), false},
                    {QStringLiteral("key_Op_tab"), false}};
        case kHeadsetType:
            return {{cursor, false},
                    {QStringLiteral("macro_Op_tab"), false},
                    {QStringLiteral("system_Op_tab"), false},
                    {QStringLiteral("key_Op_tab"), false},
                    {QStringLiteral("6533_voice_Op_tab"), true},
                    {QStringLiteral("magic_Op_tab"), true},
                    {QStringLiteral("Virtual7.1_Op_tab"), true}};
        default:
            return {};
    }
}

}  // namespace profiles
