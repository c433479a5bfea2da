// The per-device command transport: the device's own command interface and
// its receiver's, the connection type with its chunk size, the block length,
// the locks that serialise commands, and the two exchange operations.
//
// Lock order: the command lock or the light lock first, then the exchange
// lock. The exchange lock is held around the write and, separately, around
// the reads of one exchange.
#pragma once

#include "hid/HidInterface.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace hid {

// Exchange results (the command builders add their own codes).
inline constexpr int kResultOk = 1;
inline constexpr int kResultNothing = 0;
inline constexpr int kResultWriteFailed = -1;
inline constexpr int kResultNoLink = -101;

inline constexpr int kReportLength = 64;
inline constexpr uint16_t kMaxBlockLength = 512;

// Time limits of one transfer, in milliseconds.
inline constexpr uint32_t kWiredTimeoutMs = 1000;
inline constexpr uint32_t kWirelessTimeoutMs = 5000;
inline constexpr uint32_t kWirelessLightTimeoutMs = 500;

enum ConnectionType { kConnectionWired = 1, kConnectionWireless = 2 };

class CommandChannel {
public:
    CommandChannel();
    ~CommandChannel();
    CommandChannel(const CommandChannel&) = delete;
    CommandChannel& operator=(const CommandChannel&) = delete;

    // 2 = wireless (chunk size 24); 1 and anything else = wired (56).
    void SetConnectionType(int type);
    bool IsWireless() const { return wireless_; }
    uint8_t ChunkSize() const { return chunkSize_; }

    // Refuses lengths above 512 (returns 0, keeps the old one).
    int SetBlockLength(uint16_t length);
    uint16_t BlockLength() const { return blockLength_; }

    bool IsOpened() const { return opened_; }
    void SetOpened(bool opened) { opened_ = opened; }
    bool IsBusy() const { return busy_ != 0; }
    bool SyncLighting() const { return syncLighting_; }
    void SetSyncLighting(bool on) { syncLighting_ = on; }

    // Opens the wired or the receiver interface on `path` (read, write,
    // shared) under the exchange lock; the caller then sets the connection
    // type and the opened flag. 1 or 0.
    int OpenInterface(const QString& path, bool receiver);
    // Clears the opened flag and closes both interfaces; an exchange blocked
    // in a read or write ends at once with its failure code.
    void CloseInterfaces();

    HidInterface& WiredInterface() { return wired_; }
    HidInterface& ReceiverInterface() { return receiver_; }
    // The interface exchanges go through: the receiver's when wireless.
    HidInterface& ActiveInterface() { return wireless_ ? receiver_ : wired_; }

    std::mutex& ExchangeLock() { return exchangeLock_; }
    std::mutex& CommandLock() { return commandLock_; }
    std::mutex& LightLock() { return lightLock_; }

    // One exchange with the debug dump: write the command (padded or cut to
    // 64 bytes), then read up to two answers until one carries the command's
    // byte 3. 1 with the matching answer; 0 when not opened, a read failed or
    // no answer matched; -1 when the write failed; -101 when wireless and the
    // receiver answered 0xAA.
    int SendCommand(const uint8_t* command, size_t commandLength, uint8_t* answer,
                    size_t answerCapacity, size_t* answerLength);
    // The same without the dump, with the shorter wireless time limit.
    int SendLightCommand(const uint8_t* command, size_t commandLength, uint8_t* answer,
                         size_t answerCapacity, size_t* answerLength);

    // Receives every report exchanged: sent = true for the command.
    using TraceHook = std::function<void(bool sent, const uint8_t* report, size_t length)>;
    void SetTraceHook(TraceHook hook) { trace_ = std::move(hook); }

    // One line of 32 bytes in the dump format.
    static QString DumpLine(const uint8_t* bytes32);

private:
    int Exchange(const uint8_t* command, size_t commandLength, uint8_t* answer,
                 size_t answerCapacity, size_t* answerLength, uint32_t timeoutMs, bool dump);

    std::atomic<uint16_t> blockLength_{kMaxBlockLength};
    std::atomic<uint8_t> busy_{0};
    std::atomic<bool> opened_{false};
    std::atomic<bool> syncLighting_{false};
    HidInterface wired_;
    HidInterface receiver_;
    std::mutex exchangeLock_;
    std::mutex commandLock_;
    std::mutex lightLock_;
    std::atomic<bool> wireless_{false};
    std::atomic<uint8_t> chunkSize_{24};
    // Set when an exchange ended without its answer: a late answer may still
    // arrive, so the next exchange first drops what is waiting.
    std::atomic<bool> drainBeforeNext_{false};
    TraceHook trace_;
};

}  // namespace hid
