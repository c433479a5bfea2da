#include "platform/Messages.h"
#include "platform/WorkerThread.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <chrono>
#include <future>
#include <vector>

using namespace std::chrono_literals;
using platform::LParam;
using platform::LResult;
using platform::MessageWindow;
using platform::WParam;

TEST(Messages, SendFromWorkerBlocksUntilTheUiThreadHandlesIt) {
    QThread* uiThread = QThread::currentThread();
    std::atomic<bool> handled{false};
    QThread* handlerThread = nullptr;
    MessageWindow window([&](std::uint32_t message, WParam w, LParam l) -> LResult {
        handlerThread = QThread::currentThread();
        handled = true;
        return static_cast<LResult>(message + w + l);
    });
    std::atomic<bool> returned{false};
    LResult result = -1;
    platform::WorkerThread worker;
    worker.Start([&](const platform::StopEvent&) {
        result = platform::Send(window.Handle(), 1000, 20, 3);
        returned = true;
    });
    // The worker cannot return before the UI thread runs its event loop.
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(returned.load());
    EXPECT_FALSE(handled.load());
    ASSERT_TRUE(testsupport::SpinUntil([&] { return returned.load(); }));
    ASSERT_TRUE(worker.WaitFor(1s));
    EXPECT_EQ(result, 1023);
    EXPECT_EQ(handlerThread, uiThread);
}

TEST(Messages, SendOnTheUiThreadCallsTheHandlerDirectly) {
    int calls = 0;
    MessageWindow window([&](std::uint32_t, WParam w, LParam) -> LResult {
        ++calls;
        return static_cast<LResult>(w * 2);
    });
    EXPECT_EQ(platform::Send(window.Handle(), 5, 21), 42);
    EXPECT_EQ(calls, 1);
}

TEST(Messages, SendToAClosingWindowReturnsZeroWhileTheUiThreadWaitsForTheWorker) {
    MessageWindow window([](std::uint32_t, WParam, LParam) -> LResult { return 7; });
    std::promise<void> sending;
    LResult result = -1;
    platform::WorkerThread worker;
    worker.Start([&](const platform::StopEvent&) {
        sending.set_value();
        result = platform::Send(window.Handle(), 1, 0, 0);
    });
    sending.get_future().wait();
    std::this_thread::sleep_for(20ms);  // the send is now pending
    // The UI thread closes the window and waits for the worker without
    // running its event loop: the pending send must end on its own.
    window.BeginClose();
    ASSERT_TRUE(worker.WaitFor(1s));
    EXPECT_EQ(result, 0);
    // Later sends and posts fail at once.
    EXPECT_EQ(platform::Send(window.Handle(), 1), 0);
    EXPECT_FALSE(platform::Post(window.Handle(), 1));
    EXPECT_FALSE(platform::IsWindow(window.Handle()));
}

TEST(Messages, SendToADestroyedWindowReturnsZero) {
    platform::WindowHandle stale;
    {
        MessageWindow window([](std::uint32_t, WParam, LParam) -> LResult { return 9; });
        stale = window.Handle();
        EXPECT_TRUE(platform::IsWindow(stale));
    }
    EXPECT_FALSE(platform::IsWindow(stale));
    EXPECT_EQ(platform::Send(stale, 1), 0);
    EXPECT_FALSE(platform::Post(stale, 1));
    EXPECT_EQ(platform::Send(platform::WindowHandle{}, 1), 0);
}

TEST(Messages, DestroyingAWindowAnswersSendsStillQueued) {
    auto window = std::make_unique<MessageWindow>(
        [](std::uint32_t, WParam, LParam) -> LResult { return 5; });
    const auto handle = window->Handle();
    std::promise<void> sending;
    LResult result = -1;
    platform::WorkerThread worker;
    worker.Start([&](const platform::StopEvent&) {
        sending.set_value();
        result = platform::Send(handle, 1);
    });
    sending.get_future().wait();
    std::this_thread::sleep_for(20ms);
    window.reset();
    ASSERT_TRUE(worker.WaitFor(1s));
    EXPECT_EQ(result, 0);
}

TEST(Messages, PostKeepsOrderAcrossThreads) {
    std::vector<int> received;
    MessageWindow window([&](std::uint32_t message, WParam, LParam) -> LResult {
        received.push_back(static_cast<int>(message));
        return 0;
    });
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(platform::Post(window.Handle(), static_cast<std::uint32_t>(i)));
    platform::WorkerThread worker;
    worker.Start([&](const platform::StopEvent&) {
        for (int i = 50; i < 100; ++i)
            platform::Post(window.Handle(), static_cast<std::uint32_t>(i));
    });
    ASSERT_TRUE(worker.WaitFor(1s));
    ASSERT_TRUE(testsupport::SpinUntil([&] { return received.size() == 100; }));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(received[i], i);
}

TEST(Messages, RegisteredIdsAreStableAndDistinct) {
    const auto a = platform::RegisterWindowMessage("Gaming device");
    const auto b = platform::RegisterWindowMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
    EXPECT_GE(a, 0xC000u);
    EXPECT_GE(b, 0xC000u);
    EXPECT_NE(a, b);
    EXPECT_EQ(platform::RegisterWindowMessage("Gaming device"), a);
    EXPECT_EQ(platform::RegisteredMessageName(b), "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
    EXPECT_EQ(platform::RegisterWindowMessage(QString()), 0u);
    // Registration from many threads at once still gives one id per name.
    std::vector<std::uint32_t> ids(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] { ids[t] = platform::RegisterWindowMessage("Game_Start"); });
    for (auto& thread : threads)
        thread.join();
    for (auto id : ids)
        EXPECT_EQ(id, ids[0]);
}
