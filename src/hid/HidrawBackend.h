// Real devices through Linux hidraw. Interfaces are found under
// <sysfs root>/class/hidraw/; each node's report descriptor, USB ids,
// interface number and release number come from sysfs, and one path is
// listed per top-level collection of the descriptor. I/O goes to
// <dev root>/hidrawN with poll(), so a blocked transfer can be aborted.
#pragma once

#include "hid/HidBackend.h"

namespace hid {

// What sysfs tells about one hidraw node.
struct HidrawNodeInfo {
    QString node;  // "hidraw3"
    HidAttributes attributes;
    bool hasInterfaceNumber = false;
    uint16_t interfaceNumber = 0;
    std::vector<uint8_t> descriptor;
};

class HidrawBackend : public HidBackend {
public:
    explicit HidrawBackend(QString sysfsRoot = QStringLiteral("/sys"),
                           QString devRoot = QStringLiteral("/dev"));

    bool Enumerate(QStringList& paths) override;
    bool Handles(const QString& path) const override;
    std::shared_ptr<HidConnection> Open(const QString& path, const OpenOptions& options,
                                        QString* error) override;
    bool IsPresent(const QString& path) override;

    // Reads the sysfs facts of one node; false when the node is missing or
    // its entries cannot be read.
    bool ReadNode(const QString& node, HidrawNodeInfo* info) const;
    // The node name ("hidraw3") of one of our paths, empty when malformed.
    QString NodeOfPath(const QString& path) const;
    // The paths of one node: one per top-level collection, "&colXX" only
    // when there are several.
    QStringList PathsOfNode(const HidrawNodeInfo& info) const;

private:
    QString sysfsRoot_;
    QString devRoot_;
};

}  // namespace hid
