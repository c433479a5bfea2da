// The light thread of a device: runs the engine's renderer at the effect's
// tick threshold. The timing is that of a loop that waits 1 ms per pass and
// counts one tick whenever the millisecond tick has moved on by more than 1
// (so one count per 2 ms), rendering when the count reaches the threshold;
// the mousepad and headset count passes of about 2 ms instead. Rather than
// polling every millisecond the thread sleeps until the next render is due
// and, when renders are due more often than every `minimumWake`, wakes once
// per `minimumWake` and runs every render that fell due, so the animation
// keeps its speed.
#pragma once

#include "devices/light/LightEngine.h"
#include "platform/WorkerThread.h"

#include <QString>
#include <chrono>
#include <functional>

namespace light {

// Render period for a threshold: system ticks 1 ms at threshold 0 (every
// pass) and 2 ms per count above it; passes 2 ms per pass, at least one.
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
