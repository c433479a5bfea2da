// The keyboard's music effect (29): audio levels in, seven bar styles out.
#include "devices/light/KeyboardLightEngine.h"

#include <algorithm>
#include <numeric>

namespace light {
namespace {

uint8_t Level255(unsigned keyLevel, unsigned bright) {
    return uint8_t(keyLevel * bright / 255);
}

// Column widths of style 6, from column 2 rightwards.
constexpr int kGroupWidths[6] = {2, 2, 3, 4, 5, 5};

}  // namespace

std::atomic<int> KeyboardLightEngine::rippleSum_{0};

int KeyboardLightEngine::MusicRippleSum() {
    return rippleSum_.load();
}

int KeyboardLightEngine::MapAudioLevel(int32_t v) {
    const int64_t scaled = int64_t(v) * 600 / 2000;
    if (scaled > 600)
        return 500;
    return int(std::min<int64_t>(600, 600 - scaled));
}

void KeyboardLightEngine::SetMusicSettings(const MusicSettings& settings) {
    std::lock_guard lock(mutex_);
    music_ = settings;
}

MusicSettings KeyboardLightEngine::GetMusicSettings() const {
    std::lock_guard lock(mutex_);
    return music_;
}

void KeyboardLightEngine::SetAudioSpectrum(const int32_t* data, int count) {
    std::lock_guard lock(mutex_);
    if (!data || count <= 0)
        return;
    // Only as many values as the caller has are read.
    const int n = std::min(count, 25);
    audio_.fill(0);
    std::copy(data, data + n, audio_.begin());
    audioFresh_ = true;
    if (state_.effect != 29 || music_.style != 2)
        return;
    int64_t sum = 0;
    for (int32_t v : audio_)
        sum += MapAudioLevel(v);
    audio_.fill(0);
    const int average = int(sum / 25);
    const int total = rippleSum_.load() + 25 - average * 25 / 600;
    if (total >= 71) {
        rippleSum_.store(0);
        SetPlaneBit(51, true);
    } else {
        rippleSum_.store(total);
    }
}

void KeyboardLightEngine::SetAudioPeaks(const int32_t* data, int count) {
    std::lock_guard lock(mutex_);
    if (!data || count <= 0)
        return;
    std::copy(data, data + std::min(count, 6), peaks_.begin());
}

void KeyboardLightEngine::ResetMusicBuffers() {
    std::lock_guard lock(mutex_);
    audio_.fill(0);
    audioFresh_ = false;
    history_.fill(0);
    musicColour_.fill(Rgb{});
}

Rgb KeyboardLightEngine::PeakColour(int seed) const {
    if (music_.peakColourful)
        return SpectrumAt(unsigned(seed * 8 + position_) % kSpectrumSteps);
    return {music_.fgRed, music_.fgGreen, music_.fgBlue};
}

void KeyboardLightEngine::DrawBar(const std::vector<int>& cells, int lit, uint8_t ladder,
                                  int colourSeed) {
    // Cells without a key do not count, so the top of a full bar is the last
    // key that exists.
    std::vector<int> keys;
    for (int k : cells)
        if (k >= 0 && k < kMaxKeys)
            keys.push_back(k);
    lit = std::clamp(lit, 0, int(keys.size()));
    const Rgb base{music_.bkRed, music_.bkGreen, music_.bkBlue};
    for (int j = 0; j < int(keys.size()); ++j) {
        const int k = keys[j];
        if (j < lit) {
            keyLevel_[k] = 255;
            musicColour_[k] = j == lit - 1 ? PeakColour(colourSeed) : base;
        } else {
            FadeKeyLevelLocked(uint8_t(k), ladder);
        }
    }
}

int KeyboardLightEngine::RenderMusic() {
    std::lock_guard lock(mutex_);
    DoRenderMusicStyle(music_.style);
    return frame_.Size();
}

int KeyboardLightEngine::RenderMusicStyle(int style) {
    std::lock_guard lock(mutex_);
    DoRenderMusicStyle(style);
    return frame_.Size();
}

void KeyboardLightEngine::DoRenderMusicStyle(int style) {
    // Read the levels and clear them: bars rise on new levels and fall
    // between them.
    std::array<int, 25> mapped{};
    for (int b = 0; b < 25; ++b)
        mapped[b] = MapAudioLevel(audio_[b]);
    const bool fresh = audioFresh_;
    audio_.fill(0);
    audioFresh_ = false;
    const int meanMapped = std::accumulate(mapped.begin(), mapped.end(), 0) / 25;
    auto height = [](int m, int cells) { return (600 - m) * cells / 600; };
    auto groupMapped = [&](int first, int count) {
        int s = 0;
        for (int b = first; b < first + count; ++b)
            s += mapped[b];
        return s / count;
    };
    auto column = [](int c) {
        std::vector<int> cells;
        for (int r = kRows - 1; r >= 0; --r)
            cells.push_back(KeyAt(c, r));
        return cells;
    };
    position_ = uint8_t((position_ + 1) % kSpectrumSteps);

    switch (style) {
        case 1:  // bars moving across the columns
            if (fresh) {
                std::rotate(history_.rbegin(), history_.rbegin() + 1, history_.rend());
                history_[0] = uint8_t(height(meanMapped, kRows));
            }
            for (int c = 0; c < kColumns; ++c)
                DrawBar(column(c), history_[c], 29, c);
            break;
        case 2:  // ripples started by the levels (SetAudioSpectrum)
            if (++planeCounter_ % 2 == 0)
                ShiftPlanes();
            for (int i = 0; i < kMaxKeys; ++i)
                FadeKeyLevelLocked(uint8_t(i), 29);
            LightPlaneKeys(true, PeakColour(planeCounter_ / 8));
            break;
        case 3: {  // the diagonal pattern lit up to the average
            const int lit = height(meanMapped, 12);
            const Rgb base{music_.bkRed, music_.bkGreen, music_.bkBlue};
            const auto& pattern = DiagonalPattern();
            for (int d = 0; d < 12; ++d)
                for (uint8_t k : pattern[d]) {
                    if (k >= kMaxKeys)
                        continue;
                    if (d < lit) {
                        keyLevel_[k] = 255;
                        musicColour_[k] = d == lit - 1 ? PeakColour(d) : base;
                    } else {
                        FadeKeyLevelLocked(k, 29);
                    }
                }
            break;
        }
        case 5:  // six row bars, growing from the left
            for (int r = 0; r < kRows; ++r) {
                std::vector<int> cells;
                for (int c = 0; c < kColumns; ++c)
                    cells.push_back(KeyAt(c, r));
                DrawBar(cells, height(groupMapped(4 * r, 4), kColumns), 29, r * 4);
            }
            break;
        case 6: {  // column bars in groups of 2, 2, 3, 4, 5, 5 columns
            int c = 2;
            for (int g = 0; g < 6; ++g) {
                const int lit = height(groupMapped(4 * g, 4), kRows);
                for (int w = 0; w < kGroupWidths[g]; ++w, ++c)
                    DrawBar(column(c), lit, 29, g * 4);
            }
            for (int rest : {0, 1})
                DrawBar(column(rest), 0, 29, 0);
            break;
        }
        case 4:   // random bars, faster decay
        default:  // 0: random-column bars
            if (fresh)
                for (int c = kColumns - 1; c > 0; --c)
                    std::swap(columnOrder_[c], columnOrder_[Random(unsigned(c + 1))]);
            for (int c = 0; c < kColumns; ++c)
                DrawBar(column(c), height(mapped[columnOrder_[c]], kRows), style == 4 ? 0 : 29, c);
            break;
    }
    for (int i = 0; i < frame_.Size(); ++i)
        frame_.Set(i, MakeLight(musicColour_[i], Level255(keyLevel_[i], Bright())));
}

}  // namespace light
