// One opened HID interface collection: open options, capabilities and report
// lengths, attributes, report reading and writing with time limits and an
// abort, and the unpacking of input reports into usages. It also carries the
// enumeration of interface paths used by discovery.
#pragma once

#include "hid/HidBackend.h"
#include "hid/ReportDescriptor.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace hid {

struct HidCaps {
    uint16_t Usage = 0;
    uint16_t UsagePage = 0;
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
    uint16_t FeatureReportByteLength = 0;
    uint16_t NumberLinkCollectionNodes = 0;
    uint16_t NumberButtonCaps[3] = {0, 0, 0};  // input, output, feature
    uint16_t NumberValueCaps[3] = {0, 0, 0};
    uint16_t NumberDataIndices[3] = {0, 0, 0};
};

// One field of an input report after unpacking.
struct HidDataEntry {
    bool isButton = false;
    bool set = false;  // filled by the last UnpackInputReport
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    // buttons
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t maxUsageListLength = 0;
    std::vector<uint16_t> usageList;  // ends with 0 when shorter than its capacity
    // values
    uint16_t usage = 0;
    uint32_t rawValue = 0;
    int32_t scaledValue = 0;
    size_t field = 0;  // index into the collection's fields
};

inline constexpr int kMaxPathLength = 259;

class HidInterface {
public:
    HidInterface();
    ~HidInterface();
    HidInterface(const HidInterface&) = delete;
    HidInterface& operator=(const HidInterface&) = delete;

    // Enumeration (discovery): fills the path list, cursor at 0; 1 or 0.
    int EnumerateInterfaces();
    // The path at the cursor, advancing it; a null string at the end.
    QString NextPath();
    void FreePathList();
    int PathCount() const { return int(paths_.size()); }

    // Stores the options and the path and opens it; 1 or 0. Paths longer
    // than 259 characters are refused.
    int Open(const QString& path, bool read, bool write, bool overlapped, bool exclusive);
    // Ends any transfer in progress, closes and opens the stored path again.
    int Reopen();
    void Close();
    bool IsOpen() const;

    // 1 when a report was transferred, 0 on failure, time-out or abort.
    // `timeoutMs` may be kInfinite. Reads deliver only input reports of the
    // opened collection; report byte 0 is always the report id.
    int ReadReport(uint8_t* buffer, size_t length, size_t* transferred, uint32_t timeoutMs);
    int WriteReport(const uint8_t* buffer, size_t length, size_t* transferred, uint32_t timeoutMs);
    // Throws away input reports already waiting; returns how many.
    int DiscardPendingInput();
    // A report written outside the command exchange (the headset's LEDs).
    int SetOutputReport(const uint8_t* buffer, size_t length);

    // Fills the usages and values of every input entry whose report id is
    // byte 0 of the report; 1 on success, 0 when a value cannot be read.
    int UnpackInputReport(const uint8_t* report, size_t length);
    // A copy of the entries as the last unpacking left them.
    std::vector<HidDataEntry> InputEntries() const;
    // The first usage of the first input entry after unpacking, 0 if none.
    uint16_t FirstUsage() const;

    HidCaps Caps() const;
    HidAttributes Attributes() const;
    uint16_t InterfaceNumber() const { return interfaceNumber_; }
    uint16_t CollectionNumber() const { return collectionNumber_; }

    QString DevicePath() const;
    QString LastError() const;
    bool ReadInProgress() const { return readInProgress_; }
    bool WriteInProgress() const { return writeInProgress_; }

    // The removal check: true while the path's interface exists.
    static bool IsPathPresent(const QString& path);

private:
    struct Info {
        ReportDescriptor descriptor;
        int collection = -1;
        OpenOptions options;
    };
    int FillDeviceInfo();
    void ReleaseConnection();
    void Snapshot(std::shared_ptr<HidConnection>* conn, std::shared_ptr<const Info>* info) const;

    QStringList paths_;
    int cursor_ = 0;

    OpenOptions options_;
    QString path_;
    QString lastError_;
    mutable std::mutex mutex_;  // guards the connection, info and path
    std::shared_ptr<HidConnection> connection_;
    std::shared_ptr<const Info> info_;
    HidCaps caps_;
    HidAttributes attributes_;
    mutable std::mutex entriesMutex_;  // guards inputEntries_ (input thread vs. close)
    std::vector<HidDataEntry> inputEntries_;
    std::atomic<uint16_t> interfaceNumber_{0};
    std::atomic<uint16_t> collectionNumber_{0};
    std::atomic<bool> readInProgress_{false};
    std::atomic<bool> writeInProgress_{false};
};

}  // namespace hid
