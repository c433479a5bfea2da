// The light effects of the mousepad and the headset: a rainbow wave along
// the lights, a flow over seven light pairs and a per-light flow. Their
// light threads count loop passes of about 2 ms.
#pragma once

#include "devices/light/LightEngine.h"

namespace light {

class PairLightEngine : public LightEngine {
public:
    enum class Family { Mousepad, Headset };
    explicit PairLightEngine(Family family);

    void LoadLightState(const LightState& state) override;
    // Every light whose wave cell is set gets key level 255.
    void SeedWaveLevels() override;

    int RenderEffectA();  // rainbow wave
    int RenderEffectB();  // flow over the light pairs
    int RenderEffectC();  // flow over every light

    TickMode GetTickMode() const override { return TickMode::Passes; }
    Family GetFamily() const { return family_; }
    static const std::array<std::pair<int, int>, 7>& LightPairs();

protected:
    void RenderEffect() override;
    int ThresholdLocked() const override;

private:
    void DoEffectA();
    void DoEffectB();
    void DoEffectC();
    void SeedLocked();
    Family family_;
    uint8_t callCounter_ = 0;
};

}  // namespace light
