#include "hid/CommandChannel.h"
#include "hid/Commands.h"

#include "ChannelFixture.h"
#include "EchoBackend.h"
#include "platform/Debug.h"

#include <gtest/gtest.h>
#include <QStringList>

#include <future>
#include <thread>

using namespace std::chrono_literals;
using namespace testhid;

namespace {

std::vector<uint8_t> Command(uint8_t id) {
    std::vector<uint8_t> c(64, 0);
    hid::BuildCommandReport(c.data(), id, 0, 0, nullptr, 0);
    return c;
}

class SimChannel : public ::testing::Test {
protected:
    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mouse, sim::Model::MouseReceiver})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::CommandChannel channel;
    uint8_t answer[64] = {};
    size_t got = 0;
    int Send(uint8_t id) {
        const auto c = Command(id);
        return channel.SendCommand(c.data(), c.size(), answer, 64, &got);
    }
};

class EchoChannel : public ::testing::Test {
protected:
    void SetUp() override {
        hid::BackendRegistry::Instance().Add(echo);
        ASSERT_EQ(channel.WiredInterface().Open(EchoBackend::kPath, true, true, true, false), 1);
        channel.SetConnectionType(hid::kConnectionWired);
        channel.SetOpened(true);
    }
    void TearDown() override { hid::BackendRegistry::Instance().Remove(echo); }
    std::shared_ptr<EchoBackend> echo = std::make_shared<EchoBackend>();
    hid::CommandChannel channel;
    uint8_t answer[64] = {};
    size_t got = 0;
};

}  // namespace

TEST(CommandChannelState, ConnectionTypeChunkSizeAndBlockLength) {
    hid::CommandChannel channel;
    EXPECT_EQ(channel.ChunkSize(), 24);
    EXPECT_EQ(channel.BlockLength(), 512);
    EXPECT_FALSE(channel.IsOpened());
    const std::pair<int, int> types[] = {{1, 56}, {2, 24}, {0, 56}, {7, 56}};
    for (auto [type, chunk] : types) {
        channel.SetConnectionType(type);
        EXPECT_EQ(channel.ChunkSize(), chunk) << type;
        EXPECT_EQ(channel.IsWireless(), type == 2);
    }
    EXPECT_EQ(channel.SetBlockLength(366), 1);
    EXPECT_EQ(channel.SetBlockLength(513), 0);
    EXPECT_EQ(channel.BlockLength(), 366);
    EXPECT_EQ(channel.SetBlockLength(512), 1);
}

TEST_F(EchoChannel, PadsShortCommandsAndCutsLongOnes) {
    uint8_t shortCommand[10] = {0x04, 0, 0, 0x05, 1, 0, 0, 0, 0xAB, 0xCD};
    ASSERT_EQ(channel.SendCommand(shortCommand, 10, answer, 64, &got), 1);
    std::vector<uint8_t> longCommand(100, 0x11);
    longCommand[0] = 0x04;
    longCommand[3] = 0x05;
    ASSERT_EQ(channel.SendCommand(longCommand.data(), 100, answer, 64, &got), 1);
    const auto written = echo->Written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0][9], 0xCD);
    for (int i = 10; i < 64; ++i)
        EXPECT_EQ(written[0][i], 0) << i;
    EXPECT_EQ(written[1][63], 0x11);
    EXPECT_EQ(got, 64u);
    EXPECT_FALSE(channel.IsBusy());
}

TEST_F(EchoChannel, NotOpenedSendsNothing) {
    channel.SetOpened(false);
    const auto c = Command(1);
    EXPECT_EQ(channel.SendCommand(c.data(), 64, answer, 64, &got), 0);
    EXPECT_TRUE(echo->Written().empty());
}

TEST_F(EchoChannel, ZeroXAAOnAWiredChannelIsJustAnUnmatchedAnswer) {
    echo->respond = [](const Report&) {
        Report a{};
        a[0] = 4;
        a[3] = 0xAA;
        return std::vector<Report>{a, a};
    };
    const auto c = Command(0x05);
    EXPECT_EQ(channel.SendCommand(c.data(), 64, answer, 64, &got), 0);
}

TEST_F(EchoChannel, DumpsCommandAndAnswerInTheDebugFormat) {
    QStringList lines;
    platform::SetDebugSink([&](const QString& l) { lines << l; });
    std::vector<uint8_t> c(64);
    for (int i = 0; i < 64; ++i)
        c[i] = uint8_t(i);
    c[0] = 0x04;
    c[3] = 0x05;
    ASSERT_EQ(channel.SendCommand(c.data(), 64, answer, 64, &got), 1);
    ASSERT_EQ(channel.SendLightCommand(c.data(), 64, answer, 64, &got), 1);  // quiet
    platform::SetDebugSink({});
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1],
              "04 01 02 05   04 05 06 07   08 09 0a 0b   0c 0d 0e 0f  10 11 12 13  14 15 16 17  "
              "18 19 1a 1b  1c 1d 1e 1f");
    EXPECT_EQ(lines[2].left(11), "20 21 22 23");
    EXPECT_EQ(lines[3], "返回");
    EXPECT_EQ(lines[4].left(11), "04 01 02 05");
}

TEST_F(SimChannel, AnswerAfterAnUnsolicitedReportIsFound) {
    ASSERT_TRUE(OpenChannel(channel, kMouseCable, false));
    mouse->SetUnsolicitedBeforeAnswer(1);
    EXPECT_EQ(Send(0x01), 1);
    EXPECT_EQ(answer[3], 0x01);
}

TEST_F(SimChannel, TwoUnrelatedReportsAreNotTakenForTheAnswer) {
    ASSERT_TRUE(OpenChannel(channel, kMouseCable, false));
    mouse->SetUnsolicitedBeforeAnswer(2);
    EXPECT_EQ(Send(0x01), 0);
    EXPECT_NE(answer[3], 0x01);
    // The real answer is still queued; the next exchange drops it first.
    mouse->SetUnsolicitedBeforeAnswer(0);
    EXPECT_EQ(Send(0x02), 1);
    EXPECT_EQ(answer[3], 0x02);
}

TEST_F(SimChannel, DeviceOffBehindTheReceiverGivesMinus101) {
    ASSERT_TRUE(OpenChannel(channel, kMouseReceiver, true));
    EXPECT_EQ(Send(0x01), 1);
    mouse->SetPoweredOn(false);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Send(0x03), hid::kResultNoLink);
    // No second read was waited for (its time limit is 5 s).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

TEST_F(SimChannel, WriteFailureIsMinusOneAndTimeoutIsZero) {
    ASSERT_TRUE(OpenChannel(channel, kMouseCable, false));
    mouse->DropAnswers(1);
    EXPECT_EQ(Send(0x01), 0);  // waited the 1000 ms limit
    EXPECT_EQ(Send(0x01), 1);
    mouse->Unplug();
    EXPECT_EQ(Send(0x01), hid::kResultWriteFailed);
    EXPECT_FALSE(channel.IsBusy());
}

TEST_F(SimChannel, ALateAnswerDoesNotPoisonTheNextExchange) {
    ASSERT_TRUE(OpenChannel(channel, kMouseCable, false));
    mouse->SetAnswerDelay(1300ms);
    uint8_t out[1] = {};
    EXPECT_EQ(hid::ReadSettings(channel, 0, out, 1), 0);
    mouse->SetAnswerDelay(0ms);
    std::this_thread::sleep_for(500ms);  // the late answer has arrived by now
    ASSERT_TRUE(mouse->SetRegionBytes("settings", 0, {3}));
    EXPECT_EQ(hid::ReadSettings(channel, 0, out, 1), 1);
    EXPECT_EQ(out[0], 3);
}

TEST_F(SimChannel, UnplugDuringAMultiChunkTransferEndsCleanly) {
    ASSERT_TRUE(OpenChannel(channel, kMouseCable, false));
    ASSERT_EQ(channel.SetBlockLength(33), 1);
    std::vector<uint8_t> macro(600, 0x5A);
    mouse->UnplugAfterCommands(4);  // during the 4th of 11 chunks
    const int r = hid::WriteMacroData(channel, macro.data(), macro.size());
    EXPECT_TRUE(r == 0 || r == -1) << r;
    EXPECT_FALSE(channel.IsBusy());
    // Plugged back and reopened: the next exchange is clean.
    mouse->SetCablePlugged(true);
    ASSERT_EQ(channel.WiredInterface().Reopen(), 1);
    uint8_t info[34] = {};
    EXPECT_EQ(hid::ReadDeviceInfo(channel, info), 1);
    EXPECT_EQ(info[5], 11);
}

TEST_F(SimChannel, ClosingTheChannelEndsAnExchangeWaitingForItsAnswer) {
    ASSERT_EQ(channel.OpenInterface(kMouseReceiver, true), 1);
    channel.SetConnectionType(hid::kConnectionWireless);
    channel.SetOpened(true);
    mouse->SetAnswerDelay(4000ms);
    auto exchange = std::async(std::launch::async, [&] { return Send(0x01); });
    while (!channel.IsBusy() || !channel.ReceiverInterface().ReadInProgress())
        std::this_thread::sleep_for(1ms);
    const auto start = std::chrono::steady_clock::now();
    channel.CloseInterfaces();
    // Well before the 5000 ms limit of the wireless read.
    ASSERT_EQ(exchange.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(exchange.get(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_FALSE(channel.IsOpened());
    EXPECT_EQ(Send(0x01), 0);  // not opened
}
