#include "EchoBackend.h"

#include <chrono>
#include <cstring>

namespace testhid {

namespace {

const std::vector<uint8_t> kDescriptor = {
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x09, 0x01, 0x15, 0x00, 0x26,
    0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0x09, 0x02, 0x91, 0x02, 0xC0,
};

class EchoConnection : public hid::HidConnection {
public:
    explicit EchoConnection(std::shared_ptr<EchoBackend> b) : backend_(std::move(b)) {}
    const std::vector<uint8_t>& ReportDescriptorBytes() const override { return kDescriptor; }
    hid::HidAttributes Attributes() const override { return {0x320F, 0x50EF, 0x0100}; }
    hid::IoStatus Read(uint8_t* buffer, size_t capacity, size_t* received,
                       uint32_t timeoutMs) override {
        std::unique_lock lock(backend_->mutex);
        auto ready = [&] { return aborted_ || !backend_->pending.empty(); };
        if (timeoutMs == hid::kInfinite)
            backend_->changed.wait(lock, ready);
        else if (!backend_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
            return hid::IoStatus::Timeout;
        if (aborted_)
            return hid::IoStatus::Aborted;
        const Report r = backend_->pending.front();
        backend_->pending.pop_front();
        *received = std::min(capacity, r.size());
        std::memcpy(buffer, r.data(), *received);
        return hid::IoStatus::Ok;
    }
    hid::IoStatus Write(const uint8_t* data, size_t length, size_t* sent, uint32_t) override {
        Report command{};
        std::memcpy(command.data(), data, std::min(length, command.size()));
        std::vector<Report> answers;
        if (backend_->respond) {
            answers = backend_->respond(command);
        } else {
            Report a{};
            std::memcpy(a.data(), command.data(), 8);
            a[7] = 0;
            for (int i = 8; i < 64; ++i)
                a[i] = uint8_t(command[5] + i - 8);
            answers.push_back(a);
        }
        std::lock_guard lock(backend_->mutex);
        backend_->written.push_back(command);
        for (const Report& a : answers)
            backend_->pending.push_back(a);
        backend_->changed.notify_all();
        *sent = length;
        return hid::IoStatus::Ok;
    }
    void Abort() override {
        std::lock_guard lock(backend_->mutex);
        aborted_ = true;
        backend_->changed.notify_all();
    }

private:
    std::shared_ptr<EchoBackend> backend_;
    bool aborted_ = false;
};

}  // namespace

std::shared_ptr<hid::HidConnection> EchoBackend::Open(const QString&, const hid::OpenOptions&,
                                                      QString*) {
    return std::make_shared<EchoConnection>(shared_from_this());
}

}  // namespace testhid
