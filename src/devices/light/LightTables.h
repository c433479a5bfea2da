// Constant tables shared by every light renderer: the 256-entry spectrum
// (a closed 192-step rainbow, entries 192..255 repeating 0..63), the
// four-colour cycle, the breathing and wave curves, brightness levels and
// flash period factors.
#pragma once

#include <array>
#include <cstdint>

namespace light {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Number of distinct spectrum colours; index i shows colour i mod 192.
inline constexpr int kSpectrumSteps = 192;
inline constexpr int kBreathingSteps = 128;
inline constexpr int kWaveSteps = 96;

const std::array<Rgb, 256>& Spectrum();
const std::array<Rgb, 4>& FourColourCycle();
const std::array<uint8_t, 128>& BreathingCurve();
const std::array<uint8_t, 96>& WaveCurve();
const std::array<uint8_t, 5>& BrightnessLevels();
const std::array<uint8_t, 5>& FlashFactors();

// Lookups that accept any index: out-of-range brightness and speed indexes
// (bad profile data) use the last entry.
inline Rgb SpectrumAt(unsigned index) {
    return Spectrum()[index & 0xFF];
}
uint8_t BrightnessLevel(unsigned brightnessIndex);
uint8_t FlashFactor(unsigned speedIndex);

}  // namespace light
