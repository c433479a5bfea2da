// An opened virtual interface: its own queue of input reports, like a
// hidraw file descriptor.
#pragma once

#include "hid/HidBackend.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace sim {

class VirtualBus;
class VirtualDevice;

class SimConnection : public hid::HidConnection {
public:
    SimConnection(std::shared_ptr<VirtualBus> bus, VirtualDevice* device, size_t appearance,
                  size_t interface, std::vector<uint8_t> descriptor, hid::HidAttributes attributes,
                  hid::OpenOptions options);

    const std::vector<uint8_t>& ReportDescriptorBytes() const override { return descriptor_; }
    hid::HidAttributes Attributes() const override { return attributes_; }
    hid::IoStatus Read(uint8_t* buffer, size_t capacity, size_t* received,
                       uint32_t timeoutMs) override;
    hid::IoStatus Write(const uint8_t* data, size_t length, size_t* sent,
                        uint32_t timeoutMs) override;
    void Abort() override;

    void Push(const uint8_t* report, size_t length);
    void MarkGone();

    VirtualDevice* Device() const { return device_; }
    size_t AppearanceIndex() const { return appearance_; }
    size_t InterfaceIndex() const { return interface_; }

private:
    static constexpr size_t kQueueLimit = 64;  // like the kernel's buffer
    std::shared_ptr<VirtualBus> bus_;
    VirtualDevice* device_;
    size_t appearance_;
    size_t interface_;
    std::vector<uint8_t> descriptor_;
    hid::HidAttributes attributes_;
    hid::OpenOptions options_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<uint8_t>> queue_;
    bool gone_ = false;
    bool aborted_ = false;
};

}  // namespace sim
