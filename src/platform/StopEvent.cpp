#include "platform/StopEvent.h"

namespace platform {

void StopEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void StopEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool StopEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

bool StopEvent::Wait(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return set_; });
}

void StopEvent::Wait() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
}

}  // namespace platform
