#include "LightTestSupport.h"

#include "devices/light/LightThread.h"
#include "devices/light/MouseLightEngine.h"
#include "devices/light/PairLightEngine.h"

#include <gtest/gtest.h>

using namespace light;
using lighttest::State;

TEST(MouseLight, WaveGoldenFrames) {
    MouseLightEngine m;
    m.SetLightState(State(0, 4, 2, 1, 1));
    EXPECT_EQ(m.RenderEffectA(), 15);
    for (int g = 0; g < 7; ++g)
        for (int light : MouseLightEngine::Groups()[g])
            EXPECT_EQ(m.Frame().Get(light), MakeLight(SpectrumAt(2 + 7 * g), 255)) << light;

    MouseLightEngine plain;
    plain.SetLightState(State(0, 2, 2, 1, 0, {200, 100, 0}));
    plain.RenderEffectA();
    for (int g = 0; g < 7; ++g) {
        const uint8_t level = uint8_t(135 * WaveCurve()[(2 + 7 * g) % 96] / 256);
        EXPECT_EQ(plain.Frame().Get(MouseLightEngine::Groups()[g][0]),
                  MakeLight(200, 100, 0, level));
    }
}

TEST(MouseLight, FlowRunsFromCellZeroAndFades) {
    MouseLightEngine m;
    m.SetLightState(State(5, 4, 2, 1, 0, {0, 0, 255}));
    for (int i = 0; i < 3; ++i)
        m.RenderEffectB();
    const uint8_t expected[7] = {135, 175, 215, 0, 0, 0, 0};
    for (int g = 0; g < 7; ++g) {
        EXPECT_EQ(m.KeyLevel(g), expected[g]) << g;
        for (int light : MouseLightEngine::Groups()[g])
            EXPECT_EQ(m.Frame().Get(light), MakeLight(0, 0, 255, expected[g] * 255 / 256));
    }
    EXPECT_EQ(m.WaveCell(3), 1);

    // Colourful: the first pass shows spectrum colours, not black.
    MouseLightEngine c;
    c.SetLightState(State(5, 4, 2, 1, 1));
    c.RenderEffectB();
    EXPECT_NE(LightColour(c.Frame().Get(0)), (Rgb{}));
}

TEST(MouseLight, ReactiveOnlyOnEffectSix) {
    MouseLightEngine m;
    m.SetLightState(State(0));
    m.TriggerReactive();
    EXPECT_EQ(m.ReactiveState(0), 0);
    m.SetLightState(State(6, 4, 2, 1, 1));
    m.TriggerReactive();
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(m.ReactiveState(i), 1);
        EXPECT_EQ(m.KeyLevel(i), 255);
    }
    m.RenderTick();
    EXPECT_EQ(m.ReactiveState(3), 2);
    EXPECT_EQ(LightLevel(m.Frame().Get(3)), 254);
    for (int i = 0; i < 17; ++i)
        m.RenderTick();
    EXPECT_EQ(m.KeyLevel(3), 0);
    EXPECT_EQ(LightLevel(m.Frame().Get(3)), 0);
}

TEST(MouseLight, EffectChangeResetsOnlyWhenChanged) {
    MouseLightEngine m;
    m.LoadLightState(State(5));
    m.SetKeyLevel(4, 99);
    m.SetWaveCell(7, 1);
    m.LoadLightState(State(5, 1));
    EXPECT_EQ(m.KeyLevel(4), 99);
    m.RenderSpectrum();
    const uint8_t position = m.Position();
    m.LoadLightState(State(2));
    EXPECT_EQ(m.KeyLevel(4), 0);
    EXPECT_EQ(m.WaveCell(7), 0);
    EXPECT_EQ(m.WaveCell(0), 1);
    EXPECT_EQ(m.Position(), position);  // position is not reset
}

TEST(MouseLight, ThresholdsAndDispatch) {
    MouseLightEngine m;
    const int flow[5] = {16, 12, 8, 4, 2}, most[5] = {8, 6, 4, 2, 1};
    for (uint8_t s = 0; s < 5; ++s) {
        m.SetLightState(State(5, 4, s));
        EXPECT_EQ(m.Threshold(), flow[s]);
        m.SetLightState(State(3, 4, s));
        EXPECT_EQ(m.Threshold(), most[s]);
    }
    m.SetLightState(State(3, 4, 77));  // bad speed index: the fastest entry
    EXPECT_EQ(m.Threshold(), 1);
    m.SetLightState(State(9, 4, 0));  // no built-in renderer: step list (empty: dark)
    m.SetLightColor(0, 5);
    m.RenderTick();
    EXPECT_EQ(m.Frame().Get(0), 0u);
    m.SetLightState(State(3, 4, 0, 1, 0, {1, 2, 3}));
    m.RenderTick();
    EXPECT_EQ(m.Frame().Get(14), MakeLight(1, 2, 3, 255));
}

TEST(PairLight, HeadsetFlowSkipsLightsBeyondItsCount) {
    PairLightEngine h(PairLightEngine::Family::Headset);
    ASSERT_EQ(h.LightCount(), 13);
    EXPECT_EQ(h.GetTickMode(), TickMode::Passes);
    h.SetLightState(State(7, 4, 2, 1, 0, {255, 255, 255}));
    h.RenderEffectB();  // odd call: no seed yet
    EXPECT_EQ(h.Frame().Get(1), MakeLight(255, 255, 255, 0));
    h.RenderEffectB();
    EXPECT_EQ(h.KeyLevel(0), 215);
    EXPECT_EQ(h.WaveCell(7), 1);  // direction set: the first 8 cells rotate down
    EXPECT_EQ(h.WaveCell(0), 0);
    EXPECT_EQ(h.Frame().Get(1), MakeLight(255, 255, 255, 214));
    EXPECT_EQ(h.Frame().Get(0), 0u);  // light 0 is in no pair
    EXPECT_EQ(h.Frame().Get(14), 0u);
}

TEST(PairLight, RainbowWaveStridesPerFamily) {
    PairLightEngine h(PairLightEngine::Family::Headset);
    h.SetLightState(State(0, 4, 2, 1, 1));
    h.RenderEffectA();
    EXPECT_EQ(h.Frame().Get(2), MakeLight(SpectrumAt(1 + 32), 255));
    h.SetLightState(State(0, 4, 2, 1, 0, {0, 255, 0}));
    h.RenderEffectA();  // not colourful: the position moves 3 steps
    EXPECT_EQ(h.Position(), 4);
    EXPECT_EQ(h.Frame().Get(1), MakeLight(0, 255, 0, 255 * WaveCurve()[14] / 256));

    PairLightEngine p(PairLightEngine::Family::Mousepad);
    ASSERT_EQ(p.LightCount(), 15);
    p.SetLightState(State(0, 4, 2, 1, 1));
    p.RenderEffectA();
    EXPECT_EQ(p.Frame().Get(3), MakeLight(SpectrumAt(2 + 21), 255));
}

TEST(PairLight, PerLightFlowSeedsEveryCellAndEffectFiveIsASteplist) {
    PairLightEngine p(PairLightEngine::Family::Mousepad);
    p.SetLightState(State(6, 4, 2, 1, 0, {9, 9, 9}));
    p.SetWaveCell(12, 1);
    p.RenderEffectC();
    p.RenderEffectC();  // second call seeds every set cell and rotates up
    EXPECT_EQ(p.KeyLevel(12), 215);
    EXPECT_EQ(p.WaveCell(13), 1);
    p.SetLightState(State(5, 4, 2));
    p.SetLightSteps({LightStep{1, 4, 2, 1, 0, 7, 7, 7, 1000, 1}});
    p.RenderTick();
    EXPECT_EQ(p.Frame().Get(14), MakeLight(7, 7, 7, 255));
}

TEST(LightTiming, RenderPeriods) {
    using std::chrono::microseconds;
    EXPECT_EQ(RenderPeriod(TickMode::SystemTicks, 0), microseconds(15625));
    EXPECT_EQ(RenderPeriod(TickMode::SystemTicks, 1), microseconds(15625));
    EXPECT_EQ(RenderPeriod(TickMode::SystemTicks, 8), microseconds(125000));
    EXPECT_EQ(RenderPeriod(TickMode::Passes, 0), microseconds(31250));
    EXPECT_EQ(RenderPeriod(TickMode::Passes, 8), microseconds(250000));
    EXPECT_EQ(RenderPeriod(TickMode::SystemTicks, -3), microseconds(15625));
}
