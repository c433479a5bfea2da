#include "sim/Simulation.h"

namespace sim {

std::shared_ptr<VirtualBus> CreateBus(const std::vector<Model>& models,
                                      const QString& storageFolder) {
    auto bus = VirtualBus::Create();
    if (!storageFolder.isEmpty())
        bus->SetStorageFolder(storageFolder);
    for (Model m : models)
        bus->AddModel(m);
    return bus;
}

std::shared_ptr<VirtualBus> CreateBus(const QString& modelList, QString* error,
                                      const QString& storageFolder) {
    std::vector<Model> models;
    if (!ParseModelList(modelList, &models, error))
        return nullptr;
    return CreateBus(models, storageFolder);
}

void InstallBus(const std::shared_ptr<VirtualBus>& bus, bool keepRealDevices) {
    hid::BackendRegistry::Instance().Add(bus);
    hid::BackendRegistry::Instance().SetRealDevicesEnabled(keepRealDevices);
}

void UninstallBus(const std::shared_ptr<VirtualBus>& bus) {
    hid::BackendRegistry::Instance().Remove(bus);
    hid::BackendRegistry::Instance().SetRealDevicesEnabled(true);
}

}  // namespace sim
