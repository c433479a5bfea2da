// Feeds arbitrary bytes as a profile, profile list, light config and light
// effect, macro list and macro file, and shoot file through the readers,
// every getter and the list and file operations. Nothing may throw or
// crash, whatever the bytes.
#include "macros/MacroFiles.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/CRe6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ShootFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "profiles/TimeUuid.h"

namespace {

QString Folder() {
    static QTemporaryDir dir;
    return dir.path() + QLatin1Char('/');
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void ExerciseRecord(profiles::CBasicProfiledata& record, const QString& folder) {
    record.SetProfileFile(folder + "p.Json");
    record.SetDefaultProfileFile(folder + "default.Json");
    record.SetLightConfigFile(folder + "brixel_light.config");
    record.LoadProfileDocument(folder + "p.Json");
    record.LoadOtherProfileDocument(folder + "default.Json");
    record.LoadLightConfig(folder + "brixel_light.config");
    const profiles::LightInfo light = record.GetLightInfo();
    record.GetAudioLightInfo();
    record.GetLightList();
    record.GetLightEffect();
    auto keys = record.GetKeyAssignments();
    auto other = record.GetOtherKeyAssignments();
    record.SetKeyAssignments(keys);
    record.SetOtherKeyAssignments(other);
    record.SetLightInfo(light);
    record.GetLightEffect();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool clockSet = [] {
        profiles::SetUuidClock([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); });
        return true;
    }();
    (void)clockSet;
    const QString folder = Folder();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* name :
         {"p.Json", "default.Json", "brixel_light.config", "e.light", "ProfileList.ini",
          "macro.config", "m.mac", "ShootData_0.Shoot", "import.json"})
        Write(folder + name, bytes);

    profiles::ParseJsonText(bytes.toStdString());
    profiles::StyledText(profiles::readjsonFile(folder + "p.Json"));

    profiles::CMouseProfiledata mouse;
    ExerciseRecord(mouse, folder);
    mouse.GetDpiStages();
    mouse.SetDpiStages(mouse.GetDpiStages());
    mouse.SetMouseSystemSettings(mouse.GetMouseSystemSettings());
    mouse.GetCorrectEntries();
    mouse.Save();

    profiles::CKeyboardProfiledata keyboard;
    ExerciseRecord(keyboard, folder);
    keyboard.SetKeyboardSystemSettings(keyboard.GetKeyboardSystemSettings());
    const int group = keyboard.GetCustomColorGroup();
    keyboard.SetCustomKeyColors(group, keyboard.GetCustomKeyColors(group, 170));
    keyboard.GetCustomKeyColors(keyboard.GetLightInfo().CustomGroup, 170);

    profiles::CRe6533Profiledata headset;
    ExerciseRecord(headset, folder);
    const profiles::HeadsetSystemSettings s = headset.GetHeadsetSettings();
    headset.SetEqBands(s.EqType, headset.GetEqBands(s.EqType));
    headset.SetCustomEqBands(s.CustomEqSeletIndex, headset.GetCustomEqBands(s.CustomEqSeletIndex));
    headset.SetCustomEqNames(headset.GetCustomEqNames());
    headset.SetHeadsetSettings(s);
    headset.Save();

    profiles::ProfileList list;
    list.SetDeviceType(7);
    list.SetProfileFolders(folder, folder + "default.Json");
    list.InitProfileList();
    list.AddProfile();
    list.CopyProfile();
    list.ImportProfile(folder + "import.json");
    list.RenameProfile(QStringLiteral("renamed"));
    list.ExportProfile(folder + "export.json");
    list.ResetProfile();
    for (int i = 0; i < list.GetProfileCount() && i < 4; ++i)
        list.GetProfilePathAt(i);
    list.DeleteProfile();

    macros::MacroFiles macroFiles;
    macroFiles.SetMacroFolder(folder);
    macroFiles.LoadMacroList();
    macroFiles.LoadMacroFile(folder + "m.mac");
    for (std::size_t i = 0; i < macroFiles.Rows().size() && i < 4; ++i)
        macroFiles.MacroEvents(static_cast<int>(i));
    macroFiles.AddMacroEntry();
    macroFiles.LoadMacroFile(folder + "m.mac");
    macroFiles.SaveSelectedMacro();
    macroFiles.RenameMacroEntry(0, QStringLiteral("x"));
    macroFiles.ImportMacroFile(folder + "m.mac");
    macroFiles.RemoveMacroEntry(0);

    profiles::ShootFiles shoot;
    shoot.SetShootFolder(folder);
    for (int b = 0; b < profiles::ShootFiles::kBulletCount; ++b)
        shoot.ReadBullet(0, b);
    shoot.GunEvents(0);
    shoot.WriteBullet(0, 29, profiles::Bullet{true, 3, false, 4, 50});
    return 0;
}
