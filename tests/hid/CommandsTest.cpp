#include "hid/Commands.h"

#include "ChannelFixture.h"
#include "EchoBackend.h"
#include "platform/Debug.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace std::chrono_literals;
using namespace testhid;

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        hid::BackendRegistry::Instance().Add(echo);
        ASSERT_EQ(channel.WiredInterface().Open(EchoBackend::kPath, true, true, true, false), 1);
        ASSERT_EQ(channel.ReceiverInterface().Open(EchoBackend::kPath, true, true, true, false), 1);
        channel.SetConnectionType(hid::kConnectionWired);
        channel.SetOpened(true);
    }
    void TearDown() override { hid::BackendRegistry::Instance().Remove(echo); }
    std::vector<std::pair<int, int>> Chunks() {  // (length, address) per report
        std::vector<std::pair<int, int>> list;
        for (const Report& r : echo->Written())
            list.push_back({r[4], r[5] | r[6] << 8});
        return list;
    }
    std::shared_ptr<EchoBackend> echo = std::make_shared<EchoBackend>();
    hid::CommandChannel channel;
};

}  // namespace

TEST(CommandReport, LayoutAndChecksum) {
    uint8_t r[64];
    hid::BuildCommandReport(r, hid::kCmdBeginAccess, 0, 0, nullptr, 0);
    EXPECT_EQ(r[0], 0x04);
    EXPECT_EQ(r[1], 0x01);
    EXPECT_EQ(r[2], 0x00);
    const uint8_t data[3] = {0xFF, 0xFF, 0xFF};
    hid::BuildCommandReport(r, 0x06, 3, 0x0180, data, 3);
    EXPECT_EQ(r[5], 0x80);
    EXPECT_EQ(r[6], 0x01);
    EXPECT_EQ(r[7], 0);
    const uint16_t sum = 0x06 + 3 + 0x80 + 0x01 + 3 * 0xFF;
    EXPECT_EQ(r[1] | r[2] << 8, sum);
    EXPECT_EQ(hid::CommandChecksum(r), sum);
}

TEST_F(Commands, InformationReadIsOneChunkWiredAndTwoWireless) {
    uint8_t info[34];
    ASSERT_EQ(hid::ReadDeviceInfo(channel, info), 1);
    EXPECT_EQ(Chunks(), (std::vector<std::pair<int, int>>{{34, 0}}));
    EXPECT_EQ(info[0], 0);  // echo data = address + offset
    EXPECT_EQ(info[33], 33);
    echo->written.clear();
    channel.SetConnectionType(hid::kConnectionWireless);
    ASSERT_EQ(hid::ReadDeviceInfo(channel, info), 1);
    EXPECT_EQ(Chunks(), (std::vector<std::pair<int, int>>{{24, 0}, {10, 24}}));
    EXPECT_EQ(info[24], 24);
    EXPECT_EQ(info[33], 33);
}

TEST_F(Commands, KeyTableOf510BytesTakesTenWiredChunks) {
    ASSERT_EQ(channel.SetBlockLength(510), 1);
    std::vector<uint8_t> table(510);
    ASSERT_EQ(hid::ReadKeyTable(channel, table.data()), 1);
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 10u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(chunks[i], std::make_pair(56, 56 * i));
    EXPECT_EQ(chunks[9], std::make_pair(6, 504));
    EXPECT_EQ(table[504], uint8_t(504));
    echo->written.clear();
    ASSERT_EQ(hid::ReadKeyLightMap(channel, table.data()), 1);  // 170 bytes
    EXPECT_EQ(Chunks().back(), std::make_pair(170 - 3 * 56, 168));
}

TEST_F(Commands, KeyTableWritesOnlyForProfileZero) {
    std::vector<uint8_t> table(512, 1);
    EXPECT_EQ(hid::WriteKeyTable(channel, 1, table.data()), hid::kResultBadProfile);
    EXPECT_EQ(hid::WriteFnKeyTable(channel, 2, table.data()), hid::kResultBadProfile);
    EXPECT_TRUE(echo->Written().empty());
    ASSERT_EQ(channel.SetBlockLength(100), 1);
    EXPECT_EQ(hid::WriteFnKeyTable(channel, 0, table.data()), 1);
    EXPECT_EQ(Chunks(), (std::vector<std::pair<int, int>>{{56, 0}, {44, 56}}));
    EXPECT_EQ(echo->Written()[0][3], 0x27);
}

TEST_F(Commands, StatusBytesEndATransferAtThatChunk) {
    const std::pair<uint8_t, int> statuses[] = {{0xFE, hid::kResultStatusFE},
                                                {0xFF, hid::kResultStatusFF}};
    for (auto [status, code] : statuses) {
        echo->written.clear();
        echo->respond = [status = status](const Report& c) {
            Report a = c;
            a[7] = (c[5] | c[6] << 8) == 56 ? status : 0;
            return std::vector<Report>{a};
        };
        std::vector<uint8_t> data(200, 7);
        EXPECT_EQ(hid::WriteMacroData(channel, data.data(), data.size()), code);
        EXPECT_EQ(echo->Written().size(), 2u);
    }
}

TEST_F(Commands, ShootDataUsesFiftySixByteChunksEvenWireless) {
    channel.SetConnectionType(hid::kConnectionWireless);
    std::vector<uint8_t> data(120, 3);
    ASSERT_EQ(hid::WriteShootData(channel, data.data(), data.size()), 1);
    EXPECT_EQ(Chunks(), (std::vector<std::pair<int, int>>{{56, 0}, {56, 56}, {8, 112}}));
}

TEST_F(Commands, ShootDataWaitsForTheCommandLock) {
    std::vector<uint8_t> data(120, 3);
    std::unique_lock held(channel.CommandLock());
    auto writer = std::async(
        std::launch::async, [&] { return hid::WriteShootData(channel, data.data(), data.size()); });
    EXPECT_EQ(writer.wait_for(100ms), std::future_status::timeout);
    EXPECT_TRUE(echo->Written().empty());  // no chunk slipped in between
    held.unlock();
    EXPECT_EQ(writer.get(), 1);
    EXPECT_EQ(echo->Written().size(), 3u);
}

TEST_F(Commands, LightFramesAreDroppedWhileTheChannelIsBusy) {
    // A slow exchange keeps the channel busy.
    std::promise<void> release;
    auto gate = release.get_future().share();
    echo->respond = [gate](const Report& c) {
        if (c[3] == 0x05)
            gate.wait();
        Report a = c;
        return std::vector<Report>{a};
    };
    auto slow = std::async(std::launch::async, [&] {
        uint8_t out[4];
        return hid::ReadSettings(channel, 0, out, 4);
    });
    while (!channel.IsBusy())
        std::this_thread::sleep_for(1ms);
    QStringList lines;
    platform::SetDebugSink([&](const QString& l) { lines << l; });
    std::vector<uint8_t> frame(100, 9);
    EXPECT_EQ(hid::WriteLightFrame(channel, frame.data(), frame.size()), 1);
    platform::SetDebugSink({});
    release.set_value();
    EXPECT_EQ(slow.get(), 1);
    EXPECT_EQ(lines.count("放弃灯光数据"), 2);  // both chunks dropped
    for (const Report& r : echo->Written())
        EXPECT_NE(r[3], 0x12);
    // Not busy: sent, quietly.
    EXPECT_EQ(hid::WriteLightFrame(channel, frame.data(), frame.size()), 1);
    EXPECT_EQ(echo->Written().back()[3], 0x12);
}

TEST_F(Commands, ReadMemoryIsOneChunkOfAtMost56) {
    uint8_t out[60];
    EXPECT_EQ(hid::ReadMemory(channel, 0, out, 57), 0);
    EXPECT_TRUE(echo->Written().empty());
    EXPECT_EQ(hid::ReadMemory(channel, 0x10, out, 6), 1);
    EXPECT_EQ(Chunks(), (std::vector<std::pair<int, int>>{{6, 0x10}}));
}

TEST_F(Commands, AddressesBeyondSixteenBitsAreRefused) {
    uint8_t out[8];
    EXPECT_EQ(hid::ReadBlock(channel, 200, 384, out, 8), 0);
    EXPECT_TRUE(echo->Written().empty());
}

TEST_F(Commands, EndAccessWaitsTenMilliseconds) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(hid::EndAccess(channel), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 10ms);
    EXPECT_EQ(echo->Written()[0][3], 0x02);
}

TEST(QueryLink, WiredIsPresentWithoutSendingAndReceiverReportsTheDevice) {
    sim::ScopedBus bus{sim::CreateBus({sim::Model::MouseReceiver})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::CommandChannel channel;
    int result = 0;
    EXPECT_TRUE(hid::QueryLink(channel, &result));  // wired, not even opened
    ASSERT_TRUE(OpenChannel(channel, kMouseReceiver, true));
    EXPECT_TRUE(hid::QueryLink(channel, &result));
    EXPECT_EQ(result, 1);
    mouse->SetPoweredOn(false);
    // The receiver's 0xAA answer matches the query's own id: absent by byte 8.
    EXPECT_FALSE(hid::QueryLink(channel, &result));
    EXPECT_EQ(result, 1);
    const int before = mouse->CommandsReceived();
    uint8_t info[34];
    EXPECT_EQ(hid::ReadDeviceInfo(channel, info), hid::kResultNoLink);
    EXPECT_EQ(mouse->CommandsReceived(), before);  // the receiver answered for it
}
