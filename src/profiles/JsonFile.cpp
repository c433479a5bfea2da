#include "profiles/JsonFile.h"

#include "platform/Debug.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <memory>
#include <sstream>

namespace profiles {
namespace {

// Opens the file read-only and reports errno of the attempt (0 on success).
// Non-blocking, so a FIFO in place of a file cannot hang the reader.
int OpenForReading(const QString& path, int* error) {
    const QByteArray encoded = QFile::encodeName(path);
    const int fd =
        encoded.isEmpty() ? -1 : ::open(encoded.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    *error = fd < 0 ? (encoded.isEmpty() ? ENOENT : errno) : 0;
    return fd;
}

// Reads a regular file whole from an open descriptor; closes it.
bool ReadWhole(int fd, QByteArray* bytes) {
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
              info.st_size <= kMaxJsonFileSize;
    if (ok) {
        bytes->resize(static_cast<qsizetype>(info.st_size));
        qsizetype done = 0;
        while (done < bytes->size()) {
            const ssize_t n = ::read(fd, bytes->data() + done, bytes->size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        ok = done == bytes->size();
        // The file grew while it was read: it cannot be read whole.
        char extra = 0;
        if (ok && ::read(fd, &extra, 1) > 0)
            ok = false;
    }
    ::close(fd);
    if (!ok)
        bytes->clear();
    return ok;
}

}  // namespace

bool ReadFileBytes(const QString& path, QByteArray* bytes) {
    int error = 0;
    const int fd = OpenForReading(path, &error);
    if (fd < 0)
        return false;
    return ReadWhole(fd, bytes);
}

Json::Value ParseJsonText(const std::string& text) {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = true;
    Json::Value root;
    try {
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        std::string errors;
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
            return Json::Value();
    } catch (...) {
        // The reader throws on excessive nesting; treat it as a parse error.
        return Json::Value();
    }
    return root;
}

Json::Value readjsonFile(const QString& path) {
    int error = 0;
    const int fd = OpenForReading(path, &error);
    platform::DebugLineF("readjsonFile 错误吗：：%d\n", error);
    QByteArray bytes;
    if (fd < 0 || !ReadWhole(fd, &bytes) || bytes.isEmpty()) {
        platform::DebugLine(path);
        return Json::Value();
    }
    return ParseJsonText(bytes.toStdString());
}

std::string StyledText(const Json::Value& value) {
    try {
        Json::StyledWriter writer;
        return writer.write(value);
    } catch (...) {
        return std::string();
    }
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        platform::DebugLine(QStringLiteral("write failed: ") + path + QStringLiteral(": ") +
                            file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        platform::DebugLine(QStringLiteral("write failed: ") + path + QStringLiteral(": ") +
                            file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        platform::DebugLine(QStringLiteral("write failed: ") + path + QStringLiteral(": ") +
                            file.errorString());
        return false;
    }
    return true;
}

int WriteJsonFile(const QString& path, const Json::Value& document) {
    const std::string text = StyledText(document);
    if (text.empty())
        return -1;
    return WriteFileBytes(path, QByteArray::fromStdString(text)) ? 0 : -1;
}

bool CopyFileBytes(const QString& source, const QString& destination) {
    QByteArray bytes;
    if (!ReadFileBytes(source, &bytes)) {
        platform::DebugLine(QStringLiteral("copy failed, source unreadable: ") + source);
        return false;
    }
    return WriteFileBytes(destination, bytes);
}

QString KeepBrokenCopy(const QString& path) {
    QString target = path + QStringLiteral(".broken");
    for (int n = 1; QFileInfo::exists(target) && n < 1000; ++n)
        target = path + QStringLiteral(".broken.%1").arg(n);
    if (QFileInfo::exists(target) || !CopyFileBytes(path, target))
        return QString();
    platform::DebugLine(QStringLiteral("unusable file kept as ") + target);
    return target;
}

}  // namespace profiles
