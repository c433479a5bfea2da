#include "devices/light/LightTables.h"

namespace light {
namespace {

// The rising half of one spectrum run; the falling half is it reversed
// without its last value, ending at 0.
constexpr std::array<uint8_t, 32> kRise = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                           44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                           140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<uint8_t, 32> kFall = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                           114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                           29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<Rgb, 256> MakeSpectrum() {
    std::array<Rgb, 256> s{};
    for (int i = 0; i < 32; ++i) {
        s[i] = {255, kRise[i], 0};        // red -> yellow
        s[32 + i] = {kFall[i], 255, 0};   // yellow -> green
        s[64 + i] = {0, 255, kRise[i]};   // green -> cyan
        s[96 + i] = {0, kFall[i], 255};   // cyan -> blue
        s[128 + i] = {kRise[i], 0, 255};  // blue -> magenta
        s[160 + i] = {255, 0, kFall[i]};  // magenta -> red
    }
    for (int i = 192; i < 256; ++i)
        s[i] = s[i - 192];
    return s;
}

constexpr std::array<uint8_t, 64> kBreathHalf = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<uint8_t, 128> MakeBreathing() {
    std::array<uint8_t, 128> c{};
    for (int i = 0; i < 64; ++i) {
        c[i] = kBreathHalf[i];
        c[127 - i] = kBreathHalf[i];
    }
    return c;
}

constexpr std::array<Rgb, 256> kSpectrum = MakeSpectrum();
constexpr std::array<uint8_t, 128> kBreathing = MakeBreathing();

constexpr std::array<uint8_t, 96> MakeWave() {
    std::array<uint8_t, 96> w{};
    for (int i = 0; i < 96; ++i)
        w[i] = kBreathing[16 + i];
    return w;
}

constexpr std::array<uint8_t, 96> kWave = MakeWave();
constexpr std::array<Rgb, 4> kFour = {Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255},
                                      Rgb{255, 0, 0}};
constexpr std::array<uint8_t, 5> kBrightness = {0, 80, 135, 195, 255};
constexpr std::array<uint8_t, 5> kFlash = {8, 6, 4, 2, 1};

}  // namespace

const std::array<Rgb, 256>& Spectrum() {
    return kSpectrum;
}
const std::array<Rgb, 4>& FourColourCycle() {
    return kFour;
}
const std::array<uint8_t, 128>& BreathingCurve() {
    return kBreathing;
}
const std::array<uint8_t, 96>& WaveCurve() {
    return kWave;
}
const std::array<uint8_t, 5>& BrightnessLevels() {
    return kBrightness;
}
const std::array<uint8_t, 5>& FlashFactors() {
    return kFlash;
}

uint8_t BrightnessLevel(unsigned brightnessIndex) {
    return kBrightness[brightnessIndex > 4 ? 4 : brightnessIndex];
}

uint8_t FlashFactor(unsigned speedIndex) {
    return kFlash[speedIndex > 4 ? 4 : speedIndex];
}

}  // namespace light
