// A virtual HID bus: a backend that discovery and HidInterface see exactly
// like real interfaces. Paths look like
// "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04".
#pragma once

#include "hid/HidBackend.h"
#include "sim/Models.h"
#include "sim/VirtualDevice.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace sim {

class VirtualBus : public hid::HidBackend, public std::enable_shared_from_this<VirtualBus> {
public:
    static std::shared_ptr<VirtualBus> Create();
    ~VirtualBus() override;

    // Plugs a model in: the cable or the receiver appearance of the family's
    // first device (created when missing). Returns that device.
    VirtualDevice* AddModel(Model model);
    // Creates one more device of a kind, unplugged ("mouse-2", ...).
    VirtualDevice* AddDevice(DeviceKind kind);
    // The first device of a kind, or the one with this name; null if none.
    VirtualDevice* Device(DeviceKind kind) const;
    VirtualDevice* Device(const QString& name) const;
    std::vector<VirtualDevice*> Devices() const;

    bool Enumerate(QStringList& paths) override;
    bool Handles(const QString& path) const override;
    std::shared_ptr<hid::HidConnection> Open(const QString& path, const hid::OpenOptions& options,
                                             QString* error) override;
    bool IsPresent(const QString& path) override;

    // Keeps every device's memory (also of devices added later) in files of
    // this folder, so it survives restarts. False when it cannot be created.
    bool SetStorageFolder(const QString& folder);

    // Makes the next `count` enumerations fail.
    void FailEnumerations(int count);

private:
    friend class VirtualDevice;
    friend class SimConnection;
    struct Pending {
        std::chrono::steady_clock::time_point due;
        std::vector<std::weak_ptr<SimConnection>> targets;
        Report report;
        size_t length;
    };
    VirtualBus();
    VirtualDevice* AddDeviceUnstored(DeviceKind kind);
    bool Locate(const QString& path, VirtualDevice** device, size_t* appearance,
                size_t* interface) const;
    hid::IoStatus HandleWrite(SimConnection& connection, const uint8_t* data, size_t length);
    void DeliverLocked(VirtualDevice& device, VirtualDevice::Interface& iface,
                       const uint8_t* report, size_t length, bool timed);
    void SchedulerLoop();

    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<VirtualDevice>> devices_;
    int failEnumerations_ = 0;
    QString storage_;
    const std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();

    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    std::deque<Pending> queue_;  // ordered by due time
    bool stopping_ = false;
    std::thread scheduler_;
};

}  // namespace sim
