#include "hid/DiscoveryThread.h"

#include "TestSupport.h"
#include "platform/Debug.h"
#include "sim/Simulation.h"

#include <gtest/gtest.h>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <mutex>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

struct Event {
    std::uint32_t message;
    int index;
    Clock::time_point at;
};

class Discovery : public ::testing::Test {
protected:
    Discovery() {
        window.SetHandler([this](std::uint32_t m, platform::WParam w, platform::LParam) {
            events.push_back({m, int(w), Clock::now()});
            if (m == hid::WM_DEVICE_ARRIVED) {
                // The row is bound while the message is handled.
                EXPECT_EQ(list.Row(int(w)).Attached, 1);
            }
            return platform::LResult(1);
        });
    }
    ~Discovery() override { thread.Stop(); }
    std::vector<int> Indexes(std::uint32_t message) const {
        std::vector<int> list;
        for (const Event& e : events)
            if (e.message == message)
                list.push_back(e.index);
        return list;
    }
    int Count(std::uint32_t message) const {
        return int(std::count_if(events.begin(), events.end(),
                                 [&](const Event& e) { return e.message == message; }));
    }
    bool WaitFor(std::uint32_t message, int count, std::chrono::milliseconds limit = 2000ms) {
        return testsupport::SpinUntil([&] { return Count(message) >= count; }, limit);
    }

    sim::ScopedBus bus{sim::VirtualBus::Create()};
    hid::IdentityList list;
    platform::MessageWindow window;
    hid::DiscoveryThread thread{window.Handle(), &list};
    std::vector<Event> events;
    const std::uint32_t gamingDevice = platform::RegisterWindowMessage("Gaming device");
};

}  // namespace

TEST_F(Discovery, ReportsArrivalsAndPostsGamingDeviceOnce) {
    bus->AddModel(sim::Model::Mouse);
    bus->AddModel(sim::Model::Headset);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    // In enumeration order: the consumer collection (row 5) is listed before
    // the command collection (row 4); each is claimed on its own.
    EXPECT_EQ(Indexes(hid::WM_DEVICE_ARRIVED), (std::vector<int>{5, 4, 10}));
    // The arrivals came before the announcement.
    EXPECT_EQ(events.back().message, gamingDevice);
    EXPECT_EQ(list.Row(4).DevicePath, "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04");
    EXPECT_EQ(list.Row(5).DevicePath, "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col03");
    testsupport::SpinUntil([] { return false; }, 350ms);
    EXPECT_EQ(Count(gamingDevice), 1);
    EXPECT_EQ(Count(hid::WM_DEVICE_ARRIVED), 3);  // no repeats
}

TEST_F(Discovery, HotplugAndRemovalAreReportedWithin150ms) {
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    sim::VirtualDevice* pad = bus->AddDevice(sim::DeviceKind::Mousepad);
    // Best of three cycles, so that one slow scheduling of a busy machine
    // does not decide.
    auto best = std::chrono::milliseconds::max();
    auto bestRemoval = std::chrono::milliseconds::max();
    for (int cycle = 0; cycle < 3; ++cycle) {
        const int arrivedBefore = Count(hid::WM_DEVICE_ARRIVED);
        const auto plugged = Clock::now();
        pad->SetCablePlugged(true);
        ASSERT_TRUE(WaitFor(hid::WM_DEVICE_ARRIVED, arrivedBefore + 2));
        best = std::min(best, std::chrono::duration_cast<std::chrono::milliseconds>(
                                  events.back().at - plugged));
        const int removedBefore = Count(hid::WM_DEVICE_REMOVED);
        const auto unplugged = Clock::now();
        pad->Unplug();
        ASSERT_TRUE(WaitFor(hid::WM_DEVICE_REMOVED, removedBefore + 2));
        bestRemoval = std::min(bestRemoval, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                events.back().at - unplugged));
        EXPECT_EQ(list.Row(8).Attached, 0);
        EXPECT_TRUE(list.Row(8).DevicePath.isEmpty());
    }
    EXPECT_LE(best.count(), 150);
    EXPECT_LE(bestRemoval.count(), 150);
    // Every cycle used the same rows.
    for (int i : Indexes(hid::WM_DEVICE_ARRIVED))
        EXPECT_TRUE(i == 8 || i == 9) << i;
    for (int i : Indexes(hid::WM_DEVICE_REMOVED))
        EXPECT_TRUE(i == 8 || i == 9) << i;
}

TEST_F(Discovery, WiredMouseAppearsWhileItsReceiverIsPresent) {
    sim::VirtualDevice* mouse = bus->AddModel(sim::Model::MouseReceiver);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(hid::WM_DEVICE_ARRIVED, 2));
    mouse->SetCablePlugged(true);
    ASSERT_TRUE(WaitFor(hid::WM_DEVICE_ARRIVED, 4));
    const std::vector<int> arrived = Indexes(hid::WM_DEVICE_ARRIVED);
    EXPECT_EQ(std::vector<int>(arrived.begin(), arrived.begin() + 2).size(), 2u);
    EXPECT_TRUE(
        std::is_permutation(arrived.begin(), arrived.begin() + 2, std::vector<int>{6, 7}.begin()));
    EXPECT_TRUE(
        std::is_permutation(arrived.begin() + 2, arrived.end(), std::vector<int>{4, 5}.begin()));
    EXPECT_EQ(list.Row(6).Attached, 1);
    EXPECT_EQ(list.Row(4).Attached, 1);
}

TEST_F(Discovery, ASecondIdenticalDeviceIsIgnored) {
    bus->AddModel(sim::Model::Keyboard);
    bus->AddDevice(sim::DeviceKind::Keyboard)->SetCablePlugged(true);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    testsupport::SpinUntil([] { return false; }, 250ms);
    EXPECT_EQ(Count(hid::WM_DEVICE_ARRIVED), 2);
    EXPECT_TRUE(list.Row(0).DevicePath.startsWith("sim:keyboard/"));
}

TEST_F(Discovery, FailedEnumerationsAreRetriedAndTheThreadKeepsRunning) {
    bus->FailEnumerations(3);
    bus->AddModel(sim::Model::Mousepad);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(hid::WM_DEVICE_ARRIVED, 2));
    EXPECT_TRUE(thread.IsRunning());
    // "Gaming device" is posted once, whether or not the first pass could
    // enumerate.
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    EXPECT_EQ(Count(gamingDevice), 1);
}

TEST_F(Discovery, StopsOnItsEventWithItsDebugLine) {
    QStringList lines;
    std::mutex mutex;
    platform::SetDebugSink([&](const QString& l) {
        std::lock_guard lock(mutex);
        lines << l;
    });
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    window.BeginClose();
    EXPECT_TRUE(thread.Stop(1000ms));
    platform::SetDebugSink({});
    EXPECT_TRUE(lines.contains("抓取设备线程设定退出"));
}

TEST_F(Discovery, ADevicePluggedLaterIsFoundOnALaterPass) {
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitFor(gamingDevice, 1));
    EXPECT_EQ(Count(hid::WM_DEVICE_ARRIVED), 0);
    bus->AddModel(sim::Model::KeyboardReceiver);
    ASSERT_TRUE(WaitFor(hid::WM_DEVICE_ARRIVED, 2));
    EXPECT_EQ(list.Row(2).Attached, 1);
    EXPECT_EQ(list.Row(3).Attached, 1);
}

TEST_F(Discovery, SupportedDevicePresentSeesOnlyTableInterfaces) {
    // The fixture's bus replaces the real devices and starts empty.
    EXPECT_FALSE(hid::SupportedDevicePresent());
    bus->AddModel(sim::Model::Headset);
    EXPECT_TRUE(hid::SupportedDevicePresent());
}
