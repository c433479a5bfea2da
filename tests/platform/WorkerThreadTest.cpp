#include "platform/StopEvent.h"
#include "platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

using namespace std::chrono_literals;

TEST(StopEvent, IsManualReset) {
    platform::StopEvent event;
    EXPECT_FALSE(event.Wait(10ms));
    event.Set();
    EXPECT_TRUE(event.Wait(0ms));
    EXPECT_TRUE(event.Wait(0ms));  // stays set for every waiter
    event.Reset();
    EXPECT_FALSE(event.IsSet());
}

TEST(WorkerThread, StopsCooperativelyWithinItsTimeLimit) {
    std::atomic<int> passes{0};
    platform::WorkerThread worker;
    ASSERT_TRUE(worker.Start([&](const platform::StopEvent& stop) {
        while (!stop.Wait(5ms))
            ++passes;
    }));
    EXPECT_FALSE(worker.Start([](const platform::StopEvent&) {}));  // already running
    std::this_thread::sleep_for(30ms);
    EXPECT_TRUE(worker.IsRunning());
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_TRUE(worker.Stop(1000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_GT(passes.load(), 0);
}

TEST(WorkerThread, ReportsABodyThatDoesNotStopInTime) {
    std::atomic<bool> release{false};
    platform::WorkerThread worker;
    worker.Start([&](const platform::StopEvent&) {
        while (!release)
            std::this_thread::sleep_for(1ms);
    });
    EXPECT_FALSE(worker.Stop(30ms));
    EXPECT_TRUE(worker.IsRunning());
    release = true;
    EXPECT_TRUE(worker.WaitFor(1000ms));
    // It can be started again after it ended.
    EXPECT_TRUE(worker.Start([](const platform::StopEvent&) {}));
    EXPECT_TRUE(worker.WaitFor(1000ms));
}
