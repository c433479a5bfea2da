#include "hid/DiscoveryThread.h"

#include "hid/HidInterface.h"
#include "platform/Debug.h"

#include <QSet>

namespace hid {

DiscoveryThread::DiscoveryThread(platform::WindowHandle target, IdentityList* list)
    : target_(target), list_(list) {}

DiscoveryThread::~DiscoveryThread() {
    Stop();
}

bool DiscoveryThread::Start() {
    if (!list_)
        return false;
    return worker_.Start([this](const platform::StopEvent& stop) { Run(stop); });
}

bool DiscoveryThread::Stop(std::chrono::milliseconds timeout) {
    return worker_.Stop(timeout);
}

namespace {

void ReportOpenFailure(const QString& path, const QString& reason) {
    // Once per path: a device that cannot be opened is tried on every pass.
    static std::mutex mutex;
    static QSet<QString> reported;
    std::lock_guard lock(mutex);
    if (reported.contains(path))
        return;
    reported.insert(path);
    platform::DebugLine(
        QStringLiteral("HID device found but not opened: %1: %2").arg(path, reason));
}

}  // namespace

bool DiscoveryThread::RunPass(platform::WindowHandle target, IdentityList& list,
                              HidInterface& probe) {
    bool enumerated = true;
    if (!list.AllRowsTaken()) {
        if (!probe.EnumerateInterfaces()) {
            // Skipped; the next pass tries again.
            platform::DebugLine(QStringLiteral("HID enumeration failed, retrying"));
            enumerated = false;
        } else {
            for (QString path = probe.NextPath(); !path.isNull(); path = probe.NextPath()) {
                DeviceIdentity candidate = CandidateFromPath(path);
                if (!list.IsWantedCandidate(candidate))
                    continue;
                if (!probe.Open(path, true, false, true, false)) {
                    ReportOpenFailure(path, probe.LastError());
                    continue;
                }
                candidate.VendorId = probe.Attributes().vendorId;
                candidate.ProductId = probe.Attributes().productId;
                candidate.UsagePage = probe.Caps().UsagePage;
                candidate.Usage = probe.Caps().Usage;
                probe.Close();
                int index = -1;
                if (list.ClaimRow(candidate, &index))
                    platform::Send(target, WM_DEVICE_ARRIVED, platform::WParam(index), 0);
            }
            probe.FreePathList();
        }
    }
    const std::vector<DeviceIdentity> rows = list.Snapshot();
    for (int i = 0; i < int(rows.size()); ++i) {
        if (!rows[i].Attached || HidInterface::IsPathPresent(rows[i].DevicePath))
            continue;
        if (list.ReleaseRow(i))
            platform::Send(target, WM_DEVICE_REMOVED, platform::WParam(i), 0);
    }
    return enumerated;
}

bool SupportedDevicePresent() {
    HidInterface probe;
    if (!probe.EnumerateInterfaces())
        return false;
    for (QString path = probe.NextPath(); !path.isNull(); path = probe.NextPath()) {
        const DeviceIdentity c = CandidateFromPath(path);
        for (const DeviceIdentity& row : SupportedDeviceTable()) {
            if (row.VendorId == c.VendorId && row.ProductId == c.ProductId &&
                row.InterfaceNumber == c.InterfaceNumber &&
                row.CollectionNumber == c.CollectionNumber)
                return true;
        }
    }
    return false;
}

void DiscoveryThread::Run(const platform::StopEvent& stop) {
    RunLoop(stop, target_, *list_);
}

void DiscoveryThread::RunLoop(const platform::StopEvent& stop, platform::WindowHandle target,
                              IdentityList& list) {
    HidInterface probe;
    bool announced = false;
    const std::uint32_t gamingDevice =
        platform::RegisterWindowMessage(QString::fromUtf8(kGamingDeviceMessage));
    for (;;) {
        if (stop.Wait(std::chrono::milliseconds(1)))
            break;
        // A failed enumeration is skipped and retried on the next pass.
        RunPass(target, list, probe);
        if (!announced) {
            platform::Post(target, gamingDevice, 0, 0);
            announced = true;
        }
        if (stop.Wait(kDiscoveryPeriod))
            break;
    }
    platform::DebugLine(QStringLiteral("抓取设备线程设定退出"));
}

}  // namespace hid
