#include "profiles/ShootFile.h"

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

#include <QFileInfo>
#include <algorithm>

namespace profiles {

using json::Member;

namespace {

QString WithSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

Json::Value Event(const char* action, int button, int delay, int type) {
    Json::Value e(Json::objectValue);
    e["Action"] = action;
    e["Button"] = button;
    e["Delay"] = delay;
    e["Type"] = type;
    return e;
}

bool IsDown(const Json::Value& event) {
    return QString::fromStdString(json::ToUtf8(Member(event, "Action")))
               .compare(QStringLiteral("down"), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString ShootFiles::FileName(int gun) {
    return QStringLiteral("ShootData_%1.Shoot").arg(gun);
}

void ShootFiles::SetShootFolder(const QString& userFolder) {
    m_userFolder = WithSlash(userFolder);
}

void ShootFiles::SetShootDefaultFolder(const QString& defaultFolder) {
    m_defaultFolder = WithSlash(defaultFolder);
}

QString ShootFiles::GunPath(int gun) const {
    return m_userFolder.isEmpty() ? QString() : m_userFolder + FileName(ClampGun(gun));
}

int ShootFiles::ClampGun(int gun) {
    return std::clamp(gun, 0, kGunCount - 1);
}

int ShootFiles::ClampBullet(int bullet) {
    return std::clamp(bullet, 0, kBulletCount - 1);
}

void ShootFiles::InitShootFiles() {
    for (int gun = 0; gun < kGunCount; ++gun) {
        const QString path = GunPath(gun);
        if (path.isEmpty() || !readjsonFile(path).isNull())
            continue;
        const QFileInfo info(path);
        if (info.exists() && info.size() > 0 && KeepBrokenCopy(path).isEmpty())
            continue;
        ResetGun(gun);
    }
}

Bullet ShootFiles::ReadBullet(int gun, int bullet) const {
    const Json::Value file = readjsonFile(GunPath(gun));
    const Json::Value& events = Member(file, "Events");
    const int base = ClampBullet(bullet) * kEventsPerBullet;
    const Json::Value& x = json::Element(events, base + 2);
    const Json::Value& y = json::Element(events, base + 3);
    Bullet value;
    value.xAmount = json::TextOrNumberToInt(Member(x, "Button"));
    value.yAmount = json::TextOrNumberToInt(Member(y, "Button"));
    value.delay = json::TextOrNumberToInt(Member(y, "Delay"));
    value.xLeft = IsDown(x);
    value.yUp = IsDown(y);
    return value;
}

Json::Value ShootFiles::BulletEvents(const Bullet& value) {
    const int x = std::clamp(value.xAmount, 0, 255);
    const int y = std::clamp(value.yAmount, 0, 255);
    const int delay = std::clamp(value.delay, 0, 65535);
    const char* xAction = value.xLeft ? "down" : "up";
    const char* yAction = value.yUp ? "down" : "up";
    Json::Value events(Json::arrayValue);
    events.append(Event("down", 1, 10, 1));
    events.append(Event("up", 1, 0, 1));
    events.append(Event(xAction, x, 5, 4));
    events.append(Event(yAction, y, delay, 5));
    events.append(Event(xAction, 0, 0, 4));
    events.append(Event(yAction, 0, 0, 5));
    return events;
}

bool ShootFiles::WriteBullet(int gun, int bullet, const Bullet& value) {
    const QString path = GunPath(gun);
    if (path.isEmpty())
        return false;
    Json::Value file = readjsonFile(path);
    const QFileInfo info(path);
    // An unparsable file is kept before it is replaced by a new document.
    if (!file.isObject() && info.exists() && info.size() > 0 && KeepBrokenCopy(path).isEmpty())
        return false;
    json::MakeObject(file);
    Json::Value& events = json::MakeArray(file["Events"]);
    const int base = ClampBullet(bullet) * kEventsPerBullet;
    // Slots before this bullet that the file lacks become still shots.
    const Json::Value still = BulletEvents(Bullet{});
    for (int i = 0; i < base; ++i) {
        Json::Value& slot = events[static_cast<Json::ArrayIndex>(i)];
        if (slot.isNull())
            slot = still[static_cast<Json::ArrayIndex>(i % kEventsPerBullet)];
    }
    const Json::Value six = BulletEvents(value);
    for (int i = 0; i < kEventsPerBullet; ++i)
        events[static_cast<Json::ArrayIndex>(base + i)] = six[static_cast<Json::ArrayIndex>(i)];
    return WriteJsonFile(path, file) == 0;
}

bool ShootFiles::ResetGun(int gun) {
    const QString path = GunPath(gun);
    if (path.isEmpty() || m_defaultFolder.isEmpty())
        return false;
    return CopyFileBytes(m_defaultFolder + FileName(ClampGun(gun)), path);
}

bool ShootFiles::ImportGun(int gun, const QString& path) {
    const QString target = GunPath(gun);
    return !path.isEmpty() && !target.isEmpty() && CopyFileBytes(path, target);
}

bool ShootFiles::ExportGun(int gun, const QString& path) const {
    const QString source = GunPath(gun);
    return !path.isEmpty() && !source.isEmpty() && CopyFileBytes(source, path);
}

std::vector<MacroEventRecord> ShootFiles::GunEvents(int gun) const {
    std::vector<MacroEventRecord> records;
    const Json::Value file = readjsonFile(GunPath(gun));
    const Json::Value& events = Member(file, "Events");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(events); ++i)
        records.push_back(ToMacroEventRecord(events[i]));
    return records;
}

}  // namespace profiles
