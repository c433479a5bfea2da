#include "sim/Firmwares.h"

namespace sim {

namespace {

// Default actions that identify the mouse keys, in device position order.
constexpr uint8_t kMouseKeys[MouseFirmware::kKeyCount][3] = {
    {0x10, 0x01, 0}, {0x10, 0x02, 0},    {0x10, 0x04, 0},    {0x10, 0x10, 0},
    {0x10, 0x08, 0}, {0xA0, 0x1B, 0},    {0x13, 0x01, 0},    {0x13, 0x02, 0},
    {0x13, 0x03, 0}, {0x16, 0x90, 0x01}, {0x14, 0x78, 0x02},
};

constexpr size_t kStride = 128;
constexpr size_t kBlock = 71;
constexpr size_t kStages = 14;  // five 9-byte DPI stages from here

}  // namespace

MouseFirmware::MouseFirmware() {
    profiles_ = 5;
    SetInfoByte(5, kKeyCount);
    SetInfoByte(6, 16);  // 2048 bytes of macro memory
    SetInfoWord(9, 0x3325);
    SetInfoByte(11, 100);
    SetInfoWord(12, 148);
    SetInfoWord(14, 200);

    auto& settings = AddRegion("settings", kStride * 5).bytes;
    const uint16_t stageIndexes[5] = {2, 6, 14, 30, 55};  // 400 ... 6400 DPI
    const uint8_t colors[5][3] = {
        {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}};
    for (size_t p = 0; p < 5; ++p) {
        uint8_t* b = settings.data() + p * kStride;
        b[1] = 1;  // effect id
        b[2] = 4;  // brightness
        b[3] = 2;  // 4 - speed
        b[5] = 1;  // colourful
        b[6] = 255;
        b[11] = 3;  // report rate index
        b[12] = 1;  // current DPI stage
        for (size_t s = 0; s < 5; ++s) {
            uint8_t* st = b + kStages + s * 9;
            st[0] = 1;
            st[2] = uint8_t(stageIndexes[s]);
            st[3] = uint8_t(stageIndexes[s] >> 8);
            st[4] = st[2];
            st[5] = st[3];
            st[6] = colors[s][0];
            st[7] = colors[s][1];
            st[8] = colors[s][2];
        }
        b[59] = 1;
    }
    settings[0] = 0;  // active profile

    auto& keys = AddRegion("keys", kKeyCount * 3).bytes;
    for (int k = 0; k < kKeyCount; ++k)
        for (int i = 0; i < 3; ++i)
            keys[size_t(k) * 3 + i] = kMouseKeys[k][i];
    AddRegion("macro", 16 * 128);
    AddRegion("shoot", 2048);
    SetRule(0x05, "settings", Access::Read);
    SetRule(0x06, "settings", Access::Write);
    SetRule(0x07, "keys", Access::Read);
    SetRule(0x09, "keys", Access::Write);
    SetRule(0x15, "macro", Access::Write);
    SetRule(0x17, "shoot", Access::Write);
    SetBattery(85, 0);
    (void)kBlock;
}

uint8_t MouseFirmware::NextDpiStage() {
    MemoryRegion* s = Region("settings");
    uint8_t* b = s->bytes.data() + size_t(ActiveProfile() % profiles_) * kStride;
    uint8_t stage = b[12] % 5;
    for (int step = 1; step <= 5; ++step) {
        const uint8_t next = uint8_t((stage + step) % 5);
        if (b[kStages + next * 9]) {
            stage = next;
            break;
        }
    }
    b[12] = stage;
    if (onWrite)
        onWrite(*s);
    return stage;
}

}  // namespace sim
