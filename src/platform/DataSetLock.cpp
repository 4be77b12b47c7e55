// SPDX-License-Identifier: MIT
#include "platform/DataSetLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>
#include <QSysInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The lock's place holds something no Tarvex made; says what and what to do.
QString notALockFile(const QString& path, const QString& what) {
    return QCoreApplication::translate(
               "Report", "The lock file %1 is %2, not a file: no Tarvex program made it, and no "
                         "change can be made while it is there. Remove it (no program is using "
                         "it) and try again")
        .arg(path, what);
}

QString kindText(const char* what) {
    return QCoreApplication::translate("Report", what);
}

} // namespace

DataSetLock::DataSetLock(QString firmwareFolder)
    : DataSetLock(OnFile{std::move(firmwareFolder) + QStringLiteral("/.tarvex.lock")}) {}

DataSetLock::DataSetLock(OnFile lockFile) : path_(std::move(lockFile.path)) {
#ifdef Q_OS_WIN
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);
#endif
}

DataSetLock::~DataSetLock() {
    unlock();
}

#ifdef Q_OS_WIN

// A live holder keeps its lock file open without sharing its deletion, so
// the file can be removed exactly when its holder is gone.
DataSetLock::Result DataSetLock::tryLock() {
    const QFileInfo place(path_);
    if (place.isSymLink() || (place.exists() && !place.isFile())) {
        problem_ = notALockFile(path_, place.isSymLink()
                                           ? kindText(QT_TRANSLATE_NOOP("Report", "a link"))
                                           : kindText(QT_TRANSLATE_NOOP("Report", "a folder")));
        return Result::NotALockFile;
    }
    if (lock_->isLocked() || lock_->tryLock(0) ||
        (lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile() &&
         lock_->tryLock(0))) {
        return Result::Locked;
    }
    return lock_->error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Failed;
}

bool DataSetLock::isLocked() const {
    return lock_->isLocked();
}

void DataSetLock::unlock() {
    lock_->unlock();
}

DataSetLock::Holder DataSetLock::holder() const {
    Holder holder;
    lock_->getLockInfo(&holder.pid, &holder.hostName, &holder.appName);
    return holder;
}

#else

DataSetLock::Result DataSetLock::tryLock() {
    if (fd_ >= 0) {
        return Result::Locked;
    }
    const QByteArray name = QFile::encodeName(path_);
    for (int attempt = 0; attempt < 10; ++attempt) {
        struct stat place {};
        if (::lstat(name.constData(), &place) == 0 && !S_ISREG(place.st_mode)) {
            problem_ = notALockFile(
                path_,
                kindText(S_ISDIR(place.st_mode)    ? QT_TRANSLATE_NOOP("Report", "a folder")
                         : S_ISLNK(place.st_mode)  ? QT_TRANSLATE_NOOP("Report", "a link")
                         : S_ISFIFO(place.st_mode) ? QT_TRANSLATE_NOOP("Report", "a FIFO")
                                                   : QT_TRANSLATE_NOOP("Report", "a device")));
            return Result::NotALockFile;
        }
        // Without blocking and without following a link, whatever is put in
        // the file's place meanwhile.
        const int fd =
            ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == ELOOP || errno == EISDIR || errno == ENXIO) {
                continue; // replaced since the look: looked at again
            }
            problem_ = QString::fromLocal8Bit(std::strerror(errno));
            return Result::Failed;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                return Result::HeldByOther;
            }
            problem_ = QString::fromLocal8Bit(std::strerror(error));
            return Result::Failed;
        }
        // A holder that finished removes the file it locked: the lock counts
        // only on the file that is still in place.
        struct stat now {};
        if (::stat(name.constData(), &now) != 0 || now.st_dev != opened.st_dev ||
            now.st_ino != opened.st_ino) {
            ::close(fd);
            continue;
        }
        // Who holds it, for the message another writer shows.
        const QByteArray info = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                                QCoreApplication::applicationName().toUtf8() + '\n' +
                                QSysInfo::machineHostName().toUtf8() + '\n';
        if (::ftruncate(fd, 0) != 0 || ::write(fd, info.constData(), size_t(info.size())) < 0) {
            // The lock holds all the same; only the holder's name is missing.
        }
        fd_ = fd;
        return Result::Locked;
    }
    problem_ = QCoreApplication::translate("Report", "The lock file %1 keeps changing").arg(path_);
    return Result::Failed;
}

bool DataSetLock::isLocked() const {
    return fd_ >= 0;
}

void DataSetLock::unlock() {
    if (fd_ < 0) {
        return;
    }
    // Removed while still locked, so no one takes a file that is going away.
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
}

DataSetLock::Holder DataSetLock::holder() const {
    Holder holder;
    // Only a regular file is read, without blocking.
    const int fd = ::open(QFile::encodeName(path_).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return holder;
    }
    struct stat info {};
    char buffer[512];
    ssize_t n = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        n = ::read(fd, buffer, sizeof buffer);
    }
    ::close(fd);
    const QStringList lines = QString::fromUtf8(buffer, n > 0 ? qsizetype(n) : 0).split('\n');
    holder.pid = lines.value(0).toLongLong();
    holder.appName = lines.value(1);
    holder.hostName = lines.value(2);
    return holder;
}

#endif

QString DataSetLock::holderText() const {
    const Holder who = holder();
    if (who.pid <= 0) {
        return QCoreApplication::translate("Report",
                                           "another program (its lock file %1 does not name it)")
            .arg(path_);
    }
    if (who.appName.isEmpty()) {
        return QCoreApplication::translate("Report", "pid %1").arg(who.pid);
    }
    if (who.hostName.isEmpty()) {
        return QCoreApplication::translate("Report", "%1 (pid %2)").arg(who.appName).arg(who.pid);
    }
    return QCoreApplication::translate("Report", "%1 (pid %2, %3)")
        .arg(who.appName)
        .arg(who.pid)
        .arg(who.hostName);
}
