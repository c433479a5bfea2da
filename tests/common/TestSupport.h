// Small helpers shared by tests.
#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace testsupport {

// Runs the Qt event loop until `done` returns true or `timeout` passes.
// Returns the final value of `done`.
bool SpinUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

// Path of a fixture file below tests/fixtures.
QString FixturePath(const QString& relative);

}  // namespace testsupport
