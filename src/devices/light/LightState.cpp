#include "devices/light/LightState.h"

namespace light {

LightState LightState::FromWords(const std::array<uint32_t, 4>& w) {
    LightState s;
    s.effect = uint8_t(w[0]);
    s.brightness = uint8_t(w[0] >> 8);
    s.speed = uint8_t(w[0] >> 16);
    s.direction = uint8_t(w[0] >> 24);
    s.colourful = uint8_t(w[1]);
    s.red = uint8_t(w[1] >> 8);
    s.green = uint8_t(w[1] >> 16);
    s.blue = uint8_t(w[1] >> 24);
    s.zzccMode = uint8_t(w[2] >> 24);
    s.customGroup = uint8_t(w[3]);
    s.oldLedMode = uint8_t(w[3] >> 8);
    return s;
}

std::array<uint32_t, 4> LightState::ToWords() const {
    return {uint32_t(effect) | uint32_t(brightness) << 8 | uint32_t(speed) << 16 |
                uint32_t(direction) << 24,
            uint32_t(colourful) | uint32_t(red) << 8 | uint32_t(green) << 16 | uint32_t(blue) << 24,
            uint32_t(zzccMode) << 24, uint32_t(customGroup) | uint32_t(oldLedMode) << 8};
}

}  // namespace light
