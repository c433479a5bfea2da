#include "devices/light/LightEngine.h"

#include <algorithm>
#include <chrono>

namespace light {
namespace {

uint32_t SteadyMilliseconds() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

LightEngine::LightEngine(int lightCount) : clock_(SteadyMilliseconds) {
    SetLightCount(lightCount);
}

LightEngine::~LightEngine() = default;

int LightEngine::LightCount() const {
    return frame_.Size();
}

void LightEngine::SetLightCount(int count) {
    std::lock_guard lock(mutex_);
    frame_.Resize(std::clamp(count, 0, kMaxKeys));
    zones_.assign(std::size_t(frame_.Size()), ZoneRecord{});
    zoneAnim_.assign(std::size_t(frame_.Size()), ZoneAnim{});
}

void LightEngine::SetLightState(const LightState& state) {
    std::lock_guard lock(mutex_);
    state_ = state;
}

LightState LightEngine::GetLightState() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void LightEngine::LoadLightState(const LightState& state) {
    SetLightState(state);
}

void LightEngine::SetZoneRecords(std::vector<ZoneRecord> records) {
    std::lock_guard lock(mutex_);
    records.resize(std::size_t(frame_.Size()));
    zones_ = std::move(records);
    zoneAnim_.assign(zones_.size(), ZoneAnim{});
    const uint32_t now = Now();
    for (auto& a : zoneAnim_)
        a.tick = now;
}

void LightEngine::SetLightSteps(std::vector<LightStep> steps) {
    std::lock_guard lock(mutex_);
    steps_ = std::move(steps);
    stepIndex_ = 0;
    stepStart_ = Now();
}

void LightEngine::SetClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = clock ? std::move(clock) : Clock(SteadyMilliseconds);
}

void LightEngine::SetRandomSeed(uint32_t seed) {
    std::lock_guard lock(mutex_);
    rng_.seed(seed ? seed : 1);
}

unsigned LightEngine::Random(unsigned bound) {
    return bound ? unsigned(rng_() % bound) : 0;
}

uint8_t LightEngine::StepPosition(uint8_t direction, uint8_t count, uint8_t position,
                                  uint8_t step) {
    if (direction) {
        const uint8_t next = uint8_t(position + step);
        return next < count ? next : 0;
    }
    const uint8_t next = uint8_t(position - step);
    return next < count ? next : uint8_t(count - step);
}

void LightEngine::FillAll(uint32_t word) {
    for (int i = 0; i < frame_.Size(); ++i)
        frame_.Set(i, word);
}

void LightEngine::DoBreathing(const LightState& s) {
    position_ = StepPosition(s.direction, kBreathingSteps, position_, 1);
    if (position_ == 0) {
        colourIndex_ = uint8_t(colourIndex_ + 16);
        if (colourIndex_ > 192)
            colourIndex_ = 0;
    }
    const Rgb c = s.colourful ? SpectrumAt(colourIndex_) : FixedColour(s);
    const uint8_t level = ScaleLevel(BreathingCurve()[position_ & 127], BrightnessLevel(s.brightness));
    FillAll(MakeLight(c, level));
}

void LightEngine::DoBreathingCycle(const LightState& s) {
    position_ = StepPosition(s.direction, kBreathingSteps, position_, 1);
    if (colourIndex_ > 3)
        colourIndex_ = 0;  // left high by another effect
    if (position_ == 0 && ++colourIndex_ > 3)
        colourIndex_ = 0;
    const uint8_t level = ScaleLevel(BreathingCurve()[position_ & 127], BrightnessLevel(s.brightness));
    FillAll(MakeLight(FourColourCycle()[colourIndex_], level));
}

void LightEngine::DoSteady(const LightState& s) {
    FillAll(MakeLight(FixedColour(s), BrightnessLevel(s.brightness)));
}

void LightEngine::DoSpectrum(const LightState& s) {
    position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    FillAll(MakeLight(SpectrumAt(position_), BrightnessLevel(s.brightness)));
}

void LightEngine::DoFlash(const LightState& s) {
    const uint32_t now = Now();
    if (now - lastBlinkTick_ >= uint32_t(FlashFactor(s.speed)) * 200u) {
        blink_ = !blink_;
        lastBlinkTick_ = now;
        position_ = uint8_t(position_ + 16);
        if (position_ >= 192)
            position_ = 0;
    }
    if (!blink_) {
        DoOff();
        return;
    }
    const Rgb c = s.colourful ? SpectrumAt(position_) : FixedColour(s);
    FillAll(MakeLight(c, BrightnessLevel(s.brightness)));
}

void LightEngine::DoFlashCycle(const LightState& s) {
    const uint32_t now = Now();
    if (now - lastBlinkTick_ >= uint32_t(FlashFactor(s.speed)) * 200u) {
        blink_ = !blink_;
        lastBlinkTick_ = now;
        if (++position_ > 3)
            position_ = 0;
    }
    if (position_ > 3)
        position_ = 0;
    if (!blink_) {
        DoOff();
        return;
    }
    FillAll(MakeLight(FourColourCycle()[position_], BrightnessLevel(s.brightness)));
}

void LightEngine::DoOff() {
    FillAll(0);
}

int LightEngine::RenderBreathing() {
    std::lock_guard lock(mutex_);
    DoBreathing(state_);
    return frame_.Size();
}
int LightEngine::RenderBreathingCycle() {
    std::lock_guard lock(mutex_);
    DoBreathingCycle(state_);
    return frame_.Size();
}
int LightEngine::RenderSteady() {
    std::lock_guard lock(mutex_);
    DoSteady(state_);
    return frame_.Size();
}
int LightEngine::RenderSpectrum() {
    std::lock_guard lock(mutex_);
    DoSpectrum(state_);
    return frame_.Size();
}
int LightEngine::RenderFlash() {
    std::lock_guard lock(mutex_);
    DoFlash(state_);
    return frame_.Size();
}
int LightEngine::RenderFlashCycle() {
    std::lock_guard lock(mutex_);
    DoFlashCycle(state_);
    return frame_.Size();
}
int LightEngine::RenderOff() {
    std::lock_guard lock(mutex_);
    DoOff();
    return frame_.Size();
}

void LightEngine::FadeKeyLevelLocked(uint8_t key, uint8_t ladder) {
    if (key >= kMaxKeys)
        return;
    const int v = keyLevel_[key];
    if (v == 0)
        return;
    const bool l0 = ladder == 0, l29 = ladder == 29;
    int step;
    if (v >= 144)
        step = l29 ? 45 : 40;
    else if (v >= 128)
        step = 40;
    else if (v >= 112)
        step = l29 ? 35 : 30;
    else if (v >= 96)
        step = 30;
    else if (v >= 80)
        step = l29 ? 25 : 30;
    else if (v >= 64)
        step = l29 ? 20 : 30;
    else if (v >= 32)
        step = l0 ? 15 : 10;
    else if (v >= 17)
        step = l29 ? 5 : 8;
    else
        step = 1;
    keyLevel_[key] = uint8_t(v - step);
}

void LightEngine::FadeKeyLevel(uint8_t key, uint8_t ladder) {
    std::lock_guard lock(mutex_);
    FadeKeyLevelLocked(key, ladder);
}

void LightEngine::SeedWaveLevels() {
    std::lock_guard lock(mutex_);
    for (int cell = 0; cell <= 8; ++cell)
        if (wave_[cell])
            keyLevel_[cell] = 255;
}

void LightEngine::RotateCells(int count, bool towardsHigher) {
    count = std::clamp(count, 0, kWaveCells);
    if (count < 2)
        return;
    if (towardsHigher)
        std::rotate(wave_.begin(), wave_.begin() + count - 1, wave_.begin() + count);
    else
        std::rotate(wave_.begin(), wave_.begin() + 1, wave_.begin() + count);
}

void LightEngine::RotateWavePattern(uint8_t direction) {
    std::lock_guard lock(mutex_);
    RotateCells(kWaveCells, direction != 0);
}

void LightEngine::ResetAnimationLocked() {
    keyLevel_.fill(0);
    wave_.fill(0);
}

void LightEngine::ResetLightAnimation() {
    std::lock_guard lock(mutex_);
    ResetAnimationLocked();
}

int LightEngine::StepThresholdLocked() const {
    static constexpr int kTable[5] = {8, 6, 4, 2, 1};
    const unsigned speed = steps_.empty() ? state_.speed : steps_[stepIndex_].speed;
    return kTable[speed > 4 ? 4 : speed];
}

void LightEngine::RenderLightSteps() {
    if (steps_.empty()) {
        DoOff();
        return;
    }
    const uint32_t now = Now();
    if (stepIndex_ >= steps_.size())
        stepIndex_ = 0;
    const LightStep& current = steps_[stepIndex_];
    if (int64_t(now - stepStart_) >= std::max<int64_t>(current.timeMs, 0)) {
        stepIndex_ = (stepIndex_ + 1) % steps_.size();
        stepStart_ = now;
    }
    const LightStep& st = steps_[stepIndex_];
    LightState s = state_;
    s.brightness = st.brightness;
    s.speed = st.speed;
    s.direction = st.direction;
    s.colourful = st.colourful;
    s.red = st.red;
    s.green = st.green;
    s.blue = st.blue;
    switch (st.mode) {
        case 0:
            DoBreathing(s);
            break;
        case 1:
            DoSteady(s);
            break;
        case 2:
            DoFlash(s);
            break;
        case 4:
            DoSpectrum(s);
            break;
        default:
            DoOff();
            break;
    }
}

void LightEngine::ApplyZoneOverrides() {
    const uint32_t now = Now();
    const int n = std::min<int>(frame_.Size(), int(zones_.size()));
    for (int i = 0; i < n; ++i) {
        const ZoneRecord& z = zones_[i];
        if (!z.present)
            continue;
        ZoneAnim& a = zoneAnim_[i];
        const Rgb own{z.red, z.green, z.blue};
        const uint8_t bright = BrightnessLevel(z.brightness);
        const unsigned speed = z.speed > 4 ? 4 : z.speed;
        switch (z.mode) {
            case 0: {  // breathing
                const unsigned next = a.phase + speed + 4;
                if (next >= kBreathingSteps)
                    a.colour = uint8_t((a.colour + 1) % kSpectrumSteps);
                a.phase = uint8_t(next % kBreathingSteps);
                const Rgb c = z.colourful ? SpectrumAt(a.colour) : own;
                frame_.Set(i, MakeLight(c, ScaleLevel(BreathingCurve()[a.phase], bright)));
                break;
            }
            case 1: {  // steady
                const Rgb c = z.colourful ? SpectrumAt(a.colour) : own;
                frame_.Set(i, MakeLight(c, bright));
                break;
            }
            case 2: {  // flash
                if (now - a.tick >= uint32_t(FlashFactor(speed)) * 200u) {
                    a.blink = !a.blink;
                    a.tick = now;
                    a.colour = uint8_t((a.colour + 14) % kSpectrumSteps);
                }
                const Rgb c = z.colourful ? SpectrumAt(a.colour) : own;
                frame_.Set(i, a.blink ? MakeLight(c, bright) : 0);
                break;
            }
            case 3: {  // spectrum walk, one step per period of ticks
                if (++a.counter >= FlashFactor(speed)) {
                    a.counter = 0;
                    a.colour = uint8_t((a.colour + 1) % kSpectrumSteps);
                }
                frame_.Set(i, MakeLight(SpectrumAt(a.colour), bright));
                break;
            }
            default:
                frame_.Set(i, 0);
                break;
        }
    }
}

void LightEngine::RenderTick() {
    std::lock_guard lock(mutex_);
    RenderEffect();
    ApplyZoneOverrides();
}

int LightEngine::Threshold() const {
    std::lock_guard lock(mutex_);
    return ThresholdLocked();
}

uint8_t LightEngine::Position() const {
    std::lock_guard lock(mutex_);
    return position_;
}
uint8_t LightEngine::ColourIndex() const {
    std::lock_guard lock(mutex_);
    return colourIndex_;
}
uint8_t LightEngine::BlinkFlag() const {
    std::lock_guard lock(mutex_);
    return blink_;
}
uint8_t LightEngine::KeyLevel(int key) const {
    std::lock_guard lock(mutex_);
    return key >= 0 && key < kMaxKeys ? keyLevel_[key] : 0;
}
void LightEngine::SetKeyLevel(int key, uint8_t level) {
    std::lock_guard lock(mutex_);
    if (key >= 0 && key < kMaxKeys)
        keyLevel_[key] = level;
}
uint8_t LightEngine::WaveCell(int cell) const {
    std::lock_guard lock(mutex_);
    return cell >= 0 && cell < kWaveCells ? wave_[cell] : 0;
}
void LightEngine::SetWaveCell(int cell, uint8_t value) {
    std::lock_guard lock(mutex_);
    if (cell >= 0 && cell < kWaveCells)
        wave_[cell] = value;
}

}  // namespace light
