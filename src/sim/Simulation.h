// The public face of the simulation for the program and tools: build a
// virtual bus with a set of models and plug it in as a HID backend.
#pragma once

#include "sim/Models.h"
#include "sim/VirtualBus.h"

#include <memory>

namespace sim {

// A bus with the given models plugged in; with a storage folder the
// devices' memory is loaded from and kept in it.
std::shared_ptr<VirtualBus> CreateBus(const std::vector<Model>& models,
                                      const QString& storageFolder = QString());
// Parses a model list (see ParseModelList) and builds the bus; null with a
// message on a bad list.
std::shared_ptr<VirtualBus> CreateBus(const QString& modelList, QString* error,
                                      const QString& storageFolder = QString());

// Makes the bus visible to discovery and HidInterface; with
// `keepRealDevices` false the hidraw backend is switched off meanwhile.
void InstallBus(const std::shared_ptr<VirtualBus>& bus, bool keepRealDevices);
// Removes the bus and switches the hidraw backend back on.
void UninstallBus(const std::shared_ptr<VirtualBus>& bus);

// Installs for the life of a scope (tests).
class ScopedBus {
public:
    explicit ScopedBus(std::shared_ptr<VirtualBus> bus, bool keepRealDevices = false)
        : bus_(std::move(bus)) {
        InstallBus(bus_, keepRealDevices);
    }
    ~ScopedBus() { UninstallBus(bus_); }
    ScopedBus(const ScopedBus&) = delete;
    ScopedBus& operator=(const ScopedBus&) = delete;
    VirtualBus* operator->() const { return bus_.get(); }
    const std::shared_ptr<VirtualBus>& Bus() const { return bus_; }

private:
    std::shared_ptr<VirtualBus> bus_;
};

}  // namespace sim
