#include "hid/Commands.h"

#include "platform/Debug.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace hid {

namespace {

enum class Lock { Command, Light, None };

struct TransferSpec {
    uint8_t id = 0;
    uint32_t address = 0;
    uint8_t* readTo = nullptr;
    const uint8_t* writeFrom = nullptr;
    size_t length = 0;
    size_t chunk = 24;
    Lock lock = Lock::Command;
    bool quiet = false;
    bool dropWhileBusy = false;
};

int SendOne(CommandChannel& channel, const TransferSpec& spec, uint8_t length, uint32_t address,
            const uint8_t* data, uint8_t* answer) {
    uint8_t report[kReportLength];
    BuildCommandReport(report, spec.id, length, uint16_t(address), data, data ? length : 0);
    size_t got = 0;
    const int r = spec.quiet
                      ? channel.SendLightCommand(report, kReportLength, answer, kReportLength, &got)
                      : channel.SendCommand(report, kReportLength, answer, kReportLength, &got);
    return CheckAnswer(r, answer);
}

int RunTransfer(CommandChannel& channel, const TransferSpec& spec) {
    if (spec.address + spec.length > 0x10000u)
        return kResultNothing;  // the address field has 16 bits
    std::unique_lock<std::mutex> lock;
    if (spec.lock == Lock::Command)
        lock = std::unique_lock(channel.CommandLock());
    else if (spec.lock == Lock::Light)
        lock = std::unique_lock(channel.LightLock());
    uint8_t answer[kReportLength];
    if (spec.length == 0) {
        std::memset(answer, 0, sizeof answer);
        return SendOne(channel, spec, 0, spec.address, nullptr, answer);
    }
    const size_t chunk = std::clamp<size_t>(spec.chunk, 1, kMaxChunk);
    for (size_t done = 0; done < spec.length; done += chunk) {
        const size_t n = std::min(chunk, spec.length - done);
        if (spec.dropWhileBusy && channel.IsBusy()) {
            platform::DebugLine(QStringLiteral("放弃灯光数据"));
            continue;
        }
        std::memset(answer, 0, sizeof answer);
        const int r = SendOne(channel, spec, uint8_t(n), spec.address + uint32_t(done),
                              spec.writeFrom ? spec.writeFrom + done : nullptr, answer);
        if (r != kResultOk)
            return r;
        if (spec.readTo)
            std::memcpy(spec.readTo + done, answer + 8, n);
    }
    return kResultOk;
}

TransferSpec Read(CommandChannel& ch, uint8_t id, uint32_t address, uint8_t* out, size_t length) {
    TransferSpec s;
    s.id = id;
    s.address = address;
    s.readTo = out;
    s.length = out ? length : 0;
    s.chunk = ch.ChunkSize();
    return s;
}

TransferSpec Write(CommandChannel& ch, uint8_t id, uint32_t address, const uint8_t* data,
                   size_t length) {
    TransferSpec s;
    s.id = id;
    s.address = address;
    s.writeFrom = data;
    s.length = data ? length : 0;
    s.chunk = ch.ChunkSize();
    return s;
}

int Simple(CommandChannel& channel, uint8_t id) {
    TransferSpec s;
    s.id = id;
    return RunTransfer(channel, s);
}

}  // namespace

uint16_t CommandChecksum(const uint8_t* report) {
    uint32_t sum = 0;
    for (int i = 3; i < kReportLength; ++i)
        sum += report[i];
    return uint16_t(sum);
}

void BuildCommandReport(uint8_t* report, uint8_t id, uint8_t length, uint16_t address,
                        const uint8_t* data, size_t dataLength) {
    std::memset(report, 0, kReportLength);
    report[0] = kReportId;
    report[3] = id;
    report[4] = length;
    report[5] = uint8_t(address);
    report[6] = uint8_t(address >> 8);
    if (data)
        std::memcpy(report + 8, data, std::min<size_t>(dataLength, kMaxChunk));
    const uint16_t sum = CommandChecksum(report);
    report[1] = uint8_t(sum);
    report[2] = uint8_t(sum >> 8);
}

int CheckAnswer(int exchangeResult, const uint8_t* answer) {
    if (exchangeResult != kResultOk)
        return exchangeResult;
    if (answer[7] == 0xFF)
        return kResultStatusFF;
    if (answer[7] == 0xFE)
        return kResultStatusFE;
    return kResultOk;
}

int BeginAccess(CommandChannel& channel) {
    return Simple(channel, kCmdBeginAccess);
}

int EndAccess(CommandChannel& channel) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return Simple(channel, kCmdEndAccess);
}

int ReadDeviceInfo(CommandChannel& channel, uint8_t* info) {
    if (!info)
        return kResultNothing;
    return RunTransfer(channel, Read(channel, kCmdReadDeviceInfo, 0, info, kDeviceInfoLength));
}

int ReadSettings(CommandChannel& channel, uint32_t address, uint8_t* out, size_t length) {
    if (!out || length == 0)
        return kResultNothing;
    return RunTransfer(channel, Read(channel, kCmdReadSettings, address, out, length));
}

int WriteSettings(CommandChannel& channel, uint32_t address, const uint8_t* data, size_t length) {
    if (!data || length == 0)
        return kResultNothing;
    return RunTransfer(channel, Write(channel, kCmdWriteSettings, address, data, length));
}

int ReadKeyTable(CommandChannel& channel, uint8_t* out) {
    if (!out || channel.BlockLength() == 0)
        return kResultNothing;
    return RunTransfer(channel, Read(channel, kCmdReadKeyTable, 0, out, channel.BlockLength()));
}

static int WriteLayer(CommandChannel& channel, uint8_t id, int profile, const uint8_t* data) {
    if (profile != 0)
        return kResultBadProfile;
    if (!data || channel.BlockLength() == 0)
        return kResultNothing;
    return RunTransfer(channel,
                       Write(channel, id, uint32_t(profile) * 512, data, channel.BlockLength()));
}

int WriteKeyTable(CommandChannel& channel, int profile, const uint8_t* data) {
    return WriteLayer(channel, kCmdWriteKeyTable, profile, data);
}

int WriteFnKeyTable(CommandChannel& channel, int profile, const uint8_t* data) {
    return WriteLayer(channel, kCmdWriteFnKeyTable, profile, data);
}

int ReadKeyLightMap(CommandChannel& channel, uint8_t* out) {
    const size_t length = channel.BlockLength() / 3;
    if (!out || length == 0)
        return kResultNothing;
    return RunTransfer(channel, Read(channel, kCmdReadKeyLightMap, 0, out, length));
}

int ReadBlock(CommandChannel& channel, int index, uint32_t blockSize, uint8_t* out, size_t length) {
    if (!out || length == 0 || index < 0)
        return kResultNothing;
    return RunTransfer(channel,
                       Read(channel, kCmdReadBlock, uint32_t(index) * blockSize, out, length));
}

int WriteBlock(CommandChannel& channel, int index, uint32_t blockSize, const uint8_t* data,
               size_t length) {
    if (!data || length == 0 || index < 0)
        return kResultNothing;
    TransferSpec s = Write(channel, kCmdWriteBlock, uint32_t(index) * blockSize, data, length);
    s.lock = Lock::Light;
    return RunTransfer(channel, s);
}

int WriteLightFrame(CommandChannel& channel, const uint8_t* data, size_t length) {
    if (!data || length == 0)
        return kResultNothing;
    TransferSpec s = Write(channel, kCmdWriteLightFrame, 0, data, length);
    s.lock = Lock::Light;
    s.quiet = true;
    s.dropWhileBusy = true;
    return RunTransfer(channel, s);
}

int WriteMacroData(CommandChannel& channel, const uint8_t* data, size_t length) {
    if (!data || length == 0)
        return kResultNothing;
    return RunTransfer(channel, Write(channel, kCmdWriteMacroData, 0, data, length));
}

int WriteShootData(CommandChannel& channel, const uint8_t* data, size_t length) {
    if (!data || length == 0)
        return kResultNothing;
    TransferSpec s = Write(channel, kCmdWriteShootData, 0, data, length);
    s.chunk = kMaxChunk;
    return RunTransfer(channel, s);
}

int ReadMemory(CommandChannel& channel, uint32_t address, uint8_t* out, size_t length) {
    if (!out || length == 0 || length > kMaxChunk)
        return kResultNothing;
    TransferSpec s = Read(channel, kCmdReadMemory, address, out, length);
    s.chunk = kMaxChunk;
    return RunTransfer(channel, s);
}

int ResumeLighting(CommandChannel& channel) {
    return Simple(channel, kCmdResumeLighting);
}

bool QueryLink(CommandChannel& channel, int* result) {
    if (!channel.IsWireless()) {
        if (result)
            *result = kResultOk;
        return true;
    }
    std::lock_guard lock(channel.CommandLock());
    uint8_t report[kReportLength];
    uint8_t answer[kReportLength] = {};
    BuildCommandReport(report, kCmdQueryLink, 0, 0, nullptr, 0);
    size_t got = 0;
    const int r = channel.SendCommand(report, kReportLength, answer, kReportLength, &got);
    if (result)
        *result = CheckAnswer(r, answer);
    return r == kResultOk && answer[8] == 0xFF && answer[7] != 0xFF && answer[7] != 0xFE;
}

int ReadRange(CommandChannel& channel, uint8_t id, uint32_t address, uint8_t* out, size_t length) {
    if (!out || length == 0)
        return kResultNothing;
    return RunTransfer(channel, Read(channel, id, address, out, length));
}

int RawCommand(CommandChannel& channel, uint8_t id, uint8_t length, uint16_t address,
               const uint8_t* data, size_t dataLength, uint8_t* answer) {
    std::lock_guard lock(channel.CommandLock());
    uint8_t report[kReportLength];
    BuildCommandReport(report, id, length, address, data, dataLength);
    size_t got = 0;
    std::memset(answer, 0, kReportLength);
    const int r = channel.SendCommand(report, kReportLength, answer, kReportLength, &got);
    return CheckAnswer(r, answer);
}

DeviceInfoBlock DeviceInfoBlock::Decode(const uint8_t* b) {
    DeviceInfoBlock d;
    d.keyCount = b[5];
    d.macroMemoryUnits = b[6];
    d.sensorId = uint16_t(b[9] | b[10] << 8);
    d.dpiStep = b[11];
    d.dpiMaxIndex = uint16_t(b[12] | b[13] << 8);
    d.dpiMin = uint16_t(b[14] | b[15] << 8);
    return d;
}

}  // namespace hid
