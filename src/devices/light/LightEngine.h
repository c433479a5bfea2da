// The light preview engine shared by every device family: light state,
// animation state, the base renderers, the key-level fade ladders, the wave
// pattern, per-light zone overrides and timed step lists. A family engine
// adds its own renderers and maps effects to renderers and tick thresholds.
//
// Thread use: a light thread calls RenderTick while other threads change the
// state, trigger keys or read the frame. Every public operation takes the
// engine lock except the frame reads, which are lock-free atomics.
#pragma once

#include "devices/light/LightFrame.h"
#include "devices/light/LightState.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <random>
#include <vector>

namespace light {

inline constexpr int kMaxKeys = 170;
inline constexpr int kWaveCells = 23;

// How a family's light thread counts towards its threshold: system ticks
// (one count per 2 ms of the millisecond tick) or loop passes (about 2 ms).
enum class TickMode { SystemTicks, Passes };

class LightEngine {
public:
    using Clock = std::function<uint32_t()>;  // milliseconds, wrapping

    explicit LightEngine(int lightCount);
    virtual ~LightEngine();
    LightEngine(const LightEngine&) = delete;
    LightEngine& operator=(const LightEngine&) = delete;

    // Frame. Setting the light count resizes the frame and the zone table
    // and clears both (also when the count is unchanged).
    int LightCount() const;
    void SetLightCount(int count);
    const LightFrame& Frame() const { return frame_; }
    uint32_t GetLightColor(int index) const { return frame_.Get(index); }
    void SetLightColor(int index, uint32_t word) { frame_.Set(index, word); }

    // Light state. SetLightState only stores; LoadLightState applies the
    // family's effect-change rules.
    void SetLightState(const LightState& state);
    LightState GetLightState() const;
    virtual void LoadLightState(const LightState& state);

    // Zone records (one per light; missing entries are absent) and the timed
    // step list; both restart their animation.
    void SetZoneRecords(std::vector<ZoneRecord> records);
    void SetLightSteps(std::vector<LightStep> steps);

    void SetClock(Clock clock);
    void SetRandomSeed(uint32_t seed);

    static uint8_t StepPosition(uint8_t direction, uint8_t count, uint8_t position, uint8_t step);

    // Base renderers; each writes every light and returns the light count.
    int RenderBreathing();
    int RenderBreathingCycle();
    int RenderSteady();
    int RenderSpectrum();
    int RenderFlash();
    int RenderFlashCycle();
    int RenderOff();

    void FadeKeyLevel(uint8_t key, uint8_t ladder);
    virtual void SeedWaveLevels();
    void RotateWavePattern(uint8_t direction);
    void ResetLightAnimation();

    // One render of the light thread: the current effect's renderer, then the
    // zone overrides.
    void RenderTick();
    // Tick threshold of the current effect at the current speed.
    int Threshold() const;
    virtual TickMode GetTickMode() const { return TickMode::SystemTicks; }

    // Animation state, for devices and tests.
    uint8_t Position() const;
    uint8_t ColourIndex() const;
    uint8_t BlinkFlag() const;
    uint8_t KeyLevel(int key) const;
    void SetKeyLevel(int key, uint8_t level);
    uint8_t WaveCell(int cell) const;
    void SetWaveCell(int cell, uint8_t value);

protected:
    // Family hooks, called with the lock held.
    virtual void RenderEffect() = 0;
    virtual int ThresholdLocked() const = 0;

    // Base renderers on an explicit state (the step list uses its own).
    void DoBreathing(const LightState& s);
    void DoBreathingCycle(const LightState& s);
    void DoSteady(const LightState& s);
    void DoSpectrum(const LightState& s);
    void DoFlash(const LightState& s);
    void DoFlashCycle(const LightState& s);
    void DoOff();
    void FadeKeyLevelLocked(uint8_t key, uint8_t ladder);
    void ResetAnimationLocked();
    void RotateCells(int count, bool towardsHigher);

    // Step-list playback; dark with an empty list.
    void RenderLightSteps();
    // Threshold of the current step at table {8,6,4,2,1} by its speed.
    int StepThresholdLocked() const;
    void ApplyZoneOverrides();

    void FillAll(uint32_t word);
    Rgb FixedColour(const LightState& s) const { return {s.red, s.green, s.blue}; }
    uint32_t Now() const { return clock_(); }
    unsigned Random(unsigned bound);  // 0..bound-1

    mutable std::recursive_mutex mutex_;
    LightState state_;
    LightFrame frame_;
    uint8_t position_ = 0;
    uint8_t colourIndex_ = 0;
    uint8_t blink_ = 0;
    uint32_t lastBlinkTick_ = 0;
    std::array<uint8_t, kMaxKeys> keyLevel_{};
    std::array<uint8_t, kMaxKeys> keyColour_{};
    std::array<uint8_t, kWaveCells> wave_{};

private:
    struct ZoneAnim {
        uint8_t phase = 0, colour = 0, blink = 0, counter = 0;
        uint32_t tick = 0;
    };
    Clock clock_;
    std::minstd_rand rng_{0x5EED};
    std::vector<ZoneRecord> zones_;
    std::vector<ZoneAnim> zoneAnim_;
    std::vector<LightStep> steps_;
    std::size_t stepIndex_ = 0;
    uint32_t stepStart_ = 0;
};

}  // namespace light
