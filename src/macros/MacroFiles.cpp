#include "macros/MacroFiles.h"

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileList.h"
#include "profiles/TimeUuid.h"

#include <QFile>
#include <QFileInfo>

namespace macros {

namespace json = profiles::json;
using json::Member;

namespace {

Json::Value MakeEntry(const MacroRow& row) {
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = row.name.toStdString();
    entry["Guid"] = row.guid.toStdString();
    return entry;
}

}  // namespace

void MacroFiles::SetMacroFolder(const QString& folder) {
    m_folder = folder;
    if (!m_folder.isEmpty() && !m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
}

QString MacroFiles::ListFilePath() const {
    return m_folder.isEmpty() ? QString() : m_folder + m_listFileName;
}

QString MacroFiles::MacroFilePathFor(const QString& guid) const {
    if (m_folder.isEmpty() || !profiles::ProfileList::IsSafeUuid(guid))
        return QString();
    return m_folder + guid + QStringLiteral(".mac");
}

QString MacroFiles::MacroFilePath(int index) const {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return QString();
    return MacroFilePathFor(m_rows[index].guid);
}

std::vector<QString> MacroFiles::Names() const {
    std::vector<QString> names;
    for (const MacroRow& row : m_rows)
        names.push_back(row.name);
    return names;
}

Json::Value MacroFiles::ReadList() const {
    Json::Value list = profiles::readjsonFile(ListFilePath());
    json::MakeObject(list);
    const Json::Value& info = Member(list, "MacroInfo");
    // Indexes must keep meaning the same macro: a list that no longer
    // matches the rows is rebuilt from them.
    if (!info.isArray() || info.size() != m_rows.size()) {
        Json::Value rebuilt(Json::arrayValue);
        for (const MacroRow& row : m_rows)
            rebuilt.append(MakeEntry(row));
        list["MacroInfo"] = rebuilt;
    }
    return list;
}

bool MacroFiles::WriteList(const Json::Value& list) const {
    const QString path = ListFilePath();
    return !path.isEmpty() && profiles::WriteJsonFile(path, list) == 0;
}

void MacroFiles::LoadMacroList() {
    m_rows.clear();
    m_steps.clear();
    m_selected = -1;
    const Json::Value list = profiles::readjsonFile(ListFilePath());
    const Json::Value& info = Member(list, "MacroInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(info); ++i)
        m_rows.push_back(
            {json::ToText(Member(info[i], "MacroName")), json::ToText(Member(info[i], "Guid"))});
    if (!m_rows.empty())
        SelectMacro(0);
}

void MacroFiles::SelectMacro(int index) {
    if (index < 0 || index >= static_cast<int>(m_rows.size())) {
        m_selected = -1;
        m_steps.clear();
        return;
    }
    m_selected = index;
    LoadMacroFile(MacroFilePath(index));
}

QString MacroFiles::NewGuid() const {
    return profiles::NewTimeUuid([this](const QString& guid) {
        for (const MacroRow& row : m_rows) {
            if (row.guid == guid)
                return true;
        }
        return QFileInfo::exists(MacroFilePathFor(guid));
    });
}

int MacroFiles::FindName(const QString& name) const {
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        if (m_rows[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int MacroFiles::AppendEntry(const QString& name) {
    if (m_folder.isEmpty() || m_rows.size() >= static_cast<std::size_t>(kMaxMacros))
        return -1;
    Json::Value list = ReadList();
    const MacroRow row{name, NewGuid()};
    const int index = static_cast<int>(m_rows.size());
    list["MacroInfo"][index] = MakeEntry(row);
    if (!WriteList(list))
        return -1;
    m_rows.push_back(row);
    return index;
}

int MacroFiles::AddMacroEntry(const QString& requested) {
    if (m_rows.size() >= static_cast<std::size_t>(kMaxMacros))
        return -1;
    QString name = requested;
    if (name.isEmpty()) {
        for (int n = 1;; ++n) {
            name = QString::asprintf("macro_%d", n);
            if (FindName(name) < 0)
                break;
        }
    }
    const int index = AppendEntry(name);
    if (index < 0)
        return -1;
    // The new macro starts as an empty macro file.
    m_selected = index;
    m_steps.clear();
    SaveSelectedMacro();
    return index;
}

int MacroFiles::RenameMacroEntry(int index, const QString& name) {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return kRenameFailed;
    if (name.trimmed().isEmpty())
        return kRenameBlank;
    if (name.contains(QLatin1Char('&')))
        return kRenameAmpersand;
    if (FindName(name) >= 0)
        return kRenameNameInUse;
    Json::Value list = ReadList();
    json::SetText(list["MacroInfo"][index], "MacroName", name);
    if (!WriteList(list))
        return kRenameFailed;
    m_rows[index].name = name;
    return kRenameDone;
}

bool MacroFiles::RemoveMacroEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return false;
    Json::Value list = ReadList();
    list["MacroInfo"].removeIndex(static_cast<Json::ArrayIndex>(index), nullptr);
    // The list goes first: if it cannot be written, nothing is removed.
    if (!WriteList(list))
        return false;
    const QString path = MacroFilePath(index);
    if (!path.isEmpty())
        QFile::remove(path);
    m_rows.erase(m_rows.begin() + index);
    m_steps.clear();
    SelectMacro(m_rows.empty() ? -1 : 0);
    m_nameField = json::ToText(Member(json::Element(Member(list, "MacroInfo"), 0), "MacroName"));
    return true;
}

MacroStepRow MacroFiles::MakeStepRow(const Json::Value& event) {
    MacroStepRow row;
    row.eventText = QString::fromStdString(profiles::StyledText(event));
    row.delayText = QString::number(profiles::EventDelay(event));
    return row;
}

bool MacroFiles::LoadMacroFile(const QString& path) {
    m_steps.clear();
    const Json::Value file = profiles::readjsonFile(path);
    if (!file.isObject())
        return false;
    const Json::Value& events = Member(file, "Events");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(events); ++i) {
        if (events[i].isObject())
            m_steps.push_back(MakeStepRow(events[i]));
    }
    return true;
}

bool MacroFiles::SaveMacroFile(const QString& path) {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_rows.size()) || path.isEmpty())
        return false;
    Json::Value file(Json::objectValue);
    file["MacroName"] = m_rows[m_selected].name.toStdString();
    file["Guid"] = m_rows[m_selected].guid.toStdString();
    Json::Value events(Json::arrayValue);
    for (MacroStepRow& row : m_steps) {
        if (row.delayText.isEmpty())
            row.delayText = QStringLiteral("0");
        const QString delay =
            QString::asprintf("%d", json::DecimalTextToInt(row.delayText.toStdString()));
        if (row.eventText.isEmpty())
            break;
        Json::Value event = profiles::ParseJsonText(row.eventText);
        // A row whose data is no event object is not saved.
        if (!event.isObject())
            continue;
        event["Delay"] = delay.toStdString();
        events.append(event);
        row.eventText = QString::fromStdString(profiles::StyledText(event));
    }
    file["Events"] = events;
    file["Version"] = kMacroFileVersion;
    return profiles::WriteJsonFile(path, file) == 0;
}

bool MacroFiles::SaveSelectedMacro() {
    return SaveMacroFile(MacroFilePath(m_selected));
}

bool MacroFiles::ExportMacroFile(const QString& destination) const {
    const QString source = MacroFilePath(m_selected);
    return !source.isEmpty() && !destination.isEmpty() &&
           profiles::CopyFileBytes(source, destination);
}

int MacroFiles::ImportMacroFile(const QString& source) {
    if (m_rows.size() >= static_cast<std::size_t>(kMaxMacros) || source.isEmpty())
        return -1;
    QByteArray bytes;
    // An unreadable source adds nothing (no empty macro appears).
    if (!profiles::ReadFileBytes(source, &bytes))
        return -1;
    QString name = QFileInfo(source).completeBaseName();
    for (int k = 1; FindName(name) >= 0; ++k)
        name += QString::asprintf("_%d", k);
    const int index = AppendEntry(name);
    if (index < 0)
        return -1;
    profiles::WriteFileBytes(MacroFilePath(index), bytes);
    SelectMacro(index);
    return index;
}

std::vector<profiles::MacroEventRecord> MacroFiles::MacroEvents(int index) const {
    std::vector<profiles::MacroEventRecord> records;
    const Json::Value file = profiles::readjsonFile(MacroFilePath(index));
    const Json::Value& events = Member(file, "Events");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(events); ++i)
        records.push_back(profiles::ToMacroEventRecord(events[i]));
    return records;
}

}  // namespace macros
