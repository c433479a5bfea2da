// The keyboard's thirty light effects on the 23 x 6 column matrix, the key
// triggers of the reactive effects, the effect-change reset and the seven
// music styles. The effect of the light state is the effect id.
#pragma once

#include "devices/light/KeyboardTables.h"
#include "devices/light/LightEngine.h"

#include <atomic>

namespace light {

class KeyboardLightEngine : public LightEngine {
public:
    explicit KeyboardLightEngine(int lightCount = 170);

    // Stores the state; when the effect id changed, or is 19, resets the
    // effect buffers and initialises the new effect. Returns true when it
    // reset (for effect 19 the device then loads the custom colours).
    bool ChangeEffect(const LightState& state);
    void LoadLightState(const LightState& state) override { ChangeEffect(state); }

    // Bit-plane operations: A resets every effect buffer, B lights the keys
    // whose bit is set in any plane, C moves the four planes one cell
    // outward (left, right, up, down).
    int RenderEffectA();
    int RenderEffectB();
    int RenderEffectC();
    void ClearWaveBits();

    // Key triggers (state 1 down, 2 up). By code: the UI key whose device
    // position equals the code, from the key position map.
    void SetKeyPositionMap(std::vector<uint8_t> positionOfKey);
    void TriggerKeyByCode(uint8_t code, uint8_t state);
    void TriggerKey(int key, uint8_t state);
    void TriggerFlashKey(int key, uint8_t state);
    void TriggerRipple(int key, uint8_t state);
    void MarkRipple(int key, unsigned gain);
    // Starts a wave from a key: its bit in all four planes (mode 0: the left
    // and right planes only).
    void TriggerWaveAtKey(int key, uint8_t mode);

    int RenderColumnWave();      // 1
    int RenderColumnGradient();  // 2
    int RenderSnakeRainbow();    // 3
    int RenderReactiveKeys();    // 7, 8, 9, 28: dark until keys are pressed
    int RenderSparkle();         // 10
    int RenderColorCycle();      // 11
    int RenderRowWave();         // 12
    int RenderCentreWave();      // 13
    int RenderKeyWave();         // 14
    int RenderRain();            // 15
    int RenderEdgeWave();        // 16
    int RenderPresetColor();     // 17
    int RenderPattern();         // 18
    int RenderCustomLevel();     // 19
    int RenderKeySweep();        // 21
    int RenderTwinkle();         // 22
    int RenderSweepPattern();    // 24
    int RenderRipple();          // 25
    int RenderMusic();           // 29
    int RenderExternalColor();   // 30
    int RenderKeyWaveColor();    // bit-plane renderers no effect selects
    int RenderKeyWaveFade();

    void InitRipple();
    void InitWaveLevels();
    void InitColorRamp();
    void SeedCentreWave();
    void SeedEdgeWave();

    void FillFixedColor(uint8_t flag);
    // Effect 19 only: the key takes the fixed colour; false otherwise.
    bool SetKeyColor(int key);
    // Custom per-key colours into the frame (level = brightness).
    void SetCustomColors(const std::vector<Rgb>& colourOfLight);
    static uint8_t LookupKey(uint8_t code);

    // Music. Levels: up to 25 values (count is the caller's value count);
    // peaks: up to 6 values.
    void SetMusicSettings(const MusicSettings& settings);
    MusicSettings GetMusicSettings() const;
    void SetAudioSpectrum(const int32_t* data, int count);
    void SetAudioPeaks(const int32_t* data, int count);
    void ResetMusicBuffers();
    int RenderMusicStyle(int style);
    // Level v as the style renderers read it: 600 silent .. 0 loud.
    static int MapAudioLevel(int32_t v);

    // State, for devices and tests.
    uint8_t Plane(int plane, int column) const;
    uint8_t Phase(int key) const;
    uint8_t ReactiveState(int key) const;
    uint8_t KeyColourIndex(int key) const;
    int32_t AudioLevel(int band) const;
    int32_t AudioPeak(int index) const;
    static int MusicRippleSum();

protected:
    void RenderEffect() override;
    int ThresholdLocked() const override;

private:
    static constexpr int kPlanes = 4;
    uint8_t Bright() const { return BrightnessLevel(state_.brightness); }
    // The word of a light `offset` cells into a wave: colourful, the spectrum
    // `spectrumStride` steps per cell; otherwise the fixed colour with the wave
    // curve `waveStride` steps per cell.
    uint32_t WaveWord(int offset, int spectrumStride, int waveStride) const;
    uint32_t KeyWord(int key, Rgb colour) const;
    void DrawKeyLevels(bool spectrumColours);
    void FadeAll(uint8_t ladder);
    void ResetBuffersLocked();
    void InitEffectLocked(uint8_t effect);
    void ShiftPlanes();
    void LightPlaneKeys(bool setColour, Rgb colour);
    void SetPlaneBit(int key, bool allPlanes);
    void DoTriggerKey(int key, uint8_t state);
    void DoRenderMusicStyle(int style);
    void DrawBar(const std::vector<int>& cellsBottomUp, int lit, uint8_t ladder, int colourSeed);
    Rgb PeakColour(int seed) const;

    std::array<uint8_t, kMaxKeys> phase_{};
    std::array<uint8_t, kMaxKeys> reactive_{};
    std::array<std::array<uint8_t, kColumns>, kPlanes> planes_{};
    uint8_t planeCounter_ = 0;
    uint8_t sweepFrame_ = 0;
    uint8_t scriptStep_ = 0;
    std::vector<uint8_t> positionOfKey_;

    MusicSettings music_;
    std::array<int32_t, 25> audio_{};
    std::array<int32_t, 6> peaks_{};
    bool audioFresh_ = false;
    std::array<Rgb, kMaxKeys> musicColour_{};
    std::array<uint8_t, kColumns> columnOrder_{};
    std::array<uint8_t, kColumns> history_{};
    static std::atomic<int> rippleSum_;
};

}  // namespace light
