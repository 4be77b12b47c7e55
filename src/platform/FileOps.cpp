// SPDX-License-Identifier: MIT
#include "platform/FileOps.h"

#include "platform/CheckedSaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fileops {

bool exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

bool createFolder(const QString& path) {
    return !path.isEmpty() && QDir().mkdir(path);
}

bool remove(const QString& path) {
    return exists(path) && QFile::remove(path);
}

bool isPlainFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

bool removeFileOrLink(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.isFile()) {
        return false;
    }
    // QFile::remove unlinks the entry itself, so a link's target stays.
    return QFile::remove(path);
}

namespace {

#ifndef Q_OS_WIN
// Empties the folder open at `folder` (the handle is taken), working on
// handles only, so that nothing put in the place of an entry on the way
// leads anywhere else.
bool removeContents(int folder, dev_t device) {
    DIR* listing = ::fdopendir(folder);
    if (listing == nullptr) {
        ::close(folder);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    bool removed = true;
    for (const std::string& name : names) {
        struct stat info {};
        if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            removed = false;
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            removed = ::unlinkat(folder, name.c_str(), 0) == 0 && removed;
            continue;
        }
        const int inner =
            ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (info.st_dev != device || inner < 0) {
            // Another file system mounted here is not ours to empty.
            if (inner >= 0) {
                ::close(inner);
            }
            removed = false;
            continue;
        }
        removed = removeContents(inner, device) && removed;
        removed = ::unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0 && removed;
    }
    ::closedir(listing);
    return removed;
}
#else
bool removeContents(const QString& path) {
    bool removed = true;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                           QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink() && !entry.isJunction()) {
            removed = removeContents(entry.filePath()) && removed;
            removed = QDir().rmdir(entry.filePath()) && removed;
        } else if (entry.isDir()) {
            removed = QDir().rmdir(entry.filePath()) && removed; // a junction's entry alone
        } else {
            removed = QFile::remove(entry.filePath()) && removed;
        }
    }
    return removed;
}
#endif

} // namespace

TreeRemoval removeFolderTree(const QString& path) {
    if (path.isEmpty()) {
        return TreeRemoval::Refused;
    }
#ifndef Q_OS_WIN
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        return errno == ENOENT ? TreeRemoval::Missing : TreeRemoval::Failed;
    }
    const int folder = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return errno == ENOTDIR || errno == ELOOP ? TreeRemoval::Refused : TreeRemoval::Failed;
    }
    struct stat opened {};
    if (::fstat(folder, &opened) != 0) {
        ::close(folder);
        return TreeRemoval::Failed;
    }
    if (!removeContents(folder, opened.st_dev)) {
        return TreeRemoval::Failed;
    }
    // Replaced by a link since it was opened, the entry is not a folder and stays.
    return ::rmdir(name.constData()) == 0 ? TreeRemoval::Removed : TreeRemoval::Failed;
#else
    const QFileInfo root(path);
    if (!root.exists() && !root.isSymLink()) {
        return TreeRemoval::Missing;
    }
    if (!isPlainFolder(path) || root.isJunction()) {
        return TreeRemoval::Refused;
    }
    return removeContents(path) && QDir().rmdir(path) ? TreeRemoval::Removed : TreeRemoval::Failed;
#endif
}

bool removeStagingEntry(const QString& path) {
    const QFileInfo entry(path);
    if (entry.isSymLink()) {
        return removeFileOrLink(path);
    }
    const TreeRemoval removal = removeFolderTree(path);
    return removal == TreeRemoval::Removed || removal == TreeRemoval::Missing;
}

namespace staging {

QString hiddenName(const QString& name, const QString& suffix) {
    return QLatin1Char('.') + name + suffix;
}

QStringList declaredNames() {
    QStringList names;
    for (const QString& suffix : {kImport, kPort, kDraft, kExtract}) {
        names << hiddenName(QStringLiteral("{}"), suffix)
              << hiddenName(QStringLiteral("{}"), suffix + kLock);
    }
    names << hiddenName(QStringLiteral("{}"), kPartial) << kListsCommit
          << QStringLiteral("{}") + kNewList << kSpool + QStringLiteral("{}");
    return names;
}

} // namespace staging

namespace {

QString notRegularReason() {
    return QCoreApplication::translate("Report", "Not a regular file");
}

} // namespace

bool openRegular(QFile& file, const QString& path, QString* reason, QIODevice::OpenMode mode) {
    return openForReading(file, path, reason, mode) == Opened::Ok;
}

Opened openForReading(QFile& file, const QString& path, QString* reason, QIODevice::OpenMode mode) {
    const auto failed = [&](const QString& why) {
        if (reason != nullptr) {
            *reason = why;
        }
        // No entry at all, not even a link to nothing.
        const QFileInfo entry(path);
        return entry.exists() || entry.isSymLink() ? Opened::Unreadable : Opened::Missing;
    };
#ifdef Q_OS_WIN
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        return failed(notRegularReason());
    }
    file.setFileName(path);
    return file.open(mode) ? Opened::Ok : failed(file.errorString());
#else
    // Opened without blocking and checked on the handle, so nothing can be
    // put in the file's place between the check and the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return failed(notRegularReason());
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(file.errorString());
    }
    return Opened::Ok;
#endif
}

QString unreadableReason(const QString& path) {
    QFile file;
    QString reason;
    if (path.isEmpty()) {
        return QString::fromLocal8Bit(std::strerror(ENOENT));
    }
    if (openForReading(file, path, &reason) != Opened::Ok) {
        return reason;
    }
    char first = 0;
    if (file.read(&first, 1) < 0) {
        return file.errorString();
    }
    return {};
}

#ifndef Q_OS_WIN
int openStreamWithoutHanging(const QString& path, bool forWriting, QString* reason, int waitMs) {
    const QByteArray name = QFile::encodeName(path);
    const int flags = (forWriting ? O_WRONLY | O_NOCTTY : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    QElapsedTimer timer;
    timer.start();
    int fd = -1;
    // A FIFO nobody reads refuses a writer at once (ENXIO): asked again
    // until a reader comes or the wait is over.
    while ((fd = ::open(name.constData(), flags)) < 0 && errno == ENXIO && forWriting &&
           timer.elapsed() < waitMs) {
        ::usleep(20'000);
    }
    if (fd < 0) {
        if (reason != nullptr) {
            *reason = errno == ENXIO
                          ? QCoreApplication::translate("Report", "no process reads from it")
                          : QString::fromLocal8Bit(std::strerror(errno));
        }
        return -1;
    }
    struct stat entry {};
    if (!forWriting && ::lstat(name.constData(), &entry) == 0 && S_ISFIFO(entry.st_mode)) {
        // Opened at once, writer or not: wait for its bytes or its end.
        pollfd wait{fd, POLLIN, 0};
        const int left = std::max<int>(0, waitMs - int(timer.elapsed()));
        if (::poll(&wait, 1, left) <= 0) {
            ::close(fd);
            if (reason != nullptr) {
                *reason = QCoreApplication::translate("Report", "no process writes into it");
            }
            return -1;
        }
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}
#endif

bool sameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    const QString x = QFileInfo(a).canonicalFilePath();
    return !x.isEmpty() && x.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#else
    struct stat x {};
    struct stat y {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
#endif
}

QString inputAt(const QString& output, const QStringList& inputs) {
    for (const QString& input : inputs) {
        if (sameFile(output, input)) {
            return input;
        }
    }
    return {};
}

bool copyReplacing(const QString& source, const QString& target, QString* writeError) {
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && !to.isSymLink() && from.exists() &&
        from.canonicalFilePath() == to.canonicalFilePath()) {
        return true;
    }
    QFile in;
    if (!openRegular(in, source)) {
        return false;
    }
    CheckedSaveFile out(target);
    const auto failed = [&] {
        if (writeError != nullptr) {
            *writeError = out.errorString();
        }
        return false;
    };
    if (!out.open()) {
        return failed();
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            return false;
        }
        if (!out.write(chunk)) {
            return failed();
        }
    }
    return out.commit() || failed();
}

bool sameFileName(const QString& a, const QString& b) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

QString bareName(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

bool isSafeBareName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

std::optional<QByteArray> readResource(const QString& path) {
    QFile file(path);
    if (!path.startsWith(QStringLiteral(":/")) || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace fileops
