// Report descriptors of the virtual devices, laid out like the real ones.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

inline constexpr uint8_t kSystemReportId = 0x01;
inline constexpr uint8_t kKeyboardReportId = 0x02;
inline constexpr uint8_t kConsumerReportId = 0x03;
inline constexpr uint8_t kCommandReportId = 0x04;
inline constexpr uint8_t kHeadsetUsageReportId = 0x01;
inline constexpr uint8_t kHeadsetLedReportId = 0xFF;

// Interface 1 of the 0x320F products: system control, keyboard, consumer
// control (third) and the vendor command collection (fourth; usage page
// 0xFF1C, usage 0x92, report id 0x04, 64-byte reports).
const std::vector<uint8_t>& VendorInterfaceDescriptor();
// Interface 0 of a mouse: a plain boot-style mouse.
const std::vector<uint8_t>& MouseInterfaceDescriptor();
// Interface 0 of the other products: a plain boot-style keyboard.
const std::vector<uint8_t>& KeyboardInterfaceDescriptor();
// The headset's interface 3: one consumer-control collection carrying the
// usage reports (id 1), the command reports (id 4) and the 17-byte LED
// output reports (id 0xFF).
const std::vector<uint8_t>& HeadsetInterfaceDescriptor();

}  // namespace sim
