#include "app/WorkerTable.h"

#include "platform/Debug.h"

namespace app {

bool WorkerTable::Start(int slot, platform::WorkerThread::Body body) {
    if (slot < 0 || slot >= kWorkerSlots || !body)
        return false;
    return slots_[slot].Start(std::move(body));
}

bool WorkerTable::IsRunning(int slot) const {
    return slot >= 0 && slot < kWorkerSlots && slots_[slot].IsRunning();
}

int WorkerTable::RunningCount() const {
    int n = 0;
    for (const auto& s : slots_)
        n += s.IsRunning() ? 1 : 0;
    return n;
}

std::vector<int> WorkerTable::StopAll(std::chrono::milliseconds perSlot) {
    for (auto& s : slots_)
        s.RequestStop();
    std::vector<int> late;
    for (int i = 0; i < kWorkerSlots; ++i) {
        if (!slots_[i].WaitFor(perSlot)) {
            platform::DebugLineF("worker slot %d did not stop in time", i);
            late.push_back(i);
        }
    }
    return late;
}

}  // namespace app
