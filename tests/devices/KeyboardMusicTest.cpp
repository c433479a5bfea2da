#include "LightTestSupport.h"

#include "devices/light/KeyboardLightEngine.h"

#include <gtest/gtest.h>

using namespace light;
using lighttest::State;

namespace {

struct Music {
    KeyboardLightEngine e;
    explicit Music(uint8_t style) {
        e.SetLightState(State(1));
        e.ChangeEffect(State(29));
        MusicSettings m;
        m.style = style;
        m.bkRed = 0, m.bkGreen = 0, m.bkBlue = 200;
        m.fgRed = 200, m.fgGreen = 0, m.fgBlue = 0;
        e.SetMusicSettings(m);
    }
    void Feed(int32_t v) {
        int32_t levels[25];
        std::fill(std::begin(levels), std::end(levels), v);
        e.SetAudioSpectrum(levels, 500);
    }
    Rgb Colour(int key) const { return LightColour(e.Frame().Get(key)); }
    uint8_t Level(int key) const { return LightLevel(e.Frame().Get(key)); }
};

const Rgb kBase{0, 0, 200}, kPeak{200, 0, 0};

}  // namespace

TEST(KeyboardMusic, LevelMapping) {
    const std::pair<int32_t, int> cases[] = {{0, 600},          {2000, 0},        {1000, 300},
                                             {2001, 0},         {3000, 500},      {-100, 600},
                                             {0x01010101, 500}, {INT32_MAX, 500}, {INT32_MIN, 600}};
    for (auto [v, mapped] : cases)
        EXPECT_EQ(KeyboardLightEngine::MapAudioLevel(v), mapped) << v;
}

TEST(KeyboardMusic, SpectrumReadsOnlyWhatTheCallerHas) {
    Music m(0);
    const int32_t three[3] = {7, 8, 9};
    m.e.SetAudioSpectrum(three, 3);
    EXPECT_EQ(m.e.AudioLevel(2), 9);
    EXPECT_EQ(m.e.AudioLevel(3), 0);
    m.Feed(5);
    EXPECT_EQ(m.e.AudioLevel(24), 5);
    m.e.SetAudioSpectrum(nullptr, 500);
    m.e.SetAudioSpectrum(three, 0);
    EXPECT_EQ(m.e.AudioLevel(24), 5);
}

TEST(KeyboardMusic, ColumnBarsTakePeakAndBaseColoursThenFade) {
    Music m(0);
    m.Feed(2000);  // full height everywhere
    m.e.RenderTick();
    EXPECT_EQ(m.Colour(0), kPeak);  // row 0: the top of the bar
    EXPECT_EQ(m.Colour(22), kBase);
    EXPECT_EQ(m.Level(22), 255);
    EXPECT_EQ(m.e.AudioLevel(0), 0);  // the renderer takes the levels out
    m.e.RenderTick();
    EXPECT_EQ(m.e.KeyLevel(22), 210);  // ladder 29
    EXPECT_EQ(m.Colour(22), kBase);

    // Right after the reset the levels are the byte pattern 1: a low bar.
    Music fresh(0);
    fresh.e.RenderTick();
    EXPECT_EQ(fresh.Level(KeyAt(5, 5)), 255);
    EXPECT_EQ(fresh.Level(KeyAt(5, 4)), 0);
}

TEST(KeyboardMusic, RowBarsGroupBarsAndPattern) {
    Music rows(5);
    int32_t levels[25] = {};
    for (int b = 0; b < 4; ++b)
        levels[b] = 2000;  // row 0 full length, other rows silent
    rows.e.SetAudioSpectrum(levels, 25);
    rows.e.RenderTick();
    EXPECT_EQ(rows.Colour(KeyAt(22, 1)), (Rgb{}));
    EXPECT_EQ(rows.Level(KeyAt(19, 0)), 255);
    EXPECT_EQ(rows.Colour(KeyAt(19, 0)), kPeak);  // last key of row 0
    EXPECT_EQ(rows.Colour(KeyAt(2, 0)), kBase);
    EXPECT_EQ(rows.Level(KeyAt(2, 1)), 0);

    Music groups(6);
    groups.Feed(2000);
    groups.e.RenderTick();
    EXPECT_EQ(groups.Level(KeyAt(2, 3)), 255);
    EXPECT_EQ(groups.Level(KeyAt(1, 3)), 0);  // columns 0 and 1 are in no group
    EXPECT_EQ(groups.Colour(KeyAt(22, 1)), kPeak);

    Music pattern(3);
    pattern.Feed(1000);  // half height: six of the twelve diagonals
    pattern.e.RenderTick();
    EXPECT_EQ(pattern.Level(DiagonalPattern()[0][0]), 255);
    EXPECT_EQ(pattern.Colour(DiagonalPattern()[5][0]), kPeak);
    EXPECT_EQ(pattern.Level(DiagonalPattern()[6][0]), 0);
}

TEST(KeyboardMusic, StyleTwoStartsAWaveFromKey51WhenTheSumReaches71) {
    Music m(2);
    bool started = false;
    for (int i = 0; i < 4 && !started; ++i) {
        const int before = KeyboardLightEngine::MusicRippleSum();
        m.Feed(2000);                     // loud: adds 25
        EXPECT_EQ(m.e.AudioLevel(0), 0);  // style 2 takes the levels out
        if (before + 25 >= 71) {
            EXPECT_EQ(KeyboardLightEngine::MusicRippleSum(), 0);
            started = true;
        } else {
            EXPECT_EQ(KeyboardLightEngine::MusicRippleSum(), before + 25);
        }
    }
    ASSERT_TRUE(started);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(m.e.Plane(p, 10), 1 << 2);  // key 51: column 10, row 2
    const int before = KeyboardLightEngine::MusicRippleSum();
    m.Feed(0);  // silence adds nothing
    EXPECT_EQ(KeyboardLightEngine::MusicRippleSum(), before);
    m.e.RenderTick();
    EXPECT_EQ(m.Colour(51), kPeak);
}
