#include "hid/Commands.h"
#include "sim/Firmwares.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

sim::Report Command(uint8_t id, uint8_t length, uint16_t address,
                    const std::vector<uint8_t>& data = {}) {
    sim::Report r{};
    hid::BuildCommandReport(r.data(), id, length, address, data.empty() ? nullptr : data.data(),
                            data.size());
    return r;
}

}  // namespace

TEST(Firmware, ChecksEveryCommandStrictly) {
    sim::MouseFirmware fw;
    struct Case {
        const char* what;
        sim::Report command;
        uint8_t status;
    };
    sim::Report badChecksum = Command(0x05, 1, 0);
    badChecksum[1] ^= 1;
    sim::Report badId = Command(0x05, 1, 0);
    badId[0] = 0x05;
    const Case cases[] = {
        {"ok", Command(0x05, 1, 0), 0x00},
        {"checksum", badChecksum, 0xFE},
        {"report id", badId, 0xFF},
        {"length > 56", Command(0x05, 57, 0), 0xFF},
        {"length 0", Command(0x05, 0, 0), 0xFF},
        {"past the end", Command(0x05, 10, 635), 0xFF},
        {"last byte", Command(0x05, 5, 635), 0x00},
        {"unknown id", Command(0x33, 1, 0), 0xFF},
        {"keyboard-only id", Command(0x1B, 4, 0), 0xFF},
        {"begin with data", Command(0x01, 2, 0), 0xFF},
        {"key table profile 1", Command(0x09, 3, 512, {1, 2, 3}), 0xFF},
        {"info is read-only", Command(0x04, 1, 0, {1}), 0xFF},
    };
    for (const Case& c : cases) {
        const sim::Report a = fw.HandleCommand(c.command.data());
        EXPECT_EQ(a[7], c.status) << c.what;
        EXPECT_EQ(a[0], 0x04) << c.what;
        EXPECT_EQ(a[3], c.command[3]) << c.what;
        EXPECT_EQ(a[1] | a[2] << 8, hid::CommandChecksum(a.data())) << c.what;
    }
}

TEST(Firmware, MouseInformationBlockAndSettings) {
    sim::MouseFirmware fw;
    sim::Report a = fw.HandleCommand(Command(0x03, 34, 0).data());
    const auto info = hid::DeviceInfoBlock::Decode(a.data() + 8);
    EXPECT_EQ(info.keyCount, 11);
    EXPECT_EQ(info.sensorId, 0x3325);
    EXPECT_EQ(info.dpiStep, 100);
    EXPECT_EQ(info.dpiMin, 200);
    EXPECT_EQ(info.dpiMaxIndex, 148);
    EXPECT_EQ(info.macroMemoryUnits * 128, 2048);
    // Write a settings byte of block 2, read it back; address 0 is the profile.
    a = fw.HandleCommand(Command(0x06, 2, 2 * 128 + 12, {4, 9}).data());
    EXPECT_EQ(a[7], 0);
    a = fw.HandleCommand(Command(0x05, 2, 2 * 128 + 12).data());
    EXPECT_EQ(a[8], 4);
    EXPECT_EQ(a[9], 9);
    EXPECT_EQ(fw.HandleCommand(Command(0x05, 1, 0).data())[8], 0);
    EXPECT_EQ(fw.NextProfile(), 1);
    EXPECT_EQ(fw.HandleCommand(Command(0x05, 1, 0).data())[8], 1);
}

TEST(Firmware, MouseKeysMatchTheUiKeyRows) {
    sim::MouseFirmware fw;
    const sim::Report a = fw.HandleCommand(Command(0x07, 33, 0).data());
    EXPECT_EQ(a[8], 0x10);
    EXPECT_EQ(a[9], 0x01);
    // Position 5 holds UI key 8 (0xA0 0x1B).
    EXPECT_EQ(a[8 + 15], 0xA0);
    EXPECT_EQ(a[8 + 16], 0x1B);
}

TEST(Firmware, DpiButtonSkipsDisabledStages) {
    sim::MouseFirmware fw;
    // Disable stage 2 of profile 0 (stage records start at byte 14).
    fw.HandleCommand(Command(0x06, 1, 14 + 2 * 9, {0}).data());
    EXPECT_EQ(fw.NextDpiStage(), 3);  // from stage 1
    EXPECT_EQ(fw.NextDpiStage(), 4);
    EXPECT_EQ(fw.NextDpiStage(), 0);
}

TEST(Firmware, KeyboardTablesLedMapAndColourSlots) {
    sim::KeyboardFirmware fw;
    sim::Report a = fw.HandleCommand(Command(0x03, 34, 0).data());
    EXPECT_EQ(a[8 + 5], 122);
    EXPECT_EQ(a[8 + 1] | a[8 + 2] << 8, 0x0105);
    // UI key 22 ("1", usage 0x1E) sits at device position 19 (three gaps before it).
    EXPECT_EQ(sim::KeyboardFirmware::DevicePositionOfUiKey(22), 19);
    EXPECT_EQ(sim::KeyboardFirmware::DevicePositionOfUiKey(18), -1);
    a = fw.HandleCommand(Command(0x07, 3, 19 * 3).data());
    EXPECT_EQ(a[8], 0x20);
    EXPECT_EQ(a[10], 0x1E);
    a = fw.HandleCommand(Command(0x1B, 2, 0).data());
    EXPECT_EQ(a[8], 121);  // LEDs in reverse key order
    // Slot 3 of the colours, last bytes; slot 4 does not exist.
    EXPECT_EQ(fw.HandleCommand(Command(0x0B, 3, 3 * 384 + 381, {1, 2, 3}).data())[7], 0);
    EXPECT_EQ(fw.HandleCommand(Command(0x0A, 3, 4 * 384).data())[7], 0xFF);
    EXPECT_EQ(fw.HandleCommand(Command(0x0A, 3, 3 * 384 + 381).data())[10], 3);
    EXPECT_EQ(fw.HandleCommand(Command(0x27, 3, 0, {1, 2, 3}).data())[7], 0);
    EXPECT_EQ(fw.HandleCommand(Command(0x12, 56, 0, std::vector<uint8_t>(56, 7)).data())[7], 0);
    EXPECT_EQ(fw.Region("frame")->bytes[55], 7);
}

TEST(Firmware, StatusMemoryAndHeadsetLeds) {
    sim::MousepadFirmware pad;
    pad.SetBattery(120, 1);
    pad.SetPhoneOnPad(2);
    sim::Report a = pad.HandleCommand(Command(0x1A, 6, 0).data());
    EXPECT_EQ(a[8], 100);  // clamped
    EXPECT_EQ(a[9], 1);
    EXPECT_EQ(a[13], 2);
    EXPECT_EQ(pad.HandleCommand(Command(0x1A, 57, 0).data())[7], 0xFF);
    // Read at p x 48, written at n x 64: both inside the memory.
    EXPECT_EQ(pad.HandleCommand(Command(0x05, 48, 4 * 48).data())[7], 0);
    EXPECT_EQ(pad.HandleCommand(Command(0x06, 21, 4 * 64, std::vector<uint8_t>(21, 1)).data())[7],
              0);

    sim::HeadsetFirmware headset;
    uint8_t led[17] = {0xFF, 0x44, 0xAD, 0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_TRUE(headset.HandleOutputReport(led, 17));
    EXPECT_EQ(headset.Region("leds")->bytes[(6 + 3) * 7 + 6], 7);
    led[2] = 0xB0;
    EXPECT_FALSE(headset.HandleOutputReport(led, 17));
    EXPECT_FALSE(headset.HandleOutputReport(led, 16));
}

TEST(Firmware, DumpShowsRegionsInHex) {
    sim::MousepadFirmware pad;
    pad.SetBattery(0x2A, 0);
    const QString dump = pad.Dump();
    EXPECT_TRUE(dump.contains("[status] 64 bytes\n0000: 2a 00"));
    EXPECT_TRUE(dump.contains("[settings] 320 bytes"));
}
