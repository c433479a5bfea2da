#include "sim/VirtualDevice.h"

#include "hid/ReportDescriptor.h"
#include "sim/Descriptors.h"
#include "sim/Firmwares.h"
#include "sim/SimConnection.h"
#include "sim/VirtualBus.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <mutex>

namespace sim {

namespace {

int CollectionCount(const std::vector<uint8_t>& descriptor) {
    return int(hid::ParseReportDescriptor(descriptor).collections.size());
}

}  // namespace

VirtualDevice::VirtualDevice(VirtualBus* bus, DeviceKind kind, QString name)
    : bus_(bus), kind_(kind), name_(std::move(name)) {
    auto vendorInterfaces = [](bool mouse) {
        std::vector<Interface> list(2);
        list[0].number = 0;
        list[0].descriptor = mouse ? MouseInterfaceDescriptor() : KeyboardInterfaceDescriptor();
        list[1].number = 1;
        list[1].descriptor = VendorInterfaceDescriptor();
        list[1].usageReportId = kConsumerReportId;
        list[1].commands = true;
        for (Interface& i : list)
            i.collections = CollectionCount(i.descriptor);
        return list;
    };
    auto appearance = [](QString tag, uint16_t vid, uint16_t pid, bool receiver,
                         std::vector<Interface> interfaces) {
        Appearance a;
        a.tag = std::move(tag);
        a.vendorId = vid;
        a.productId = pid;
        a.receiver = receiver;
        a.interfaces = std::move(interfaces);
        return a;
    };
    switch (kind) {
        case DeviceKind::Mouse:
            firmware_ = std::make_unique<MouseFirmware>();
            appearances_.push_back(
                appearance("cable", 0x320F, 0x50EF, false, vendorInterfaces(true)));
            appearances_.push_back(
                appearance("receiver", 0x320F, 0x221D, true, vendorInterfaces(true)));
            break;
        case DeviceKind::Keyboard:
            firmware_ = std::make_unique<KeyboardFirmware>();
            appearances_.push_back(
                appearance("cable", 0x320F, 0x50C2, false, vendorInterfaces(false)));
            appearances_.push_back(
                appearance("receiver", 0x320F, 0x50C3, true, vendorInterfaces(false)));
            break;
        case DeviceKind::Mousepad:
            firmware_ = std::make_unique<MousepadFirmware>();
            appearances_.push_back(
                appearance("cable", 0x320F, 0x1004, false, vendorInterfaces(false)));
            break;
        case DeviceKind::Headset: {
            firmware_ = std::make_unique<HeadsetFirmware>();
            std::vector<Interface> list(1);
            list[0].number = 3;
            list[0].descriptor = HeadsetInterfaceDescriptor();
            list[0].collections = CollectionCount(list[0].descriptor);
            list[0].usageReportId = kHeadsetUsageReportId;
            list[0].commands = true;
            appearances_.push_back(appearance("cable", 0x0C76, 0x1630, false, std::move(list)));
            break;
        }
    }
}

void VirtualDevice::SetPluggedLocked(size_t index, bool plugged) {
    if (index >= appearances_.size())
        return;
    Appearance& a = appearances_[index];
    if (a.plugged == plugged)
        return;
    a.plugged = plugged;
    if (!plugged) {
        for (Interface& i : a.interfaces) {
            for (const auto& weak : i.connections)
                if (auto conn = weak.lock())
                    conn->MarkGone();
            i.connections.clear();
        }
    }
}

void VirtualDevice::SetCablePlugged(bool plugged) {
    std::lock_guard lock(bus_->mutex_);
    SetPluggedLocked(0, plugged);
}

void VirtualDevice::SetReceiverPlugged(bool plugged) {
    std::lock_guard lock(bus_->mutex_);
    if (appearances_.size() > 1)
        SetPluggedLocked(1, plugged);
}

void VirtualDevice::SetPoweredOn(bool on) {
    std::lock_guard lock(bus_->mutex_);
    poweredOn_ = on;
}

bool VirtualDevice::CablePlugged() const {
    std::lock_guard lock(bus_->mutex_);
    return appearances_[0].plugged;
}

bool VirtualDevice::ReceiverPlugged() const {
    std::lock_guard lock(bus_->mutex_);
    return appearances_.size() > 1 && appearances_[1].plugged;
}

bool VirtualDevice::PoweredOn() const {
    std::lock_guard lock(bus_->mutex_);
    return poweredOn_;
}

void VirtualDevice::Unplug() {
    std::lock_guard lock(bus_->mutex_);
    for (size_t i = 0; i < appearances_.size(); ++i)
        SetPluggedLocked(i, false);
}

void VirtualDevice::UnplugAfterCommands(int n) {
    std::lock_guard lock(bus_->mutex_);
    unplugAfter_ = n < 0 ? 0 : n;
}

void VirtualDevice::SetAnswerDelay(std::chrono::microseconds delay) {
    std::lock_guard lock(bus_->mutex_);
    delay_ = delay.count() < 0 ? std::chrono::microseconds(0) : delay;
}

void VirtualDevice::SetReportInterval(std::chrono::microseconds interval) {
    std::lock_guard lock(bus_->mutex_);
    interval_ = interval.count() < 0 ? std::chrono::microseconds(0) : interval;
}

void VirtualDevice::DropAnswers(int count) {
    std::lock_guard lock(bus_->mutex_);
    dropAnswers_ = count < 0 ? 0 : count;
}

void VirtualDevice::SetUnsolicitedBeforeAnswer(int count) {
    std::lock_guard lock(bus_->mutex_);
    unsolicited_ = count < 0 ? 0 : count;
}

VirtualDevice::Appearance* VirtualDevice::InputAppearanceLocked() {
    if (appearances_[0].plugged)
        return &appearances_[0];
    if (appearances_.size() > 1 && appearances_[1].plugged && poweredOn_)
        return &appearances_[1];
    return nullptr;
}

void VirtualDevice::SendUsageLocked(uint16_t usage) {
    Appearance* a = InputAppearanceLocked();
    if (!a)
        return;
    for (Interface& i : a->interfaces) {
        if (!i.usageReportId)
            continue;
        const uint8_t press[3] = {i.usageReportId, uint8_t(usage), uint8_t(usage >> 8)};
        const uint8_t release[3] = {i.usageReportId, 0, 0};
        bus_->DeliverLocked(*this, i, press, sizeof press, false);
        bus_->DeliverLocked(*this, i, release, sizeof release, false);
    }
}

void VirtualDevice::SendUsage(uint16_t usage) {
    std::lock_guard lock(bus_->mutex_);
    SendUsageLocked(usage);
}

void VirtualDevice::PressKey(uint8_t position) {
    SendUsage(uint16_t(0x0500 | position));
}
void VirtualDevice::ReleaseKey(uint8_t position) {
    SendUsage(uint16_t(0x0600 | position));
}

void VirtualDevice::PressProfileButton() {
    std::lock_guard lock(bus_->mutex_);
    const uint8_t profile = firmware_->NextProfile();
    SendUsageLocked(uint16_t(0x1000 | (profile & 0x0F)));
}

void VirtualDevice::PressDpiButton() {
    std::lock_guard lock(bus_->mutex_);
    const uint8_t stage = firmware_->NextDpiStage();
    const uint8_t profile = firmware_->ActiveProfile();
    SendUsageLocked(uint16_t(0x1100 | (stage & 0x0F) << 4 | (profile & 0x0F)));
}

void VirtualDevice::SetBattery(uint8_t percent, uint8_t charging) {
    std::lock_guard lock(bus_->mutex_);
    firmware_->SetBattery(percent, charging);
}

void VirtualDevice::SetPhoneOnPad(uint8_t state) {
    std::lock_guard lock(bus_->mutex_);
    firmware_->SetPhoneOnPad(state);
}

void VirtualDevice::SetFirmwareVersion(uint16_t version) {
    std::lock_guard lock(bus_->mutex_);
    firmware_->SetFirmwareVersion(version);
}

QString VirtualDevice::DumpMemory() const {
    std::lock_guard lock(bus_->mutex_);
    return QStringLiteral("# %1 firmware %2\n")
               .arg(name_)
               .arg(firmware_->FirmwareVersion(), 4, 16, QChar('0')) +
           firmware_->Dump();
}

std::vector<uint8_t> VirtualDevice::RegionBytes(const QString& region) const {
    std::lock_guard lock(bus_->mutex_);
    const MemoryRegion* r = firmware_->Region(region);
    return r ? r->bytes : std::vector<uint8_t>();
}

bool VirtualDevice::SetRegionBytes(const QString& region, size_t offset,
                                   const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(bus_->mutex_);
    MemoryRegion* r = firmware_->Region(region);
    if (!r || offset > r->bytes.size() || bytes.size() > r->bytes.size() - offset)
        return false;
    std::copy(bytes.begin(), bytes.end(), r->bytes.begin() + std::ptrdiff_t(offset));
    return true;
}

int VirtualDevice::CommandsReceived() const {
    std::lock_guard lock(bus_->mutex_);
    return firmware_->CommandCount();
}

int VirtualDevice::OutputReportsReceived() const {
    std::lock_guard lock(bus_->mutex_);
    return outputReports_;
}

bool VirtualDevice::SetStorageFolder(const QString& folder) {
    std::lock_guard lock(bus_->mutex_);
    if (folder.isEmpty()) {
        storage_.clear();
        firmware_->onWrite = nullptr;
        return true;
    }
    if (!QDir().mkpath(folder))
        return false;
    storage_ = QDir(folder).absolutePath();
    for (const MemoryRegion& r : firmware_->Regions()) {
        if (r.name == "info")
            continue;  // fixed by the model
        QFile file(storage_ + "/" + name_ + "-" + r.name + ".bin");
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = file.readAll();
        // A file of another size belongs to another model version: ignored.
        if (size_t(data.size()) == r.bytes.size()) {
            MemoryRegion* target = firmware_->Region(r.name);
            std::copy(data.begin(), data.end(), target->bytes.begin());
        }
    }
    const QString base = storage_ + "/" + name_ + "-";
    firmware_->onWrite = [base](const MemoryRegion& r) {
        QSaveFile file(base + r.name + ".bin");
        if (file.open(QIODevice::WriteOnly)) {
            file.write(reinterpret_cast<const char*>(r.bytes.data()), qint64(r.bytes.size()));
            file.commit();
        }
    };
    return true;
}

}  // namespace sim
