// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
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

// The one remover of a folder with what it holds. Nothing is entered through
// a link: a link inside goes as a link, a root that is a link or not a folder
// is refused and left as it is, and no other file system is entered.
enum class TreeRemoval { Removed, Missing, Refused, Failed };
TreeRemoval removeFolderTree(const QString& path);
// Moves a plain folder, with what it holds, to the desktop's trash in one
// rename, so that the user can take it back. A link is refused and left as
// it is (what it leads to is never moved); where there is no trash, or it
// cannot take the folder, nothing is deleted instead. *reason (if given)
// says why it was not moved.
enum class Trashed { Moved, Refused, NoTrash };
Trashed moveFolderToTrash(const QString& path, QString* reason = nullptr);
// Tests put a trash of their own in the desktop's place (an empty function
// restores it); the mover returns false, with *reason, when it cannot.
using TrashMover = std::function<bool(const QString& path, QString* reason)>;
void setTrashForTests(TrashMover mover);

// What lies at one of the staging names below: a plain folder is removed as
// removeFolderTree does, a link as a link (what it leads to stays); anything
// else is not ours and stays. True when nothing is left at the path.
bool removeStagingEntry(const QString& path);

// Every hidden name a command makes beside its place and the next run
// recognises and removes, declared here alone so that the removers and the
// hostile-folder runs know every one of them.
namespace staging {
inline const QString kImport = QStringLiteral(".import");   // ".ID.import" in the user folder
inline const QString kPort = QStringLiteral(".port");       // ".ID.port" in the user folder
inline const QString kDraft = QStringLiteral(".draft");     // ".ID.draft" in the user folder
inline const QString kExtract = QStringLiteral(".extract"); // ".NAME.extract" beside NAME
inline const QString kPartial = QStringLiteral(".partial"); // ".ID.partial": a first start's copy
inline const QString kLock = QStringLiteral(".lock");       // after a staging folder's name
inline const QString kListsCommit = QStringLiteral(".lists.commit"); // a save's marker in Data
inline const QString kNewList = QStringLiteral(".new");              // a save's new list
// The copy of a stream in the temporary folder, "tarvex-spool-PID-XXXXXX":
// the next run removes one whose process is gone.
inline const QString kSpool = QStringLiteral("tarvex-spool-");

// ".NAME" + suffix, the hidden name of what is made for NAME.
QString hiddenName(const QString& name, const QString& suffix);
// Every declared name with "{}" for the id or name, one per use.
QStringList declaredNames();
} // namespace staging
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

// Why a file the user chose cannot be taken, empty when it can: it is opened
// as openForReading does and its first byte read, so that a missing file, a
// folder, a FIFO, a device or one without read permission is told before
// anything of it is recorded.
QString unreadableReason(const QString& path);

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
// The first of `inputs` that is the file `output` names (by sameFile, so a
// link or a hard link to an input counts), empty when none is: an output
// written over one of its own inputs would lose it to the user.
QString inputAt(const QString& output, const QStringList& inputs);

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
