#include "sim/Firmwares.h"

namespace sim {

namespace {
// Blocks are read at p x 48 and written at n x 64; the memory covers both.
constexpr size_t kSettingsSize = 5 * 64;

void DefaultLighting(std::vector<uint8_t>& settings) {
    for (size_t p = 0; p < 5; ++p) {
        for (size_t base : {p * 48, p * 64}) {
            uint8_t* b = settings.data() + base;
            b[1] = 1;
            b[2] = 4;
            b[3] = 2;
            b[5] = 1;
            b[6] = 255;
        }
    }
    settings[0] = 0;
}
}  // namespace

MousepadFirmware::MousepadFirmware() {
    DefaultLighting(AddRegion("settings", kSettingsSize).bytes);
    SetRule(0x05, "settings", Access::Read);
    SetRule(0x06, "settings", Access::Write);
    SetBattery(100, 0);
    SetPhoneOnPad(0);
}

HeadsetFirmware::HeadsetFirmware() {
    DefaultLighting(AddRegion("settings", kSettingsSize).bytes);
    // 2 targets x 6 registers x 7 bytes.
    AddRegion("leds", 2 * 6 * 7);
    SetRule(0x05, "settings", Access::Read);
    SetRule(0x06, "settings", Access::Write);
}

bool HeadsetFirmware::HandleOutputReport(const uint8_t* r, size_t length) {
    // byte 0 0xFF, 1 target (0x22/0x44), 2 register (0xAA..0xAF), 4..10 data.
    if (length != 17 || r[0] != 0xFF || (r[1] != 0x22 && r[1] != 0x44) || r[2] < 0xAA ||
        r[2] > 0xAF)
        return false;
    MemoryRegion* leds = Region("leds");
    const size_t slot = (r[1] == 0x44 ? 6 : 0) + size_t(r[2] - 0xAA);
    for (size_t i = 0; i < 7; ++i)
        leds->bytes[slot * 7 + i] = r[4 + i];
    if (onWrite)
        onWrite(*leds);
    return true;
}

}  // namespace sim
