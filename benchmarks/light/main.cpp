// Light engine benchmark: nanoseconds per frame of every renderer on 170
// lights, and the CPU one light thread uses animating at speed 4.
//   nuvaro-light-bench [--seconds N]   (CPU run length, default 10)
#include "devices/light/KeyboardLightEngine.h"
#include "devices/light/LightThread.h"
#include "devices/light/MouseLightEngine.h"
#include "devices/light/PairLightEngine.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

using namespace light;
using Clock = std::chrono::steady_clock;

namespace {

LightState Speed4(uint8_t effect) {
    LightState s;
    s.effect = effect;
    s.brightness = 4;
    s.speed = 4;
    s.direction = 1;
    s.colourful = 1;
    s.red = 200;
    return s;
}

void Time(const std::string& name, LightEngine& engine, const std::function<void()>& render) {
    for (int i = 0; i < 2000; ++i)  // warm up
        render();
    const int rounds = 200000;
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i)
        render();
    const double ns =
        std::chrono::duration<double, std::nano>(Clock::now() - start).count() / rounds;
    std::printf("%-34s %8.1f ns/frame  (%d lights)\n", name.c_str(), ns, engine.LightCount());
}

double ProcessCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void CpuRun(const char* name, LightEngine& engine, int seconds) {
    LightThread thread;
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = Clock::now();
    thread.Start(engine);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    thread.Stop();
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = ProcessCpuSeconds() - cpu0;
    std::printf(
        "%-34s %6.3f %% of one core over %.1f s: %llu renders (%.0f/s), %llu wake-ups "
        "(%.0f/s)\n",
        name, 100.0 * cpu / wall, wall, (unsigned long long)thread.RenderCount(),
        double(thread.RenderCount()) / wall, (unsigned long long)thread.WakeCount(),
        double(thread.WakeCount()) / wall);
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 10;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[i + 1]));

    std::printf("-- renderers, 170 lights --\n");
    {
        KeyboardLightEngine k;
        k.SetLightState(Speed4(5));
        Time("base RenderBreathing", k, [&] { k.RenderBreathing(); });
        Time("base RenderBreathingCycle", k, [&] { k.RenderBreathingCycle(); });
        Time("base RenderSteady", k, [&] { k.RenderSteady(); });
        Time("base RenderSpectrum", k, [&] { k.RenderSpectrum(); });
        Time("base RenderFlash", k, [&] { k.RenderFlash(); });
        Time("base RenderFlashCycle", k, [&] { k.RenderFlashCycle(); });
        Time("base RenderOff", k, [&] { k.RenderOff(); });
    }
    {
        MouseLightEngine m(170);
        m.SetLightState(Speed4(6));
        Time("mouse RenderEffectA (wave)", m, [&] { m.RenderEffectA(); });
        Time("mouse RenderEffectB (flow)", m, [&] { m.RenderEffectB(); });
        Time("mouse RenderEffectC (reactive)", m, [&] {
            m.TriggerReactive();
            m.RenderEffectC();
        });
    }
    for (auto family : {PairLightEngine::Family::Mousepad, PairLightEngine::Family::Headset}) {
        PairLightEngine p(family);
        p.SetLightCount(170);
        p.SetLightState(Speed4(0));
        const std::string f = family == PairLightEngine::Family::Mousepad ? "mousepad" : "headset";
        Time(f + " RenderEffectA", p, [&] { p.RenderEffectA(); });
        Time(f + " RenderEffectB", p, [&] { p.RenderEffectB(); });
        Time(f + " RenderEffectC", p, [&] { p.RenderEffectC(); });
    }
    for (int effect = 1; effect <= 30; ++effect) {
        KeyboardLightEngine k;
        k.SetLightSteps({LightStep{0, 4, 4, 1, 1, 0, 0, 0, 500, 1}});
        k.ChangeEffect(Speed4(uint8_t(effect)));
        int n = 0;
        const int32_t levels[25] = {1500, 1800, 900, 2000, 300};
        Time("keyboard effect " + std::to_string(effect), k, [&] {
            if (++n % 16 == 0) {
                k.TriggerKey(n % 132, 1);
                k.SetAudioSpectrum(levels, 25);
            }
            k.RenderTick();
        });
    }
    for (int style = 0; style <= 6; ++style) {
        KeyboardLightEngine k;
        k.ChangeEffect(Speed4(29));
        MusicSettings music;
        music.style = uint8_t(style);
        k.SetMusicSettings(music);
        int n = 0;
        const int32_t levels[25] = {1500, 1800, 900, 2000, 300, 1200};
        Time("keyboard music style " + std::to_string(style), k, [&] {
            if (++n % 3 == 0)
                k.SetAudioSpectrum(levels, 25);
            k.RenderMusicStyle(style);
        });
    }

    std::printf("-- one light thread at speed 4 --\n");
    {
        KeyboardLightEngine k;
        k.ChangeEffect(Speed4(1));  // threshold 0: a render every pass (15.625 ms)
        CpuRun("keyboard effect 1 (every pass)", k, seconds);
    }
    {
        MouseLightEngine m;
        m.LoadLightState(Speed4(0));  // threshold 1: a render every pass
        CpuRun("mouse wave (every pass)", m, seconds);
    }
    return 0;
}
