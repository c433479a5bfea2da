#include "platform/WorkerThread.h"

namespace platform {

WorkerThread::~WorkerThread() {
    RequestStop();
    if (thread_.joinable())
        thread_.join();
}

bool WorkerThread::Start(Body body) {
    if (IsRunning())
        return false;
    if (thread_.joinable())
        thread_.join();
    stop_->Reset();
    finished_ = std::make_shared<StopEvent>();
    thread_ = std::thread([stop = stop_, finished = finished_, body = std::move(body)] {
        body(*stop);
        finished->Set();
    });
    return true;
}

void WorkerThread::RequestStop() { stop_->Set(); }

bool WorkerThread::WaitFor(std::chrono::milliseconds timeout) {
    if (!thread_.joinable())
        return true;
    if (!finished_->Wait(timeout))
        return false;
    thread_.join();
    return true;
}

bool WorkerThread::Stop(std::chrono::milliseconds timeout) {
    RequestStop();
    return WaitFor(timeout);
}

bool WorkerThread::IsRunning() const { return thread_.joinable() && !finished_->IsSet(); }

}  // namespace platform
