#include "sim/Firmwares.h"

namespace sim {

namespace {

// The default action of each UI key (type, value 1, value 2); type 0 means
// the index has no key.
struct Key {
    uint8_t type, v1, v2;
};
constexpr Key U(uint8_t usage) {
    return {0x20, 0, usage};
}
constexpr Key None() {
    return {0, 0, 0};
}
const Key kUiKeys[126] = {
    U(0x29),
    U(0x3A),
    U(0x3B),
    U(0x3C),
    U(0x3D),
    U(0x3E),
    U(0x3F),
    U(0x40),
    U(0x41),
    U(0x42),
    U(0x43),
    U(0x44),
    U(0x45),
    U(0x46),
    U(0x47),
    U(0x48),
    {0xA0, 0x1B, 0},
    {0xA0, 0x24, 0},
    None(),
    None(),
    None(),
    U(0x35),
    U(0x1E),
    U(0x1F),
    U(0x20),
    U(0x21),
    U(0x22),
    U(0x23),
    U(0x24),
    U(0x25),
    U(0x26),
    U(0x27),
    U(0x2D),
    U(0x2E),
    U(0x2A),
    U(0x49),
    U(0x4A),
    U(0x4B),
    U(0x53),
    U(0x54),
    U(0x55),
    U(0x56),
    U(0x2B),
    U(0x14),
    U(0x1A),
    U(0x08),
    U(0x15),
    U(0x17),
    U(0x1C),
    U(0x18),
    U(0x0C),
    U(0x12),
    U(0x13),
    U(0x2F),
    U(0x30),
    U(0x31),
    U(0x4C),
    U(0x4D),
    U(0x4E),
    U(0x5F),
    U(0x60),
    U(0x61),
    U(0x32),
    U(0x39),
    U(0x04),
    U(0x16),
    U(0x07),
    U(0x09),
    U(0x0A),
    U(0x0B),
    U(0x0D),
    U(0x0E),
    U(0x0F),
    U(0x33),
    U(0x34),
    U(0x28),
    U(0x5C),
    U(0x5D),
    U(0x5E),
    U(0x8A),
    U(0x8B),
    U(0x90),
    U(0x91),
    U(0x88),
    {0x20, 0x02, 0},
    U(0x1D),
    U(0x1B),
    U(0x06),
    U(0x19),
    U(0x05),
    U(0x11),
    U(0x10),
    U(0x36),
    U(0x37),
    U(0x38),
    {0x20, 0x20, 0},
    U(0x52),
    U(0x59),
    U(0x5A),
    U(0x5B),
    U(0x87),
    U(0x89),
    U(0x64),
    U(0x85),
    None(),
    {0x20, 0x01, 0},
    {0x20, 0x08, 0},
    {0x20, 0x04, 0},
    U(0x2C),
    {0x20, 0x40, 0},
    {0xA0, 0x01, 0},
    U(0x65),
    {0x20, 0x10, 0},
    U(0x50),
    U(0x51),
    U(0x4F),
    U(0x62),
    U(0x63),
    U(0x58),
    U(0x57),
    {0xD0, 0xA2, 0x01},
    {0xD0, 0xA2, 0x02},
    {0xD0, 0xA2, 0x03},
    {0xD0, 0xA2, 0x04},
    {0xD0, 0xA2, 0x05},
    {0x20, 0x80, 0},
};

constexpr size_t kStride = 48;

}  // namespace

int KeyboardFirmware::DevicePositionOfUiKey(int uiKey) {
    if (uiKey < 0 || uiKey >= 126 || kUiKeys[uiKey].type == 0)
        return -1;
    int position = 0;
    for (int i = 0; i < uiKey; ++i)
        if (kUiKeys[i].type != 0)
            ++position;
    return position;
}

KeyboardFirmware::KeyboardFirmware() {
    profiles_ = 5;
    SetInfoByte(5, kKeyCount);
    SetInfoByte(6, 32);  // 4096 bytes of macro memory
    SetFirmwareVersion(0x0105);

    auto& settings = AddRegion("settings", kStride * 5).bytes;
    for (size_t p = 0; p < 5; ++p) {
        uint8_t* b = settings.data() + p * kStride;
        b[1] = 1;
        b[2] = 4;
        b[3] = 2;
        b[5] = 1;
        b[6] = 255;
        b[22] = 3;  // report rate index
    }
    settings[0] = 0;

    auto& keys = AddRegion("keys", kKeyCount * 3).bytes;
    auto& ledmap = AddRegion("ledmap", kKeyCount).bytes;
    int position = 0;
    for (const Key& k : kUiKeys) {
        if (k.type == 0)
            continue;
        keys[size_t(position) * 3] = k.type;
        keys[size_t(position) * 3 + 1] = k.v1;
        keys[size_t(position) * 3 + 2] = k.v2;
        // LEDs are wired in reverse key order.
        ledmap[size_t(position)] = uint8_t(kKeyCount - 1 - position);
        ++position;
    }
    AddRegion("fnkeys", kKeyCount * 3);
    AddRegion("colors", size_t(kColorSlots) * 384);
    AddRegion("frame", kKeyCount * 3);
    AddRegion("macro", 32 * 128);
    SetRule(0x05, "settings", Access::Read);
    SetRule(0x06, "settings", Access::Write);
    SetRule(0x07, "keys", Access::Read);
    SetRule(0x09, "keys", Access::Write);
    SetRule(0x27, "fnkeys", Access::Write);
    SetRule(0x1B, "ledmap", Access::Read);
    SetRule(0x0A, "colors", Access::Read);
    SetRule(0x0B, "colors", Access::Write);
    SetRule(0x12, "frame", Access::Write);
    SetRule(0x15, "macro", Access::Write);
    SetBattery(70, 0);
}

}  // namespace sim
