#include "LightTestSupport.h"

#include "devices/light/KeyboardLightEngine.h"
#include "devices/light/KeyboardTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace light;
using lighttest::FakeClock;
using lighttest::State;

namespace {

// A keyboard engine switched to `effect` (from a different one, so the
// effect change runs).
struct Keyboard {
    KeyboardLightEngine e;
    FakeClock clock;
    explicit Keyboard(uint8_t effect, uint8_t brightness = 4, uint8_t speed = 2,
                      uint8_t colourful = 1) {
        clock.Attach(e);
        e.SetRandomSeed(7);
        e.SetLightState(State(effect == 1 ? 2 : 1));
        e.ChangeEffect(State(effect, brightness, speed, 1, colourful));
    }
    int LitCount() const {
        int n = 0;
        for (int i = 0; i < e.LightCount(); ++i)
            n += LightLevel(e.Frame().Get(i)) != 0;
        return n;
    }
};

}  // namespace

TEST(KeyboardTablesTest, LayoutTablesCoverTheMatrix) {
    std::set<int> matrix;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (KeyAt(c, r) != kNoKey) {
                EXPECT_TRUE(matrix.insert(KeyAt(c, r)).second) << int(KeyAt(c, r));
                EXPECT_EQ(CellOfKey(KeyAt(c, r)).column, c);
                EXPECT_EQ(CellOfKey(KeyAt(c, r)).row, r);
            }
    EXPECT_EQ(matrix.size(), 132u);
    EXPECT_EQ(KeyAt(0, 0), kNoKey);
    EXPECT_EQ(KeyAt(18, 2), kNoKey);
    EXPECT_EQ(KeyAt(22, 5), 131);
    EXPECT_EQ(KeyAt(-1, 0), kNoKey);
    EXPECT_EQ(CellOfKey(150).column, -1);

    std::multiset<int> sequence(KeySequence().begin(), KeySequence().begin() + KeySequenceLength());
    EXPECT_EQ(std::set<int>(sequence.begin(), sequence.end()), matrix);
    EXPECT_EQ(sequence.size(), matrix.size());

    std::multiset<int> diagonal;
    for (const auto& row : DiagonalPattern())
        for (uint8_t k : row)
            if (k != kNoKey)
                diagonal.insert(k);
    EXPECT_EQ(std::set<int>(diagonal.begin(), diagonal.end()), matrix);
    EXPECT_EQ(diagonal.size(), matrix.size());

    for (const auto& frame : SweepPattern())
        for (uint8_t k : frame)
            EXPECT_TRUE(k == kNoKey || matrix.count(k)) << int(k);
    const std::set<int> sparkle(SparkleCandidates().begin(), SparkleCandidates().end());
    EXPECT_EQ(sparkle.size(), 104u);
    for (int k : sparkle)
        EXPECT_TRUE(matrix.count(k));
    EXPECT_EQ(SnakeOrder()[0], 15);
    EXPECT_EQ(SnakeOrder()[SnakeLength()], kNoKey);
    const auto& t = TwinkleCurve();
    EXPECT_EQ((std::vector<int>(t.begin(), t.begin() + 12)),
              (std::vector<int>{0, 4, 8, 14, 22, 33, 45, 61, 77, 84, 100, 110}));
    EXPECT_EQ(*std::max_element(t.begin(), t.end()), 255);
    EXPECT_EQ(t[191], 0);
}

TEST(KeyboardLight, EffectSevenIsDarkUntilAKeyIsPressed) {
    Keyboard k(7);
    for (int i = 0; i < 5; ++i) {
        k.e.RenderTick();
        ASSERT_EQ(k.LitCount(), 0);
    }
    k.e.TriggerKey(51, 1);
    k.e.RenderTick();
    EXPECT_EQ(k.LitCount(), 1);
    EXPECT_EQ(k.e.Frame().Get(51), MakeLight(SpectrumAt(k.e.KeyColourIndex(51)), 255));
    k.e.RenderTick();  // held: stays at full level
    EXPECT_EQ(LightLevel(k.e.Frame().Get(51)), 255);
    k.e.TriggerKey(51, 2);
    for (int i = 0; i < 3; ++i)
        k.e.RenderTick();
    EXPECT_LT(LightLevel(k.e.Frame().Get(51)), 255);
    EXPECT_GT(LightLevel(k.e.Frame().Get(51)), 0);
    k.e.TriggerKey(170, 1);  // outside the keys: ignored
    k.e.TriggerKey(-1, 1);
}

TEST(KeyboardLight, EffectChangeResetsExceptForTheSameEffectAndAlwaysForNineteen) {
    Keyboard k(5);
    k.e.SetKeyLevel(40, 77);
    EXPECT_FALSE(k.e.ChangeEffect(State(5, 2)));
    EXPECT_EQ(k.e.KeyLevel(40), 77);
    EXPECT_EQ(k.e.GetLightState().brightness, 2);  // the state is still taken
    EXPECT_TRUE(k.e.ChangeEffect(State(19)));
    EXPECT_EQ(k.e.KeyLevel(40), 0);
    EXPECT_EQ(k.e.AudioLevel(0), 0x01010101);  // every audio byte 1 after a reset
    k.e.SetKeyLevel(40, 77);
    EXPECT_TRUE(k.e.ChangeEffect(State(19)));
    EXPECT_EQ(k.e.KeyLevel(40), 0);
}

TEST(KeyboardLight, EffectInitialisation) {
    Keyboard ramp(1);
    EXPECT_EQ(ramp.e.KeyColourIndex(0), 0);
    EXPECT_EQ(ramp.e.KeyColourIndex(1), 33);
    EXPECT_EQ(ramp.e.KeyColourIndex(5), 97);  // 165 is in 160..222
    EXPECT_EQ(ramp.e.KeyColourIndex(6), 97);
    EXPECT_EQ(ramp.e.KeyColourIndex(7), 231);
    EXPECT_EQ(ramp.e.KeyColourIndex(8), 8);

    Keyboard centre(13);
    Keyboard edge(16);
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(centre.e.Plane(p, 10), 1 << 6);
        EXPECT_EQ(edge.e.Plane(p, 2), 1 << 0);
        EXPECT_EQ(edge.e.Plane(p, 10), 0);
    }
    Keyboard twinkle(22);  // phases in rings around the centre
    EXPECT_EQ(twinkle.e.Phase(KeyAt(11, 3)), 0);
    EXPECT_EQ(twinkle.e.Phase(KeyAt(12, 3)), 180);
    EXPECT_EQ(twinkle.e.Phase(KeyAt(10, 3)), 180);
    Keyboard rain(15);
    std::set<int> phases;
    for (int c = 0; c < kColumns; ++c)
        phases.insert(rain.e.Phase(KeyAt(c, 1)));
    EXPECT_GT(phases.size(), 10u);
}

TEST(KeyboardLight, RippleAtTheLeftEdgeRaisesOnlyExistingNeighbours) {
    Keyboard k(25);
    k.e.TriggerKey(120, 1);  // column 0, row 1
    EXPECT_EQ(k.e.KeyLevel(120), 255);
    for (int key : {121, 21, 42})
        EXPECT_EQ(k.e.KeyLevel(key), 90) << key;
    for (int key : {122, 63, 0, 22, 43, 64})
        EXPECT_EQ(k.e.KeyLevel(key), 150) << key;
    int raised = 0;
    for (int key = 0; key < kMaxKeys; ++key)
        raised += k.e.KeyLevel(key) != 0;
    EXPECT_EQ(raised, 10);
    for (int key : {121, 122, 120})
        EXPECT_EQ(k.e.ReactiveState(key), 1);
    // Neighbours rise to full and fall; the held key stays until released.
    for (int i = 0; i < 12; ++i)
        k.e.RenderTick();
    EXPECT_EQ(k.e.ReactiveState(121), 2);
    EXPECT_EQ(k.e.ReactiveState(120), 1);
    k.e.TriggerKey(120, 2);
    EXPECT_EQ(k.e.ReactiveState(120), 2);
    for (int i = 0; i < 60; ++i)
        k.e.RenderTick();
    EXPECT_EQ(k.LitCount(), 0);
}

TEST(KeyboardLight, Thresholds) {
    KeyboardLightEngine e;
    auto at = [&](uint8_t effect, uint8_t speed) {
        e.SetLightState(State(effect, 4, speed));
        return e.Threshold();
    };
    for (uint8_t effect : {1, 3, 4, 5, 10, 13, 23, 25, 30}) {
        const int most[5] = {8, 5, 3, 1, 0};
        for (uint8_t s = 0; s < 5; ++s)
            EXPECT_EQ(at(effect, s), most[s]) << int(effect);
    }
    const int gradient[5] = {12, 8, 5, 0, 0}, slow[5] = {3, 3, 3, 3, 0};
    for (uint8_t s = 0; s < 5; ++s) {
        EXPECT_EQ(at(2, s), gradient[s]);
        EXPECT_EQ(at(16, s), 4);
        EXPECT_EQ(at(18, s), 4);
        EXPECT_EQ(at(17, s), slow[s]);
        EXPECT_EQ(at(19, s), slow[s]);
        EXPECT_EQ(at(29, s), 2);
    }
}

TEST(KeyboardLight, EveryEffectRendersAllLightsAndBrightnessZeroIsDark) {
    for (uint8_t effect = 0; effect <= 31; ++effect) {
        for (uint8_t speed = 0; speed < 5; ++speed) {
            Keyboard k(effect, /*brightness*/ 0, speed);
            k.e.SetLightSteps({LightStep{0, 0, speed, 1, 1, 1, 2, 3, 50, 1}});
            const int32_t peaks[6] = {255, 255, 255, 0, 0, 0};
            k.e.SetAudioPeaks(peaks, 6);
            for (int i = 0; i < 120; ++i) {
                if (i % 10 == 0) {
                    k.e.TriggerKey(51, 1);
                    const int32_t loud[25] = {2000, 2000, 2000, 2000, 2000, 1500, 900};
                    k.e.SetAudioSpectrum(loud, 25);
                }
                if (i % 10 == 5)
                    k.e.TriggerKey(51, 2);
                k.e.RenderTick();
                k.clock.Advance(9);
                ASSERT_EQ(k.LitCount(), 0) << "effect " << int(effect) << " pass " << i;
            }
        }
    }
}

TEST(KeyboardLight, EveryEffectLightsSomethingAtFullBrightness) {
    for (uint8_t effect = 1; effect <= 30; ++effect) {
        if (effect == 28)
            continue;  // dark by design
        Keyboard k(effect);
        k.e.SetLightSteps({LightStep{1, 4, 2, 1, 0, 1, 2, 3, 50, 1}});
        const int32_t peaks[6] = {200, 10, 10, 0, 0, 0};
        k.e.SetAudioPeaks(peaks, 6);
        std::vector<Rgb> custom(170, Rgb{5, 6, 7});
        k.e.SetCustomColors(custom);
        k.e.TriggerKey(51, 1);
        const int32_t loud[25] = {2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000};
        k.e.SetAudioSpectrum(loud, 25);
        int most = 0;
        for (int i = 0; i < 60; ++i) {
            k.e.RenderTick();
            k.clock.Advance(9);
            most = std::max(most, k.LitCount());
        }
        EXPECT_GT(most, 0) << "effect " << int(effect);
    }
}

TEST(KeyboardLight, ColumnWaveGoldenFrame) {
    Keyboard k(1);
    k.e.RenderTick();
    EXPECT_EQ(k.e.Frame().Get(0), MakeLight(SpectrumAt(1 + 14), 255));     // column 2
    EXPECT_EQ(k.e.Frame().Get(131), MakeLight(SpectrumAt(1 + 154), 255));  // column 22
    EXPECT_EQ(k.e.Frame().Get(120), MakeLight(SpectrumAt(1), 255));        // column 0
    EXPECT_EQ(k.e.Frame().Get(140), 0u);                                   // not on the matrix
    EXPECT_EQ(k.LitCount(), 132);
    // Every renderer reports the light count.
    EXPECT_EQ(k.e.RenderColumnWave(), 170);
    EXPECT_EQ(k.e.RenderSnakeRainbow(), 170);
    EXPECT_EQ(k.e.RenderMusic(), 170);
    EXPECT_EQ(k.e.RenderEffectA(), 170);
    KeyboardLightEngine small(40);
    EXPECT_EQ(small.RenderPattern(), 40);
    EXPECT_EQ(small.RenderRipple(), 40);
}

TEST(KeyboardLight, PresetCustomAndKeyColour) {
    Keyboard k(17);
    const std::pair<uint8_t, uint8_t> modes[] = {{1, 25}, {2, 70}, {3, 95}, {0, 174}, {9, 174}};
    for (auto [mode, index] : modes) {
        LightState s = State(17, 3);
        s.zzccMode = mode;
        k.e.ChangeEffect(s);
        k.e.RenderTick();
        EXPECT_EQ(k.e.Frame().Get(7), MakeLight(SpectrumAt(index), 195)) << int(mode);
    }
    EXPECT_FALSE(k.e.SetKeyColor(3));  // only in the custom effect

    k.e.ChangeEffect(State(19, 2, 2, 1, 0, {1, 2, 3}));
    std::vector<Rgb> custom(170);
    custom[4] = {40, 50, 60};
    k.e.SetCustomColors(custom);
    k.e.RenderTick();
    EXPECT_EQ(k.e.Frame().Get(4), MakeLight(40, 50, 60, 135));
    EXPECT_TRUE(k.e.SetKeyColor(4));
    EXPECT_EQ(k.e.Frame().Get(4), MakeLight(1, 2, 3, 135));
    EXPECT_FALSE(k.e.SetKeyColor(170));
    k.e.FillFixedColor(0);
    EXPECT_EQ(k.e.Frame().Get(4), 0u);
    k.e.FillFixedColor(1);
    EXPECT_EQ(k.e.Frame().Get(169), MakeLight(1, 2, 3, 135));
}

TEST(KeyboardLight, KeyTriggersByCodeAndWavesFromKeys) {
    Keyboard k(8);
    std::vector<uint8_t> positions(170, 255);
    positions[30] = 0x12;
    k.e.SetKeyPositionMap(positions);
    k.e.TriggerKeyByCode(0x44, 1);  // no key has that position
    for (int p = 0; p < 4; ++p)
        for (int c = 0; c < kColumns; ++c)
            ASSERT_EQ(k.e.Plane(p, c), 0);
    k.e.TriggerKeyByCode(0x12, 1);  // key 30: column 10, row 1
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(k.e.Plane(p, 10), 1 << 1);
    k.e.RenderTick();  // planes move one cell outward, light, draw, fade
    for (int key : {KeyAt(9, 1), KeyAt(11, 1), KeyAt(10, 0), KeyAt(10, 2)}) {
        EXPECT_EQ(k.e.KeyLevel(key), 215) << key;
        EXPECT_EQ(LightLevel(k.e.Frame().Get(key)), 255) << key;
    }
    EXPECT_EQ(k.LitCount(), 4);
    k.e.TriggerKeyByCode(0x12, 2);  // release starts nothing
    EXPECT_EQ(k.e.Plane(0, 10), 0);

    EXPECT_EQ(KeyboardLightEngine::LookupKey(15), 15);
    EXPECT_EQ(KeyboardLightEngine::LookupKey(120), kNoKey);
    EXPECT_EQ(KeyboardLightEngine::LookupKey(200), kNoKey);
}

TEST(KeyboardLight, SparkleLightsSixCandidatesPerTick) {
    Keyboard k(10);
    k.e.RenderTick();
    const int lit = k.LitCount();
    EXPECT_GE(lit, 1);
    EXPECT_LE(lit, 6);
    for (int i = 0; i < 170; ++i) {
        if (LightLevel(k.e.Frame().Get(i))) {
            EXPECT_TRUE(std::count(SparkleCandidates().begin(), SparkleCandidates().end(), i));
        }
    }
}

TEST(KeyboardLight, ExternalColourFromPeaks) {
    Keyboard k(30, 3);
    const int32_t peaks[8] = {10, 20, 300, 4, 5, 6, 7, 8};
    k.e.SetAudioPeaks(peaks, 8);  // only six are kept
    k.e.RenderTick();
    EXPECT_EQ(k.e.Frame().Get(100), MakeLight(10, 20, 255, 195));
    EXPECT_EQ(k.e.AudioPeak(5), 6);
    const int32_t two[2] = {1, 2};
    k.e.SetAudioPeaks(two, 2);  // a short buffer is read only as far as it goes
    EXPECT_EQ(k.e.AudioPeak(1), 2);
    EXPECT_EQ(k.e.AudioPeak(2), 300);
    k.e.SetAudioPeaks(nullptr, 6);
    EXPECT_EQ(k.e.AudioPeak(0), 1);
}
