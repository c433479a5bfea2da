// Identifiers made from the local time, as used for profile and macro
// files: "%d_%02d_%02d_%02d_%02d_%02d_%03d" (year ... millisecond).
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace profiles {

// Formats a time as an identifier: 2024_03_05_14_07_09_042.
QString FormatTimeUuid(const QDateTime& time);

// The clock identifiers are made from; tests replace it. An empty function
// restores the system clock.
using Clock = std::function<QDateTime()>;
void SetUuidClock(Clock clock);
QDateTime UuidClockNow();

// A new identifier from the clock that `taken` does not reject: when two
// identifiers would fall into the same millisecond the time is moved on
// by one millisecond until it is free, so no file is ever shared.
QString NewTimeUuid(const std::function<bool(const QString&)>& taken);

}  // namespace profiles
