#include "hid/HidBackend.h"

#include "hid/HidrawBackend.h"

#include <algorithm>

namespace hid {

BackendRegistry& BackendRegistry::Instance() {
    static BackendRegistry registry;
    return registry;
}

BackendRegistry::BackendRegistry() : real_(std::make_shared<HidrawBackend>()) {}

void BackendRegistry::Add(std::shared_ptr<HidBackend> backend) {
    std::lock_guard lock(mutex_);
    if (backend && std::find(extra_.begin(), extra_.end(), backend) == extra_.end())
        extra_.push_back(std::move(backend));
}

void BackendRegistry::Remove(const std::shared_ptr<HidBackend>& backend) {
    std::lock_guard lock(mutex_);
    extra_.erase(std::remove(extra_.begin(), extra_.end(), backend), extra_.end());
}

void BackendRegistry::SetRealDevicesEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    realEnabled_ = enabled;
}

bool BackendRegistry::RealDevicesEnabled() const {
    std::lock_guard lock(mutex_);
    return realEnabled_;
}

std::vector<std::shared_ptr<HidBackend>> BackendRegistry::Active() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<HidBackend>> list;
    if (realEnabled_)
        list.push_back(real_);
    list.insert(list.end(), extra_.begin(), extra_.end());
    return list;
}

bool BackendRegistry::Enumerate(QStringList& paths) {
    bool ok = true;
    for (const auto& backend : Active())
        ok = backend->Enumerate(paths) && ok;
    return ok;
}

std::shared_ptr<HidBackend> BackendRegistry::BackendFor(const QString& path) {
    for (const auto& backend : Active())
        if (backend->Handles(path))
            return backend;
    return nullptr;
}

}  // namespace hid
