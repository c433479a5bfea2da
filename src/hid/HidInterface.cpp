#include "hid/HidInterface.h"

#include "hid/DeviceIdentity.h"

#include <algorithm>
#include <chrono>

namespace hid {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxReport = 4097;
constexpr size_t kReportBufferForDiscard = 64;

struct FlagGuard {
    explicit FlagGuard(std::atomic<bool>& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
    std::atomic<bool>& flag;
};

int32_t LogicalValue(uint32_t raw, const ReportField& f) {
    if (f.logicalMin < 0 && f.bitSize > 0 && f.bitSize < 32 && (raw & (1u << (f.bitSize - 1))))
        return int32_t(raw | (~0u << f.bitSize));
    return int32_t(raw);
}

}  // namespace

HidInterface::HidInterface() = default;

HidInterface::~HidInterface() {
    Close();
    FreePathList();
}

int HidInterface::EnumerateInterfaces() {
    FreePathList();
    QStringList paths;
    if (!BackendRegistry::Instance().Enumerate(paths))
        return 0;
    paths_ = std::move(paths);
    return 1;
}

QString HidInterface::NextPath() {
    if (cursor_ >= paths_.size())
        return QString();
    return paths_[cursor_++];
}

void HidInterface::FreePathList() {
    paths_.clear();
    cursor_ = 0;
}

int HidInterface::Open(const QString& path, bool read, bool write, bool overlapped,
                       bool exclusive) {
    {
        std::lock_guard lock(mutex_);
        options_ = {read, write, overlapped, exclusive};
        path_ = path;
    }
    if (path.size() > kMaxPathLength) {
        ReleaseConnection();
        std::lock_guard lock(mutex_);
        lastError_ = QStringLiteral("path too long");
        return 0;
    }
    return Reopen();
}

void HidInterface::ReleaseConnection() {
    std::shared_ptr<HidConnection> old;
    {
        std::lock_guard lock(mutex_);
        old.swap(connection_);
        info_.reset();
    }
    // Ends a blocked read or write of another thread at once.
    if (old)
        old->Abort();
    {
        std::lock_guard lock(mutex_);
        caps_ = HidCaps();
        attributes_ = HidAttributes();
    }
    std::lock_guard lock(entriesMutex_);
    inputEntries_.clear();
}

int HidInterface::Reopen() {
    ReleaseConnection();
    QString path;
    OpenOptions options;
    {
        std::lock_guard lock(mutex_);
        path = path_;
        options = options_;
    }
    QString error;
    std::shared_ptr<HidBackend> backend = BackendRegistry::Instance().BackendFor(path);
    std::shared_ptr<HidConnection> conn = backend ? backend->Open(path, options, &error) : nullptr;
    if (!conn) {
        std::lock_guard lock(mutex_);
        lastError_ = backend ? error : QStringLiteral("no such device: %1").arg(path);
        return 0;
    }
    {
        std::lock_guard lock(mutex_);
        connection_ = conn;
    }
    if (!FillDeviceInfo()) {
        ReleaseConnection();
        std::lock_guard lock(mutex_);
        lastError_ = QStringLiteral("unusable report descriptor: %1").arg(path);
        return 0;
    }
    return 1;
}

int HidInterface::FillDeviceInfo() {
    std::shared_ptr<HidConnection> conn;
    QString path;
    {
        std::lock_guard lock(mutex_);
        conn = connection_;
        path = path_;
    }
    if (!conn)
        return 0;
    auto info = std::make_shared<Info>();
    {
        std::lock_guard lock(mutex_);
        info->options = options_;
    }
    info->descriptor = ParseReportDescriptor(conn->ReportDescriptorBytes());
    const uint16_t col = ParseCollectionNumber(path);
    const int count = int(info->descriptor.collections.size());
    info->collection = col == 0 ? 0 : col - 1;
    if (count == 0 || info->collection >= count)
        return 0;
    const TopLevelCollection& c = info->descriptor.collections[info->collection];

    HidCaps caps;
    caps.Usage = c.usage;
    caps.UsagePage = c.usagePage;
    caps.InputReportByteLength = c.ReportByteLength(ReportType::Input);
    caps.OutputReportByteLength = c.ReportByteLength(ReportType::Output);
    caps.FeatureReportByteLength = c.ReportByteLength(ReportType::Feature);
    caps.NumberLinkCollectionNodes = 1;
    std::vector<HidDataEntry> entries;
    for (size_t i = 0; i < c.fields.size(); ++i) {
        const ReportField& f = c.fields[i];
        const int t = int(f.type);
        if (f.isButton) {
            ++caps.NumberButtonCaps[t];
            caps.NumberDataIndices[t] += uint16_t(f.isRange ? f.usageMax - f.usageMin + 1
                                                            : std::max<size_t>(f.usages.size(), 1));
        } else {
            ++caps.NumberValueCaps[t];
            ++caps.NumberDataIndices[t];
        }
        if (f.type != ReportType::Input)
            continue;
        HidDataEntry e;
        e.isButton = f.isButton;
        e.usagePage = f.usagePage;
        e.reportId = f.reportId;
        e.usageMin = f.usageMin;
        e.usageMax = f.usageMax;
        e.usage = f.usageMin;
        e.field = i;
        if (f.isButton) {
            e.maxUsageListLength = std::min<uint32_t>(f.count, 1024);
            e.usageList.assign(e.maxUsageListLength, 0);
        }
        entries.push_back(std::move(e));
    }
    {
        std::lock_guard lock(mutex_);
        info_ = info;
        caps_ = caps;
        attributes_ = conn->Attributes();
    }
    {
        std::lock_guard lock(entriesMutex_);
        inputEntries_ = std::move(entries);
    }
    interfaceNumber_ = ParseInterfaceNumber(path);
    collectionNumber_ = col;
    return 1;
}

void HidInterface::Close() {
    ReleaseConnection();
}

bool HidInterface::IsOpen() const {
    std::lock_guard lock(mutex_);
    return connection_ != nullptr;
}

QString HidInterface::DevicePath() const {
    std::lock_guard lock(mutex_);
    return path_;
}

QString HidInterface::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

void HidInterface::Snapshot(std::shared_ptr<HidConnection>* conn,
                            std::shared_ptr<const Info>* info) const {
    std::lock_guard lock(mutex_);
    *conn = connection_;
    *info = info_;
}

int HidInterface::ReadReport(uint8_t* buffer, size_t length, size_t* transferred,
                             uint32_t timeoutMs) {
    FlagGuard busy(readInProgress_);
    if (transferred)
        *transferred = 0;
    std::shared_ptr<HidConnection> conn;
    std::shared_ptr<const Info> info;
    Snapshot(&conn, &info);
    if (!conn || !info || !info->options.read || !buffer)
        return 0;
    const TopLevelCollection& c = info->descriptor.collections[info->collection];
    const bool numbered = info->descriptor.usesReportIds;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uint8_t report[kMaxReport];
    for (;;) {
        uint32_t remaining = timeoutMs;
        if (timeoutMs != kInfinite) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            remaining = left.count() > 0 ? uint32_t(left.count()) : 0;
        }
        size_t got = 0;
        uint8_t* target = numbered ? report : report + 1;
        if (conn->Read(target, kMaxReport - 1, &got, remaining) != IoStatus::Ok)
            return 0;
        if (!numbered) {
            report[0] = 0;
            ++got;
        }
        if (got == 0)
            continue;
        // Another collection's report on the same interface is not ours.
        if (numbered && !c.HasReportId(ReportType::Input, report[0])) {
            if (timeoutMs != kInfinite && Clock::now() >= deadline)
                return 0;
            continue;
        }
        const size_t n = std::min(got, length);
        std::copy(report, report + n, buffer);
        if (transferred)
            *transferred = n;
        return 1;
    }
}

int HidInterface::WriteReport(const uint8_t* buffer, size_t length, size_t* transferred,
                              uint32_t timeoutMs) {
    FlagGuard busy(writeInProgress_);
    if (transferred)
        *transferred = 0;
    std::shared_ptr<HidConnection> conn;
    std::shared_ptr<const Info> info;
    Snapshot(&conn, &info);
    if (!conn || !info || !info->options.write || !buffer || length == 0)
        return 0;
    size_t sent = 0;
    if (conn->Write(buffer, length, &sent, timeoutMs) != IoStatus::Ok)
        return 0;
    if (transferred)
        *transferred = sent;
    return sent == length ? 1 : 0;
}

int HidInterface::DiscardPendingInput() {
    uint8_t report[kReportBufferForDiscard];
    size_t n = 0;
    int count = 0;
    while (count < 256 && ReadReport(report, sizeof report, &n, 0) == 1)
        ++count;
    return count;
}

int HidInterface::SetOutputReport(const uint8_t* buffer, size_t length) {
    size_t sent = 0;
    return WriteReport(buffer, length, &sent, 1000);
}

int HidInterface::UnpackInputReport(const uint8_t* report, size_t length) {
    std::shared_ptr<HidConnection> conn;
    std::shared_ptr<const Info> info;
    Snapshot(&conn, &info);
    if (!info || !report || length == 0)
        return 0;
    const TopLevelCollection& c = info->descriptor.collections[info->collection];
    const uint8_t* data = report + 1;
    const size_t dataLength = length - 1;
    const uint64_t availableBits = uint64_t(dataLength) * 8;
    std::lock_guard lock(entriesMutex_);
    for (HidDataEntry& e : inputEntries_) {
        e.set = false;
        if (e.reportId != report[0] || e.field >= c.fields.size())
            continue;
        const ReportField& f = c.fields[e.field];
        if (e.isButton) {
            std::fill(e.usageList.begin(), e.usageList.end(), 0);
            size_t n = 0;
            auto add = [&](uint32_t usage) {
                if (usage == 0 || usage < e.usageMin || usage > e.usageMax)
                    return;
                if (n < e.usageList.size())
                    e.usageList[n++] = uint16_t(usage);
            };
            for (uint32_t i = 0; i < f.count && n < e.usageList.size(); ++i) {
                const uint64_t bit = uint64_t(f.bitOffset) + uint64_t(i) * f.bitSize;
                if (bit + f.bitSize > availableBits)
                    break;
                const uint32_t raw = ExtractBits(data, dataLength, uint32_t(bit), f.bitSize);
                if (f.isArray) {
                    const int64_t v = LogicalValue(raw, f);
                    if (v < f.logicalMin || v > f.logicalMax)
                        continue;
                    const int64_t index = v - f.logicalMin;
                    if (f.isRange)
                        add(uint32_t(f.usageMin + index));
                    else if (index < int64_t(f.usages.size()))
                        add(f.usages[size_t(index)]);
                } else if (raw) {
                    if (f.isRange)
                        add(f.usageMin + i);
                    else if (!f.usages.empty())
                        add(f.usages[std::min<size_t>(i, f.usages.size() - 1)]);
                }
            }
            e.set = true;
        } else {
            if (uint64_t(f.bitOffset) + f.bitSize > availableBits)
                return 0;
            e.rawValue = ExtractBits(data, dataLength, f.bitOffset, f.bitSize);
            const int64_t logical = LogicalValue(e.rawValue, f);
            if (f.physicalMax > f.physicalMin && f.logicalMax > f.logicalMin)
                e.scaledValue =
                    int32_t((logical - f.logicalMin) * (int64_t(f.physicalMax) - f.physicalMin) /
                                (int64_t(f.logicalMax) - f.logicalMin) +
                            f.physicalMin);
            else
                e.scaledValue = int32_t(logical);
            e.set = true;
        }
    }
    return 1;
}

HidCaps HidInterface::Caps() const {
    std::lock_guard lock(mutex_);
    return caps_;
}

HidAttributes HidInterface::Attributes() const {
    std::lock_guard lock(mutex_);
    return attributes_;
}

std::vector<HidDataEntry> HidInterface::InputEntries() const {
    std::lock_guard lock(entriesMutex_);
    return inputEntries_;
}

uint16_t HidInterface::FirstUsage() const {
    std::lock_guard lock(entriesMutex_);
    if (inputEntries_.empty() || !inputEntries_.front().isButton ||
        inputEntries_.front().usageList.empty())
        return 0;
    return inputEntries_.front().usageList.front();
}

bool HidInterface::IsPathPresent(const QString& path) {
    std::shared_ptr<HidBackend> backend = BackendRegistry::Instance().BackendFor(path);
    return backend && backend->IsPresent(path);
}

}  // namespace hid
