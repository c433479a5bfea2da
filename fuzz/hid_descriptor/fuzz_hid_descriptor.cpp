// Feeds arbitrary bytes to the report-descriptor parser and unpacks a report
// made of the same bytes with every field the parser found.
#include "hid/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const hid::ReportDescriptor d = hid::ParseReportDescriptor(data, size);
    uint64_t sink = 0;
    for (const hid::TopLevelCollection& c : d.collections) {
        for (int t = 0; t < 3; ++t)
            sink += c.ReportByteLength(hid::ReportType(t));
        for (const hid::ReportField& f : c.fields) {
            for (uint32_t i = 0; i < f.count && i < 64; ++i)
                sink += hid::ExtractBits(data, size, f.bitOffset + i * f.bitSize, f.bitSize);
        }
    }
    return sink == 0xFFFFFFFFFFFFFFFFull ? 1 : 0;
}
