// Exchanges per second and CPU time per exchange of the command channel:
// against a virtual device answering at once, against one that answers on a
// 1 ms report interval (the USB full-speed limit), and against a minimal
// backend that answers in place, which leaves only the channel's own cost.
#include "hid/CommandChannel.h"
#include "hid/Commands.h"
#include "sim/Simulation.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

namespace {

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Answers each write in place; no threads, no queues.
class InstantBackend : public hid::HidBackend, public std::enable_shared_from_this<InstantBackend> {
public:
    bool Enumerate(QStringList& paths) override {
        paths << "instant:x?vid_320f&pid_50ef&mi_01";
        return true;
    }
    bool Handles(const QString& path) const override { return path.startsWith("instant:"); }
    bool IsPresent(const QString&) override { return true; }
    std::shared_ptr<hid::HidConnection> Open(const QString&, const hid::OpenOptions&,
                                             QString*) override {
        return std::make_shared<Connection>();
    }

private:
    class Connection : public hid::HidConnection {
    public:
        const std::vector<uint8_t>& ReportDescriptorBytes() const override {
            static const std::vector<uint8_t> d = {
                0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x09, 0x01, 0x15, 0x00, 0x26,
                0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0x09, 0x02, 0x91, 0x02, 0xC0};
            return d;
        }
        hid::HidAttributes Attributes() const override { return {0x320F, 0x50EF, 0x100}; }
        hid::IoStatus Read(uint8_t* buffer, size_t capacity, size_t* received, uint32_t) override {
            if (!full_)
                return hid::IoStatus::Timeout;
            std::memcpy(buffer, answer_, std::min<size_t>(capacity, 64));
            *received = 64;
            full_ = false;
            return hid::IoStatus::Ok;
        }
        hid::IoStatus Write(const uint8_t* data, size_t length, size_t* sent, uint32_t) override {
            std::memcpy(answer_, data, std::min<size_t>(length, 64));
            answer_[7] = 0;
            full_ = true;
            *sent = length;
            return hid::IoStatus::Ok;
        }
        void Abort() override {}

    private:
        uint8_t answer_[64] = {};
        bool full_ = false;
    };
};

struct Figures {
    double perSecond;
    double callerCpuUs;
    double processCpuUs;
};

template <typename F>
Figures Measure(int count, F exchange) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu0 = ThreadCpuSeconds();
    const double proc0 = ProcessCpuSeconds();
    int failures = 0;
    for (int i = 0; i < count; ++i)
        failures += exchange() == 1 ? 0 : 1;
    const double proc = ProcessCpuSeconds() - proc0;
    const double cpu = ThreadCpuSeconds() - cpu0;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (failures)
        std::printf("  (%d exchanges failed)\n", failures);
    return {count / wall, cpu / count * 1e6, proc / count * 1e6};
}

void Report(const char* name, const Figures& f) {
    std::printf("%-44s %10.0f exchanges/s  %8.2f us CPU caller  %8.2f us CPU process\n", name,
                f.perSecond, f.callerCpuUs, f.processCpuUs);
}

bool OpenWired(hid::CommandChannel& channel, const QString& path) {
    if (!channel.WiredInterface().Open(path, true, true, true, false))
        return false;
    channel.SetConnectionType(hid::kConnectionWired);
    channel.SetOpened(true);
    return true;
}

}  // namespace

int main() {
    uint8_t command[64];
    hid::BuildCommandReport(command, hid::kCmdReadSettings, 8, 0, nullptr, 0);
    uint8_t answer[64];
    size_t got = 0;

    {
        auto instant = std::make_shared<InstantBackend>();
        hid::BackendRegistry::Instance().Add(instant);
        hid::CommandChannel channel;
        if (!OpenWired(channel, "instant:x?vid_320f&pid_50ef&mi_01"))
            return 1;
        Report("channel only, SendLightCommand", Measure(200000, [&] {
                   return channel.SendLightCommand(command, 64, answer, 64, &got);
               }));
        Report("channel only, SendCommand (with dump)",
               Measure(100000, [&] { return channel.SendCommand(command, 64, answer, 64, &got); }));
        uint8_t out[8];
        Report("channel only, ReadSettings builder",
               Measure(100000, [&] { return hid::ReadSettings(channel, 0, out, 8); }));
        hid::BackendRegistry::Instance().Remove(instant);
    }

    sim::ScopedBus bus{sim::CreateBus({sim::Model::Mouse})};
    sim::VirtualDevice* mouse = bus->Device(sim::DeviceKind::Mouse);
    hid::CommandChannel channel;
    if (!OpenWired(channel, "sim:mouse/cable?vid_320f&pid_50ef&mi_01&col04"))
        return 1;
    Report("virtual mouse, no delay, SendLightCommand",
           Measure(50000, [&] { return channel.SendLightCommand(command, 64, answer, 64, &got); }));
    Report("virtual mouse, no delay, SendCommand",
           Measure(50000, [&] { return channel.SendCommand(command, 64, answer, 64, &got); }));
    mouse->SetReportInterval(std::chrono::microseconds(1000));
    Report("virtual mouse, 1 ms report interval",
           Measure(1000, [&] { return channel.SendCommand(command, 64, answer, 64, &got); }));
    return 0;
}
