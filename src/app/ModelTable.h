// The four device models the program has a page for, and the model query
// block that other programs may ask for.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace app {

struct ModelRow {
    const char* folderName;  // device folder name in the user data root
    std::uint16_t vendorId;
    std::uint16_t productId;
    int deviceType;  // DeviceType: 1 keyboard, 2 mouse, 3 mousepad, 7 headset
    int variant;
    int presetSetIndex;
};

inline constexpr std::array<ModelRow, 4> kModelTable{{
    {"mouse", 0x320F, 0x50EF, 2, 0, 1},
    {"keyboard", 0x320F, 0x50C2, 1, 0, 0},
    {"MousePad", 0x320F, 0x1004, 3, 0, 2},
    {"HD", 0x0C76, 0x1630, 7, 0, 3},
}};

// 1024 bytes of little-endian 32-bit values: 2, 3, 0, 2, the number of model
// rows, then vendor id, product id and device type of each row; zeros after.
QByteArray BuildModelQueryBlock();

}  // namespace app
