// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>

class QFile;

// The file operations the managers need, each reporting success and never raising.
namespace fileops {

bool exists(const QString& path); // a file (not a folder) of that path
bool folderExists(const QString& path);
bool createFolder(const QString& path); // one level; false when it exists already
bool remove(const QString& path);       // files only
// A folder that is a folder of its own, not a link to one: the only kind a
// working folder may be, so that nothing is written or deleted elsewhere.
bool isPlainFolder(const QString& path);
// Removes a plain file or a link (the link itself, never what it points to);
// folders and other entries are left alone.
bool removeFileOrLink(const QString& path);
// Copies source to target, replacing target only once the copy is complete;
// copying a file onto itself succeeds and changes nothing. A target that is a
// link is replaced by a plain file. When the target cannot be written,
// *writeError (if given) receives the system's reason; a source that cannot
// be read leaves it empty.
bool copyReplacing(const QString& source, const QString& target, QString* writeError = nullptr);

// Opens a file the data set or the user gave for reading, only when it is a
// regular file: its type is checked on a handle opened without blocking, so a
// FIFO or device where a file is expected is refused, never waited on. On
// failure *reason (if given) receives why: the system's reason, or "Not a
// regular file".
bool openRegular(QFile& file, const QString& path, QString* reason = nullptr,
                 QIODevice::OpenMode mode = QIODevice::ReadOnly);

// The same with a missing file told apart from one that cannot be read, so a
// caller can keep a default for the first and must report the second. Missing
// means no entry of that name at all: a link to nothing, a folder, a FIFO or a
// device in the file's place is Unreadable.
enum class Opened { Ok, Missing, Unreadable };
Opened openForReading(QFile& file, const QString& path, QString* reason = nullptr,
                      QIODevice::OpenMode mode = QIODevice::ReadOnly);

#ifndef Q_OS_WIN
// Opens a path a command streams from or into (a FIFO, a device, a pipe)
// without ever hanging: a FIFO named in the file system is waited on for at
// most waitMs for a process at its other end (a reader; a writer that writes
// or closes), then refused with "no process writes into it" or "no process
// reads from it". Returns the handle (blocking again once open), or -1 with
// *reason set.
constexpr int kOtherEndWaitMs = 3000;
int openStreamWithoutHanging(const QString& path, bool forWriting, QString* reason,
                             int waitMs = kOtherEndWaitMs);
#endif

// Whether two paths name one existing file, links resolved (the same device
// and file number where the system tells them).
bool sameFile(const QString& a, const QString& b);

// Whether two bare names denote one file in a working folder: letter case
// counts where the file system tells case apart, and not where it ignores it
// (Windows, macOS), so a slot's copy is never taken for another's.
bool sameFileName(const QString& a, const QString& b);

// The last component of a path, with either separator.
QString bareName(const QString& path);
// A bare name that joins safely to a folder: no separators, not "." or "..".
bool isSafeBareName(const QString& name);

// The bytes of a resource built into the program (a path starting ":/"), or
// nothing when there is no such resource. Never reads the disk.
std::optional<QByteArray> readResource(const QString& path);

} // namespace fileops
