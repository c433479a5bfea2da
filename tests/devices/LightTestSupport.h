// Helpers for the light engine tests: a settable clock and state builders.
#pragma once

#include "devices/light/LightEngine.h"

#include <memory>

namespace lighttest {

// A millisecond clock the test moves by hand.
struct FakeClock {
    std::shared_ptr<uint32_t> now = std::make_shared<uint32_t>(100000);
    void Attach(light::LightEngine& e) const {
        auto n = now;
        e.SetClock([n] { return *n; });
    }
    void Advance(uint32_t ms) const { *now += ms; }
};

inline light::LightState State(uint8_t effect, uint8_t brightness = 4, uint8_t speed = 2,
                               uint8_t direction = 1, uint8_t colourful = 0,
                               light::Rgb colour = {10, 20, 30}) {
    light::LightState s;
    s.effect = effect;
    s.brightness = brightness;
    s.speed = speed;
    s.direction = direction;
    s.colourful = colourful;
    s.red = colour.r;
    s.green = colour.g;
    s.blue = colour.b;
    return s;
}

}  // namespace lighttest
