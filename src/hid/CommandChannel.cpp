#include "hid/CommandChannel.h"

#include "platform/Debug.h"

#include <algorithm>
#include <cstring>

namespace hid {

CommandChannel::CommandChannel() = default;
CommandChannel::~CommandChannel() = default;

void CommandChannel::SetConnectionType(int type) {
    const bool wireless = type == kConnectionWireless;
    wireless_ = wireless;
    chunkSize_ = wireless ? 24 : 56;
}

int CommandChannel::OpenInterface(const QString& path, bool receiver) {
    std::lock_guard lock(exchangeLock_);
    return (receiver ? receiver_ : wired_).Open(path, true, true, true, false);
}

void CommandChannel::CloseInterfaces() {
    opened_ = false;
    // Closing first aborts a transfer that holds the exchange lock; taking
    // the lock then waits only for that exchange to notice.
    wired_.Close();
    receiver_.Close();
    std::lock_guard lock(exchangeLock_);
}

int CommandChannel::SetBlockLength(uint16_t length) {
    if (length > kMaxBlockLength)
        return 0;
    blockLength_ = length;
    return 1;
}

QString CommandChannel::DumpLine(const uint8_t* b) {
    // Groups of four bytes: three spaces between the first four groups, two
    // between the others.
    static const char kHex[] = "0123456789abcdef";
    char line[128];
    size_t n = 0;
    for (int i = 0; i < 32; ++i) {
        if (i > 0) {
            const int gap = i % 4 != 0 ? 1 : (i <= 12 ? 3 : 2);
            for (int g = 0; g < gap; ++g)
                line[n++] = ' ';
        }
        line[n++] = kHex[b[i] >> 4];
        line[n++] = kHex[b[i] & 15];
    }
    return QString::fromLatin1(line, qsizetype(n));
}

int CommandChannel::SendCommand(const uint8_t* command, size_t commandLength, uint8_t* answer,
                                size_t answerCapacity, size_t* answerLength) {
    return Exchange(command, commandLength, answer, answerCapacity, answerLength,
                    wireless_ ? kWirelessTimeoutMs : kWiredTimeoutMs, true);
}

int CommandChannel::SendLightCommand(const uint8_t* command, size_t commandLength, uint8_t* answer,
                                     size_t answerCapacity, size_t* answerLength) {
    return Exchange(command, commandLength, answer, answerCapacity, answerLength,
                    wireless_ ? kWirelessLightTimeoutMs : kWiredTimeoutMs, false);
}

int CommandChannel::Exchange(const uint8_t* command, size_t commandLength, uint8_t* answer,
                             size_t answerCapacity, size_t* answerLength, uint32_t timeoutMs,
                             bool dump) {
    busy_ = 1;
    if (answerLength)
        *answerLength = 0;
    int result = kResultNothing;
    if (!opened_ || !answer || answerCapacity < 4) {
        busy_ = 0;
        return kResultNothing;
    }
    uint8_t report[kReportLength] = {};
    if (command)
        std::memcpy(report, command, std::min<size_t>(commandLength, kReportLength));
    if (dump) {
        platform::DebugLine(QStringLiteral("命令"));
        platform::DebugLine(DumpLine(report));
        platform::DebugLine(DumpLine(report + 32));
    }
    if (trace_)
        trace_(true, report, kReportLength);

    const bool wireless = wireless_;
    HidInterface& hid = wireless ? receiver_ : wired_;
    int written = 0;
    {
        std::lock_guard lock(exchangeLock_);
        if (drainBeforeNext_.exchange(false))
            hid.DiscardPendingInput();
        size_t sent = 0;
        written = hid.WriteReport(report, kReportLength, &sent, timeoutMs);
    }
    if (written <= 0) {
        busy_ = 0;
        return kResultWriteFailed;
    }
    {
        std::lock_guard lock(exchangeLock_);
        for (int attempt = 0; attempt < 2; ++attempt) {
            size_t got = 0;
            const int read = hid.ReadReport(answer, answerCapacity, &got, timeoutMs);
            if (answerLength)
                *answerLength = got;
            if (read != 1) {
                result = kResultNothing;
                break;
            }
            if (trace_)
                trace_(false, answer, got);
            if (answer[3] == report[3]) {
                result = kResultOk;
                break;
            }
            if (wireless && answer[3] == 0xAA) {
                result = kResultNoLink;
                break;
            }
            // An unrelated report is never taken for the answer.
            result = kResultNothing;
        }
        if (result == kResultNothing)
            drainBeforeNext_ = true;
    }
    if (dump) {
        uint8_t shown[kReportLength] = {};
        std::memcpy(shown, answer, std::min<size_t>(answerCapacity, kReportLength));
        platform::DebugLine(QStringLiteral("返回"));
        platform::DebugLine(DumpLine(shown));
        platform::DebugLine(DumpLine(shown + 32));
    }
    busy_ = 0;
    return result;
}

}  // namespace hid
