// A worker thread with its own stop event. Workers stop cooperatively: the
// body must return soon after the event is set. Nothing is ever killed.
#pragma once

#include "platform/StopEvent.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace platform {

class WorkerThread {
public:
    using Body = std::function<void(const StopEvent& stop)>;

    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Signals the stop event and joins.
    ~WorkerThread();

    // Starts the body on a new thread; false when one is already running.
    bool Start(Body body);
    // Signals the stop event (the body sees it on its next wait).
    void RequestStop();
    // Waits up to `timeout` for the body to return; true when it has (the
    // thread is then joined). A body that has not returned keeps running and
    // is joined by a later call or by the destructor.
    bool WaitFor(std::chrono::milliseconds timeout);
    // RequestStop then WaitFor.
    bool Stop(std::chrono::milliseconds timeout);
    bool IsRunning() const;
    const StopEvent& Event() const { return *stop_; }

private:
    std::shared_ptr<StopEvent> stop_ = std::make_shared<StopEvent>();
    std::shared_ptr<StopEvent> finished_;
    std::thread thread_;
};

}  // namespace platform
