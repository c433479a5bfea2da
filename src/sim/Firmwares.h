// The firmware emulators of the four device families.
#pragma once

#include "sim/FirmwareEmulator.h"

#include <memory>

namespace sim {

// Mouse: 11 keys, sensor 0x3325 (DPI step 100, minimum 200, maximum index
// 148), 71-byte settings blocks at n x 128, macro and shoot memory.
class MouseFirmware : public FirmwareEmulator {
public:
    MouseFirmware();
    uint8_t NextDpiStage() override;
    static constexpr int kKeyCount = 11;
};

// Keyboard: 122 keys, key table and second layer, LED map, per-key colour
// slots (384 bytes each), streamed light frames, 48-byte settings blocks.
class KeyboardFirmware : public FirmwareEmulator {
public:
    KeyboardFirmware();
    static constexpr int kKeyCount = 122;
    static constexpr int kColorSlots = 4;
    // The device key position of a UI key index, -1 when it has none.
    static int DevicePositionOfUiKey(int uiKey);
};

// Mousepad: lighting settings (read at p x 48, written at n x 64) and the
// charging status with the phone-on-pad byte.
class MousepadFirmware : public FirmwareEmulator {
public:
    MousepadFirmware();
};

// Headset: settings like the mousepad's, and the LED registers written by
// 17-byte output reports.
class HeadsetFirmware : public FirmwareEmulator {
public:
    HeadsetFirmware();
    bool HandleOutputReport(const uint8_t* report, size_t length) override;
};

}  // namespace sim
