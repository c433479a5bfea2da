// The mouse's four recoil patterns ("guns"): one file per gun,
// "ShootData_" + n + ".Shoot" in the device's user folder, each holding 30
// bullets of 6 events in "Events". This is the model behind the shoot
// panel and the source of the mouse's shoot download.
#pragma once

#include "profiles/MacroEvent.h"

#include <json/json.h>

#include <QString>
#include <vector>

namespace profiles {

// One bullet as the panel edits it.
struct Bullet {
    bool xLeft = false;  // X pull to the left ("down"), else to the right
    int xAmount = 0;     // 0..255
    bool yUp = false;    // Y pull upwards ("down"), else downwards
    int yAmount = 0;     // 0..255
    int delay = 0;       // shot delay in ms, 0..65535
    bool operator==(const Bullet&) const = default;
};

class ShootFiles {
public:
    static constexpr int kGunCount = 4;
    static constexpr int kBulletCount = 30;
    static constexpr int kEventsPerBullet = 6;

    // "ShootData_" + n + ".Shoot".
    static QString FileName(int gun);

    void SetShootFolder(const QString& userFolder);
    void SetShootDefaultFolder(const QString& defaultFolder);
    QString GunPath(int gun) const;

    // For every gun: a missing or unparsable user file is replaced by the
    // template (an unparsable one kept as ".broken" first).
    void InitShootFiles();

    // Guns are clamped to 0..3 and bullets to 0..29.
    static int ClampGun(int gun);
    static int ClampBullet(int bullet);

    // Reads a bullet from the gun's file; missing values read as 0, right
    // and down.
    Bullet ReadBullet(int gun, int bullet) const;
    // Writes the bullet's six events and saves the file; other events and
    // keys stay. False when the file could not be written.
    bool WriteBullet(int gun, int bullet, const Bullet& value);

    // Copies the template byte for byte over the gun's file.
    bool ResetGun(int gun);
    // Copies a file byte for byte over the gun's file; an unreadable source
    // changes nothing.
    bool ImportGun(int gun, const QString& path);
    // Copies the gun's file byte for byte to path.
    bool ExportGun(int gun, const QString& path) const;

    // The device form of a gun's events (a missing file gives none).
    std::vector<MacroEventRecord> GunEvents(int gun) const;

    // The six events of a bullet as written to the file.
    static Json::Value BulletEvents(const Bullet& value);

private:
    QString m_userFolder;
    QString m_defaultFolder;
};

}  // namespace profiles
