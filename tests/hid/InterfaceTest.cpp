#include "hid/HidInterface.h"

#include "sim/Simulation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using namespace std::chrono_literals;

namespace {

const QString kCommandPath = "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04";
const QString kConsumerPath = "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col03";

class InterfaceTest : public ::testing::Test {
protected:
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mouse, sim::Model::Headset})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
};

}  // namespace

TEST_F(InterfaceTest, OpenReportsCapsAttributesAndNumbers) {
    hid::HidInterface hid;
    ASSERT_EQ(hid.Open(kCommandPath, true, true, true, false), 1);
    EXPECT_EQ(hid.Caps().UsagePage, 0xFF1C);
    EXPECT_EQ(hid.Caps().Usage, 0x92);
    EXPECT_EQ(hid.Caps().InputReportByteLength, 64);
    EXPECT_EQ(hid.Caps().OutputReportByteLength, 64);
    EXPECT_EQ(hid.Attributes().vendorId, 0x320F);
    EXPECT_EQ(hid.Attributes().productId, 0x50EF);
    EXPECT_EQ(hid.InterfaceNumber(), 1);
    EXPECT_EQ(hid.CollectionNumber(), 4);
    mouse->SetFirmwareVersion(0x0104);
    ASSERT_EQ(hid.Reopen(), 1);
    EXPECT_EQ(hid.Attributes().versionNumber, 0x0104);

    hid::HidInterface headset;
    ASSERT_EQ(headset.Open("sim:headset/cable?vid_0c76&pid_1630&mi_03", true, true, true, false),
              1);
    EXPECT_EQ(headset.Caps().UsagePage, 0x0C);
    EXPECT_EQ(headset.CollectionNumber(), 0);
}

TEST_F(InterfaceTest, RefusesMissingPathsLongPathsAndBadCollections) {
    hid::HidInterface hid;
    EXPECT_EQ(hid.Open("sim:mouse/cable?vid_320f&pid_50ef&mi_01&col09", true, true, true, false),
              0);
    EXPECT_EQ(hid.Open("sim:nothing/cable?vid_320f&pid_50ef&mi_01", true, true, true, false), 0);
    EXPECT_EQ(hid.Open(kCommandPath + QString(300, 'x'), true, true, true, false), 0);
    EXPECT_FALSE(hid.IsOpen());
    EXPECT_FALSE(hid.LastError().isEmpty());
    uint8_t buffer[64];
    size_t n = 99;
    EXPECT_EQ(hid.ReadReport(buffer, 64, &n, 10), 0);
    EXPECT_EQ(n, 0u);
}

TEST_F(InterfaceTest, EachCollectionSeesOnlyItsOwnReports) {
    hid::HidInterface command, consumer;
    ASSERT_EQ(command.Open(kCommandPath, true, true, true, false), 1);
    ASSERT_EQ(consumer.Open(kConsumerPath, true, false, true, false), 1);
    uint8_t buffer[64] = {};
    size_t n = 0;

    mouse->SendUsage(0x0403);
    ASSERT_EQ(consumer.ReadReport(buffer, 64, &n, 500), 1);
    EXPECT_EQ(buffer[0], 3);
    ASSERT_EQ(consumer.UnpackInputReport(buffer, n), 1);
    EXPECT_EQ(consumer.FirstUsage(), 0x0403);
    // The release report follows: no usage.
    ASSERT_EQ(consumer.ReadReport(buffer, 64, &n, 500), 1);
    consumer.UnpackInputReport(buffer, n);
    EXPECT_EQ(consumer.FirstUsage(), 0);
    EXPECT_EQ(command.ReadReport(buffer, 64, &n, 50), 0);  // consumer reports are not its

    uint8_t report[64] = {0x04, 0x01, 0x00, 0x01};
    ASSERT_EQ(command.WriteReport(report, 64, &n, 1000), 1);
    ASSERT_EQ(command.ReadReport(buffer, 64, &n, 500), 1);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[3], 1);
    EXPECT_EQ(consumer.ReadReport(buffer, 64, &n, 50), 0);
}

TEST_F(InterfaceTest, WritesNeedWriteAccessAndTheRightLength) {
    hid::HidInterface readOnly;
    ASSERT_EQ(readOnly.Open(kCommandPath, true, false, true, false), 1);
    uint8_t report[64] = {0x04, 0x01, 0x00, 0x01};
    size_t n = 0;
    EXPECT_EQ(readOnly.WriteReport(report, 64, &n, 1000), 0);
    hid::HidInterface hid;
    ASSERT_EQ(hid.Open(kCommandPath, true, true, true, false), 1);
    EXPECT_EQ(hid.WriteReport(report, 20, &n, 1000), 0);
}

TEST_F(InterfaceTest, CloseEndsABlockedReadWithNoTimeLimitAtOnce) {
    hid::HidInterface hid;
    ASSERT_EQ(hid.Open(kCommandPath, true, true, true, false), 1);
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[64];
        size_t n = 0;
        return hid.ReadReport(buffer, 64, &n, hid::kInfinite);
    });
    while (!hid.ReadInProgress())
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(reader.wait_for(50ms), std::future_status::timeout);  // really blocked
    hid.Close();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), 0);
    EXPECT_FALSE(hid.IsOpen());
}

TEST_F(InterfaceTest, ReopenAbortsAReadOfAnotherThreadAndWorksAfterwards) {
    hid::HidInterface hid;
    ASSERT_EQ(hid.Open(kCommandPath, true, true, true, false), 1);
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[64];
        size_t n = 0;
        return hid.ReadReport(buffer, 64, &n, 5000);
    });
    while (!hid.ReadInProgress())
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(hid.Reopen(), 1);
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), 0);
    uint8_t report[64] = {0x04, 0x01, 0x00, 0x01};
    size_t n = 0;
    EXPECT_EQ(hid.WriteReport(report, 64, &n, 1000), 1);
    EXPECT_EQ(hid.ReadReport(report, 64, &n, 1000), 1);
}

TEST_F(InterfaceTest, UnplugFailsTheReadAndRemovesThePath) {
    hid::HidInterface hid;
    ASSERT_EQ(hid.Open(kCommandPath, true, true, true, false), 1);
    EXPECT_TRUE(hid::HidInterface::IsPathPresent(kCommandPath));
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[64];
        size_t n = 0;
        return hid.ReadReport(buffer, 64, &n, hid::kInfinite);
    });
    while (!hid.ReadInProgress())
        std::this_thread::sleep_for(1ms);
    mouse->Unplug();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), 0);
    EXPECT_FALSE(hid::HidInterface::IsPathPresent(kCommandPath));
    EXPECT_EQ(hid.Reopen(), 0);
}

TEST_F(InterfaceTest, EnumerationListsEveryCollectionOnce) {
    hid::HidInterface probe;
    ASSERT_EQ(probe.EnumerateInterfaces(), 1);
    QStringList paths;
    for (QString p = probe.NextPath(); !p.isNull(); p = probe.NextPath())
        paths << p;
    EXPECT_TRUE(paths.contains(kCommandPath));
    EXPECT_TRUE(paths.contains(kConsumerPath));
    EXPECT_TRUE(paths.contains("sim:mouse/cable?vid_320f&pid_50ef&mi_00"));
    EXPECT_TRUE(paths.contains("sim:headset/cable?vid_0c76&pid_1630&mi_03"));
    EXPECT_EQ(paths.size(), 6);  // 1 + 4 mouse, 1 headset
    probe.FreePathList();
    EXPECT_TRUE(probe.NextPath().isNull());
}

TEST_F(InterfaceTest, InputThreadSurvivesCloseAndReopenFromAnotherThread) {
    hid::HidInterface input;
    ASSERT_EQ(input.Open(kConsumerPath, true, false, true, false), 1);
    std::atomic<bool> stop{false};
    std::atomic<int> usages{0};
    std::thread reader([&] {
        uint8_t report[64];
        size_t n = 0;
        while (!stop) {
            if (input.ReadReport(report, 64, &n, 20) == 1 &&
                input.UnpackInputReport(report, n) == 1 && input.FirstUsage() == 0x0401)
                ++usages;
        }
    });
    for (int i = 0; i < 200; ++i) {
        mouse->SendUsage(0x0401);
        if (i % 10 == 0) {
            input.Close();
            input.Reopen();
        }
        std::this_thread::sleep_for(200us);
    }
    stop = true;
    reader.join();
    EXPECT_GT(usages.load(), 0);
    EXPECT_TRUE(input.IsOpen());
}
