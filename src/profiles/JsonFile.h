// Reading and writing whole JSON files. Every JSON file of the program goes
// through these helpers: the reader accepts comments and never throws, the
// writer produces the library's styled form and replaces the target
// atomically, so a crash or a full disk never leaves a truncated file.
#pragma once

#include <json/json.h>

#include <QByteArray>
#include <QString>

namespace profiles {

// Files larger than this are not read (treated like unreadable files).
inline constexpr qint64 kMaxJsonFileSize = 64 * 1024 * 1024;

// Reads and parses the file. A missing, unreadable, empty, oversized or
// unparsable file gives a null value.
Json::Value readjsonFile(const QString& path);

// Writes the document in styled form to a temporary file beside the target
// and renames it over the target. Returns 0 on success and -1 when anything
// failed; the previous file is then left as it was.
int WriteJsonFile(const QString& path, const Json::Value& document);

// The styled text of a value (keys in ascending byte order, 3-space indent,
// trailing newline).
std::string StyledText(const Json::Value& value);

// Parses JSON text (comments allowed). Null on any error; never throws.
Json::Value ParseJsonText(const std::string& text);
inline Json::Value ParseJsonText(const QString& text) {
    return ParseJsonText(text.toStdString());
}

// Reads a whole regular file. False when it cannot be opened or read whole.
bool ReadFileBytes(const QString& path, QByteArray* bytes);

// Writes bytes atomically (temporary file + rename). False on failure, the
// previous target then unchanged.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

// Copies a file byte for byte, atomically. When the source cannot be read
// nothing is written and false is returned.
bool CopyFileBytes(const QString& source, const QString& destination);

// Keeps a copy of a file that is about to be replaced because it cannot be
// used: path + ".broken" (or ".broken.1", ".broken.2", ... when taken).
// Returns the copy's path, or an empty text when no copy could be made.
QString KeepBrokenCopy(const QString& path);

}  // namespace profiles
