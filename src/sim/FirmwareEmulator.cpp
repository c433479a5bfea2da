#include "sim/FirmwareEmulator.h"

#include <cstring>

namespace sim {

namespace {
constexpr uint8_t kStatusError = 0xFF;
constexpr uint8_t kStatusChecksum = 0xFE;
}  // namespace

FirmwareEmulator::FirmwareEmulator() {
    AddRegion("info", 34);
    AddRegion("status", 64);
    SetRule(0x03, "info", Access::Read);
    SetRule(0x1A, "status", Access::Read);
    SetFirmwareVersion(0x0100);
}

MemoryRegion& FirmwareEmulator::AddRegion(const QString& name, size_t size) {
    regions_.push_back({name, std::vector<uint8_t>(size, 0)});
    return regions_.back();
}

void FirmwareEmulator::SetRule(uint8_t id, const QString& region, Access access, size_t maxLength) {
    rules_[id] = {region, access, maxLength};
}

MemoryRegion* FirmwareEmulator::Region(const QString& name) {
    for (MemoryRegion& r : regions_)
        if (r.name == name)
            return &r;
    return nullptr;
}

void FirmwareEmulator::SetInfoByte(size_t offset, uint8_t value) {
    Region("info")->bytes.at(offset) = value;
}

void FirmwareEmulator::SetInfoWord(size_t offset, uint16_t value) {
    SetInfoByte(offset, uint8_t(value));
    SetInfoByte(offset + 1, uint8_t(value >> 8));
}

void FirmwareEmulator::SetFirmwareVersion(uint16_t version) {
    version_ = version;
    SetInfoWord(1, version);
}

void FirmwareEmulator::SetBattery(uint8_t percent, uint8_t charging) {
    auto& s = Region("status")->bytes;
    s[0] = percent > 100 ? 100 : percent;
    s[1] = charging;
}

void FirmwareEmulator::SetPhoneOnPad(uint8_t state) {
    Region("status")->bytes[5] = state;
}
void FirmwareEmulator::SetLinkFlag(uint8_t flag) {
    Region("status")->bytes[3] = flag;
}

uint8_t FirmwareEmulator::ActiveProfile() const {
    for (const MemoryRegion& r : regions_)
        if (r.name == "settings" && !r.bytes.empty())
            return r.bytes[0];
    return 0;
}

uint8_t FirmwareEmulator::NextProfile() {
    MemoryRegion* s = Region("settings");
    if (!s || s->bytes.empty())
        return 0;
    s->bytes[0] = uint8_t((s->bytes[0] + 1) % profiles_);
    if (onWrite)
        onWrite(*s);
    return s->bytes[0];
}

void FirmwareEmulator::FinishReport(Report& r) {
    uint32_t sum = 0;
    for (size_t i = 3; i < r.size(); ++i)
        sum += r[i];
    r[1] = uint8_t(sum);
    r[2] = uint8_t(sum >> 8);
}

Report FirmwareEmulator::HandleCommand(const uint8_t* c) {
    ++commands_;
    Report a{};
    a[0] = 0x04;
    std::memcpy(a.data() + 3, c + 3, 4);  // id, length, address
    const uint8_t id = c[3];
    const size_t length = c[4];
    const size_t address = size_t(c[5]) | size_t(c[6]) << 8;
    auto fail = [&](uint8_t status) {
        a[7] = status;
        FinishReport(a);
        return a;
    };
    if (c[0] != 0x04)
        return fail(kStatusError);
    uint32_t sum = 0;
    for (int i = 3; i < 64; ++i)
        sum += c[i];
    if ((c[1] | c[2] << 8) != int(sum & 0xFFFF))
        return fail(kStatusChecksum);
    switch (id) {
        case 0x01:
        case 0x02:
        case 0x1C:
        case 0xAA:
            if (length != 0 || address != 0)
                return fail(kStatusError);
            if (id == 0x01)
                ++accessOpen_;
            if (id == 0x02 && accessOpen_ > 0)
                --accessOpen_;
            if (id == 0xAA)
                a[8] = 0xFF;
            FinishReport(a);
            return a;
        default:
            break;
    }
    const auto rule = rules_.find(id);
    if (rule == rules_.end())
        return fail(kStatusError);
    MemoryRegion* region = Region(rule->second.region);
    if (!region || length == 0 || length > rule->second.maxLength ||
        address + length > region->bytes.size())
        return fail(kStatusError);
    if (rule->second.access == Access::Read) {
        std::memcpy(a.data() + 8, region->bytes.data() + address, length);
    } else {
        std::memcpy(region->bytes.data() + address, c + 8, length);
        if (onWrite)
            onWrite(*region);
    }
    FinishReport(a);
    return a;
}

bool FirmwareEmulator::HandleOutputReport(const uint8_t*, size_t) {
    return false;
}

QString FirmwareEmulator::Dump() const {
    QString out;
    for (const MemoryRegion& r : regions_) {
        out += QStringLiteral("[%1] %2 bytes\n").arg(r.name).arg(r.bytes.size());
        for (size_t off = 0; off < r.bytes.size(); off += 16) {
            out += QStringLiteral("%1:").arg(off, 4, 16, QChar('0'));
            for (size_t i = off; i < off + 16 && i < r.bytes.size(); ++i)
                out += QStringLiteral(" %1").arg(r.bytes[i], 2, 16, QChar('0'));
            out += '\n';
        }
    }
    return out;
}

}  // namespace sim
