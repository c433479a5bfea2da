// The interface between HidInterface and whatever provides HID interfaces:
// the hidraw backend for real devices and the virtual bus of src/sim. Paths
// are texts that carry "vid_XXXX", "pid_XXXX", "&mi_XX" and, for interfaces
// with several top-level collections, "&colXX", so that discovery parses
// them the same way whatever their source.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace hid {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;  // the device's release number
};

enum class IoStatus { Ok, Timeout, Aborted, Failed };

// Time limit meaning "wait as long as it takes".
inline constexpr uint32_t kInfinite = 0xFFFFFFFFu;

struct OpenOptions {
    bool read = true;
    bool write = false;
    bool overlapped = true;
    bool exclusive = false;
};

// One opened interface. Read and Write may block up to their time limit;
// Abort ends every call in progress at once with IoStatus::Aborted, and every
// later call too: an aborted connection is finished.
class HidConnection {
public:
    virtual ~HidConnection() = default;
    virtual const std::vector<uint8_t>& ReportDescriptorBytes() const = 0;
    virtual HidAttributes Attributes() const = 0;
    // One input report of the interface as the kernel delivers it (first byte
    // the report id when the device numbers its reports).
    virtual IoStatus Read(uint8_t* buffer, size_t capacity, size_t* received,
                          uint32_t timeoutMs) = 0;
    // One output report; byte 0 is the report id (0 for unnumbered reports).
    virtual IoStatus Write(const uint8_t* data, size_t length, size_t* sent,
                           uint32_t timeoutMs) = 0;
    virtual void Abort() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Appends the path of every present interface collection; false when the
    // enumeration failed (the caller then keeps its previous view).
    virtual bool Enumerate(QStringList& paths) = 0;
    // True when the path belongs to this backend (whether present or not).
    virtual bool Handles(const QString& path) const = 0;
    // Opens the path; null with a reason in `error` on failure.
    virtual std::shared_ptr<HidConnection> Open(const QString& path, const OpenOptions& options,
                                                QString* error) = 0;
    // The cheap presence test of the removal check: true while the interface
    // behind the path exists, without opening it for I/O.
    virtual bool IsPresent(const QString& path) = 0;
};

// The backends HidInterface and discovery use. The hidraw backend is
// installed by default; the simulation adds its bus beside it or instead.
class BackendRegistry {
public:
    static BackendRegistry& Instance();

    void Add(std::shared_ptr<HidBackend> backend);
    void Remove(const std::shared_ptr<HidBackend>& backend);
    // Enables or disables the hidraw backend (enabled at start).
    void SetRealDevicesEnabled(bool enabled);
    bool RealDevicesEnabled() const;

    bool Enumerate(QStringList& paths);
    std::shared_ptr<HidBackend> BackendFor(const QString& path);

private:
    BackendRegistry();
    std::vector<std::shared_ptr<HidBackend>> Active() const;

    mutable std::mutex mutex_;
    std::shared_ptr<HidBackend> real_;
    bool realEnabled_ = true;
    std::vector<std::shared_ptr<HidBackend>> extra_;
};

}  // namespace hid
