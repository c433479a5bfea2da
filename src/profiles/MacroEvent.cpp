#include "profiles/MacroEvent.h"

#include "profiles/JsonAccess.h"

#include <algorithm>

namespace profiles {

int EventDelay(const Json::Value& event) {
    return std::clamp(json::TextOrNumberToInt(json::Member(event, "Delay")), 0, 65535);
}

MacroEventRecord ToMacroEventRecord(const Json::Value& event) {
    MacroEventRecord record;
    if (!event.isObject())
        return record;
    const int delay = EventDelay(event);
    record.delayLow = static_cast<std::uint8_t>(delay & 0xFF);
    record.delayHigh = static_cast<std::uint8_t>((delay >> 8) & 0xFF);
    const bool down = json::ToUtf8(json::Member(event, "Action")) == "down";
    record.type = static_cast<std::uint8_t>((json::ToByte(json::Member(event, "Type")) & 0x7F) |
                                            (down ? 0x80 : 0));
    record.button = json::ToByte(json::Member(event, "Button"));
    return record;
}

}  // namespace profiles
