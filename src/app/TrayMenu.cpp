#include "app/TrayMenu.h"

#include <QHash>
#include <mutex>

namespace app {

namespace {
std::mutex g_recordMutex;
QHash<std::uintptr_t, QString> g_records;
std::uintptr_t g_nextRecord = 1;
}  // namespace

std::uintptr_t StoreMenuRecord(const QString& name) {
    std::lock_guard lock(g_recordMutex);
    const std::uintptr_t id = g_nextRecord++;
    g_records.insert(id, name);
    return id;
}

QString TakeMenuRecord(std::uintptr_t record) {
    std::lock_guard lock(g_recordMutex);
    return g_records.take(record);
}

int PendingMenuRecords() {
    std::lock_guard lock(g_recordMutex);
    return int(g_records.size());
}

}  // namespace app
