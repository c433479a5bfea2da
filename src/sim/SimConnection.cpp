#include "sim/SimConnection.h"

#include "sim/VirtualBus.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace sim {

SimConnection::SimConnection(std::shared_ptr<VirtualBus> bus, VirtualDevice* device,
                             size_t appearance, size_t interface, std::vector<uint8_t> descriptor,
                             hid::HidAttributes attributes, hid::OpenOptions options)
    : bus_(std::move(bus)),
      device_(device),
      appearance_(appearance),
      interface_(interface),
      descriptor_(std::move(descriptor)),
      attributes_(attributes),
      options_(options) {}

hid::IoStatus SimConnection::Read(uint8_t* buffer, size_t capacity, size_t* received,
                                  uint32_t timeoutMs) {
    *received = 0;
    std::unique_lock lock(mutex_);
    auto ready = [&] { return aborted_ || gone_ || !queue_.empty(); };
    if (timeoutMs == hid::kInfinite)
        changed_.wait(lock, ready);
    else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return hid::IoStatus::Timeout;
    if (aborted_)
        return hid::IoStatus::Aborted;
    if (gone_)
        return hid::IoStatus::Failed;
    const std::vector<uint8_t> report = std::move(queue_.front());
    queue_.pop_front();
    const size_t n = std::min(capacity, report.size());
    std::memcpy(buffer, report.data(), n);
    *received = n;
    return hid::IoStatus::Ok;
}

hid::IoStatus SimConnection::Write(const uint8_t* data, size_t length, size_t* sent, uint32_t) {
    *sent = 0;
    {
        std::lock_guard lock(mutex_);
        if (aborted_)
            return hid::IoStatus::Aborted;
        if (gone_ || !options_.write)
            return hid::IoStatus::Failed;
    }
    const hid::IoStatus status = bus_->HandleWrite(*this, data, length);
    if (status == hid::IoStatus::Ok)
        *sent = length;
    return status;
}

void SimConnection::Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
}

void SimConnection::Push(const uint8_t* report, size_t length) {
    std::lock_guard lock(mutex_);
    if (gone_ || aborted_)
        return;
    if (queue_.size() >= kQueueLimit)
        queue_.pop_front();
    queue_.emplace_back(report, report + length);
    changed_.notify_all();
}

void SimConnection::MarkGone() {
    std::lock_guard lock(mutex_);
    gone_ = true;
    queue_.clear();
    changed_.notify_all();
}

}  // namespace sim
