#include "platform/Debug.h"

#include <cstdarg>
#include <mutex>

Q_LOGGING_CATEGORY(lcNuvaro, "nuvaro", QtInfoMsg)

namespace platform {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

DebugSink& Sink() {
    static DebugSink sink;
    return sink;
}

}  // namespace

bool DebugOutputEnabled() {
    static const bool enabled = qEnvironmentVariable("NUVARO_DEBUG") == QLatin1String("1");
    return enabled;
}

void DebugLine(const QString& line) {
    {
        std::lock_guard lock(SinkMutex());
        if (Sink())
            Sink()(line);
    }
    if (DebugOutputEnabled())
        qCInfo(lcNuvaro).noquote() << line;
}

void DebugLineF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const QString line = QString::vasprintf(format, args);
    va_end(args);
    DebugLine(line);
}

void SetDebugSink(DebugSink sink) {
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
}

}  // namespace platform
