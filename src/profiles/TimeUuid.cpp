#include "profiles/TimeUuid.h"

#include <mutex>

namespace profiles {
namespace {

std::mutex& ClockMutex() {
    static std::mutex mutex;
    return mutex;
}

Clock& CurrentClock() {
    static Clock clock;
    return clock;
}

}  // namespace

QString FormatTimeUuid(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%d_%02d_%02d_%02d_%02d_%02d_%03d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second(), t.msec());
}

void SetUuidClock(Clock clock) {
    std::lock_guard lock(ClockMutex());
    CurrentClock() = std::move(clock);
}

QDateTime UuidClockNow() {
    Clock clock;
    {
        std::lock_guard lock(ClockMutex());
        clock = CurrentClock();
    }
    return clock ? clock() : QDateTime::currentDateTime();
}

QString NewTimeUuid(const std::function<bool(const QString&)>& taken) {
    QDateTime time = UuidClockNow();
    QString uuid = FormatTimeUuid(time);
    for (int i = 0; taken && taken(uuid) && i < 100000; ++i) {
        time = time.addMSecs(1);
        uuid = FormatTimeUuid(time);
    }
    return uuid;
}

}  // namespace profiles
