#include "LightTestSupport.h"

#include "TestSupport.h"
#include "devices/light/KeyboardLightEngine.h"
#include "devices/light/LightThread.h"
#include "devices/light/MouseLightEngine.h"
#include "platform/Debug.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

using namespace light;
using namespace std::chrono_literals;
using lighttest::State;

namespace {

// Waits (without asserting on time) until `done` holds or 5 s pass.
bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i)
        std::this_thread::sleep_for(10ms);
    return done();
}

}  // namespace

TEST(LightThreadTest, RendersUntilStoppedAndWritesItsExitLine) {
    std::mutex m;
    QStringList lines;
    platform::SetDebugSink([&](const QString& line) {
        std::lock_guard lock(m);
        lines << line;
    });
    MouseLightEngine engine;
    engine.SetLightState(State(1, 4, 4));
    LightThread thread;
    ASSERT_TRUE(thread.Start(engine, {}, QString::fromUtf8("MS灯光线程设定退出")));
    EXPECT_FALSE(thread.Start(engine));  // already running
    EXPECT_TRUE(WaitFor([&] { return thread.RenderCount() >= 20; }));
    EXPECT_NE(LightLevel(engine.Frame().Get(0)), 0);
    EXPECT_TRUE(thread.Stop());
    EXPECT_FALSE(thread.IsRunning());
    const uint64_t after = thread.RenderCount();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(thread.RenderCount(), after);
    platform::SetDebugSink({});
    std::lock_guard lock(m);
    EXPECT_TRUE(lines.contains(QString::fromUtf8("MS灯光线程设定退出")));
}

TEST(LightThreadTest, ClosedOrBusyChannelRendersNothing) {
    MouseLightEngine engine;
    engine.SetLightState(State(1, 4, 4));
    std::atomic<int> gate{int(LightThread::Gate::Closed)};
    std::atomic<int> asked{0};
    LightThread thread;
    thread.Start(engine, [&] {
        ++asked;
        return LightThread::Gate(gate.load());
    });
    EXPECT_TRUE(WaitFor([&] { return asked >= 2; }));  // two 100 ms passes
    EXPECT_EQ(thread.RenderCount(), 0u);
    gate = int(LightThread::Gate::Busy);
    const int seen = asked;
    EXPECT_TRUE(WaitFor([&] { return asked >= seen + 5; }));
    EXPECT_EQ(thread.RenderCount(), 0u);
    gate = int(LightThread::Gate::Open);
    EXPECT_TRUE(WaitFor([&] { return thread.RenderCount() > 0; }));
    EXPECT_TRUE(thread.Stop());
}

TEST(LightThreadTest, SleepsBetweenRendersInsteadOfPolling) {
    // Speed 0 of the spectrum: a render every 125 ms, so the thread wakes
    // about once per render rather than every millisecond.
    MouseLightEngine engine;
    engine.SetLightState(State(1, 4, 0));
    LightThread thread;
    thread.Start(engine);
    EXPECT_TRUE(WaitFor([&] { return thread.RenderCount() >= 6; }));
    thread.Stop();
    EXPECT_LE(thread.WakeCount(), thread.RenderCount() + 2);
}

// Render on the light thread, trigger keys on an input thread, change the
// state and read the frame on this thread; ThreadSanitizer checks the build
// configured with NUVARO_TSAN.
TEST(LightThreadTest, RenderTriggerAndReadConcurrently) {
    KeyboardLightEngine engine;
    engine.ChangeEffect(State(25, 4, 4, 1, 1));
    LightThread thread;
    thread.Start(engine, {}, {}, 1ms);
    std::atomic<bool> stop{false};
    std::thread input([&] {
        for (int i = 0; !stop; ++i) {
            engine.TriggerKey(i % 132, uint8_t(1 + i % 2));
            const int32_t levels[25] = {i % 2000};
            engine.SetAudioSpectrum(levels, 25);
            std::this_thread::yield();
        }
    });
    uint64_t lit = 0;
    const uint8_t effects[] = {25, 7, 29, 1, 13, 10};
    for (int round = 0; round < 300; ++round) {
        for (int i = 0; i < engine.LightCount(); ++i)
            lit += LightLevel(engine.Frame().Get(i)) != 0;
        if (round % 50 == 0)
            engine.ChangeEffect(State(effects[(round / 50) % 6], 4, 4, 1, 1));
        std::this_thread::sleep_for(1ms);
    }
    stop = true;
    input.join();
    EXPECT_TRUE(thread.Stop());
    EXPECT_GT(thread.RenderCount(), 0u);
    EXPECT_GT(lit, 0u);
}
