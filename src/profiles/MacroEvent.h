// The 4-byte device form of a macro or shoot event.
#pragma once

#include <json/json.h>

#include <cstdint>

namespace profiles {

// Delay (little-endian 16 bits), type with bit 7 set for a press, button.
struct MacroEventRecord {
    std::uint8_t delayLow = 0;
    std::uint8_t delayHigh = 0;
    std::uint8_t type = 0;
    std::uint8_t button = 0;
    bool operator==(const MacroEventRecord&) const = default;
};

// Converts an event object {"Action", "Button", "Delay", "Type"}. "Delay"
// may be decimal text or a number; it is limited to 0..65535 so a long
// delay never wraps into a short one. "Action" "down" marks a press. A
// value that is no object gives an all-zero record.
MacroEventRecord ToMacroEventRecord(const Json::Value& event);

// The delay of an event in milliseconds, limited to 0..65535.
int EventDelay(const Json::Value& event);

}  // namespace profiles
