#include "hid/ReportDescriptor.h"

#include <algorithm>

namespace hid {

namespace {

constexpr uint32_t kMaxReportBits = 8u * 4096u;  // larger reports are refused
constexpr size_t kMaxFields = 4096;
constexpr size_t kMaxUsagesPerItem = 1024;
constexpr size_t kMaxStackDepth = 32;

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct LocalState {
    std::vector<uint32_t> usages;  // extended usages (page << 16 | usage) when size 4
    bool hasMin = false, hasMax = false;
    uint32_t usageMin = 0, usageMax = 0;
    void Clear() { *this = LocalState(); }
};

int32_t SignedValue(uint32_t raw, int size) {
    switch (size) {
        case 1:
            return static_cast<int8_t>(raw);
        case 2:
            return static_cast<int16_t>(raw);
        default:
            return static_cast<int32_t>(raw);
    }
}

}  // namespace

uint32_t ExtractBits(const uint8_t* data, size_t length, uint32_t bitOffset, uint32_t bits) {
    uint32_t value = 0;
    bits = std::min<uint32_t>(bits, 32);
    for (uint32_t i = 0; i < bits; ++i) {
        const uint64_t bit = uint64_t(bitOffset) + i;
        const uint64_t byte = bit / 8;
        if (byte >= length)
            break;
        if (data[byte] & (1u << (bit % 8)))
            value |= 1u << i;
    }
    return value;
}

uint16_t TopLevelCollection::ReportByteLength(ReportType type) const {
    uint32_t longest = 0;
    bool any = false;
    for (const auto& [id, bits] : reportBits[int(type)]) {
        any = true;
        longest = std::max(longest, bits);
    }
    if (!any)
        return 0;
    return static_cast<uint16_t>((longest + 7) / 8 + 1);
}

bool TopLevelCollection::HasReportId(ReportType type, uint8_t id) const {
    return reportBits[int(type)].count(id) != 0;
}

size_t TopLevelCollection::CountFields(ReportType type, bool buttons) const {
    return std::count_if(fields.begin(), fields.end(), [&](const ReportField& f) {
        return f.type == type && f.isButton == buttons;
    });
}

ReportDescriptor ParseReportDescriptor(const uint8_t* data, size_t length) {
    ReportDescriptor result;
    GlobalState global;
    std::vector<GlobalState> stack;
    LocalState local;
    int depth = 0;
    TopLevelCollection* current = nullptr;
    // Bit position per report id and type: shared by all collections, as the
    // report ids of one interface are.
    std::map<uint8_t, uint32_t> positions[3];
    size_t fieldCount = 0;

    size_t pos = 0;
    while (pos < length) {
        const uint8_t prefix = data[pos];
        if (prefix == 0xFE) {  // long item: skipped
            if (pos + 2 >= length) {
                result.truncated = true;
                break;
            }
            const size_t size = data[pos + 1];
            if (pos + 3 + size > length) {
                result.truncated = true;
                break;
            }
            pos += 3 + size;
            continue;
        }
        int size = prefix & 3;
        if (size == 3)
            size = 4;
        if (pos + 1 + size > length) {
            result.truncated = true;
            break;
        }
        uint32_t raw = 0;
        for (int i = 0; i < size; ++i)
            raw |= uint32_t(data[pos + 1 + i]) << (8 * i);
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        pos += 1 + size;

        if (type == 0) {       // main
            if (tag == 0xA) {  // collection
                if (depth == 0) {
                    TopLevelCollection c;
                    c.usagePage = global.usagePage;
                    if (!local.usages.empty()) {
                        const uint32_t u = local.usages.front();
                        c.usage = uint16_t(u);
                        if (u > 0xFFFF)
                            c.usagePage = uint16_t(u >> 16);
                    } else if (local.hasMin) {
                        c.usage = uint16_t(local.usageMin);
                    }
                    result.collections.push_back(std::move(c));
                    current = &result.collections.back();
                }
                if (depth < 1000)
                    ++depth;
            } else if (tag == 0xC) {  // end collection
                if (depth > 0)
                    --depth;
                if (depth == 0)
                    current = nullptr;
            } else if (tag == 0x8 || tag == 0x9 || tag == 0xB) {
                const ReportType rtype = tag == 0x8   ? ReportType::Input
                                         : tag == 0x9 ? ReportType::Output
                                                      : ReportType::Feature;
                const uint64_t bits = uint64_t(global.reportSize) * global.reportCount;
                uint32_t& position = positions[int(rtype)][global.reportId];
                if (bits > kMaxReportBits || position + bits > kMaxReportBits) {
                    result.truncated = true;
                    break;
                }
                const uint32_t offset = position;
                position += uint32_t(bits);
                if (current) {
                    current->reportBits[int(rtype)][global.reportId] = position;
                    const bool constant = raw & 1;
                    const bool variable = raw & 2;
                    if (!constant && bits > 0 && fieldCount < kMaxFields) {
                        ReportField f;
                        f.type = rtype;
                        f.reportId = global.reportId;
                        f.usagePage = global.usagePage;
                        f.isArray = !variable;
                        f.isButton = !variable || global.reportSize == 1;
                        f.bitOffset = offset;
                        f.bitSize = global.reportSize;
                        f.count = global.reportCount;
                        f.logicalMin = global.logicalMin;
                        f.logicalMax = global.logicalMax;
                        f.physicalMin = global.physicalMin;
                        f.physicalMax = global.physicalMax;
                        if (local.hasMin || local.hasMax) {
                            f.isRange = true;
                            const uint16_t lo = uint16_t(local.usageMin);
                            const uint16_t hi = uint16_t(local.usageMax);
                            f.usageMin = lo;
                            f.usageMax = local.hasMax ? std::max(lo, hi) : lo;
                            if (local.usageMin > 0xFFFF)
                                f.usagePage = uint16_t(local.usageMin >> 16);
                        } else if (!local.usages.empty()) {
                            for (size_t i = 0; i < local.usages.size() && i < kMaxUsagesPerItem;
                                 ++i)
                                f.usages.push_back(uint16_t(local.usages[i]));
                            if (local.usages.front() > 0xFFFF)
                                f.usagePage = uint16_t(local.usages.front() >> 16);
                            f.usageMin = *std::min_element(f.usages.begin(), f.usages.end());
                            f.usageMax = *std::max_element(f.usages.begin(), f.usages.end());
                        }
                        if (f.isButton || f.bitSize > 32) {
                            if (f.bitSize <= 32) {
                                current->fields.push_back(std::move(f));
                                ++fieldCount;
                            }
                        } else {
                            // One value field per usage, as the OS's HID
                            // parser reports them; the last usage covers the
                            // remaining count.
                            const uint32_t usageCount =
                                f.isRange ? uint32_t(f.usageMax - f.usageMin) + 1
                                          : uint32_t(std::max<size_t>(f.usages.size(), 1));
                            const uint32_t n = std::min<uint32_t>(f.count, usageCount);
                            for (uint32_t i = 0; i < n && fieldCount < kMaxFields; ++i) {
                                ReportField v = f;
                                v.bitOffset = offset + i * f.bitSize;
                                v.count = (i + 1 == n) ? f.count - i : 1;
                                uint16_t usage = 0;
                                if (f.isRange)
                                    usage = uint16_t(f.usageMin + i);
                                else if (!f.usages.empty())
                                    usage = f.usages[i];
                                v.usages.clear();
                                v.isRange = false;
                                v.usageMin = v.usageMax = usage;
                                current->fields.push_back(std::move(v));
                                ++fieldCount;
                            }
                        }
                    }
                }
            }
            local.Clear();
        } else if (type == 1) {  // global
            switch (tag) {
                case 0:
                    global.usagePage = uint16_t(raw);
                    break;
                case 1:
                    global.logicalMin = SignedValue(raw, size);
                    break;
                case 2:
                    // Logical maximum is signed only when the minimum is.
                    global.logicalMax =
                        global.logicalMin < 0 ? SignedValue(raw, size) : static_cast<int32_t>(raw);
                    break;
                case 3:
                    global.physicalMin = SignedValue(raw, size);
                    break;
                case 4:
                    global.physicalMax =
                        global.physicalMin < 0 ? SignedValue(raw, size) : static_cast<int32_t>(raw);
                    break;
                case 7:
                    global.reportSize = raw;
                    break;
                case 8:
                    global.reportId = uint8_t(raw);
                    if (raw != 0)
                        result.usesReportIds = true;
                    break;
                case 9:
                    global.reportCount = raw;
                    break;
                case 10:
                    if (stack.size() < kMaxStackDepth)
                        stack.push_back(global);
                    break;
                case 11:
                    if (!stack.empty()) {
                        global = stack.back();
                        stack.pop_back();
                    }
                    break;
                default:
                    break;
            }
        } else if (type == 2) {  // local
            const uint32_t usage = size == 4 ? raw : (raw & 0xFFFF);
            switch (tag) {
                case 0:
                    if (local.usages.size() < kMaxUsagesPerItem)
                        local.usages.push_back(usage);
                    break;
                case 1:
                    local.hasMin = true;
                    local.usageMin = usage;
                    break;
                case 2:
                    local.hasMax = true;
                    local.usageMax = size == 4 ? (raw & 0xFFFF) : usage;
                    break;
                default:
                    break;
            }
        }
    }
    return result;
}

}  // namespace hid
