#include "devices/light/MouseLightEngine.h"

namespace light {
namespace {

constexpr int kGroups = 7;
}  // namespace

const std::vector<std::vector<int>>& MouseLightEngine::Groups() {
    static const std::vector<std::vector<int>> groups = {{0, 13}, {1, 12}, {2, 11},   {3, 10},
                                                         {4, 9},  {5, 8},  {6, 14, 7}};
    return groups;
}

MouseLightEngine::MouseLightEngine(int lightCount) : LightEngine(lightCount) {
    wave_[0] = 1;
}

void MouseLightEngine::LoadLightState(const LightState& state) {
    std::lock_guard lock(mutex_);
    const bool changed = state.effect != state_.effect;
    state_ = state;
    if (changed) {
        ResetAnimationLocked();
        wave_[0] = 1;
    }
}

void MouseLightEngine::PaintGroup(int group, uint32_t word) {
    for (int light : Groups()[group])
        frame_.Set(light, word);
}

void MouseLightEngine::DoEffectA() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    if (s.colourful) {
        position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
        for (int g = 0; g < kGroups; ++g)
            PaintGroup(g, MakeLight(SpectrumAt((position_ + 1 + 7 * g) % kSpectrumSteps), bright));
    } else {
        position_ = StepPosition(s.direction, kWaveSteps, position_, 1);
        for (int g = 0; g < kGroups; ++g) {
            const uint8_t curve = WaveCurve()[(position_ + 1 + 7 * g) % kWaveSteps];
            PaintGroup(g, MakeLight(FixedColour(s), ScaleLevel(bright, curve)));
        }
    }
}

void MouseLightEngine::DoEffectB() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    for (int cell = 0; cell <= 8; ++cell)  // SeedWaveLevels
        if (wave_[cell])
            keyLevel_[cell] = 255;
    RotateCells(kWaveCells, s.direction != 0);
    const bool headLit = keyLevel_[s.direction ? 0 : 6] != 0;
    for (int g = 0; g < kGroups; ++g) {
        FadeKeyLevelLocked(uint8_t(g), s.effect);
        Rgb c = FixedColour(s);
        if (s.colourful) {
            // While the head is lit the group keeps its colour; a light that
            // has never had one (black) takes the spectrum colour.
            const Rgb kept = LightColour(frame_.Get(Groups()[g][0]));
            c = headLit && kept != Rgb{} ? kept : SpectrumAt((position_ + 12 * g) % kSpectrumSteps);
        }
        PaintGroup(g, MakeLight(c, ScaleLevel(bright, keyLevel_[g])));
    }
}

void MouseLightEngine::DoEffectC() {
    const LightState& s = state_;
    const uint8_t bright = BrightnessLevel(s.brightness);
    for (int i = 0; i < frame_.Size(); ++i) {
        uint8_t& level = keyLevel_[i];
        if (reactive_[i] == 1) {
            level = uint8_t(level > 240 ? 255 : level + 15);
            if (level == 255)
                reactive_[i] = 2;
        } else if (reactive_[i] == 2) {
            level = uint8_t(level < 15 ? 0 : level - 15);
            if (level == 0)
                reactive_[i] = 0;
        }
        const Rgb c = s.colourful ? SpectrumAt(keyColour_[i]) : FixedColour(s);
        frame_.Set(i, MakeLight(c, ScaleLevel(bright, level)));
    }
}

int MouseLightEngine::RenderEffectA() {
    std::lock_guard lock(mutex_);
    DoEffectA();
    return frame_.Size();
}
int MouseLightEngine::RenderEffectB() {
    std::lock_guard lock(mutex_);
    DoEffectB();
    return frame_.Size();
}
int MouseLightEngine::RenderEffectC() {
    std::lock_guard lock(mutex_);
    DoEffectC();
    return frame_.Size();
}

void MouseLightEngine::TriggerReactive() {
    std::lock_guard lock(mutex_);
    if (state_.effect != 6)
        return;
    for (int i = 0; i < frame_.Size(); ++i) {
        reactive_[i] = 1;
        keyLevel_[i] = 255;
        keyColour_[i] = uint8_t(Random(kSpectrumSteps));
    }
}

uint8_t MouseLightEngine::ReactiveState(int light) const {
    std::lock_guard lock(mutex_);
    return light >= 0 && light < kMaxKeys ? reactive_[light] : 0;
}

void MouseLightEngine::RenderEffect() {
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
        case 5:
            DoEffectB();
            break;
        case 6:
            DoEffectC();
            break;
        case 7:
            DoBreathingCycle(state_);
            break;
        case 8:
            DoFlashCycle(state_);
            break;
        case 10:
            DoOff();
            break;
        default:
            RenderLightSteps();
            break;
    }
}

int MouseLightEngine::ThresholdLocked() const {
    static constexpr int kMost[5] = {8, 6, 4, 2, 1};
    static constexpr int kFlow[5] = {16, 12, 8, 4, 2};
    const unsigned speed = state_.speed > 4 ? 4 : state_.speed;
    switch (state_.effect) {
        case 5:
            return kFlow[speed];
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 6:
        case 7:
        case 8:
        case 10:
            return kMost[speed];
        default:
            return StepThresholdLocked();
    }
}

}  // namespace light
