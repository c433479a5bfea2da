// The mouse's light effects: wave, flow and reactive over the seven light
// groups along the mouse, plus the base renderers and step-list playback.
#pragma once

#include "devices/light/LightEngine.h"

namespace light {

class MouseLightEngine : public LightEngine {
public:
    explicit MouseLightEngine(int lightCount = 15);

    // A changed effect clears the key levels and wave cells and restarts
    // the wave from cell 0.
    void LoadLightState(const LightState& state) override;

    int RenderEffectA();  // wave
    int RenderEffectB();  // flow
    int RenderEffectC();  // reactive
    // Usage 0x0403: with the reactive effect selected every light rises.
    void TriggerReactive();

    uint8_t ReactiveState(int light) const;

    // Lights of the seven groups along the mouse.
    static const std::vector<std::vector<int>>& Groups();

protected:
    void RenderEffect() override;
    int ThresholdLocked() const override;

private:
    void DoEffectA();
    void DoEffectB();
    void DoEffectC();
    void PaintGroup(int group, uint32_t word);
    std::array<uint8_t, kMaxKeys> reactive_{};
};

}  // namespace light
