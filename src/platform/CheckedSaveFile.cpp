// SPDX-License-Identifier: MIT
#include "platform/CheckedSaveFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kEarlyWriteBytes = 256 * 1024;

bool syncToDisk(int handle) {
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

// Replaces the directory entry `to` (a link included) with `from` in one step.
bool renameReplacing(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                       reinterpret_cast<const wchar_t*>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Qt does not always keep the reason of a failed write (a short write leaves
// "Unknown error"); the system's own is more telling.
QString writeFailure(const QFileDevice& file) {
    return errno != 0 ? systemReason() : file.errorString();
}

} // namespace

CheckedSaveFile::CheckedSaveFile(QString path) : path_(std::move(path)) {}

CheckedSaveFile::~CheckedSaveFile() {
    cancel();
}

bool CheckedSaveFile::fail(const QString& reason) {
    if (error_.isEmpty()) {
        error_ = reason.isEmpty() ? QCoreApplication::translate("Report", "Unknown error") : reason;
    }
    cancel();
    return false;
}

bool CheckedSaveFile::open() {
    const QFileInfo target(path_);
    if (target.isDir() && !target.isSymLink()) {
        return fail(QCoreApplication::translate("Report", "Is a directory"));
    }
    temp_ = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") +
                                             target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp_->open()) {
        return fail(temp_->errorString());
    }
    return true;
}

bool CheckedSaveFile::write(const char* data, qint64 size) {
    if (!temp_) {
        return false;
    }
    [[maybe_unused]] const qint64 start = temp_->pos();
    errno = 0;
    if (temp_->write(data, size) != size) {
        return fail(writeFailure(*temp_));
    }
#ifdef Q_OS_LINUX
    // A large file is handed to the disk while the rest is still being made,
    // so that the sync before the rename has little left to wait for.
    if (size >= kEarlyWriteBytes && temp_->flush()) {
        ::sync_file_range(temp_->handle(), start, size, SYNC_FILE_RANGE_WRITE);
    }
#endif
    return true;
}

bool CheckedSaveFile::commit() {
    if (!temp_) {
        return false;
    }
    // QSaveFile::commit() can rename an empty file into place when the error
    // shows only in its final flush, so every step is checked here.
    errno = 0;
    if (!temp_->flush() || temp_->error() != QFileDevice::NoError) {
        return fail(writeFailure(*temp_));
    }
    if (!syncToDisk(temp_->handle())) {
        return fail(systemReason());
    }
    // The temporary file is created private; the saved file gets the usual
    // permissions of a new file.
    temp_->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                          QFileDevice::ReadGroup | QFileDevice::ReadOther);
    temp_->close();
    if (!renameReplacing(temp_->fileName(), path_)) {
        return fail(systemReason());
    }
    temp_->setAutoRemove(false);
    temp_.reset();
    return true;
}

void CheckedSaveFile::cancel() {
    temp_.reset(); // QTemporaryFile removes its file
}
