// Diagnostic output: one line per call through the "nuvaro" logging
// category. Lines are shown when NUVARO_DEBUG=1; tests may install a sink.
#pragma once

#include <QLoggingCategory>
#include <QString>
#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcNuvaro)

namespace platform {

// Writes one debug line.
void DebugLine(const QString& line);
// printf-style convenience (UTF-8 format string).
void DebugLineF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Receives every debug line, whether or not output is enabled; pass an empty
// function to remove it. Used by tests to assert on diagnostics.
using DebugSink = std::function<void(const QString&)>;
void SetDebugSink(DebugSink sink);

// True when NUVARO_DEBUG=1 (read once).
bool DebugOutputEnabled();

}  // namespace platform
