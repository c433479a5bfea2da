#include "ProfileTestSupport.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileList.h"
#include "profiles/TimeUuid.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <set>

using namespace profiles;
using profiletest::ReadAll;
using profiletest::TempFolder;
using profiletest::WriteAll;

namespace {

Json::Value Parse(const char* text) {
    return ParseJsonText(std::string(text));
}

// A device folder with a small template and a clock that stands still, so
// every new identifier falls into the same millisecond.
class ProfileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUuidClock([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); });
        ASSERT_EQ(
            WriteJsonFile(tmp.file("template.Json"), Parse(R"({"Device": [{"LightInfo": {"Red": 1},
                                    "CustomEQNameInfo": [], "CustomEQHzValueInfo": []}],
                                    "profilename": "t", "profileUUID": "t"})")),
            0);
        list.SetProfileFolders(tmp.path() + "user", tmp.file("template.Json"));
        QDir().mkpath(tmp.file("user"));
        ASSERT_TRUE(list.InitProfileList());
    }
    void TearDown() override { SetUuidClock({}); }

    Json::Value ListFile() const { return readjsonFile(list.ListFilePath()); }
    Json::Value SelectedFile() const { return readjsonFile(list.GetCurrentProfilePath()); }
    void Rename(int index, const char* name) {
        ASSERT_TRUE(list.SelectProfile(index));
        ASSERT_EQ(list.RenameProfile(QString::fromUtf8(name)), ProfileList::kRenameDone);
    }

    TempFolder tmp;
    ProfileList list;
};

}  // namespace

TEST(TimeUuid, FormatsWithMilliseconds) {
    EXPECT_EQ(FormatTimeUuid(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42))),
              QStringLiteral("2024_03_05_14_07_09_042"));
}

TEST_F(ProfileListTest, FirstStartMakesProfile1FromTheTemplate) {
    EXPECT_EQ(list.Names(), std::vector<QString>{"Profile1"});
    EXPECT_EQ(list.GetSelectedProfile(), 0);
    EXPECT_EQ(list.GetCurrentProfileUUID(), QStringLiteral("2024_03_05_14_07_09_042"));
    const Json::Value file = ListFile();
    EXPECT_EQ(file["profileselect"].asInt(), 0);
    const Json::Value& entry = file["profilelist"][0];
    EXPECT_EQ(entry["profilename"].asString(), "Profile1");
    EXPECT_EQ(entry["profileislink"].asInt(), 0);
    EXPECT_EQ(entry["profilelinkmame"].asString(), "");
    const Json::Value profile = SelectedFile();
    EXPECT_EQ(profile["profilename"].asString(), "Profile1");
    EXPECT_EQ(profile["profileUUID"].asString(), "2024_03_05_14_07_09_042");
    EXPECT_EQ(profile["Device"][0]["LightInfo"]["Red"].asInt(), 1);
}

TEST_F(ProfileListTest, RestartKeepsListAndSelection) {
    ASSERT_TRUE(list.AddProfile());
    ASSERT_TRUE(list.SelectProfile(1));
    ProfileList again;
    again.SetProfileFolders(list.GetUserFolder(), tmp.file("template.Json"));
    ASSERT_TRUE(again.InitProfileList());
    EXPECT_EQ(again.Names(), list.Names());
    EXPECT_EQ(again.GetSelectedProfile(), 1);
    EXPECT_EQ(again.GetCurrentProfileUUID(), list.GetCurrentProfileUUID());
}

TEST_F(ProfileListTest, UnreadableListIsKeptAndReplaced) {
    ASSERT_TRUE(WriteAll(list.ListFilePath(), "{ broken"));
    ASSERT_TRUE(list.InitProfileList());
    EXPECT_EQ(ReadAll(list.ListFilePath() + ".broken"), QByteArray("{ broken"));
    EXPECT_EQ(list.Names(), std::vector<QString>{"Profile1"});
}

TEST_F(ProfileListTest, AddNamesCaseInsensitivelyAndNeverSharesAFile) {
    ASSERT_TRUE(list.AddProfile());  // profile1 (Profile1 is taken)
    EXPECT_EQ(list.Names().back(), QStringLiteral("profile2"));
    Rename(0, "profile1");
    Rename(1, "Profile2");
    ASSERT_TRUE(list.AddProfile());
    EXPECT_EQ(list.Names().back(), QStringLiteral("profile3"));
    // The selection stays; the list file records the new profile.
    EXPECT_EQ(list.GetSelectedProfile(), 1);
    EXPECT_EQ(ListFile()["profileselect"].asInt(), 2);
    // Same millisecond, still three distinct files.
    std::set<QString> paths;
    for (int i = 0; i < list.GetProfileCount(); ++i)
        paths.insert(list.GetProfilePathAt(i));
    EXPECT_EQ(paths.size(), 3u);
    for (const QString& p : paths)
        EXPECT_TRUE(QFileInfo::exists(p)) << p.toStdString();
}

TEST_F(ProfileListTest, AddStopsAtFiftyCopyDoesNot) {
    while (list.Names().size() < 50)
        ASSERT_TRUE(list.AddProfile());
    EXPECT_FALSE(list.AddProfile());
    EXPECT_EQ(list.GetProfileCount(), 50);
    ASSERT_TRUE(list.CopyProfile());
    EXPECT_EQ(list.GetProfileCount(), 51);
}

TEST_F(ProfileListTest, CopyAppendsCopySuffixesAndCopiesTheContent) {
    Json::Value profile = SelectedFile();
    profile["Device"][0]["LightInfo"]["Red"] = 77;
    ASSERT_EQ(WriteJsonFile(list.GetCurrentProfilePath(), profile), 0);
    ASSERT_TRUE(list.CopyProfile());
    ASSERT_TRUE(list.CopyProfile());
    EXPECT_EQ(list.Names(),
              (std::vector<QString>{"Profile1", "Profile1 copy", "Profile1 copy copy"}));
    EXPECT_EQ(ListFile()["profileselect"].asInt(), 0);
    const Json::Value copy = readjsonFile(list.GetProfilePathAt(2));
    EXPECT_EQ(copy["Device"][0]["LightInfo"]["Red"].asInt(), 77);
    EXPECT_EQ(copy["profilename"].asString(), "Profile1 copy copy");
    EXPECT_EQ(copy["profileUUID"].asString(),
              QFileInfo(list.GetProfilePathAt(2)).completeBaseName().toStdString());
}

TEST_F(ProfileListTest, ImportNamesAfterTheFileWithAccumulatingSuffixes) {
    const QString gaming = tmp.file("Gaming.json");
    ASSERT_EQ(WriteJsonFile(gaming, Parse(R"({"profilename": "x", "profileUUID": "y",
        "Device": [{"LightInfo": {"Red": 5}}]})")),
              0);
    ASSERT_TRUE(list.ImportProfile(gaming));
    ASSERT_TRUE(list.ImportProfile(gaming));
    EXPECT_EQ(list.Names().back(), QStringLiteral("Gaming(1)"));
    ASSERT_TRUE(list.ImportProfile(gaming));
    EXPECT_EQ(list.Names().back(), QStringLiteral("Gaming(1)(2)"));
    const Json::Value imported = readjsonFile(list.GetProfilePathAt(3));
    EXPECT_EQ(imported["profilename"].asString(), "Gaming(1)(2)");
    EXPECT_EQ(imported["Device"][0]["LightInfo"]["Red"].asInt(), 5);
    EXPECT_EQ(ListFile()["profileselect"].asInt(), 0);

    // Files without both identity keys, or not parsing, are refused.
    const char* refused[] = {R"({"profilename": "x"})", R"({"profileUUID": "y"})", "[1]"};
    for (const char* text : refused) {
        ASSERT_TRUE(WriteAll(tmp.file("bad.json"), text));
        EXPECT_FALSE(list.ImportProfile(tmp.file("bad.json"))) << text;
    }
    ASSERT_TRUE(WriteAll(tmp.file("bad.json"), "garbage"));
    EXPECT_FALSE(list.ImportProfile(tmp.file("bad.json")));
    EXPECT_EQ(list.GetProfileCount(), 4);
}

TEST_F(ProfileListTest, ExportWritesTheSelectedProfile) {
    EXPECT_FALSE(list.ExportProfile(QString()));
    ASSERT_TRUE(list.ExportProfile(tmp.file("out.json")));
    EXPECT_EQ(readjsonFile(tmp.file("out.json")), SelectedFile());
}

TEST_F(ProfileListTest, DeleteRules) {
    EXPECT_FALSE(list.DeleteProfile());  // never the last one
    EXPECT_EQ(list.GetProfileCount(), 1);
    ASSERT_TRUE(list.AddProfile());
    ASSERT_TRUE(list.AddProfile());
    ASSERT_TRUE(list.SelectProfile(0));
    const QString first = list.GetProfilePathAt(0);
    const QString second = list.GetProfilePathAt(1);
    ASSERT_TRUE(list.DeleteProfile());
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(list.GetSelectedProfile(), 0);
    EXPECT_EQ(list.GetCurrentProfilePath(), second);
    EXPECT_EQ(ListFile()["profileselect"].asInt(), 0);
    EXPECT_EQ(list.Names(), (std::vector<QString>{"profile2", "profile3"}));
    ASSERT_TRUE(list.SelectProfile(1));
    ASSERT_TRUE(list.DeleteProfile());
    EXPECT_EQ(list.GetSelectedProfile(), 0);
}

TEST_F(ProfileListTest, RenameCodes) {
    ASSERT_TRUE(list.AddProfile());
    ASSERT_TRUE(list.SelectProfile(0));
    EXPECT_EQ(list.RenameProfile(" "), ProfileList::kRenameBlank);
    EXPECT_EQ(list.RenameProfile("a&b"), ProfileList::kRenameAmpersand);
    EXPECT_EQ(list.RenameProfile("PROFILE2"), ProfileList::kRenameNameInUse);
    EXPECT_EQ(list.RenameProfile("profile1"), ProfileList::kRenameDone);  // own name, other case
    EXPECT_EQ(list.RenameProfile(QStringLiteral("游戏")), ProfileList::kRenameDone);
    EXPECT_EQ(list.Names()[0], QStringLiteral("游戏"));
    EXPECT_EQ(ListFile()["profilelist"][0]["profilename"].asString(), "游戏");
    EXPECT_EQ(QString::fromStdString(SelectedFile()["profilename"].asString()),
              QStringLiteral("游戏"));
}

TEST_F(ProfileListTest, ResetRestoresTheTemplateAndTheHeadsetKeepsItsEq) {
    for (int type : {2, 7}) {
        list.SetDeviceType(type);
        Json::Value profile = SelectedFile();
        Json::Value& section = profile["Device"][0];
        section["LightInfo"]["Red"] = 99;
        section["CustomEQNameInfo"][0]["Name"] = "Mine";
        section["CustomEQHzValueInfo"][0][0]["value"] = 6;
        ASSERT_EQ(WriteJsonFile(list.GetCurrentProfilePath(), profile), 0);
        ASSERT_TRUE(list.ResetProfile());
        const Json::Value reset = SelectedFile();
        EXPECT_EQ(reset["Device"][0]["LightInfo"]["Red"].asInt(), 1) << type;
        EXPECT_EQ(reset["profilename"].asString(), "Profile1");
        EXPECT_EQ(QString::fromStdString(reset["profileUUID"].asString()),
                  list.GetCurrentProfileUUID());
        const bool kept = reset["Device"][0]["CustomEQNameInfo"].size() == 1;
        EXPECT_EQ(kept, type == 7) << type;
        if (type == 7) {
            EXPECT_EQ(reset["Device"][0]["CustomEQHzValueInfo"][0][0]["value"].asInt(), 6);
        }
    }
    // Without a template the profile is not wiped.
    list.SetProfileFolders(list.GetUserFolder(), tmp.file("missing.Json"));
    const QByteArray before = ReadAll(list.GetCurrentProfilePath());
    EXPECT_FALSE(list.ResetProfile());
    EXPECT_EQ(ReadAll(list.GetCurrentProfilePath()), before);
}

TEST_F(ProfileListTest, EveryChangeRereadsTheListFile) {
    Json::Value file = ListFile();
    file["extra"] = "kept";
    file["profilelist"][0]["profileislink"] = 1;
    ASSERT_EQ(WriteJsonFile(list.ListFilePath(), file), 0);
    ASSERT_TRUE(list.AddProfile());
    file = ListFile();
    EXPECT_EQ(file["extra"].asString(), "kept");
    EXPECT_EQ(file["profilelist"][0]["profileislink"].asInt(), 1);
    EXPECT_EQ(file["profilelist"].size(), 2u);
    // A list that lost its entries is rebuilt from the profiles in memory.
    file["profilelist"] = "gone";
    ASSERT_EQ(WriteJsonFile(list.ListFilePath(), file), 0);
    ASSERT_TRUE(list.SelectProfile(1));
    EXPECT_EQ(list.GetProfileCount(), 2);
    EXPECT_EQ(ListFile()["profilelist"][1]["profilename"].asString(), "profile2");
}

TEST_F(ProfileListTest, UnsafeIdentifiersNeverReachOutsideTheFolder) {
    ASSERT_TRUE(WriteAll(tmp.file("victim.Json"), "keep"));
    Json::Value file = ListFile();
    file["profilelist"][1] = file["profilelist"][0];
    file["profilelist"][1]["profileUUID"] = "../victim";
    file["profileselect"] = 1;
    ASSERT_EQ(WriteJsonFile(list.ListFilePath(), file), 0);
    ASSERT_TRUE(list.InitProfileList());
    EXPECT_TRUE(list.GetProfilePathAt(1).isEmpty());
    ASSERT_TRUE(list.DeleteProfile());
    EXPECT_EQ(ReadAll(tmp.file("victim.Json")), QByteArray("keep"));
}

TEST(ProfileListTabs, HiddenAndShownByDeviceType) {
    EXPECT_EQ(ProfileList::TabVisibility(1).size(), 1u);
    EXPECT_TRUE(ProfileList::TabVisibility(2).empty());
    EXPECT_EQ(ProfileList::TabVisibility(3).size(), 4u);
    const auto headset = ProfileList::TabVisibility(7);
    ASSERT_EQ(headset.size(), 7u);
    EXPECT_EQ(headset.back(), (std::pair<QString, bool>{"Virtual7.1_Op_tab", true}));
}

TEST_F(ProfileListTest, WriteFailuresChangeNothingInMemory) {
    ASSERT_TRUE(list.AddProfile());
    const auto names = list.Names();
    // Without its folder no list can be written.
    ASSERT_TRUE(QDir(list.GetUserFolder()).removeRecursively());
    EXPECT_FALSE(list.AddProfile());
    EXPECT_FALSE(list.CopyProfile());
    EXPECT_EQ(list.RenameProfile("other"), ProfileList::kRenameFailed);
    EXPECT_FALSE(list.DeleteProfile());
    EXPECT_EQ(list.Names(), names);
}
