#include "devices/light/LightThread.h"

#include "platform/Debug.h"

#include <algorithm>

namespace light {

using namespace std::chrono;

microseconds RenderPeriod(TickMode mode, int threshold) {
    if (threshold < 0)
        threshold = 0;
    const int counts = std::max(threshold, 1);
    return mode == TickMode::Passes ? 2 * kTimerInterval * counts : kTimerInterval * counts;
}

LightThread::~LightThread() {
    Stop();
}

bool LightThread::Start(LightEngine& engine, GateFn gate, QString exitLine,
                        milliseconds minimumWake) {
    return worker_.Start([this, &engine, gate = std::move(gate), exitLine = std::move(exitLine),
                          minimumWake](const platform::StopEvent& stop) {
        Run(stop, engine, gate, exitLine, minimumWake);
    });
}

bool LightThread::Stop(milliseconds timeout) {
    return worker_.Stop(timeout);
}

void LightThread::Run(const platform::StopEvent& stop, LightEngine& engine, const GateFn& gate,
                      const QString& exitLine, milliseconds minimumWake) {
    constexpr int kMaxCatchUp = 64;  // after a long stall, skip rather than race
    auto next = steady_clock::now();
    for (;;) {
        const Gate g = gate ? gate() : Gate::Open;
        if (g != Gate::Open) {
            // Closed channel: check again in 100 ms; exchange in progress:
            // render nothing until it ends.
            if (stop.Wait(g == Gate::Closed ? milliseconds(100) : milliseconds(2)))
                break;
            next = steady_clock::now();
            continue;
        }
        const auto period = RenderPeriod(engine.GetTickMode(), engine.Threshold());
        auto now = steady_clock::now();
        if (now >= next) {
            int due = int((now - next) / period) + 1;
            if (due > kMaxCatchUp) {
                due = 1;
                next = now;
            }
            for (int i = 0; i < due; ++i)
                engine.RenderTick();
            renders_ += uint64_t(due);
            next += period * due;
            if (next < now)
                next = now + period;
        }
        now = steady_clock::now();
        const auto wakeAt =
            std::max(next, now + duration_cast<steady_clock::duration>(minimumWake));
        // Wait in whole milliseconds, rounded up, so the render is never early.
        const auto wait = ceil<milliseconds>(wakeAt - now);
        ++wakes_;
        if (stop.Wait(std::max(wait, milliseconds(1))))
            break;
    }
    if (!exitLine.isEmpty())
        platform::DebugLine(exitLine);
}

}  // namespace light
