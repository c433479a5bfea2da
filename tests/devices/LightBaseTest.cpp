#include "LightTestSupport.h"

#include "devices/light/LightEngine.h"
#include "devices/light/LightFrame.h"
#include "devices/light/LightTables.h"

#include <gtest/gtest.h>

#include <functional>

using namespace light;
using lighttest::FakeClock;
using lighttest::State;

namespace {

// The base renderers with a trivial dispatch: effect 0 breathing, 1 steps.
class BaseEngine : public LightEngine {
public:
    explicit BaseEngine(int n = 4) : LightEngine(n) {}

protected:
    void RenderEffect() override {
        if (state_.effect == 0)
            DoBreathing(state_);
        else
            RenderLightSteps();
    }
    int ThresholdLocked() const override { return StepThresholdLocked(); }
};

bool AllLights(const LightEngine& e, uint32_t word) {
    for (int i = 0; i < e.LightCount(); ++i)
        if (e.Frame().Get(i) != word)
            return false;
    return true;
}

}  // namespace

TEST(LightTables, SpectrumIsAClosedRainbowRepeatedTo256) {
    const auto& s = Spectrum();
    EXPECT_EQ(s[0], (Rgb{255, 1, 0}));
    EXPECT_EQ(s[31], (Rgb{255, 255, 0}));
    EXPECT_EQ(s[32], (Rgb{248, 255, 0}));
    EXPECT_EQ(s[63], (Rgb{0, 255, 0}));
    EXPECT_EQ(s[95], (Rgb{0, 255, 255}));
    EXPECT_EQ(s[127], (Rgb{0, 0, 255}));
    EXPECT_EQ(s[159], (Rgb{255, 0, 255}));
    EXPECT_EQ(s[191], (Rgb{255, 0, 0}));
    EXPECT_EQ(s[10].g, 38);
    EXPECT_EQ(s[42].r, 124);
    for (int i = 192; i < 256; ++i)
        EXPECT_EQ(s[i], s[i - 192]) << i;
}

TEST(LightTables, CurvesLevelsAndFactors) {
    const auto& b = BreathingCurve();
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[10], 10);
    EXPECT_EQ(b[11], 12);
    EXPECT_EQ(b[63], 255);
    EXPECT_EQ(b[64], 255);
    EXPECT_EQ(b[127], 0);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(b[i], b[127 - i]);
    const auto& w = WaveCurve();
    EXPECT_EQ(w[0], 22);
    EXPECT_EQ(w[95], 22);
    for (int i = 0; i < 96; ++i)
        EXPECT_EQ(w[i], b[16 + i]);
    EXPECT_EQ(FourColourCycle()[0], (Rgb{0, 255, 180}));
    EXPECT_EQ(FourColourCycle()[3], (Rgb{255, 0, 0}));
    EXPECT_EQ(BrightnessLevels(), (std::array<uint8_t, 5>{0, 80, 135, 195, 255}));
    EXPECT_EQ(FlashFactors(), (std::array<uint8_t, 5>{8, 6, 4, 2, 1}));
    EXPECT_EQ(BrightnessLevel(9), 255);  // bad profile values use the last entry
    EXPECT_EQ(FlashFactor(200), 1);
}

TEST(LightEngine, StepPosition) {
    struct Case {
        uint8_t direction, count, position, step, expected;
    };
    const Case cases[] = {
        {1, 128, 127, 1, 0}, {0, 128, 0, 1, 127}, {0, 192, 0, 7, 185}, {1, 192, 10, 1, 11},
        {0, 192, 10, 3, 7},  {1, 96, 93, 3, 0},   {1, 192, 250, 1, 0}, {0, 96, 200, 1, 95},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LightEngine::StepPosition(c.direction, c.count, c.position, c.step), c.expected)
            << int(c.direction) << " " << int(c.count) << " " << int(c.position) << " "
            << int(c.step);
}

TEST(LightEngine, BreathingChangesColourOncePerBreath) {
    BaseEngine e;
    e.SetLightState(State(0, 4, 2, 1, /*colourful*/ 1));
    std::vector<uint8_t> colours;
    for (int i = 0; i < 3 * 128; ++i) {
        const uint8_t before = e.ColourIndex();
        e.RenderBreathing();
        if (e.ColourIndex() != before) {
            EXPECT_EQ(e.Position(), 0);
            colours.push_back(e.ColourIndex());
        }
    }
    EXPECT_EQ(colours, (std::vector<uint8_t>{16, 32, 48}));
    // Golden frame: position 1 after one more step, spectrum[48] at curve 1.
    e.RenderBreathing();
    EXPECT_TRUE(AllLights(e, MakeLight(SpectrumAt(48), 1 * 255 / 256)));
}

TEST(LightEngine, BreathingColourWrapsAfter192AndFixedColourLevels) {
    BaseEngine e(2);
    e.SetLightState(State(0, 2, 2, 1, 1));
    for (int breath = 0; breath < 13; ++breath)
        for (int i = 0; i < 128; ++i)
            e.RenderBreathing();
    EXPECT_EQ(e.ColourIndex(), 0);  // 0, 16, ..., 192, then 0
    e.SetLightState(State(0, 2, 2, 1, 0, {9, 8, 7}));
    for (int i = 0; i < 64; ++i)
        e.RenderBreathing();
    // Position 64: curve 255 at brightness 135 -> 134.
    EXPECT_EQ(e.Frame().Get(1), MakeLight(9, 8, 7, 255 * 135 / 256));
}

TEST(LightEngine, BrightnessZeroDarkensEveryBrightnessRenderer) {
    const std::vector<std::pair<const char*, std::function<int(LightEngine&)>>> renderers = {
        {"breathing", [](LightEngine& e) { return e.RenderBreathing(); }},
        {"breathing cycle", [](LightEngine& e) { return e.RenderBreathingCycle(); }},
        {"steady", [](LightEngine& e) { return e.RenderSteady(); }},
        {"spectrum", [](LightEngine& e) { return e.RenderSpectrum(); }},
        {"flash", [](LightEngine& e) { return e.RenderFlash(); }},
        {"flash cycle", [](LightEngine& e) { return e.RenderFlashCycle(); }},
    };
    for (const auto& [name, render] : renderers) {
        BaseEngine e(5);
        FakeClock clock;
        clock.Attach(e);
        e.SetLightState(State(0, 0, 4, 1, 1));
        for (int i = 0; i < 300; ++i) {
            EXPECT_EQ(render(e), 5) << name;
            clock.Advance(7);
            for (int l = 0; l < 5; ++l)
                ASSERT_EQ(LightLevel(e.Frame().Get(l)), 0) << name << " light " << l;
        }
    }
}

TEST(LightEngine, SteadySpectrumAndOffGoldenFrames) {
    BaseEngine e(3);
    e.SetLightState(State(0, 3, 2, 1, 0, {1, 2, 3}));
    EXPECT_EQ(e.RenderSteady(), 3);
    EXPECT_TRUE(AllLights(e, MakeLight(1, 2, 3, 195)));
    e.RenderSpectrum();
    EXPECT_TRUE(AllLights(e, MakeLight(SpectrumAt(1), 195)));
    e.SetLightState(State(0, 3, 2, 0));
    e.RenderSpectrum();
    e.RenderSpectrum();
    EXPECT_EQ(e.Position(), 191);
    EXPECT_EQ(e.RenderOff(), 3);
    EXPECT_TRUE(AllLights(e, 0));
}

TEST(LightEngine, FlashTogglesOnItsPeriodAndAdvancesTheColour) {
    BaseEngine e(2);
    FakeClock clock;
    clock.Attach(e);
    e.SetLightState(State(0, 4, /*speed*/ 2, 1, 1));  // factor 4: 800 ms
    e.RenderFlash();                                  // first call: the last blink tick is long ago
    EXPECT_EQ(e.BlinkFlag(), 1);
    EXPECT_EQ(e.Position(), 16);
    EXPECT_TRUE(AllLights(e, MakeLight(SpectrumAt(16), 255)));
    clock.Advance(799);
    e.RenderFlash();
    EXPECT_EQ(e.BlinkFlag(), 1);
    clock.Advance(1);
    e.RenderFlash();
    EXPECT_EQ(e.BlinkFlag(), 0);
    EXPECT_EQ(e.Position(), 32);
    EXPECT_TRUE(AllLights(e, 0));
    // The position restarts at 0 when it reaches 192.
    for (int i = 0; i < 10; ++i) {
        clock.Advance(800);
        e.RenderFlash();
    }
    EXPECT_EQ(e.Position(), 0);
}

TEST(LightEngine, CycleRenderersWalkTheFourColours) {
    BaseEngine e(1);
    FakeClock clock;
    clock.Attach(e);
    e.SetLightState(State(0, 4, 4, 1));  // factor 1: 200 ms
    std::vector<uint32_t> lit;
    for (int i = 0; i < 10; ++i) {
        e.RenderFlashCycle();
        if (e.BlinkFlag())
            lit.push_back(e.Frame().Get(0));
        clock.Advance(200);
    }
    const auto& four = FourColourCycle();
    ASSERT_EQ(lit.size(), 5u);
    EXPECT_EQ(lit[0], MakeLight(four[1], 255));
    EXPECT_EQ(lit[1], MakeLight(four[3], 255));
    EXPECT_EQ(lit[2], MakeLight(four[1], 255));

    BaseEngine b(1);
    b.SetLightState(State(0, 4, 4, 1));
    std::vector<uint8_t> seen;
    for (int i = 0; i < 5 * 128; ++i) {
        b.RenderBreathingCycle();
        if (b.Position() == 64)
            seen.push_back(b.ColourIndex());
    }
    EXPECT_EQ(seen, (std::vector<uint8_t>{0, 1, 2, 3, 0}));
}

TEST(LightEngine, FadeLadders) {
    struct Case {
        uint8_t ladder, before, after;
    };
    const Case cases[] = {
        {29, 20, 15},  {29, 150, 105}, {29, 0, 0},     {29, 255, 210}, {29, 130, 90}, {29, 120, 85},
        {29, 100, 70}, {29, 90, 65},   {29, 70, 50},   {29, 40, 30},   {29, 16, 15},  {0, 150, 110},
        {0, 40, 25},   {0, 20, 12},    {0, 1, 0},      {0, 0, 0},      {7, 40, 30},   {7, 64, 34},
        {7, 31, 23},   {7, 17, 9},     {10, 255, 215}, {21, 112, 82},  {5, 16, 15},
    };
    BaseEngine e;
    for (const Case& c : cases) {
        e.SetKeyLevel(3, c.before);
        e.FadeKeyLevel(3, c.ladder);
        EXPECT_EQ(e.KeyLevel(3), c.after) << "ladder " << int(c.ladder) << " v " << int(c.before);
    }
    e.FadeKeyLevel(170, 0);  // outside the key levels: ignored
    e.FadeKeyLevel(255, 29);
}

TEST(LightEngine, WavePatternRotationSeedAndReset) {
    BaseEngine e;
    e.SetWaveCell(22, 1);
    e.RotateWavePattern(1);
    for (int c = 0; c < kWaveCells; ++c)
        EXPECT_EQ(e.WaveCell(c), c == 0 ? 1 : 0) << c;
    e.RotateWavePattern(0);
    e.RotateWavePattern(0);  // cell 0 moves to 22, then to 21
    EXPECT_EQ(e.WaveCell(21), 1);
    EXPECT_EQ(e.WaveCell(0), 0);

    e.SetWaveCell(3, 5);
    e.SetWaveCell(9, 1);  // only cells 0..8 seed
    e.SeedWaveLevels();
    EXPECT_EQ(e.KeyLevel(3), 255);
    EXPECT_EQ(e.KeyLevel(9), 0);
    e.SetKeyLevel(169, 4);
    e.ResetLightAnimation();
    for (int k = 0; k < kMaxKeys; ++k)
        ASSERT_EQ(e.KeyLevel(k), 0);
    for (int c = 0; c < kWaveCells; ++c)
        ASSERT_EQ(e.WaveCell(c), 0);
}

TEST(LightFrameTest, CompositionAndDeviceBytes) {
    const uint32_t w = MakeLight(0x11, 0x22, 0x33, 0x80);
    EXPECT_EQ(PreviewColour(w), 0x11u | 0x33u << 8 | 0x22u << 16);
    EXPECT_EQ(DecodePreviewColour(PreviewColour(w)), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(LightLevel(w), 0x80);
    EXPECT_EQ(DeviceColour(MakeLight(255, 255, 255, 255)), (Rgb{254, 254, 254}));
    EXPECT_EQ(DeviceColour(MakeLight(255, 255, 255, 255), 247), (Rgb{247, 247, 247}));

    LightFrame frame(4);
    frame.Set(0, MakeLight(200, 100, 50, 128));
    frame.Set(1, MakeLight(255, 0, 0, 255));
    frame.Set(2, MakeLight(1, 1, 1, 255));
    frame.Set(9, 1);  // outside: ignored
    EXPECT_EQ(frame.Get(9), 0u);
    EXPECT_EQ(frame.Get(-1), 0u);
    uint8_t buffer[9] = {};
    // Light 0 at LED 2, light 1 at LED 0, light 2 at LED 3 (outside), light 3 none.
    EXPECT_EQ(ComposeDeviceBytes(frame, {2, 0, 3, 255}, buffer, sizeof buffer), 2);
    EXPECT_EQ(buffer[6], 100);
    EXPECT_EQ(buffer[7], 50);
    EXPECT_EQ(buffer[8], 25);
    EXPECT_EQ(buffer[0], 254);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(ComposeDeviceBytes(frame, {0}, nullptr, 9), 0);
}

TEST(LightFrameTest, LightCountClearsAlsoWhenUnchanged) {
    BaseEngine e(3);
    e.SetLightColor(2, 77);
    e.SetLightCount(3);
    EXPECT_EQ(e.GetLightColor(2), 0u);
    e.SetLightColor(3, 5);  // out of range
    EXPECT_EQ(e.GetLightColor(3), 0u);
    e.SetLightCount(-4);
    EXPECT_EQ(e.LightCount(), 0);
    EXPECT_EQ(e.RenderSteady(), 0);
    e.SetLightCount(500);
    EXPECT_EQ(e.LightCount(), kMaxKeys);
}

TEST(LightStateTest, FourWordsRoundTrip) {
    LightState s = State(12, 3, 4, 1, 1, {0xAA, 0xBB, 0xCC});
    s.zzccMode = 2;
    s.customGroup = 5;
    s.oldLedMode = 7;
    const auto w = s.ToWords();
    EXPECT_EQ(w[0], 12u | 3u << 8 | 4u << 16 | 1u << 24);
    EXPECT_EQ(w[1], 1u | 0xAAu << 8 | 0xBBu << 16 | 0xCCu << 24);
    EXPECT_EQ(w[2], 2u << 24);
    EXPECT_EQ(w[3], 5u | 7u << 8);
    EXPECT_EQ(LightState::FromWords(w), s);
}

TEST(LightEngine, StepListPlaysEachStepForItsTimeAndWraps) {
    BaseEngine e(2);
    FakeClock clock;
    clock.Attach(e);
    e.SetLightState(State(1));
    e.RenderTick();
    EXPECT_TRUE(AllLights(e, 0));  // empty list: dark
    e.SetLightSteps(
        {LightStep{1, 4, 0, 1, 0, 255, 0, 0, 500, 1}, LightStep{1, 2, 4, 1, 0, 0, 0, 255, 300, 1}});
    EXPECT_EQ(e.Threshold(), 8);  // the first step's speed 0
    e.RenderTick();
    EXPECT_TRUE(AllLights(e, MakeLight(255, 0, 0, 255)));
    clock.Advance(499);
    e.RenderTick();
    EXPECT_TRUE(AllLights(e, MakeLight(255, 0, 0, 255)));
    clock.Advance(1);
    e.RenderTick();
    EXPECT_TRUE(AllLights(e, MakeLight(0, 0, 255, 135)));
    EXPECT_EQ(e.Threshold(), 1);
    clock.Advance(300);
    e.RenderTick();
    EXPECT_TRUE(AllLights(e, MakeLight(255, 0, 0, 255)));
}

TEST(LightEngine, ZoneOverridesDrawTheirOwnModes) {
    BaseEngine e(5);
    FakeClock clock;
    clock.Attach(e);
    e.SetLightState(State(1));  // dark base (empty step list)
    std::vector<ZoneRecord> zones(5);
    zones[0] = {0, 4, 4, 0, 0, 1, 2, 3, 1};  // breathing: phase +8 per tick
    zones[1] = {1, 3, 0, 0, 0, 9, 9, 9, 1};  // steady
    zones[2] = {2, 4, 4, 0, 1, 0, 0, 0, 1};  // flash, colourful, 200 ms
    zones[3] = {3, 4, 3, 0, 1, 0, 0, 0, 1};  // spectrum walk every 2 ticks
    zones[4] = {1, 4, 0, 0, 0, 9, 9, 9, 0};  // not present
    e.SetZoneRecords(zones);
    e.RenderTick();
    EXPECT_EQ(e.Frame().Get(0), MakeLight(1, 2, 3, 8 * 255 / 256));
    EXPECT_EQ(e.Frame().Get(1), MakeLight(9, 9, 9, 195));
    EXPECT_EQ(e.Frame().Get(2), 0u);  // the period has not passed yet
    EXPECT_EQ(e.Frame().Get(3), MakeLight(SpectrumAt(0), 255));
    EXPECT_EQ(e.Frame().Get(4), 0u);
    clock.Advance(200);
    e.RenderTick();
    EXPECT_EQ(e.Frame().Get(2), MakeLight(SpectrumAt(14), 255));
    EXPECT_EQ(e.Frame().Get(3), MakeLight(SpectrumAt(1), 255));
    for (int i = 0; i < 14; ++i)
        e.RenderTick();
    // 16 ticks of +8 complete one breath: the colour index moved on by one
    // and the phase is back at 0.
    EXPECT_EQ(LightLevel(e.Frame().Get(0)), 0);
}
