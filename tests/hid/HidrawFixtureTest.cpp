#include "hid/HidrawBackend.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using hid::HidrawBackend;

TEST(HidrawBackend, ListsOnePathPerCollectionFromSysfs) {
    HidrawBackend backend(testsupport::FixturePath("hid/sysfs"), "/nonexistent-dev");
    QStringList paths;
    ASSERT_TRUE(backend.Enumerate(paths));
    const QStringList expected = {
        "/nonexistent-dev/hidraw0?vid_320f&pid_50ef&mi_01&col01",
        "/nonexistent-dev/hidraw0?vid_320f&pid_50ef&mi_01&col02",
        "/nonexistent-dev/hidraw0?vid_320f&pid_50ef&mi_01&col03",
        "/nonexistent-dev/hidraw0?vid_320f&pid_50ef&mi_01&col04",
        "/nonexistent-dev/hidraw1?vid_0c76&pid_1630&mi_03",
        // Not on USB: no interface number; two collections.
        "/nonexistent-dev/hidraw2?vid_046d&pid_b012&col01",
        "/nonexistent-dev/hidraw2?vid_046d&pid_b012&col02",
    };
    EXPECT_EQ(paths, expected);

    hid::HidrawNodeInfo info;
    ASSERT_TRUE(backend.ReadNode("hidraw0", &info));
    EXPECT_EQ(info.attributes.vendorId, 0x320F);
    EXPECT_EQ(info.attributes.versionNumber, 0x0107);  // bcdDevice of the USB device
    EXPECT_EQ(info.interfaceNumber, 1);
    EXPECT_FALSE(backend.ReadNode("hidraw9", &info));
}

TEST(HidrawBackend, PresenceNeedsTheNodeAndMatchingIds) {
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    HidrawBackend backend(testsupport::FixturePath("hid/sysfs"), dev.path());
    const QString path = dev.path() + "/hidraw0?vid_320f&pid_50ef&mi_01&col04";
    EXPECT_FALSE(backend.IsPresent(path));  // no device node yet
    QFile node(dev.path() + "/hidraw0");
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    EXPECT_TRUE(backend.IsPresent(path));
    // Another device took the node number.
    EXPECT_FALSE(backend.IsPresent(dev.path() + "/hidraw0?vid_320f&pid_50c2&mi_01&col04"));
    EXPECT_FALSE(backend.IsPresent(dev.path() + "/../hidraw0?vid_320f&pid_50ef"));
    EXPECT_TRUE(backend.Handles(path));
    EXPECT_FALSE(backend.Handles("sim:mouse/cable?vid_320f"));
}

TEST(HidrawBackend, MissingSysfsMeansNoDevices) {
    HidrawBackend backend("/nonexistent-sysfs", "/dev");
    QStringList paths;
    EXPECT_TRUE(backend.Enumerate(paths));
    EXPECT_TRUE(paths.isEmpty());
    QString error;
    EXPECT_EQ(backend.Open("/dev/hidraw0?vid_320f&pid_50ef", {}, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}
