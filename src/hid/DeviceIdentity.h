// The supported-device table, the identity record and the path parsers and
// matching rules that discovery and device creation share.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace hid {

// Family and connection of a device.
enum DeviceType : uint16_t {
    kKeyboardWired = 1,
    kMouseWired = 2,
    kMousepad = 3,
    kMouseReceiver = 6,
    kHeadset = 7,
    kKeyboardReceiver = 9,
};

inline constexpr uint16_t kRoleCommand = 0;
inline constexpr uint16_t kRoleInput = 0xFF;

struct DeviceIdentity {
    uint16_t VendorId = 0;
    uint16_t ProductId = 0;
    uint16_t InterfaceNumber = 0;
    uint16_t CollectionNumber = 0;
    uint16_t DeviceType = 0;
    uint16_t InterfaceRole = 0;
    uint16_t Attached = 0;
    uint16_t UsagePage = 0;
    uint16_t Usage = 0;
    uint16_t HasPartner = 0;
    uint16_t PartnerIndex = 0;
    QString DevicePath;
};

inline constexpr int kSupportedDeviceCount = 11;

// The 11 rows, in table order, all detached with empty paths.
const std::array<DeviceIdentity, kSupportedDeviceCount>& SupportedDeviceTable();

// Each searches the path case-insensitively for its key and reads the
// hexadecimal number after it; 0 when absent; the low 16 bits.
uint16_t ParseVendorId(const QString& path);
uint16_t ParseProductId(const QString& path);
uint16_t ParseInterfaceNumber(const QString& path);
uint16_t ParseCollectionNumber(const QString& path);

// A candidate record from a path: ids, interface and collection numbers, path.
DeviceIdentity CandidateFromPath(const QString& path);

bool IdentitiesEqual(const DeviceIdentity& a, const DeviceIdentity& b);
// Index of the first table row with these values, -1 when none.
int FindIdentityIndex(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role);

// The main window's copy of the table. Only discovery writes Attached and
// DevicePath; readers take a snapshot or read one row.
class IdentityList {
public:
    IdentityList();  // a copy of the supported-device table

    std::vector<DeviceIdentity> Snapshot() const;
    DeviceIdentity Row(int index) const;  // an empty record when out of range
    int Size() const;

    bool IsWantedCandidate(const DeviceIdentity& candidate) const;
    // Completes the candidate's type and role from the table and binds the
    // first matching free row to its path; true with the row's index.
    bool ClaimRow(DeviceIdentity& candidate, int* index);
    bool AllRowsTaken() const;
    // Frees a row (removal); false when it was not attached.
    bool ReleaseRow(int index);

private:
    mutable std::mutex mutex_;
    std::vector<DeviceIdentity> rows_;
};

}  // namespace hid
