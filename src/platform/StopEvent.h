// A manual-reset event: once set it stays set until reset, and every waiter
// wakes. Workers wait on one with a short time-out in each pass of their loop.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

class StopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until the event is set or the time-out passes; true when set.
    bool Wait(std::chrono::milliseconds timeout) const;
    // Waits without a time limit.
    void Wait() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
};

}  // namespace platform
