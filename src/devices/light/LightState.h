// The light settings an engine animates, and the per-light zone records and
// timed steps it plays. Devices fill these from their profile records.
#pragma once

#include <array>
#include <cstdint>

namespace light {

// A device's light state: the bytes of the profile's light record, handled
// as four words (word 1 effect | brightness << 8 | speed << 16 |
// direction << 24; word 2 colourful | R << 8 | G << 16 | B << 24; word 3
// bits 24..31 the keyboard's zone sub-mode; word 4 custom group | previous
// effect << 8).
struct LightState {
    uint8_t effect = 0;      // effect index (keyboard engine: effect id)
    uint8_t brightness = 0;  // 0..4
    uint8_t speed = 0;       // 0..4
    uint8_t direction = 0;   // 0 or 1
    uint8_t colourful = 0;
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t zzccMode = 0;
    uint8_t customGroup = 0;
    uint8_t oldLedMode = 0;

    static LightState FromWords(const std::array<uint32_t, 4>& words);
    std::array<uint32_t, 4> ToWords() const;
    friend bool operator==(const LightState&, const LightState&) = default;
};

// One per-light zone record: when `present` is set the light is drawn in the
// record's own mode after every render (0 breathing, 1 steady, 2 flash,
// 3 spectrum walk, 4 dark).
struct ZoneRecord {
    uint8_t mode = 0;
    uint8_t brightness = 0;  // brightness index 0..4
    uint8_t speed = 0;       // speed index 0..4
    uint8_t direction = 0;
    uint8_t colourful = 0;
    uint8_t red = 0, green = 0, blue = 0;
    uint8_t present = 0;
};

// One step of a timed light step list: the step renders in its mode (0
// breathing, 1 steady, 2 flash, 4 spectrum, 5 dark) for `timeMs`.
struct LightStep {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t colourful = 0;
    uint8_t red = 0, green = 0, blue = 0;
    int32_t timeMs = 0;
    int32_t cycles = 0;  // kept with the step; playback wraps the whole list
};

// The keyboard's music-light settings.
struct MusicSettings {
    uint8_t style = 0;  // 0..6
    uint8_t bkRed = 0, bkGreen = 0, bkBlue = 0;
    uint8_t fgRed = 0, fgGreen = 0, fgBlue = 0;
    uint8_t peakColourful = 0;
    uint8_t colourTarget = 0;
};

}  // namespace light
