#include "hid/DeviceIdentity.h"

namespace hid {

namespace {

DeviceIdentity Row(uint16_t vid, uint16_t pid, uint16_t mi, uint16_t col, uint16_t type,
                   uint16_t role, uint16_t page, uint16_t usage, uint16_t hasPartner,
                   uint16_t partner) {
    DeviceIdentity r;
    r.VendorId = vid;
    r.ProductId = pid;
    r.InterfaceNumber = mi;
    r.CollectionNumber = col;
    r.DeviceType = type;
    r.InterfaceRole = role;
    r.UsagePage = page;
    r.Usage = usage;
    r.HasPartner = hasPartner;
    r.PartnerIndex = partner;
    return r;
}

uint16_t ParseHexAfter(const QString& path, const QString& key) {
    const qsizetype at = path.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    // "%x": optional sign and "0x" prefix, then hexadecimal digits.
    qsizetype i = at + key.size();
    bool negative = false;
    if (i < path.size() && (path[i] == '+' || path[i] == '-')) {
        negative = path[i] == '-';
        ++i;
    }
    if (i + 1 < path.size() && path[i] == '0' && (path[i + 1] == 'x' || path[i + 1] == 'X') &&
        i + 2 < path.size() && isxdigit(path[i + 2].toLatin1()))
        i += 2;
    uint32_t value = 0;
    bool any = false;
    for (; i < path.size(); ++i) {
        const char c = path[i].toLatin1();
        if (!isxdigit(static_cast<unsigned char>(c)) || c == 0)
            break;
        any = true;
        const uint32_t digit = c <= '9' ? uint32_t(c - '0') : uint32_t((c | 0x20) - 'a' + 10);
        value = value * 16 + digit;  // wraps like an unsigned conversion
    }
    if (!any)
        return 0;
    return uint16_t(negative ? 0u - value : value);
}

bool SameSlot(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.VendorId == b.VendorId && a.ProductId == b.ProductId &&
           a.CollectionNumber == b.CollectionNumber && a.InterfaceNumber == b.InterfaceNumber;
}

bool SameSix(const DeviceIdentity& a, const DeviceIdentity& b) {
    return SameSlot(a, b) && a.UsagePage == b.UsagePage && a.Usage == b.Usage;
}

bool IsFree(const DeviceIdentity& r) {
    return !r.Attached && r.DevicePath.isEmpty();
}

}  // namespace

const std::array<DeviceIdentity, kSupportedDeviceCount>& SupportedDeviceTable() {
    static const std::array<DeviceIdentity, kSupportedDeviceCount> table = {
        Row(0x320F, 0x50C2, 1, 4, 1, 0, 0xFF1C, 0x92, 1, 2),
        Row(0x320F, 0x50C2, 1, 3, 1, 0xFF, 0x000C, 0x01, 1, 3),
        Row(0x320F, 0x50C3, 1, 4, 9, 0, 0xFF1C, 0x92, 1, 0),
        Row(0x320F, 0x50C3, 1, 3, 9, 0xFF, 0x000C, 0x01, 1, 1),
        Row(0x320F, 0x50EF, 1, 4, 2, 0, 0xFF1C, 0x92, 1, 6),
        Row(0x320F, 0x50EF, 1, 3, 2, 0xFF, 0x000C, 0x01, 1, 7),
        Row(0x320F, 0x221D, 1, 4, 6, 0, 0xFF1C, 0x92, 1, 4),
        Row(0x320F, 0x221D, 1, 3, 6, 0xFF, 0x000C, 0x01, 1, 5),
        Row(0x320F, 0x1004, 1, 4, 3, 0, 0xFF1C, 0x92, 0, 0),
        Row(0x320F, 0x1004, 1, 3, 3, 0xFF, 0x000C, 0x01, 0, 0),
        Row(0x0C76, 0x1630, 3, 0, 7, 0, 0x000C, 0x01, 0, 0),
    };
    return table;
}

uint16_t ParseVendorId(const QString& path) {
    return ParseHexAfter(path, QStringLiteral("vid_"));
}
uint16_t ParseProductId(const QString& path) {
    return ParseHexAfter(path, QStringLiteral("pid_"));
}
uint16_t ParseInterfaceNumber(const QString& path) {
    return ParseHexAfter(path, QStringLiteral("&mi_"));
}
uint16_t ParseCollectionNumber(const QString& path) {
    return ParseHexAfter(path, QStringLiteral("&col"));
}

DeviceIdentity CandidateFromPath(const QString& path) {
    DeviceIdentity c;
    c.VendorId = ParseVendorId(path);
    c.ProductId = ParseProductId(path);
    c.CollectionNumber = ParseCollectionNumber(path);
    c.InterfaceNumber = ParseInterfaceNumber(path);
    c.DevicePath = path;
    return c;
}

bool IdentitiesEqual(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.VendorId == b.VendorId && a.ProductId == b.ProductId &&
           a.InterfaceNumber == b.InterfaceNumber && a.CollectionNumber == b.CollectionNumber &&
           a.DeviceType == b.DeviceType && a.InterfaceRole == b.InterfaceRole &&
           a.UsagePage == b.UsagePage && a.Usage == b.Usage;
}

int FindIdentityIndex(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role) {
    const auto& table = SupportedDeviceTable();
    for (int i = 0; i < kSupportedDeviceCount; ++i) {
        const DeviceIdentity& r = table[i];
        if (r.VendorId == vendorId && r.ProductId == productId && r.DeviceType == deviceType &&
            r.InterfaceRole == role)
            return i;
    }
    return -1;
}

IdentityList::IdentityList()
    : rows_(SupportedDeviceTable().begin(), SupportedDeviceTable().end()) {}

std::vector<DeviceIdentity> IdentityList::Snapshot() const {
    std::lock_guard lock(mutex_);
    return rows_;
}

DeviceIdentity IdentityList::Row(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= int(rows_.size()))
        return {};
    return rows_[index];
}

int IdentityList::Size() const {
    std::lock_guard lock(mutex_);
    return int(rows_.size());
}

bool IdentityList::IsWantedCandidate(const DeviceIdentity& candidate) const {
    bool inTable = false;
    for (const DeviceIdentity& r : SupportedDeviceTable())
        inTable = inTable || SameSlot(r, candidate);
    if (!inTable)
        return false;
    std::lock_guard lock(mutex_);
    for (const DeviceIdentity& r : rows_)
        if (SameSlot(r, candidate) && IsFree(r))
            return true;
    return false;
}

bool IdentityList::ClaimRow(DeviceIdentity& candidate, int* index) {
    bool found = false;
    for (const DeviceIdentity& r : SupportedDeviceTable()) {
        if (SameSix(r, candidate)) {
            candidate.DeviceType = r.DeviceType;
            candidate.InterfaceRole = r.InterfaceRole;
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    std::lock_guard lock(mutex_);
    for (int i = 0; i < int(rows_.size()); ++i) {
        DeviceIdentity& r = rows_[i];
        if (SameSix(r, candidate) && IsFree(r)) {
            r.Attached = 1;
            r.DevicePath = candidate.DevicePath;
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

bool IdentityList::AllRowsTaken() const {
    std::lock_guard lock(mutex_);
    for (const DeviceIdentity& r : rows_)
        if (IsFree(r))
            return false;
    return true;
}

bool IdentityList::ReleaseRow(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= int(rows_.size()) || !rows_[index].Attached)
        return false;
    rows_[index].Attached = 0;
    rows_[index].DevicePath.clear();
    return true;
}

}  // namespace hid
