#include "ProfileTestSupport.h"
#include "platform/Folders.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/CRe6533Profiledata.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ShootFile.h"
#include "profiles/UserFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <set>

using namespace profiles;
using profiletest::ReadAll;
using profiletest::TempFolder;
using profiletest::TemplateFolder;

namespace {

Json::Value Template(const char* name) {
    return readjsonFile(TemplateFolder() + QString::fromLatin1(name));
}

// Loads a template through a fresh profile list, as a new profile would be.
template <typename Record>
void LoadNewProfile(const char* templateName, Record& record, TempFolder& tmp) {
    ProfileList list;
    list.SetProfileFolders(tmp.path(), TemplateFolder() + QString::fromLatin1(templateName));
    ASSERT_TRUE(list.InitProfileList());
    record.SetDefaultProfileFile(TemplateFolder() + QString::fromLatin1(templateName));
    record.SetProfileFile(list.GetCurrentProfilePath());
    ASSERT_TRUE(record.LoadProfileDocument(list.GetCurrentProfilePath()).isObject());
}

// The effect list of a preset set in "default_light.json".
std::vector<Json::Value> Presets(int set) {
    const Json::Value doc = Template("default_light.json");
    const Json::Value& list = json::Element(json::Member(doc, "DefaultLightName"), set);
    std::vector<Json::Value> out;
    for (Json::ArrayIndex i = 0; i < json::ArraySize(list); ++i)
        out.push_back(list[i]);
    return out;
}

}  // namespace

TEST(DefaultData, EveryTemplateParsesAndRoundTripsByteForByte) {
    const QStringList names = QDir(TemplateFolder()).entryList(QDir::Files);
    ASSERT_GE(names.size(), 15);
    TempFolder tmp;
    for (const QString& name : names) {
        const QByteArray original = ReadAll(TemplateFolder() + name);
        const Json::Value doc = readjsonFile(TemplateFolder() + name);
        ASSERT_TRUE(doc.isObject()) << name.toStdString();
        Json::StyledWriter library;
        EXPECT_EQ(library.write(doc), original.toStdString()) << name.toStdString();
        ASSERT_EQ(WriteJsonFile(tmp.file(name), doc), 0);
        EXPECT_EQ(ReadAll(tmp.file(name)), original) << name.toStdString();
    }
}

TEST(DefaultData, IsCopiedIntoTheInstanceFolder) {
    const QString folder = platform::GetDefaultDataFolder();
    for (const char* name : {"mouse.Json", "default_light.json", "ShootData_3.Shoot"})
        EXPECT_EQ(ReadAll(folder + name), ReadAll(TemplateFolder() + name)) << name;
    // Every model's folder name has its template.
    for (const char* device : {"mouse", "keyboard", "MousePad", "HD"})
        EXPECT_TRUE(readjsonFile(DefaultProfilePath(device)).isObject()) << device;
}

TEST(DefaultData, PresetSetsMatchTheModels) {
    // Preset sets: 0 keyboard, 1 mouse, 2 mousepad, 3 headset.
    const std::size_t sizes[] = {31, 12, 9, 9};
    for (int set = 0; set < 4; ++set) {
        const auto presets = Presets(set);
        ASSERT_EQ(presets.size(), sizes[set]) << set;
        std::set<int> ids;
        for (const Json::Value& p : presets) {
            EXPECT_TRUE(p["LightName"].isString());
            EXPECT_TRUE(p["visible"].isBool());
            EXPECT_TRUE(p["value"].isInt());
            ids.insert(p["value"].asInt());
        }
        EXPECT_EQ(ids.size(), presets.size()) << "effect ids repeat in set " << set;
    }
    // The keyboard's effect ids are its effect numbers.
    const auto keyboard = Presets(0);
    EXPECT_EQ(keyboard[19]["value"].asInt(), 19);
    EXPECT_EQ(keyboard[29]["value"].asInt(), 29);
    EXPECT_TRUE(json::Member(Template("default_light.json"), "AreaLightName").isArray());
    EXPECT_EQ(json::ArraySize(json::Member(Template("brixel_light.config"), "LightInfo")), 4u);
    for (const char* name : {"macro.config", "brixel_macro.config"})
        EXPECT_TRUE(json::Member(Template(name), "MacroInfo").isArray()) << name;
}

TEST(DefaultData, MouseTemplateDrivesTheMouseRecord) {
    TempFolder tmp;
    CMouseProfiledata mouse;
    LoadNewProfile("mouse.Json", mouse, tmp);
    const auto keys = mouse.GetKeyAssignments();
    ASSERT_EQ(keys.size(), 11u);
    EXPECT_EQ(keys[0].current, (KeyAction{0x10, 0x01, 0}));
    EXPECT_EQ(keys[8].defaultAction, (KeyAction{0xA0, 0x1B, 0}));
    EXPECT_EQ(keys[10].defaultAction, (KeyAction{0x14, 0x78, 0x02}));
    for (const auto& k : keys)
        EXPECT_EQ(k.current, k.defaultAction);
    ASSERT_EQ(mouse.GetDpiStages().size(), 5u);
    EXPECT_LT(mouse.GetActiveDpiStage(), 5);
    for (const DpiStage& s : mouse.GetDpiStages())
        EXPECT_EQ(s.StageActive, 1);
    const MouseSystemSettings system = mouse.GetMouseSystemSettings();
    EXPECT_LE(system.word3 >> 16, 4u);  // report-rate option 0..4
    EXPECT_NE(system.word1, 0u);
    EXPECT_EQ(mouse.GetCorrectEntries().size(), 3u);
    const LightInfo light = mouse.GetLightInfo();
    const auto presets = Presets(1);
    ASSERT_LT(light.SelectItem, presets.size());
    EXPECT_TRUE(presets[light.SelectItem]["visible"].asBool());
    EXPECT_LE(light.Light, 4);
    EXPECT_LE(light.Speed, 4);
}

TEST(DefaultData, KeyboardTemplateDrivesTheKeyboardRecord) {
    TempFolder tmp;
    CKeyboardProfiledata keyboard;
    LoadNewProfile("keyboard.Json", keyboard, tmp);
    const auto keys = keyboard.GetKeyAssignments();
    ASSERT_EQ(keys.size(), 170u);
    EXPECT_EQ(keys[0].defaultAction, (KeyAction{0x20, 0, 0x29}));    // Esc
    EXPECT_EQ(keys[64].defaultAction, (KeyAction{0x20, 0, 0x04}));   // A
    EXPECT_EQ(keys[110].defaultAction, (KeyAction{0xA0, 0x01, 0}));  // Fn
    EXPECT_EQ(keys[120].defaultAction, (KeyAction{0xD0, 0xA2, 0x01}));
    EXPECT_EQ(keys[18].defaultAction, KeyAction{});
    EXPECT_EQ(keys[169].defaultAction, KeyAction{});
    const KeyboardSystemSettings system = keyboard.GetKeyboardSystemSettings();
    EXPECT_LE(system.word1 >> 16, 3u);  // repeat delay index
    EXPECT_LE(system.word2 >> 16, 3u);  // report rate index
    EXPECT_EQ(keyboard.GetCustomColorGroup(), 0);
    EXPECT_EQ(keyboard.GetCustomKeyColors(0, 170).size(), 170u);
    const AudioLightInfo audio = keyboard.GetAudioLightInfo();
    EXPECT_LE(audio.AudioMode, 6);
    const auto presets = Presets(0);
    const LightInfo light = keyboard.GetLightInfo();
    ASSERT_LT(light.SelectItem, presets.size());
    EXPECT_TRUE(presets[light.SelectItem]["visible"].asBool());
}

TEST(DefaultData, HeadsetTemplateHoldsTheTwelvePresets) {
    TempFolder tmp;
    CRe6533Profiledata headset;
    LoadNewProfile("HD.Json", headset, tmp);
    const EqBands expected[] = {
        {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},   {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
        {10, 4, 0, -3, -4, -3, -2, -1, 0, 0}, {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
        {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},  {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
        {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},  {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
        {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},  {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}};
    const Json::Value before = headset.WorkingDocument();
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(headset.GetEqBands(n), expected[n - 1]) << n;
    EXPECT_EQ(headset.WorkingDocument(), before);  // nothing was missing
    const HeadsetSystemSettings s = headset.GetHeadsetSettings();
    EXPECT_GE(s.EqType, 1);
    EXPECT_LE(s.EqType, 12);
    EXPECT_EQ(s.MicInSelect, 1);
    EXPECT_TRUE(headset.GetCustomEqNames().empty());
    EXPECT_EQ(headset.GetLightInfo().SelectItem, 0);
}

TEST(DefaultData, MousepadTemplateHasALightSetting) {
    TempFolder tmp;
    CBasicProfiledata pad;
    LoadNewProfile("MousePad.Json", pad, tmp);
    EXPECT_TRUE(pad.WorkingDocument()["LightInfo"].isObject());
    EXPECT_TRUE(pad.GetLightList().empty());
    const auto presets = Presets(2);
    EXPECT_TRUE(presets[pad.GetLightInfo().SelectItem]["visible"].asBool());
}

TEST(DefaultData, ShootTemplatesHoldThirtyBulletsEach) {
    TempFolder tmp;
    ShootFiles shoot;
    shoot.SetShootFolder(tmp.path());
    shoot.SetShootDefaultFolder(TemplateFolder());
    shoot.InitShootFiles();
    const int types[] = {1, 1, 4, 5, 4, 5};
    for (int gun = 0; gun < 4; ++gun) {
        EXPECT_EQ(ReadAll(shoot.GunPath(gun)),
                  ReadAll(TemplateFolder() + ShootFiles::FileName(gun)));
        const Json::Value events = json::Member(readjsonFile(shoot.GunPath(gun)), "Events");
        ASSERT_EQ(json::ArraySize(events), 180u) << gun;
        for (Json::ArrayIndex i = 0; i < 180; ++i) {
            EXPECT_EQ(events[i]["Type"].asInt(), types[i % 6]);
            EXPECT_TRUE(events[i]["Action"].isString());
            EXPECT_TRUE(events[i]["Delay"].isInt());
        }
        EXPECT_EQ(shoot.GunEvents(gun).size(), 180u);
        EXPECT_LE(shoot.ReadBullet(gun, 29).yAmount, 255);
    }
}

TEST(DefaultData, LanguageAudioAndPaletteFiles) {
    const Json::Value languages = json::Member(Template("Language.config"), "Language");
    ASSERT_GE(json::ArraySize(languages), 2u);
    std::set<int> ids;
    for (const Json::Value& l : languages) {
        EXPECT_TRUE(l["Language_name"].isString());
        EXPECT_TRUE(l["Language_file"].isString());
        EXPECT_TRUE(l["Language_text"].isString());
        ASSERT_TRUE(l["Language_ID"].isInt());
        ids.insert(l["Language_ID"].asInt());
    }
    EXPECT_EQ(ids.size(), languages.size());

    const Json::Value audio =
        json::Member(json::Member(Template("AudioFile.json"), "Device"), "AudioLightInfo");
    ASSERT_TRUE(audio.isObject());
    EXPECT_EQ(QString::fromStdString(audio["nStyleName3"].asString()), QStringLiteral("第三组"));
    for (int s = 0; s < 4; ++s) {
        for (const char* c : {"R", "G", "B"}) {
            const Json::Value& v = audio[QString("nStyle%1%2").arg(c).arg(s).toStdString()];
            ASSERT_TRUE(v.isInt());
            EXPECT_LE(v.asInt(), 9);
        }
    }

    const Json::Value colours =
        json::Member(Template("color_option_info.config"), "coloroptioninfo");
    const Json::Value& presets = colours["palletDialogcoloroption"];
    const Json::Value& favourites = colours["palletDialogcollectcoloroption"];
    ASSERT_EQ(json::ArraySize(presets), 20u);
    ASSERT_EQ(json::ArraySize(favourites), 20u);
    EXPECT_EQ(presets[0]["color"].asString(), std::to_string(static_cast<int>(0xFFFF0000u)));
    EXPECT_TRUE(favourites[19]["UserData"].isString());
    EXPECT_TRUE(colours["palletDialogcoloroption_selectitem"].isInt());
    EXPECT_TRUE(colours["palletDialogcollectcoloroption_selectitem"].isInt());
}

TEST(UserFiles, MissingOrBrokenUserFilesComeFromTheTemplate) {
    TempFolder tmp;
    EXPECT_TRUE(EnsureUserFile(tmp.path(), "AudioFile.json", TemplateFolder()));
    EXPECT_EQ(ReadAll(tmp.file("AudioFile.json")), ReadAll(TemplateFolder() + "AudioFile.json"));
    ASSERT_TRUE(profiletest::WriteAll(tmp.file("macro.config"), "{ broken"));
    EXPECT_TRUE(EnsureUserFile(tmp.path(), "macro.config", TemplateFolder()));
    EXPECT_EQ(ReadAll(tmp.file("macro.config.broken")), QByteArray("{ broken"));
    // A usable user file is left as it is.
    ASSERT_TRUE(profiletest::WriteAll(tmp.file("macro.config"), "{\"MacroInfo\": [1]}"));
    EXPECT_TRUE(EnsureUserFile(tmp.path(), "macro.config", TemplateFolder()));
    EXPECT_EQ(ReadAll(tmp.file("macro.config")), QByteArray("{\"MacroInfo\": [1]}"));
    EXPECT_FALSE(EnsureUserFile(tmp.path(), "no_such_template.json", TemplateFolder()));
}
