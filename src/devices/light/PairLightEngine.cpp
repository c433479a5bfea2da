#include "devices/light/PairLightEngine.h"

namespace light {
namespace {

// The colour a light keeps while the head of the flow is lit; black (never
// coloured) makes the caller take the spectrum colour instead.
Rgb Kept(const LightFrame& frame, int light) {
    return LightColour(frame.Get(light));
}

}  // namespace

const std::array<std::pair<int, int>, 7>& PairLightEngine::LightPairs() {
    static const std::array<std::pair<int, int>, 7> pairs = {
        {{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};
    return pairs;
}

PairLightEngine::PairLightEngine(Family family)
    : LightEngine(family == Family::Mousepad ? 15 : 13), family_(family) {
    wave_[0] = 1;
}

void PairLightEngine::LoadLightState(const LightState& state) {
    std::lock_guard lock(mutex_);
    const bool changed = state.effect != state_.effect;
    state_ = state;
    if (changed) {
        ResetAnimationLocked();
        wave_[0] = 1;
    }
}

void PairLightEngine::SeedLocked() {
    for (int cell = 0; cell < kWaveCells; ++cell)
        if (wave_[cell])
            keyLevel_[cell] = 255;
}

void PairLightEngine::SeedWaveLevels() {
    std::lock_guard lock(mutex_);
    SeedLocked();
}

void PairLightEngine::DoEffectA() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    const bool headset = family_ == Family::Headset;
    if (s.colourful) {
        position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
        const int first = headset ? 0 : 1, stride = headset ? 16 : 7;
        for (int i = 0; i < frame_.Size(); ++i)
            frame_.Set(i, MakeLight(SpectrumAt((position_ + first + stride * i) % kSpectrumSteps),
                                    bright));
    } else {
        position_ = StepPosition(s.direction, kWaveSteps, position_, headset ? 3 : 1);
        const int first = headset ? 0 : 1, stride = headset ? 10 : 7;
        for (int i = 0; i < frame_.Size(); ++i) {
            const uint8_t curve = WaveCurve()[(position_ + first + stride * i) % kWaveSteps];
            frame_.Set(i, MakeLight(FixedColour(s), ScaleLevel(bright, curve)));
        }
    }
}

void PairLightEngine::DoEffectB() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    if (++callCounter_ % 2 == 0) {
        SeedLocked();
        RotateCells(8, s.direction == 0);
    }
    const bool headLit = keyLevel_[s.direction ? 0 : 6] != 0;
    const auto& pairs = LightPairs();
    for (int k = 0; k < 7; ++k) {
        FadeKeyLevelLocked(uint8_t(k), s.effect);
        const auto [a, b] = pairs[k];
        Rgb c = FixedColour(s);
        if (s.colourful)
            c = headLit && Kept(frame_, a) != Rgb{}
                    ? Kept(frame_, a)
                    : SpectrumAt((position_ + 12 * k) % kSpectrumSteps);
        const uint32_t word = MakeLight(c, ScaleLevel(bright, keyLevel_[k]));
        frame_.Set(a, word);  // lights at or above the light count are skipped
        frame_.Set(b, word);
    }
}

void PairLightEngine::DoEffectC() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    const int n = frame_.Size();
    position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    if (++callCounter_ % 2 == 0) {
        SeedLocked();
        RotateCells(kWaveCells, s.direction != 0);
    }
    const bool headLit = n > 0 && keyLevel_[s.direction ? 0 : n - 1] != 0;
    for (int i = 0; i < n; ++i) {
        FadeKeyLevelLocked(uint8_t(i), s.effect);
        Rgb c = FixedColour(s);
        if (s.colourful)
            c = headLit && Kept(frame_, i) != Rgb{}
                    ? Kept(frame_, i)
                    : SpectrumAt((position_ + 12 * i) % kSpectrumSteps);
        frame_.Set(i, MakeLight(c, ScaleLevel(bright, keyLevel_[i])));
    }
}

int PairLightEngine::RenderEffectA() {
    std::lock_guard lock(mutex_);
    DoEffectA();
    return frame_.Size();
}
int PairLightEngine::RenderEffectB() {
    std::lock_guard lock(mutex_);
    DoEffectB();
    return frame_.Size();
}
int PairLightEngine::RenderEffectC() {
    std::lock_guard lock(mutex_);
    DoEffectC();
    return frame_.Size();
}

void PairLightEngine::RenderEffect() {
    switch (state_.effect) {
        case 0:
            DoEffectA();
            break;
        case 1:
            DoSpectrum(state_);
            break;
        case 2:
            DoBreathing(state_);
            break;
        case 3:
            DoSteady(state_);
            break;
        case 4:
            DoFlash(state_);
            break;
        case 6:
            DoEffectC();
            break;
        case 7:
            DoEffectB();
            break;
        case 8:
            DoOff();
            break;
        default:
            RenderLightSteps();
            break;
    }
}

int PairLightEngine::ThresholdLocked() const {
    static constexpr int kTable[5] = {8, 6, 4, 2, 1};
    switch (state_.effect) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 6:
        case 7:
        case 8:
            return kTable[state_.speed > 4 ? 4 : state_.speed];
        default:
            return StepThresholdLocked();
    }
}

}  // namespace light
