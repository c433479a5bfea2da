#include "hid/DeviceIdentity.h"

#include <gtest/gtest.h>

using namespace hid;

TEST(PathParsing, ReadsHexAfterKeysCaseInsensitively) {
    struct Case {
        const char* path;
        uint16_t vid, pid, mi, col;
    };
    const Case cases[] = {
        {"/dev/hidraw3?vid_320f&pid_50ef&mi_01&col04", 0x320F, 0x50EF, 1, 4},
        {"\\\\?\\HID#VID_320F&PID_221D&MI_01&COL03#7&1a2b&0&0002", 0x320F, 0x221D, 1, 3},
        {"sim:headset/cable?vid_0c76&pid_1630&mi_03", 0x0C76, 0x1630, 3, 0},
        {"no keys at all", 0, 0, 0, 0},
        {"vid_&pid_zz&mi_&col", 0, 0, 0, 0},
        {"vid_12345&pid_0x1f", 0x2345, 0x1F, 0, 0},  // low 16 bits; "%x" takes 0x
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ParseVendorId(c.path), c.vid);
        EXPECT_EQ(ParseProductId(c.path), c.pid);
        EXPECT_EQ(ParseInterfaceNumber(c.path), c.mi);
        EXPECT_EQ(ParseCollectionNumber(c.path), c.col);
    }
}

TEST(SupportedDeviceTable, HasElevenRowsWithPartners) {
    const auto& t = SupportedDeviceTable();
    ASSERT_EQ(t.size(), 11u);
    for (int i = 0; i < kSupportedDeviceCount; ++i) {
        EXPECT_EQ(t[i].Attached, 0);
        EXPECT_TRUE(t[i].DevicePath.isEmpty());
        if (t[i].HasPartner) {
            const auto& p = t[t[i].PartnerIndex];
            EXPECT_EQ(p.PartnerIndex, i);
            EXPECT_EQ(p.InterfaceRole, t[i].InterfaceRole);
        }
    }
    EXPECT_EQ(t[10].ProductId, 0x1630);
    EXPECT_EQ(t[10].CollectionNumber, 0);
    EXPECT_EQ(FindIdentityIndex(0x320F, 0x221D, kMouseReceiver, kRoleInput), 7);
    EXPECT_EQ(FindIdentityIndex(0x320F, 0x221D, kMouseWired, kRoleCommand), -1);
}

TEST(IdentitiesEqual, ComparesEightFieldsOnly) {
    DeviceIdentity a = SupportedDeviceTable()[4];
    DeviceIdentity b = a;
    b.Attached = 1;
    b.HasPartner = 0;
    b.PartnerIndex = 9;
    b.DevicePath = "x";
    EXPECT_TRUE(IdentitiesEqual(a, b));
    b.Usage = 0x93;
    EXPECT_FALSE(IdentitiesEqual(a, b));
}

TEST(IdentityList, ClaimsFreeRowsAndIgnoresASecondIdenticalDevice) {
    IdentityList list;
    DeviceIdentity c = CandidateFromPath("sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04");
    EXPECT_TRUE(list.IsWantedCandidate(c));
    c.UsagePage = 0xFF1C;
    c.Usage = 0x92;
    int index = -1;
    ASSERT_TRUE(list.ClaimRow(c, &index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(c.DeviceType, kMouseWired);
    EXPECT_EQ(c.InterfaceRole, kRoleCommand);
    EXPECT_EQ(list.Row(4).DevicePath, c.DevicePath);
    EXPECT_EQ(list.Row(4).Attached, 1);

    DeviceIdentity second = CandidateFromPath("sim:mouse-2/cable?vid_320f&pid_50ef&mi_01&col04");
    EXPECT_FALSE(list.IsWantedCandidate(second));
    second.UsagePage = 0xFF1C;
    second.Usage = 0x92;
    EXPECT_FALSE(list.ClaimRow(second, &index));

    // Wrong usage for the slot: no row.
    DeviceIdentity odd = CandidateFromPath("x?vid_320f&pid_50ef&mi_01&col03");
    odd.UsagePage = 0xFF1C;
    odd.Usage = 0x92;
    EXPECT_FALSE(list.ClaimRow(odd, &index));
    EXPECT_FALSE(list.IsWantedCandidate(CandidateFromPath("x?vid_320f&pid_50ef&mi_00")));

    EXPECT_FALSE(list.AllRowsTaken());
    EXPECT_TRUE(list.ReleaseRow(4));
    EXPECT_FALSE(list.ReleaseRow(4));
    EXPECT_TRUE(list.IsWantedCandidate(c));
}

TEST(IdentityList, AllRowsTakenWhenEveryRowIsBound) {
    IdentityList list;
    for (const DeviceIdentity& row : SupportedDeviceTable()) {
        DeviceIdentity c = row;
        c.DevicePath = QStringLiteral("p%1").arg(row.ProductId);
        int index = -1;
        ASSERT_TRUE(list.ClaimRow(c, &index));
    }
    EXPECT_TRUE(list.AllRowsTaken());
}
