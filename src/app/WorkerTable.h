// The main window's worker table: 20 slots, each with its own stop event.
// Only a few slots get a thread; shutdown signals every event first and then
// waits for each running slot within its time limit.
#pragma once

#include "app/MainMessages.h"
#include "platform/WorkerThread.h"

#include <array>
#include <chrono>
#include <vector>

namespace app {

class WorkerTable {
public:
    WorkerTable() = default;
    WorkerTable(const WorkerTable&) = delete;
    WorkerTable& operator=(const WorkerTable&) = delete;
    ~WorkerTable() { StopAll(std::chrono::milliseconds(1000)); }

    // Starts `body` in `slot`; false for a bad slot or one already running.
    bool Start(int slot, platform::WorkerThread::Body body);
    bool IsRunning(int slot) const;
    int RunningCount() const;
    // Signals every slot's stop event, then waits up to `perSlot` for each
    // running slot. Returns the slots that did not end in time (they are
    // joined when they do, by a later call or the destructor).
    std::vector<int> StopAll(std::chrono::milliseconds perSlot);

private:
    std::array<platform::WorkerThread, kWorkerSlots> slots_;
};

}  // namespace app
