// Parser for HID report descriptors. It lists the top-level collections with
// their usage, the report ids and byte lengths each uses per report type, and
// the button and value fields needed to unpack input reports into usages.
// Any byte sequence is accepted: malformed items end the parse early or are
// skipped, never read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace hid {

enum class ReportType : int { Input = 0, Output = 1, Feature = 2 };

// One field of a report (one main item, or one usage of a value item).
struct ReportField {
    ReportType type = ReportType::Input;
    uint8_t reportId = 0;
    uint16_t usagePage = 0;
    bool isButton = false;  // 1-bit variable fields and array fields
    bool isArray = false;
    bool isRange = false;
    uint16_t usageMin = 0;  // range, or the only usage of a value
    uint16_t usageMax = 0;
    std::vector<uint16_t> usages;  // explicit usage list (buttons without a range)
    uint32_t bitOffset = 0;        // from the first data bit after the report id byte
    uint32_t bitSize = 0;
    uint32_t count = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

struct TopLevelCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // report id -> bit length of the report's data (without the id byte).
    std::map<uint8_t, uint32_t> reportBits[3];
    std::vector<ReportField> fields;

    // Byte length of the longest report of a type including the report-id
    // byte (0 when the collection has no report of that type).
    uint16_t ReportByteLength(ReportType type) const;
    bool HasReportId(ReportType type, uint8_t id) const;
    size_t CountFields(ReportType type, bool buttons) const;
};

struct ReportDescriptor {
    std::vector<TopLevelCollection> collections;
    bool usesReportIds = false;
    bool truncated = false;  // the parse stopped at a malformed item
};

ReportDescriptor ParseReportDescriptor(const uint8_t* data, size_t length);
inline ReportDescriptor ParseReportDescriptor(const std::vector<uint8_t>& bytes) {
    return ParseReportDescriptor(bytes.data(), bytes.size());
}

// Reads `bits` bits (at most 32) at `bitOffset` of `data` (little-endian bit
// order as in HID reports). Bits beyond `length` read as 0.
uint32_t ExtractBits(const uint8_t* data, size_t length, uint32_t bitOffset, uint32_t bits);

}  // namespace hid
