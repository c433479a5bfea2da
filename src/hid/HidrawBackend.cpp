#include "hid/HidrawBackend.h"

#include "hid/DeviceIdentity.h"
#include "hid/ReportDescriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace hid {

namespace {

QByteArray ReadSmallFile(const QString& path, qint64 limit = 64 * 1024) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

// Milliseconds for poll(): -1 waits without limit.
int PollTimeout(uint32_t timeoutMs) {
    if (timeoutMs == kInfinite)
        return -1;
    return timeoutMs > 0x7FFFFFFFu ? 0x7FFFFFFF : int(timeoutMs);
}

class HidrawConnection : public HidConnection {
public:
    HidrawConnection(int fd, HidrawNodeInfo info) : fd_(fd), info_(std::move(info)) {
        abortFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    }
    ~HidrawConnection() override {
        ::close(fd_);
        if (abortFd_ >= 0)
            ::close(abortFd_);
    }

    const std::vector<uint8_t>& ReportDescriptorBytes() const override { return info_.descriptor; }
    HidAttributes Attributes() const override { return info_.attributes; }

    IoStatus Read(uint8_t* buffer, size_t capacity, size_t* received, uint32_t timeoutMs) override {
        *received = 0;
        IoStatus status = Wait(POLLIN, timeoutMs);
        if (status != IoStatus::Ok)
            return status;
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n < 0)
            return errno == EAGAIN ? IoStatus::Timeout : IoStatus::Failed;
        *received = size_t(n);
        return IoStatus::Ok;
    }

    IoStatus Write(const uint8_t* data, size_t length, size_t* sent, uint32_t timeoutMs) override {
        *sent = 0;
        IoStatus status = Wait(POLLOUT, timeoutMs);
        if (status != IoStatus::Ok)
            return status;
        const ssize_t n = ::write(fd_, data, length);
        if (n < 0)
            return IoStatus::Failed;
        *sent = size_t(n);
        return IoStatus::Ok;
    }

    void Abort() override {
        aborted_ = true;
        if (abortFd_ >= 0) {
            const uint64_t one = 1;
            [[maybe_unused]] ssize_t n = ::write(abortFd_, &one, sizeof one);
        }
    }

private:
    IoStatus Wait(short events, uint32_t timeoutMs) {
        if (aborted_)
            return IoStatus::Aborted;
        pollfd fds[2] = {{fd_, events, 0}, {abortFd_, POLLIN, 0}};
        const int count = abortFd_ >= 0 ? 2 : 1;
        for (;;) {
            const int r = ::poll(fds, count, PollTimeout(timeoutMs));
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0)
                return IoStatus::Failed;
            if (r == 0)
                return IoStatus::Timeout;
            if (aborted_ || (count == 2 && (fds[1].revents & POLLIN)))
                return IoStatus::Aborted;
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
                return IoStatus::Failed;
            return IoStatus::Ok;
        }
    }

    int fd_;
    int abortFd_ = -1;
    std::atomic<bool> aborted_{false};
    HidrawNodeInfo info_;
};

}  // namespace

HidrawBackend::HidrawBackend(QString sysfsRoot, QString devRoot)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}

bool HidrawBackend::ReadNode(const QString& node, HidrawNodeInfo* info) const {
    const QString device = sysfsRoot_ + "/class/hidraw/" + node + "/device";
    const QString resolved = QFileInfo(device).canonicalFilePath();
    if (resolved.isEmpty())
        return false;
    info->node = node;
    const QByteArray descriptor = ReadSmallFile(resolved + "/report_descriptor");
    info->descriptor.assign(descriptor.begin(), descriptor.end());
    // uevent: HID_ID=<bus>:<vendor>:<product>, each hexadecimal.
    const QByteArray uevent = ReadSmallFile(resolved + "/uevent");
    bool haveIds = false;
    for (const QByteArray& line : uevent.split('\n')) {
        if (!line.startsWith("HID_ID="))
            continue;
        const QList<QByteArray> parts = line.mid(7).split(':');
        if (parts.size() == 3) {
            bool okV = false, okP = false;
            const uint vendor = parts[1].toUInt(&okV, 16);
            const uint product = parts[2].toUInt(&okP, 16);
            if (okV && okP) {
                info->attributes.vendorId = uint16_t(vendor);
                info->attributes.productId = uint16_t(product);
                haveIds = true;
            }
        }
    }
    if (!haveIds)
        return false;
    // The HID device sits below its USB interface, which sits below the USB
    // device: interface number and release number come from there.
    QDir dir(resolved);
    if (dir.cdUp()) {
        bool ok = false;
        const uint number =
            ReadSmallFile(dir.filePath("bInterfaceNumber")).trimmed().toUInt(&ok, 16);
        if (ok) {
            info->hasInterfaceNumber = true;
            info->interfaceNumber = uint16_t(number);
        }
        if (dir.cdUp()) {
            const uint bcd = ReadSmallFile(dir.filePath("bcdDevice")).trimmed().toUInt(&ok, 16);
            if (ok)
                info->attributes.versionNumber = uint16_t(bcd);
        }
    }
    return true;
}

QStringList HidrawBackend::PathsOfNode(const HidrawNodeInfo& info) const {
    const ReportDescriptor descriptor = ParseReportDescriptor(info.descriptor);
    QString base = QStringLiteral("%1/%2?vid_%3&pid_%4")
                       .arg(devRoot_, info.node)
                       .arg(info.attributes.vendorId, 4, 16, QChar('0'))
                       .arg(info.attributes.productId, 4, 16, QChar('0'));
    if (info.hasInterfaceNumber)
        base += QStringLiteral("&mi_%1").arg(info.interfaceNumber, 2, 16, QChar('0'));
    QStringList paths;
    const qsizetype count = descriptor.collections.size();
    if (count <= 1) {
        paths << base;
    } else {
        for (qsizetype i = 0; i < count; ++i)
            paths << base + QStringLiteral("&col%1").arg(i + 1, 2, 16, QChar('0'));
    }
    return paths;
}

bool HidrawBackend::Enumerate(QStringList& paths) {
    QDir dir(sysfsRoot_ + "/class/hidraw");
    if (!dir.exists())
        return true;  // no hidraw support loaded: simply no devices
    const QStringList nodes = dir.entryList(
        QDir::Dirs | QDir::System | QDir::NoDotAndDotDot | QDir::AllEntries,
        QDir::Name);
    for (const QString& node : nodes) {
        if (!node.startsWith("hidraw"))
            continue;
        HidrawNodeInfo info;
        // A node that vanished between listing and reading is simply gone.
        if (ReadNode(node, &info))
            paths << PathsOfNode(info);
    }
    return true;
}

bool HidrawBackend::Handles(const QString& path) const {
    return path.startsWith(devRoot_ + "/hidraw");
}

QString HidrawBackend::NodeOfPath(const QString& path) const {
    if (!Handles(path))
        return {};
    const qsizetype start = devRoot_.size() + 1;
    const qsizetype end = path.indexOf('?', start);
    const QString node = path.mid(start, end < 0 ? -1 : end - start);
    if (node.size() <= 6 || node.contains('/'))
        return {};
    return node;
}

std::shared_ptr<HidConnection> HidrawBackend::Open(const QString& path, const OpenOptions& options,
                                                   QString* error) {
    const QString node = NodeOfPath(path);
    HidrawNodeInfo info;
    if (node.isEmpty() || !ReadNode(node, &info)) {
        if (error)
            *error = QStringLiteral("no such device: %1").arg(path);
        return nullptr;
    }
    if (info.attributes.vendorId != ParseVendorId(path) ||
        info.attributes.productId != ParseProductId(path)) {
        if (error)
            *error = QStringLiteral("device changed behind path: %1").arg(path);
        return nullptr;
    }
    int flags = O_CLOEXEC | O_NONBLOCK;
    if (options.read && options.write)
        flags |= O_RDWR;
    else if (options.write)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    const QByteArray file = QFile::encodeName(devRoot_ + "/" + node);
    const int fd = ::open(file.constData(), flags);
    if (fd < 0) {
        if (error) {
            *error = errno == EACCES || errno == EPERM
                         ? QStringLiteral(
                               "permission denied: %1 (install the udev rule, see "
                               "docs/hid.md)")
                               .arg(QString::fromLocal8Bit(file))
                         : QStringLiteral("cannot open %1: %2")
                               .arg(QString::fromLocal8Bit(file),
                                    QString::fromLocal8Bit(std::strerror(errno)));
        }
        return nullptr;
    }
    return std::make_shared<HidrawConnection>(fd, std::move(info));
}

bool HidrawBackend::IsPresent(const QString& path) {
    const QString node = NodeOfPath(path);
    HidrawNodeInfo info;
    if (node.isEmpty() || !ReadNode(node, &info))
        return false;
    return info.attributes.vendorId == ParseVendorId(path) &&
           info.attributes.productId == ParseProductId(path) &&
           QFileInfo::exists(devRoot_ + "/" + node);
}

}  // namespace hid
