// The device command set: report layout, checksum, chunking and one builder
// per command id. Every builder returns 1 on success, 0 when nothing could be
// done, -1 when writing failed, -101 when the device behind the receiver did
// not answer, -102/-103 for an answer status of 0xFF/0xFE and -201 for a key
// table write to a profile other than 0. A multi-chunk transfer stops at the
// first chunk that does not succeed and returns its code. Builders take the
// channel's command or light lock themselves for the whole transfer: never
// call one with that lock held.
#pragma once

#include "hid/CommandChannel.h"

#include <cstddef>
#include <cstdint>

namespace hid {

inline constexpr uint8_t kReportId = 0x04;
inline constexpr int kResultStatusFF = -102;
inline constexpr int kResultStatusFE = -103;
inline constexpr int kResultBadProfile = -201;
inline constexpr size_t kDeviceInfoLength = 34;
inline constexpr size_t kMaxChunk = 56;

enum CommandId : uint8_t {
    kCmdBeginAccess = 0x01,
    kCmdEndAccess = 0x02,
    kCmdReadDeviceInfo = 0x03,
    kCmdReadSettings = 0x05,
    kCmdWriteSettings = 0x06,
    kCmdReadKeyTable = 0x07,
    kCmdWriteKeyTable = 0x09,
    kCmdReadBlock = 0x0A,
    kCmdWriteBlock = 0x0B,
    kCmdWriteLightFrame = 0x12,
    kCmdWriteMacroData = 0x15,
    kCmdWriteShootData = 0x17,
    kCmdReadMemory = 0x1A,
    kCmdReadKeyLightMap = 0x1B,
    kCmdResumeLighting = 0x1C,
    kCmdWriteFnKeyTable = 0x27,
    kCmdQueryLink = 0xAA,
};

// Sum of bytes 3..63 as unsigned bytes, truncated to 16 bits.
uint16_t CommandChecksum(const uint8_t* report64);
// Fills a 64-byte command report (data may be null) including the checksum.
void BuildCommandReport(uint8_t* report64, uint8_t id, uint8_t length, uint16_t address,
                        const uint8_t* data, size_t dataLength);
// Result code of an exchange result and its answer's status byte.
int CheckAnswer(int exchangeResult, const uint8_t* answer64);

int BeginAccess(CommandChannel& channel);
int EndAccess(CommandChannel& channel);  // waits 10 ms before sending
int ReadDeviceInfo(CommandChannel& channel, uint8_t* info34);
int ReadSettings(CommandChannel& channel, uint32_t address, uint8_t* out, size_t length);
int WriteSettings(CommandChannel& channel, uint32_t address, const uint8_t* data, size_t length);
// Block-length transfers of the key tables.
int ReadKeyTable(CommandChannel& channel, uint8_t* out);
int WriteKeyTable(CommandChannel& channel, int profile, const uint8_t* data);
int WriteFnKeyTable(CommandChannel& channel, int profile, const uint8_t* data);
// One third of the block length: one LED position per key.
int ReadKeyLightMap(CommandChannel& channel, uint8_t* out);
int ReadBlock(CommandChannel& channel, int index, uint32_t blockSize, uint8_t* out, size_t length);
int WriteBlock(CommandChannel& channel, int index, uint32_t blockSize, const uint8_t* data,
               size_t length);
// Quiet exchange under the light lock; chunks are dropped (counted as sent)
// while another exchange keeps the channel busy.
int WriteLightFrame(CommandChannel& channel, const uint8_t* data, size_t length);
int WriteMacroData(CommandChannel& channel, const uint8_t* data, size_t length);
// Always 56-byte chunks, under the command lock.
int WriteShootData(CommandChannel& channel, const uint8_t* data, size_t length);
// One chunk of at most 56 bytes.
int ReadMemory(CommandChannel& channel, uint32_t address, uint8_t* out, size_t length);
int ResumeLighting(CommandChannel& channel);
// Wired channels are always "present" without sending. `result` receives the
// exchange code when a query was sent (1 otherwise).
bool QueryLink(CommandChannel& channel, int* result = nullptr);

// A chunked read with any read command id (diagnostics).
int ReadRange(CommandChannel& channel, uint8_t id, uint32_t address, uint8_t* out, size_t length);

// One command report as given (diagnostics): the whole answer is returned.
int RawCommand(CommandChannel& channel, uint8_t id, uint8_t length, uint16_t address,
               const uint8_t* data, size_t dataLength, uint8_t* answer64);

// The fields of the device information block the families use.
struct DeviceInfoBlock {
    uint8_t keyCount = 0;
    uint8_t macroMemoryUnits = 0;  // x 128 bytes
    uint16_t sensorId = 0;
    uint8_t dpiStep = 0;
    uint16_t dpiMaxIndex = 0;
    uint16_t dpiMin = 0;
    static DeviceInfoBlock Decode(const uint8_t* info34);
};

}  // namespace hid
