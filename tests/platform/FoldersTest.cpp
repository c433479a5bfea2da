#include "platform/Folders.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST(Folders, UserFoldersAreCreatedAndEndWithSlash) {
    const QString root = platform::GetUserDataRoot();
    ASSERT_FALSE(root.isEmpty());
    EXPECT_TRUE(root.endsWith("/NUVARO ZR7/"));
    EXPECT_TRUE(QFileInfo(root).isDir());
    // Test mode keeps the real home untouched.
    EXPECT_TRUE(root.contains(".qttest")) << root.toStdString();

    QDir(root + "MouseTest").removeRecursively();
    const QString device = platform::GetDeviceUserFolder("MouseTest");
    EXPECT_EQ(device, root + "MouseTest/");
    EXPECT_TRUE(QFileInfo(device).isDir());
    EXPECT_TRUE(platform::GetDeviceUserFolder(QString()).isEmpty());
}

TEST(Folders, InstanceFolderAndResourceFolders) {
    QTemporaryDir instance;
    ASSERT_TRUE(instance.isValid());
    platform::SetInstanceFolder(instance.path());
    EXPECT_EQ(platform::InstanceFolder(), instance.path() + "/");
    EXPECT_EQ(platform::SkinFolder(), instance.path() + "/skin/");
    EXPECT_EQ(platform::GetDefaultDataFolder(), instance.path() + "/DefaultData/");
    platform::SetInstanceFolder(QString());
    // Without an override the executable's folder is used in the build tree.
    EXPECT_EQ(platform::InstanceFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(Folders, BackslashPathsResolveWithForwardSlashes) {
    EXPECT_EQ(platform::NormalizeRelativePath("XML\\CustomControlXML\\DeviceProfile.xml"),
              "XML/CustomControlXML/DeviceProfile.xml");
    EXPECT_EQ(platform::ResolvePath("/opt/skin", "power\\power.png"), "/opt/skin/power/power.png");
    EXPECT_EQ(platform::ResolvePath("/opt/skin/", "/abs/file.png"), "/abs/file.png");
}

TEST(Settings, ValuesPersistInTheIniFile) {
    ASSERT_TRUE(platform::WriteSetting("LANGUAGE", 1));
    EXPECT_EQ(platform::ReadSetting("LANGUAGE").toInt(), 1);
    EXPECT_EQ(platform::ReadSetting("absent", 42).toInt(), 42);
    EXPECT_TRUE(QFileInfo::exists(platform::SettingsFilePath()));
}
