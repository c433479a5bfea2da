// A scripted backend for channel and command tests: one interface with the
// vendor command collection that answers each command with its own id (or
// a scripted status) and records every report written.
#pragma once

#include "hid/HidBackend.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace testhid {

using Report = std::array<uint8_t, 64>;

class EchoBackend : public hid::HidBackend, public std::enable_shared_from_this<EchoBackend> {
public:
    static constexpr char kPath[] = "echo:dev?vid_320f&pid_50ef&mi_01";

    // Answer for a written command; the default echoes bytes 0..7 with
    // status 0 and fills the data with the address' low byte.
    std::function<std::vector<Report>(const Report& command)> respond;

    std::vector<Report> Written() {
        std::lock_guard lock(mutex);
        return written;
    }

    bool Enumerate(QStringList& paths) override {
        paths << kPath;
        return true;
    }
    bool Handles(const QString& path) const override { return path.startsWith("echo:"); }
    bool IsPresent(const QString&) override { return true; }
    std::shared_ptr<hid::HidConnection> Open(const QString&, const hid::OpenOptions&,
                                             QString*) override;

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Report> written;
    std::deque<Report> pending;
};

}  // namespace testhid
