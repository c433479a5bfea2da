#include "devices/light/KeyboardLightEngine.h"

#include <algorithm>
#include <numeric>

namespace light {
namespace {

// Key levels are drawn at the brightness so that level 255 at full
// brightness stays 255.
uint8_t Level255(unsigned keyLevel, unsigned bright) {
    return uint8_t(keyLevel * bright / 255);
}

bool OnBoard(int key) {
    return key >= 0 && key < kMaxKeys;
}

}  // namespace

KeyboardLightEngine::KeyboardLightEngine(int lightCount) : LightEngine(lightCount) {
    std::iota(columnOrder_.begin(), columnOrder_.end(), uint8_t(0));
    ResetBuffersLocked();
    InitColorRamp();
}

uint32_t KeyboardLightEngine::KeyWord(int key, Rgb colour) const {
    return MakeLight(colour, Level255(keyLevel_[key], Bright()));
}

// ---- effect change -------------------------------------------------------

void KeyboardLightEngine::ResetBuffersLocked() {
    keyLevel_.fill(0);
    keyColour_.fill(0);
    phase_.fill(0);
    reactive_.fill(0);
    for (auto& p : planes_)
        p.fill(0);
    planeCounter_ = 0;
    sweepFrame_ = 0;
    scriptStep_ = 0;
    musicColour_.fill(Rgb{});
    history_.fill(0);
    audio_.fill(0x01010101);  // the reset leaves every byte of the levels at 1
    audioFresh_ = false;
}

int KeyboardLightEngine::RenderEffectA() {
    std::lock_guard lock(mutex_);
    ResetBuffersLocked();
    return frame_.Size();
}

void KeyboardLightEngine::InitEffectLocked(uint8_t effect) {
    switch (effect) {
        case 13:
            SeedCentreWave();
            break;
        case 15:
            InitWaveLevels();
            break;
        case 16:
            SeedEdgeWave();
            break;
        case 19:
            break;  // the device loads the custom colours
        case 22:
            InitRipple();
            break;
        default:
            InitColorRamp();
            break;
    }
}

bool KeyboardLightEngine::ChangeEffect(const LightState& state) {
    std::lock_guard lock(mutex_);
    const bool reset = state.effect != state_.effect || state.effect == 19;
    state_ = state;
    if (reset) {
        ResetBuffersLocked();
        InitEffectLocked(state.effect);
    }
    return reset;
}

void KeyboardLightEngine::InitColorRamp() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < kMaxKeys; ++i) {
        const uint8_t sum = uint8_t(33 * i);
        keyColour_[i] = sum >= 160 && sum <= 222 ? 97 : sum;
    }
}

void KeyboardLightEngine::InitRipple() {
    std::lock_guard lock(mutex_);
    // Phases by ring distance from the centre of the seven-row map, so the
    // twinkle runs outward in rings.
    const auto& map = RippleMap();
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < 7; ++r) {
            const uint8_t k = map[c][r];
            if (k >= kMaxKeys)
                continue;
            const int dist = std::max(std::abs(c - 11), 2 * std::abs(r - 3));
            phase_[k] = uint8_t((192 - (dist * 12) % 192) % 192);
            keyColour_[k] = uint8_t(Random(kSpectrumSteps));
        }
}

void KeyboardLightEngine::InitWaveLevels() {
    std::lock_guard lock(mutex_);
    // Each column starts at its own phase; lower rows lag so drops fall.
    for (int c = 0; c < kColumns; ++c) {
        const int start = (c * 73 + 11) % 192;
        for (int r = 0; r < kRows; ++r) {
            const uint8_t k = KeyAt(c, r);
            if (k == kNoKey)
                continue;
            phase_[k] = uint8_t((start + 192 - 24 * r) % 192);
            keyLevel_[k] = TwinkleCurve()[phase_[k]];
            keyColour_[k] = uint8_t(Random(kSpectrumSteps));
        }
    }
}

void KeyboardLightEngine::SeedCentreWave() {
    std::lock_guard lock(mutex_);
    for (auto& p : planes_)
        p[10] |= 1 << 6;
}

void KeyboardLightEngine::SeedEdgeWave() {
    std::lock_guard lock(mutex_);
    for (auto& p : planes_)
        p[2] |= 1 << 0;
}

// ---- bit planes ----------------------------------------------------------

void KeyboardLightEngine::ShiftPlanes() {
    auto& left = planes_[0];
    auto& right = planes_[1];
    std::rotate(left.begin(), left.begin() + 1, left.end());
    left[kColumns - 1] = 0;
    std::rotate(right.rbegin(), right.rbegin() + 1, right.rend());
    right[0] = 0;
    for (auto& cell : planes_[2])
        cell = uint8_t(cell >> 1);
    for (auto& cell : planes_[3])
        cell = uint8_t((cell << 1) & 0x7F);
    ++planeCounter_;
}

int KeyboardLightEngine::RenderEffectC() {
    std::lock_guard lock(mutex_);
    ShiftPlanes();
    return frame_.Size();
}

void KeyboardLightEngine::LightPlaneKeys(bool setColour, Rgb colour) {
    for (int c = 0; c < kColumns; ++c) {
        const uint8_t bits = planes_[0][c] | planes_[1][c] | planes_[2][c] | planes_[3][c];
        for (int r = 0; r < kRows; ++r) {
            if (!(bits & (1 << r)))
                continue;
            const uint8_t k = KeyAt(c, r);
            if (k == kNoKey)
                continue;
            keyLevel_[k] = 255;
            if (setColour)
                musicColour_[k] = colour;
        }
    }
}

int KeyboardLightEngine::RenderEffectB() {
    std::lock_guard lock(mutex_);
    LightPlaneKeys(false, {});
    return frame_.Size();
}

void KeyboardLightEngine::ClearWaveBits() {
    std::lock_guard lock(mutex_);
    for (auto& p : planes_)
        p.fill(0);
    planeCounter_ = 0;
}

void KeyboardLightEngine::SetPlaneBit(int key, bool allPlanes) {
    const KeyCell cell = CellOfKey(key);
    if (cell.column < 0)
        return;
    for (int p = 0; p < (allPlanes ? kPlanes : 2); ++p)
        planes_[p][cell.column] |= uint8_t(1 << cell.row);
}

void KeyboardLightEngine::TriggerWaveAtKey(int key, uint8_t mode) {
    std::lock_guard lock(mutex_);
    SetPlaneBit(key, mode != 0);
}

// ---- drawing helpers -----------------------------------------------------

void KeyboardLightEngine::DrawKeyLevels(bool spectrumColours) {
    const Rgb fixed = FixedColour(state_);
    for (int i = 0; i < frame_.Size(); ++i)
        frame_.Set(i, KeyWord(i, spectrumColours ? SpectrumAt(keyColour_[i]) : fixed));
}

void KeyboardLightEngine::FadeAll(uint8_t ladder) {
    for (int i = 0; i < kMaxKeys; ++i)
        FadeKeyLevelLocked(uint8_t(i), ladder);
}

// ---- triggers ------------------------------------------------------------

void KeyboardLightEngine::SetKeyPositionMap(std::vector<uint8_t> positionOfKey) {
    std::lock_guard lock(mutex_);
    positionOfKey_ = std::move(positionOfKey);
}

void KeyboardLightEngine::TriggerKeyByCode(uint8_t code, uint8_t state) {
    std::lock_guard lock(mutex_);
    for (std::size_t k = 0; k < positionOfKey_.size() && k < std::size_t(kMaxKeys); ++k)
        if (positionOfKey_[k] == code) {
            DoTriggerKey(int(k), state);
            return;
        }
}

void KeyboardLightEngine::TriggerKey(int key, uint8_t state) {
    std::lock_guard lock(mutex_);
    DoTriggerKey(key, state);
}

void KeyboardLightEngine::DoTriggerKey(int key, uint8_t state) {
    if (!OnBoard(key) || key >= frame_.Size())
        return;
    switch (state_.effect) {
        case 7:
            TriggerFlashKey(key, state);
            break;
        case 8:
        case 9:
            if (state == 1) {
                SetPlaneBit(key, true);
                keyColour_[key] = uint8_t(Random(kSpectrumSteps));
            }
            break;
        case 25:
            TriggerRipple(key, state);
            break;
        default:
            break;
    }
}

void KeyboardLightEngine::TriggerFlashKey(int key, uint8_t state) {
    std::lock_guard lock(mutex_);
    if (!OnBoard(key))
        return;
    reactive_[key] = state;
    if (state == 1) {
        keyLevel_[key] = 255;
        keyColour_[key] = uint8_t(Random(kSpectrumSteps));
    }
}

void KeyboardLightEngine::MarkRipple(int key, unsigned gain) {
    std::lock_guard lock(mutex_);
    if (!OnBoard(key))
        return;
    keyLevel_[key] = uint8_t(std::min(255u, keyLevel_[key] + gain));
    reactive_[key] = 1;
}

void KeyboardLightEngine::TriggerRipple(int key, uint8_t state) {
    std::lock_guard lock(mutex_);
    if (!OnBoard(key))
        return;
    if (state == 1) {
        keyLevel_[key] = 255;
        reactive_[key] = 1;
        phase_[key] = 1;  // held
        const uint8_t colour = uint8_t(Random(kSpectrumSteps));
        keyColour_[key] = colour;
        for (int ring = 1; ring <= 2; ++ring)
            for (uint8_t n : Neighbours(key, ring)) {
                if (n >= frame_.Size())
                    continue;
                MarkRipple(n, ring == 1 ? 90 : 150);
                keyColour_[n] = colour;
            }
    } else {
        reactive_[key] = 2;
        phase_[key] = 0;
    }
}

// ---- renderers -----------------------------------------------------------

int KeyboardLightEngine::RenderColumnWave() {
    std::lock_guard lock(mutex_);
    const LightState& s = state_;
    frame_.Clear();
    if (s.colourful)
        position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    else
        position_ = StepPosition(s.direction, kWaveSteps, position_, 1);
    for (int c = 0; c < kColumns; ++c) {
        const uint32_t word = WaveWord(c, 7, 7);
        for (int r = 0; r < kRows; ++r)
            frame_.Set(KeyAt(c, r), word);
    }
    return frame_.Size();
}

uint32_t KeyboardLightEngine::WaveWord(int offset, int spectrumStride, int waveStride) const {
    const LightState& s = state_;
    if (s.colourful)
        return MakeLight(SpectrumAt((position_ + spectrumStride * offset) % kSpectrumSteps),
                         Bright());
    return MakeLight(
        FixedColour(s),
        ScaleLevel(Bright(), WaveCurve()[(position_ + waveStride * offset) % kWaveSteps]));
}

int KeyboardLightEngine::RenderColumnGradient() {
    std::lock_guard lock(mutex_);
    const LightState& s = state_;
    frame_.Clear();
    position_ = StepPosition(s.direction, kSpectrumSteps, position_, 1);
    for (int c = 0; c < kColumns; ++c) {
        const uint32_t word =
            s.colourful
                ? MakeLight(SpectrumAt((position_ + 2 * c) % kSpectrumSteps), Bright())
                : MakeLight(FixedColour(s),
                            ScaleLevel(Bright(), TwinkleCurve()[(position_ + 8 * c) % 192]));
        for (int r = 0; r < kRows; ++r)
            frame_.Set(KeyAt(c, r), word);
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderSnakeRainbow() {
    std::lock_guard lock(mutex_);
    const LightState& s = state_;
    frame_.Clear();
    position_ = StepPosition(s.direction, s.colourful ? kSpectrumSteps : kWaveSteps, position_, 1);
    const auto& snake = SnakeOrder();
    for (int n = 0; n < SnakeLength(); ++n) {
        frame_.Set(snake[n], WaveWord(n, 5, 5));
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderReactiveKeys() {
    std::lock_guard lock(mutex_);
    const uint8_t effect = state_.effect;
    if (effect == 8 || effect == 9) {
        ShiftPlanes();
        LightPlaneKeys(false, {});
    }
    if (effect == 9) {  // rainbow by column
        for (int i = 0; i < frame_.Size(); ++i) {
            const KeyCell cell = CellOfKey(i);
            frame_.Set(i, KeyWord(i, SpectrumAt(cell.column < 0 ? 0 : cell.column * 8)));
        }
    } else {
        DrawKeyLevels(effect == 7 || state_.colourful);
    }
    for (int i = 0; i < kMaxKeys; ++i)
        if (effect != 7 || reactive_[i] != 1)  // a held key stays lit
            FadeKeyLevelLocked(uint8_t(i), effect);
    return frame_.Size();
}

int KeyboardLightEngine::RenderSparkle() {
    std::lock_guard lock(mutex_);
    const auto& candidates = SparkleCandidates();
    for (int n = 0; n < 6; ++n) {
        const uint8_t k = candidates[Random(unsigned(candidates.size()))];
        keyLevel_[k] = 255;
        keyColour_[k] = uint8_t(Random(kSpectrumSteps));
    }
    DrawKeyLevels(true);
    FadeAll(10);
    return frame_.Size();
}

int KeyboardLightEngine::RenderColorCycle() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < frame_.Size(); ++i) {
        keyColour_[i] = uint8_t((keyColour_[i] + 1) % kSpectrumSteps);
        frame_.Set(i, MakeLight(SpectrumAt(keyColour_[i]), Bright()));
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderRowWave() {
    std::lock_guard lock(mutex_);
    const LightState& s = state_;
    frame_.Clear();
    position_ = StepPosition(s.direction, s.colourful ? kSpectrumSteps : kWaveSteps, position_, 1);
    for (int r = 0; r < kRows; ++r) {
        const uint32_t word = WaveWord(r, 24, 16);
        for (int c = 0; c < kColumns; ++c)
            frame_.Set(KeyAt(c, r), word);
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderCentreWave() {
    std::lock_guard lock(mutex_);
    ShiftPlanes();
    // The wave restarts from column 9 every second tick once the previous
    // one has left the board, so waves follow each other outward.
    auto bits = [](const std::array<uint8_t, kColumns>& p) {
        return std::any_of(p.begin(), p.end(), [](uint8_t b) { return (b & 0x3F) != 0; });
    };
    if (planeCounter_ % 2 == 0 && !bits(planes_[0]) && !bits(planes_[1])) {
        planes_[0][9] |= 0x3F;
        planes_[1][9] |= 0x3F;
        planes_[2][9] |= 1 << 6;
        planes_[3][9] |= 1 << 0;
        position_ = uint8_t((position_ + 32) % kSpectrumSteps);
    }
    LightPlaneKeys(false, {});
    for (int i = 0; i < kMaxKeys; ++i)
        if (keyLevel_[i] == 255)
            keyColour_[i] = position_;
    DrawKeyLevels(state_.colourful);
    FadeAll(state_.effect);
    return frame_.Size();
}

int KeyboardLightEngine::RenderKeyWave() {
    std::lock_guard lock(mutex_);
    // The script: waves start from these keys in turn, one every 24 ticks.
    static constexpr uint8_t kScript[] = {51, 0, 131, 120, 41, 106, 71, 16};
    if (planeCounter_ % 24 == 0) {
        const uint8_t key = kScript[scriptStep_ % std::size(kScript)];
        SetPlaneBit(key, true);
        position_ = uint8_t((scriptStep_ * 40) % kSpectrumSteps);
        ++scriptStep_;
    }
    ShiftPlanes();
    LightPlaneKeys(false, {});
    for (int i = 0; i < kMaxKeys; ++i)
        if (keyLevel_[i] == 255)
            keyColour_[i] = position_;
    DrawKeyLevels(state_.colourful);
    FadeAll(state_.effect);
    return frame_.Size();
}

int KeyboardLightEngine::RenderRain() {
    std::lock_guard lock(mutex_);
    frame_.Clear();
    const Rgb fixed = FixedColour(state_);
    for (int i = 0; i < frame_.Size(); ++i) {
        if (CellOfKey(i).column < 0)
            continue;
        unsigned next = phase_[i] + 2u;
        if (next >= 192) {
            next -= 192;
            keyColour_[i] = uint8_t(Random(kSpectrumSteps));
        }
        phase_[i] = uint8_t(next);
        keyLevel_[i] = TwinkleCurve()[phase_[i]];
        frame_.Set(i, KeyWord(i, state_.colourful ? SpectrumAt(keyColour_[i]) : fixed));
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderEdgeWave() {
    std::lock_guard lock(mutex_);
    ShiftPlanes();
    auto empty = [](const std::array<uint8_t, kColumns>& p) {
        return std::all_of(p.begin(), p.end(), [](uint8_t b) { return (b & 0x3F) == 0; });
    };
    if (empty(planes_[0]))
        planes_[0][kColumns - 1] = 0x3F;  // from the right edge, moving left
    if (empty(planes_[1]))
        planes_[1][0] = 0x3F;  // from the left edge, moving right
    LightPlaneKeys(false, {});
    DrawKeyLevels(state_.colourful);
    FadeAll(state_.effect);
    return frame_.Size();
}

int KeyboardLightEngine::RenderPresetColor() {
    std::lock_guard lock(mutex_);
    uint8_t index = 174;
    switch (state_.zzccMode) {
        case 1:
            index = 25;
            break;
        case 2:
            index = 70;
            break;
        case 3:
            index = 95;
            break;
        default:
            break;
    }
    FillAll(MakeLight(SpectrumAt(index), Bright()));
    return frame_.Size();
}

int KeyboardLightEngine::RenderPattern() {
    std::lock_guard lock(mutex_);
    frame_.Clear();
    position_ = StepPosition(state_.direction, kSpectrumSteps, position_, 1);
    const auto& pattern = DiagonalPattern();
    for (int d = 0; d < 12; ++d)
        for (uint8_t k : pattern[d])
            frame_.Set(k, MakeLight(SpectrumAt((position_ + 7 * d) % kSpectrumSteps), Bright()));
    return frame_.Size();
}

int KeyboardLightEngine::RenderCustomLevel() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < frame_.Size(); ++i)
        frame_.SetLevel(i, Bright());
    return frame_.Size();
}

int KeyboardLightEngine::RenderKeySweep() {
    std::lock_guard lock(mutex_);
    const int length = KeySequenceLength();
    position_ = StepPosition(state_.direction, uint8_t(length), position_, 1);
    const uint8_t key = KeySequence()[position_ % length];
    if (key < kMaxKeys) {
        keyLevel_[key] = 254;
        keyColour_[key] = uint8_t((position_ * 3) % kSpectrumSteps);
    }
    DrawKeyLevels(state_.colourful);
    FadeAll(21);
    return frame_.Size();
}

int KeyboardLightEngine::RenderTwinkle() {
    std::lock_guard lock(mutex_);
    frame_.Clear();
    const Rgb fixed = FixedColour(state_);
    for (int i = 0; i < frame_.Size(); ++i) {
        if (CellOfKey(i).column < 0)
            continue;
        unsigned next = phase_[i] + 1u;
        if (next >= 192) {
            next = 0;
            keyColour_[i] = uint8_t(Random(kSpectrumSteps));
        }
        phase_[i] = uint8_t(next);
        keyLevel_[i] = TwinkleCurve()[phase_[i]];
        frame_.Set(i, KeyWord(i, state_.colourful ? SpectrumAt(keyColour_[i]) : fixed));
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderSweepPattern() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < kMaxKeys; ++i)
        if (keyLevel_[i]) {
            keyLevel_[i] = uint8_t(keyLevel_[i] < 5 ? 0 : keyLevel_[i] - 5);
            keyColour_[i] = uint8_t((keyColour_[i] + 3) % kSpectrumSteps);
        }
    // Newly lit keys start at red, so the trail shows the spectrum.
    for (uint8_t k : SweepPattern()[sweepFrame_ % 52])
        if (k < kMaxKeys) {
            keyLevel_[k] = 255;
            keyColour_[k] = 0;
        }
    sweepFrame_ = uint8_t((sweepFrame_ + 1) % 52);
    DrawKeyLevels(state_.colourful);
    return frame_.Size();
}

int KeyboardLightEngine::RenderRipple() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < kMaxKeys; ++i) {
        uint8_t& level = keyLevel_[i];
        if (reactive_[i] == 1) {
            level = uint8_t(std::min(255, level + 15));
            if (level == 255 && !phase_[i])
                reactive_[i] = 2;
        } else if (reactive_[i] == 2) {
            level = uint8_t(level < 5 ? 0 : level - 5);
            if (level == 0)
                reactive_[i] = 0;
        }
    }
    DrawKeyLevels(state_.colourful);
    return frame_.Size();
}

int KeyboardLightEngine::RenderExternalColor() {
    std::lock_guard lock(mutex_);
    auto channel = [](int32_t v) { return uint8_t(std::clamp(v, 0, 255)); };
    FillAll(MakeLight(channel(peaks_[0]), channel(peaks_[1]), channel(peaks_[2]), Bright()));
    return frame_.Size();
}

int KeyboardLightEngine::RenderKeyWaveColor() {
    std::lock_guard lock(mutex_);
    ShiftPlanes();
    LightPlaneKeys(false, {});
    for (int i = 0; i < frame_.Size(); ++i) {
        const KeyCell cell = CellOfKey(i);
        frame_.Set(i, KeyWord(i, SpectrumAt(cell.column < 0 ? 0 : cell.column * 8)));
        keyLevel_[i] = 0;
    }
    return frame_.Size();
}

int KeyboardLightEngine::RenderKeyWaveFade() {
    std::lock_guard lock(mutex_);
    ShiftPlanes();
    LightPlaneKeys(false, {});
    DrawKeyLevels(state_.colourful);
    FadeAll(state_.effect);
    return frame_.Size();
}

void KeyboardLightEngine::FillFixedColor(uint8_t flag) {
    std::lock_guard lock(mutex_);
    FillAll(flag ? MakeLight(FixedColour(state_), Bright()) : 0);
}

bool KeyboardLightEngine::SetKeyColor(int key) {
    std::lock_guard lock(mutex_);
    if (state_.effect != 19 || key < 0 || key >= frame_.Size())
        return false;
    frame_.Set(key, MakeLight(FixedColour(state_), LightLevel(frame_.Get(key))));
    return true;
}

void KeyboardLightEngine::SetCustomColors(const std::vector<Rgb>& colourOfLight) {
    std::lock_guard lock(mutex_);
    const int n = std::min<int>(frame_.Size(), int(colourOfLight.size()));
    for (int i = 0; i < n; ++i)
        frame_.Set(i, MakeLight(colourOfLight[i], Bright()));
}

uint8_t KeyboardLightEngine::LookupKey(uint8_t code) {
    const auto& snake = SnakeOrder();
    const int n = SnakeLength();
    return std::find(snake.begin(), snake.begin() + n, code) != snake.begin() + n ? code : kNoKey;
}

// ---- dispatch ------------------------------------------------------------

void KeyboardLightEngine::RenderEffect() {
    switch (state_.effect) {
        case 1:
            RenderColumnWave();
            break;
        case 2:
            RenderColumnGradient();
            break;
        case 3:
            RenderSnakeRainbow();
            break;
        case 4:
            DoSpectrum(state_);
            break;
        case 5:
            DoBreathing(state_);
            break;
        case 6:
            DoSteady(state_);
            break;
        case 7:
        case 8:
        case 9:
        case 28:
            RenderReactiveKeys();
            break;
        case 10:
            RenderSparkle();
            break;
        case 11:
            RenderColorCycle();
            break;
        case 12:
            RenderRowWave();
            break;
        case 13:
            RenderCentreWave();
            break;
        case 14:
            RenderKeyWave();
            break;
        case 15:
            RenderRain();
            break;
        case 16:
            RenderEdgeWave();
            break;
        case 17:
            RenderPresetColor();
            break;
        case 18:
            RenderPattern();
            break;
        case 19:
            RenderCustomLevel();
            break;
        case 21:
            RenderKeySweep();
            break;
        case 22:
            RenderTwinkle();
            break;
        case 23:
            DoFlash(state_);
            break;
        case 24:
            RenderSweepPattern();
            break;
        case 25:
            RenderRipple();
            break;
        case 26:
            DoBreathingCycle(state_);
            break;
        case 27:
            DoFlashCycle(state_);
            break;
        case 29:
            RenderMusic();
            break;
        case 30:
            RenderExternalColor();
            break;
        default:
            RenderLightSteps();
            break;
    }
}

int KeyboardLightEngine::ThresholdLocked() const {
    static constexpr int kMost[5] = {8, 5, 3, 1, 0};
    static constexpr int kGradient[5] = {12, 8, 5, 0, 0};
    static constexpr int kSlow[5] = {3, 3, 3, 3, 0};
    const unsigned speed = state_.speed > 4 ? 4 : state_.speed;
    switch (state_.effect) {
        case 2:
            return kGradient[speed];
        case 16:
        case 18:
            return 4;
        case 17:
        case 19:
            return kSlow[speed];
        case 29:
            return 2;  // the music renders whenever the count exceeds 1
        default:
            if (state_.effect == 20 || state_.effect == 0 || state_.effect > 30)
                return StepThresholdLocked();
            return kMost[speed];
    }
}

// ---- state access --------------------------------------------------------

uint8_t KeyboardLightEngine::Plane(int plane, int column) const {
    std::lock_guard lock(mutex_);
    if (plane < 0 || plane >= kPlanes || column < 0 || column >= kColumns)
        return 0;
    return planes_[plane][column];
}
uint8_t KeyboardLightEngine::Phase(int key) const {
    std::lock_guard lock(mutex_);
    return OnBoard(key) ? phase_[key] : 0;
}
uint8_t KeyboardLightEngine::ReactiveState(int key) const {
    std::lock_guard lock(mutex_);
    return OnBoard(key) ? reactive_[key] : 0;
}
uint8_t KeyboardLightEngine::KeyColourIndex(int key) const {
    std::lock_guard lock(mutex_);
    return OnBoard(key) ? keyColour_[key] : 0;
}
int32_t KeyboardLightEngine::AudioLevel(int band) const {
    std::lock_guard lock(mutex_);
    return band >= 0 && band < 25 ? audio_[band] : 0;
}
int32_t KeyboardLightEngine::AudioPeak(int index) const {
    std::lock_guard lock(mutex_);
    return index >= 0 && index < 6 ? peaks_[index] : 0;
}

}  // namespace light
