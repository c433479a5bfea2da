// The light thread of a device: runs the engine's renderer at the effect's
// tick threshold. The timing is that of the device loop on a desktop system
// timer of 64 Hz: a pass waits 1 ms, which lasts until the next timer
// interval (15.625 ms), and the system tick count moves on by one interval
// per pass, so the tick count grows by one per pass and the renderer runs
// every max(threshold, 1) passes. The mousepad and headset count passes of
// a 1 ms wait plus a 1 ms sleep, two timer intervals each. Rather than
// polling, the thread sleeps until the next render is due and, when renders
// are due more often than every `minimumWake`, wakes once per `minimumWake`
// and runs every render that fell due, so the animation keeps its speed.
#pragma once

#include "devices/light/LightEngine.h"
#include "platform/WorkerThread.h"

#include <QString>
#include <chrono>
#include <functional>

namespace light {

// One interval of the system timer that paces the device loops.
inline constexpr std::chrono::microseconds kTimerInterval{15625};

// Render period for a threshold: system ticks one timer interval per count,
// at least one (threshold 0 renders every pass); passes two intervals per
// pass, at least one.
std::chrono::microseconds RenderPeriod(TickMode mode, int threshold);

class LightThread {
public:
    // What the device channel allows right now.
    enum class Gate { Open, Closed, Busy };
    using GateFn = std::function<Gate()>;

    LightThread() = default;
    ~LightThread();
    LightThread(const LightThread&) = delete;
    LightThread& operator=(const LightThread&) = delete;

    // Starts rendering `engine`, which must outlive the thread (stop it
    // first); `gate` may be empty (always open) and is called on the light
    // thread, so it must be safe to call from there. The exit
    // line is written to the debug output when the thread ends. False when
    // already running.
    bool Start(LightEngine& engine, GateFn gate = {}, QString exitLine = {},
               std::chrono::milliseconds minimumWake = std::chrono::milliseconds(4));
    // Stops and waits up to `timeout`; true when the thread has ended.
    bool Stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool IsRunning() const { return worker_.IsRunning(); }

    // Renders and wake-ups so far (for benchmarks and tests).
    uint64_t RenderCount() const { return renders_.load(); }
    uint64_t WakeCount() const { return wakes_.load(); }

private:
    void Run(const platform::StopEvent& stop, LightEngine& engine, const GateFn& gate,
             const QString& exitLine, std::chrono::milliseconds minimumWake);

    platform::WorkerThread worker_;
    std::atomic<uint64_t> renders_{0};
    std::atomic<uint64_t> wakes_{0};
};

}  // namespace light
