#include "ProfileTestSupport.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ShootFile.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace profiles;
using profiletest::ReadAll;
using profiletest::TempFolder;
using profiletest::TemplateFolder;
using profiletest::WriteAll;

namespace {

struct ShootFixture {
    TempFolder tmp;
    ShootFiles shoot;
    ShootFixture() {
        shoot.SetShootFolder(tmp.path());
        shoot.SetShootDefaultFolder(TemplateFolder());
    }
};

std::string Describe(const Json::Value& e) {
    return e["Action"].asString() + "/" + std::to_string(e["Button"].asInt()) + "/" +
           std::to_string(e["Delay"].asInt()) + "/" + std::to_string(e["Type"].asInt());
}

}  // namespace

TEST(ShootFiles, NamesAndClamping) {
    EXPECT_EQ(ShootFiles::FileName(2), QStringLiteral("ShootData_2.Shoot"));
    EXPECT_EQ(ShootFiles::ClampBullet(40), 29);
    EXPECT_EQ(ShootFiles::ClampBullet(-3), 0);
    EXPECT_EQ(ShootFiles::ClampGun(9), 3);
}

TEST(ShootFiles, SavedBulletWritesItsSixEvents) {
    ShootFixture f;
    f.shoot.InitShootFiles();
    Json::Value before = readjsonFile(f.shoot.GunPath(0));
    before["Extra"] = "kept";
    ASSERT_EQ(WriteJsonFile(f.shoot.GunPath(0), before), 0);

    ASSERT_TRUE(f.shoot.WriteBullet(0, 2, Bullet{true, 5, true, 12, 30}));
    const Json::Value after = readjsonFile(f.shoot.GunPath(0));
    const char* expected[] = {"down/1/10/1",  "up/1/0/1",   "down/5/5/4",
                              "down/12/30/5", "down/0/0/4", "down/0/0/5"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Describe(after["Events"][12 + i]), expected[i]) << i;
    EXPECT_EQ(after["Extra"].asString(), "kept");
    for (Json::ArrayIndex i = 0; i < 180; ++i) {
        if (i < 12 || i > 17) {
            EXPECT_EQ(after["Events"][i], before["Events"][i]) << i;
        }
    }
    EXPECT_EQ(f.shoot.ReadBullet(0, 2), (Bullet{true, 5, true, 12, 30}));
    // Right and down write "up"; amounts beyond a byte are limited.
    ASSERT_TRUE(f.shoot.WriteBullet(0, 3, Bullet{false, 300, false, -4, 70000}));
    EXPECT_EQ(f.shoot.ReadBullet(0, 3), (Bullet{false, 255, false, 0, 65535}));
}

TEST(ShootFiles, ReadingIgnoresCaseAndMissingValues) {
    ShootFixture f;
    ASSERT_TRUE(
        WriteAll(f.shoot.GunPath(1),
                 R"({"Events": [{}, {}, {"Action": "DOWN", "Button": "7"}, {"Delay": "45"}]})"));
    const Bullet b = f.shoot.ReadBullet(1, 0);
    EXPECT_TRUE(b.xLeft);
    EXPECT_EQ(b.xAmount, 7);
    EXPECT_FALSE(b.yUp);
    EXPECT_EQ(b.delay, 45);
    // No file and no template: zero amounts, right and down.
    ShootFiles bare;
    bare.SetShootFolder(f.tmp.path() + "none");
    EXPECT_EQ(bare.ReadBullet(2, 5), Bullet{});
}

TEST(ShootFiles, InitReplacesMissingAndBrokenFilesOnly) {
    ShootFixture f;
    ASSERT_TRUE(WriteAll(f.shoot.GunPath(1), "{ broken"));
    ASSERT_TRUE(WriteAll(f.shoot.GunPath(2), R"({"Events": []})"));
    f.shoot.InitShootFiles();
    EXPECT_EQ(ReadAll(f.shoot.GunPath(0)), ReadAll(TemplateFolder() + "ShootData_0.Shoot"));
    EXPECT_EQ(ReadAll(f.shoot.GunPath(1)), ReadAll(TemplateFolder() + "ShootData_1.Shoot"));
    EXPECT_EQ(ReadAll(f.shoot.GunPath(1) + ".broken"), QByteArray("{ broken"));
    EXPECT_EQ(ReadAll(f.shoot.GunPath(2)), QByteArray(R"({"Events": []})"));
}

TEST(ShootFiles, WritingIntoAnEmptyFileFillsEarlierBulletsAsStillShots) {
    ShootFixture f;
    ASSERT_TRUE(WriteAll(f.shoot.GunPath(3), R"({"Events": []})"));
    ASSERT_TRUE(f.shoot.WriteBullet(3, 1, Bullet{false, 2, false, 3, 40}));
    const Json::Value events = json::Member(readjsonFile(f.shoot.GunPath(3)), "Events");
    ASSERT_EQ(events.size(), 12u);
    EXPECT_EQ(Describe(events[0]), "down/1/10/1");
    EXPECT_EQ(Describe(events[3]), "up/0/0/5");
    EXPECT_EQ(Describe(events[9]), "up/3/40/5");
}

TEST(ShootFiles, ImportExportAndResetCopyBytes) {
    ShootFixture f;
    f.shoot.InitShootFiles();
    const QByteArray custom = "{\"Events\":[],\"Note\":\"mine\"}";
    ASSERT_TRUE(WriteAll(f.tmp.file("gun.shoot"), custom));
    ASSERT_TRUE(f.shoot.ImportGun(1, f.tmp.file("gun.shoot")));
    ASSERT_TRUE(f.shoot.ExportGun(1, f.tmp.file("out.shoot")));
    EXPECT_EQ(ReadAll(f.tmp.file("out.shoot")), custom);
    EXPECT_FALSE(f.shoot.ImportGun(1, f.tmp.file("missing.shoot")));
    EXPECT_EQ(ReadAll(f.shoot.GunPath(1)), custom);
    ASSERT_TRUE(f.shoot.ResetGun(1));
    EXPECT_EQ(ReadAll(f.shoot.GunPath(1)), ReadAll(TemplateFolder() + "ShootData_1.Shoot"));
}

TEST(ShootFiles, GunEventsUseTheDeviceForm) {
    ShootFixture f;
    ASSERT_TRUE(WriteAll(f.shoot.GunPath(0), R"({"Events": [
        {"Action": "down", "Button": 1, "Delay": 10, "Type": 1},
        {"Action": "up", "Button": 6, "Delay": "300", "Type": 5}]})"));
    const auto records = f.shoot.GunEvents(0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (MacroEventRecord{10, 0, 0x81, 1}));
    EXPECT_EQ(records[1], (MacroEventRecord{0x2C, 0x01, 0x05, 6}));
}
