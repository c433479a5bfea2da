#include "sim/VirtualBus.h"

#include "hid/DeviceIdentity.h"
#include "hid/ReportDescriptor.h"
#include "sim/Descriptors.h"
#include "sim/SimConnection.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {

constexpr char kPrefix[] = "sim:";

QString KindName(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::Mouse:
            return QStringLiteral("mouse");
        case DeviceKind::Keyboard:
            return QStringLiteral("keyboard");
        case DeviceKind::Mousepad:
            return QStringLiteral("mousepad");
        case DeviceKind::Headset:
            return QStringLiteral("headset");
    }
    return {};
}

}  // namespace

std::shared_ptr<VirtualBus> VirtualBus::Create() {
    return std::shared_ptr<VirtualBus>(new VirtualBus());
}

VirtualBus::VirtualBus() {
    scheduler_ = std::thread([this] { SchedulerLoop(); });
}

VirtualBus::~VirtualBus() {
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
        queueChanged_.notify_all();
    }
    scheduler_.join();
}

bool VirtualBus::SetStorageFolder(const QString& folder) {
    {
        std::lock_guard lock(mutex_);
        storage_ = folder;
    }
    bool ok = true;
    for (VirtualDevice* d : Devices())
        ok = d->SetStorageFolder(folder) && ok;
    return ok;
}

VirtualDevice* VirtualBus::AddDevice(DeviceKind kind) {
    VirtualDevice* device = AddDeviceUnstored(kind);
    QString folder;
    {
        std::lock_guard lock(mutex_);
        folder = storage_;
    }
    if (!folder.isEmpty())
        device->SetStorageFolder(folder);
    return device;
}

VirtualDevice* VirtualBus::AddDeviceUnstored(DeviceKind kind) {
    std::lock_guard lock(mutex_);
    int same = 0;
    for (const auto& d : devices_)
        if (d->kind_ == kind)
            ++same;
    QString name = KindName(kind);
    if (same > 0)
        name += QStringLiteral("-%1").arg(same + 1);
    devices_.push_back(std::unique_ptr<VirtualDevice>(new VirtualDevice(this, kind, name)));
    return devices_.back().get();
}

VirtualDevice* VirtualBus::Device(DeviceKind kind) const {
    std::lock_guard lock(mutex_);
    for (const auto& d : devices_)
        if (d->kind_ == kind)
            return d.get();
    return nullptr;
}

VirtualDevice* VirtualBus::Device(const QString& name) const {
    std::lock_guard lock(mutex_);
    for (const auto& d : devices_)
        if (d->name_ == name)
            return d.get();
    return nullptr;
}

std::vector<VirtualDevice*> VirtualBus::Devices() const {
    std::lock_guard lock(mutex_);
    std::vector<VirtualDevice*> list;
    for (const auto& d : devices_)
        list.push_back(d.get());
    return list;
}

VirtualDevice* VirtualBus::AddModel(Model model) {
    DeviceKind kind = DeviceKind::Mouse;
    bool receiver = false;
    switch (model) {
        case Model::Mouse:
            break;
        case Model::MouseReceiver:
            receiver = true;
            break;
        case Model::Keyboard:
            kind = DeviceKind::Keyboard;
            break;
        case Model::KeyboardReceiver:
            kind = DeviceKind::Keyboard;
            receiver = true;
            break;
        case Model::Mousepad:
            kind = DeviceKind::Mousepad;
            break;
        case Model::Headset:
            kind = DeviceKind::Headset;
            break;
    }
    VirtualDevice* device = Device(kind);
    if (!device)
        device = AddDevice(kind);
    if (receiver)
        device->SetReceiverPlugged(true);
    else
        device->SetCablePlugged(true);
    return device;
}

void VirtualBus::FailEnumerations(int count) {
    std::lock_guard lock(mutex_);
    failEnumerations_ = std::max(0, count);
}

bool VirtualBus::Enumerate(QStringList& paths) {
    std::lock_guard lock(mutex_);
    if (failEnumerations_ > 0) {
        --failEnumerations_;
        return false;
    }
    for (const auto& d : devices_) {
        for (const VirtualDevice::Appearance& a : d->appearances_) {
            if (!a.plugged)
                continue;
            for (const VirtualDevice::Interface& i : a.interfaces) {
                const QString base = QStringLiteral("%1%2/%3?vid_%4&pid_%5&mi_%6")
                                         .arg(QLatin1String(kPrefix), d->name_, a.tag)
                                         .arg(a.vendorId, 4, 16, QChar('0'))
                                         .arg(a.productId, 4, 16, QChar('0'))
                                         .arg(i.number, 2, 16, QChar('0'));
                if (i.collections <= 1)
                    paths << base;
                else
                    for (int c = 1; c <= i.collections; ++c)
                        paths << base + QStringLiteral("&col%1").arg(c, 2, 16, QChar('0'));
            }
        }
    }
    return true;
}

bool VirtualBus::Handles(const QString& path) const {
    return path.startsWith(QLatin1String(kPrefix));
}

bool VirtualBus::Locate(const QString& path, VirtualDevice** device, size_t* appearance,
                        size_t* interface) const {
    if (!Handles(path))
        return false;
    const qsizetype query = path.indexOf('?');
    const QString head = path.mid(4, query < 0 ? -1 : query - 4);
    const QStringList parts = head.split('/');
    if (parts.size() != 2)
        return false;
    const uint16_t number = hid::ParseInterfaceNumber(path);
    for (const auto& d : devices_) {
        if (d->name_ != parts[0])
            continue;
        for (size_t a = 0; a < d->appearances_.size(); ++a) {
            const VirtualDevice::Appearance& app = d->appearances_[a];
            if (app.tag != parts[1] || hid::ParseVendorId(path) != app.vendorId ||
                hid::ParseProductId(path) != app.productId)
                continue;
            for (size_t i = 0; i < app.interfaces.size(); ++i) {
                if (app.interfaces[i].number != number)
                    continue;
                const uint16_t col = hid::ParseCollectionNumber(path);
                if (col > app.interfaces[i].collections)
                    return false;
                *device = d.get();
                *appearance = a;
                *interface = i;
                return true;
            }
        }
    }
    return false;
}

std::shared_ptr<hid::HidConnection> VirtualBus::Open(const QString& path,
                                                     const hid::OpenOptions& options,
                                                     QString* error) {
    std::lock_guard lock(mutex_);
    VirtualDevice* device = nullptr;
    size_t a = 0, i = 0;
    if (!Locate(path, &device, &a, &i) || !device->appearances_[a].plugged) {
        if (error)
            *error = QStringLiteral("no such device: %1").arg(path);
        return nullptr;
    }
    VirtualDevice::Appearance& app = device->appearances_[a];
    VirtualDevice::Interface& iface = app.interfaces[i];
    hid::HidAttributes attributes{app.vendorId, app.productId,
                                  device->firmware_->FirmwareVersion()};
    auto conn = std::make_shared<SimConnection>(shared_from_this(), device, a, i, iface.descriptor,
                                                attributes, options);
    // Forget connections that were closed.
    std::erase_if(iface.connections, [](const auto& w) { return w.expired(); });
    iface.connections.push_back(conn);
    return conn;
}

bool VirtualBus::IsPresent(const QString& path) {
    std::lock_guard lock(mutex_);
    VirtualDevice* device = nullptr;
    size_t a = 0, i = 0;
    return Locate(path, &device, &a, &i) && device->appearances_[a].plugged;
}

hid::IoStatus VirtualBus::HandleWrite(SimConnection& connection, const uint8_t* data,
                                      size_t length) {
    std::lock_guard lock(mutex_);
    VirtualDevice& device = *connection.Device();
    VirtualDevice::Appearance& app = device.appearances_[connection.AppearanceIndex()];
    VirtualDevice::Interface& iface = app.interfaces[connection.InterfaceIndex()];
    if (!app.plugged || length == 0)
        return hid::IoStatus::Failed;
    if (data[0] != kCommandReportId || !iface.commands) {
        // Other output reports (the headset's LEDs); unknown ids fail.
        if (!device.firmware_->HandleOutputReport(data, length))
            return hid::IoStatus::Failed;
        ++device.outputReports_;
        return hid::IoStatus::Ok;
    }
    if (length != 64)
        return hid::IoStatus::Failed;  // the output report is 64 bytes
    if (device.unplugAfter_ > 0 && --device.unplugAfter_ == 0) {
        for (size_t k = 0; k < device.appearances_.size(); ++k)
            device.SetPluggedLocked(k, false);
        return hid::IoStatus::Ok;  // sent, never answered
    }
    Report answer{};
    if (app.receiver && !device.poweredOn_) {
        answer[0] = kCommandReportId;
        answer[3] = 0xAA;
        FirmwareEmulator::FinishReport(answer);
    } else {
        answer = device.firmware_->HandleCommand(data);
    }
    if (device.dropAnswers_ > 0) {
        --device.dropAnswers_;
        return hid::IoStatus::Ok;
    }
    for (int n = 0; n < device.unsolicited_; ++n) {
        Report event{};
        event[0] = kCommandReportId;
        event[3] = 0x40;  // a notification the host does not wait for
        event[8] = uint8_t(n);
        FirmwareEmulator::FinishReport(event);
        DeliverLocked(device, iface, event.data(), event.size(), true);
    }
    DeliverLocked(device, iface, answer.data(), answer.size(), true);
    return hid::IoStatus::Ok;
}

void VirtualBus::DeliverLocked(VirtualDevice& device, VirtualDevice::Interface& iface,
                               const uint8_t* report, size_t length, bool timed) {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    auto due = now + (timed ? device.delay_ : microseconds(0));
    if (timed && device.interval_.count() > 0) {
        const auto since = duration_cast<microseconds>(due - epoch_);
        const auto frames =
            (since.count() + device.interval_.count() - 1) / device.interval_.count();
        due = epoch_ + microseconds(frames * device.interval_.count());
    }
    std::lock_guard queueLock(queueMutex_);
    if (due <= now && queue_.empty()) {
        for (const auto& weak : iface.connections)
            if (auto conn = weak.lock())
                conn->Push(report, length);
        return;
    }
    // Later, and always after whatever is already waiting for this bus.
    Pending pending{due, iface.connections, {}, std::min<size_t>(length, 64)};
    std::memcpy(pending.report.data(), report, pending.length);
    if (!queue_.empty() && queue_.back().due > pending.due)
        pending.due = queue_.back().due;
    queue_.push_back(std::move(pending));
    queueChanged_.notify_all();
}

void VirtualBus::SchedulerLoop() {
    std::unique_lock lock(queueMutex_);
    for (;;) {
        if (stopping_)
            return;
        if (queue_.empty()) {
            queueChanged_.wait(lock);
            continue;
        }
        const auto due = queue_.front().due;
        if (std::chrono::steady_clock::now() < due) {
            queueChanged_.wait_until(lock, due);
            continue;
        }
        Pending pending = std::move(queue_.front());
        queue_.pop_front();
        for (const auto& weak : pending.targets)
            if (auto conn = weak.lock())
                conn->Push(pending.report.data(), pending.length);
    }
}

}  // namespace sim
