#include "hid/Commands.h"
#include "hid/HidInterface.h"
#include "sim/Simulation.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace std::chrono_literals;

namespace {

bool Open(hid::CommandChannel& channel, const QString& path, bool wireless) {
    hid::HidInterface& hid = wireless ? channel.ReceiverInterface() : channel.WiredInterface();
    if (!hid.Open(path, true, true, true, false))
        return false;
    channel.SetConnectionType(wireless ? 2 : 1);
    channel.SetOpened(true);
    return true;
}

uint16_t NextUsage(hid::HidInterface& input) {
    uint8_t report[64];
    size_t n = 0;
    while (input.ReadReport(report, 64, &n, 500) == 1) {
        input.UnpackInputReport(report, n);
        if (input.FirstUsage())
            return input.FirstUsage();
    }
    return 0;
}

}  // namespace

TEST(ModelList, ParsesNamesAllAndAuto) {
    struct Case {
        const char* text;
        bool ok;
        size_t count;
    };
    const Case cases[] = {
        {"mouse,keyboard-receiver", true, 2},
        {"all", true, 6},
        {"auto", true, 4},
        {"", true, 4},
        {" Mouse , mouse", true, 1},
        {"mouse,trackball", false, 0},
        {"all,mouse", true, 6},
    };
    for (const Case& c : cases) {
        std::vector<sim::Model> models;
        QString error;
        EXPECT_EQ(sim::ParseModelList(c.text, &models, &error), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(models.size(), c.count) << c.text;
        else
            EXPECT_TRUE(error.contains("trackball"));
    }
}

TEST(VirtualBus, ReceiverAndCableShareOneFirmware) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Keyboard, sim::Model::KeyboardReceiver})};
    hid::CommandChannel wired, wireless;
    ASSERT_TRUE(Open(wired, "sim:keyboard/cable?vid_320f&pid_50c2&mi_01&col04", false));
    ASSERT_TRUE(Open(wireless, "sim:keyboard/receiver?vid_320f&pid_50c3&mi_01&col04", true));
    const uint8_t value[1] = {7};
    ASSERT_EQ(hid::WriteSettings(wired, 25, value, 1), 1);
    uint8_t back[1] = {};
    ASSERT_EQ(hid::ReadSettings(wireless, 25, back, 1), 1);
    EXPECT_EQ(back[0], 7);
    EXPECT_EQ(wireless.ReceiverInterface().Attributes().productId, 0x50C3);
}

TEST(VirtualBus, InputUsagesFromButtonsAndKeys) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mouse})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::HidInterface input;
    ASSERT_EQ(input.Open("sim:mouse/cable?vid_320f&pid_50ef&mi_01&col03", true, false, true, false),
              1);
    mouse->PressKey(0x12);
    EXPECT_EQ(NextUsage(input), 0x0512);
    mouse->ReleaseKey(0x12);
    EXPECT_EQ(NextUsage(input), 0x0612);
    mouse->PressProfileButton();
    EXPECT_EQ(NextUsage(input), 0x1001);
    mouse->PressDpiButton();  // profile 1, stage 1 -> 2
    EXPECT_EQ(NextUsage(input), 0x1121);
    mouse->SendUsage(0x0401);
    EXPECT_EQ(NextUsage(input), 0x0401);
}

TEST(VirtualBus, UsagesFollowTheAppearanceInUse) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::MouseReceiver})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::HidInterface input;
    ASSERT_EQ(
        input.Open("sim:mouse/receiver?vid_320f&pid_221d&mi_01&col03", true, false, true, false),
        1);
    mouse->SendUsage(0x0402);
    EXPECT_EQ(NextUsage(input), 0x0402);
    EXPECT_EQ(input.DiscardPendingInput(), 1);  // the release report
    mouse->SetPoweredOn(false);                 // a switched-off mouse sends nothing
    mouse->SendUsage(0x0402);
    uint8_t report[64];
    size_t n = 0;
    EXPECT_EQ(input.ReadReport(report, 64, &n, 100), 0);
}

TEST(VirtualBus, HeadsetTakesLedReportsAndCommandsOnOneCollection) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Headset})};
    sim::VirtualDevice* headset = bus->Device(sim::DeviceKind::Headset);
    hid::CommandChannel channel;
    ASSERT_TRUE(Open(channel, "sim:headset/cable?vid_0c76&pid_1630&mi_03", false));
    uint8_t led[17] = {0xFF, 0x22, 0xAA, 0, 247, 247};
    EXPECT_EQ(channel.WiredInterface().SetOutputReport(led, 17), 1);
    EXPECT_EQ(headset->OutputReportsReceived(), 1);
    EXPECT_EQ(headset->RegionBytes("leds")[0], 247);
    uint8_t block[48];
    EXPECT_EQ(hid::ReadSettings(channel, 0, block, 48), 1);  // 2 chunks of 24
    EXPECT_EQ(block[2], 4);
}

TEST(VirtualBus, MemorySurvivesARestartInItsFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        sim::ScopedBus bus{sim::CreateBus({sim::Model::Mousepad})};
        ASSERT_TRUE(bus->Device(sim::DeviceKind::Mousepad)->SetStorageFolder(dir.path()));
        hid::CommandChannel channel;
        ASSERT_TRUE(Open(channel, "sim:mousepad/cable?vid_320f&pid_1004&mi_01&col04", false));
        const uint8_t data[3] = {9, 8, 7};
        ASSERT_EQ(hid::WriteSettings(channel, 6, data, 3), 1);
    }
    // The bus-wide folder applies to the devices it creates.
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mousepad}, dir.path())};
    sim::VirtualDevice* pad = bus->Device(sim::DeviceKind::Mousepad);
    EXPECT_EQ(pad->RegionBytes("settings")[7], 8);
    EXPECT_TRUE(pad->DumpMemory().startsWith("# mousepad firmware 0100\n"));
}

TEST(VirtualBus, ReportIntervalAndDelayHoldAnswersBack) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mouse})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::CommandChannel channel;
    ASSERT_TRUE(Open(channel, "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04", false));
    mouse->SetReportInterval(1000us);
    EXPECT_EQ(hid::BeginAccess(channel), 1);
    mouse->SetAnswerDelay(1500ms);
    EXPECT_EQ(hid::BeginAccess(channel), 0);  // past the 1000 ms limit
}
