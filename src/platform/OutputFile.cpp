// SPDX-License-Identifier: MIT
#include "platform/OutputFile.h"

#include "base/TarvexError.h"
#include "platform/CheckedSaveFile.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The system's own write, so that its reason (errno) is kept: QFile's error
// text for a handle it did not open is often only "Unknown error".
bool writeAll(int handle, const char* data, qint64 size, QString& reason) {
    while (size > 0) {
#ifdef Q_OS_WIN
        const int chunk = int(std::min<qint64>(size, 1 << 30));
        const auto written = ::_write(handle, data, unsigned(chunk));
#else
        const auto written = ::write(handle, data, std::size_t(size));
#endif
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// A path to write into as it stands: standard output, or an existing thing
// that is neither a regular file nor a folder (a link to one is followed).
bool writesDirectly(const QString& path) {
    if (OutputFile::isStandardOutput(path)) {
        return true;
    }
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString shownName(const QString& path) {
    return OutputFile::isStandardOutput(path)
               ? QCoreApplication::translate("TarvexError", "standard output")
               : path;
}

} // namespace

TarvexError OutputFile::writeError(const QString& path, const QString& reason) {
    if (isStandardOutput(path)) {
        return TarvexError(
            QCoreApplication::translate("TarvexError", "Cannot write to standard output"), reason);
    }
    return errors::cannotWriteFile(path, reason);
}

OutputFile::OutputFile(QString path) : path_(std::move(path)) {}

OutputFile::~OutputFile() = default;

void OutputFile::open() {
    direct_ = writesDirectly(path_);
    if (!direct_) {
        saveFile_ = std::make_unique<CheckedSaveFile>(path_);
        if (!saveFile_->open()) {
            throw errors::cannotCreateFile(path_, saveFile_->errorString());
        }
        return;
    }
    // Unbuffered: every write reaches the system at once, so its failure is
    // seen at the write that caused it.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    bool opened = false;
    if (isStandardOutput(path_)) {
        std::fflush(stdout);
        opened = stream_.open(fileno(stdout), mode, QFileDevice::DontCloseHandle);
    } else {
#ifdef Q_OS_WIN
        stream_.setFileName(path_);
        opened = stream_.open(mode);
#else
        // A FIFO nobody reads is refused after a while, never waited on for ever.
        QString reason;
        const int fd = fileops::openStreamWithoutHanging(path_, true, &reason);
        if (fd < 0) {
            throw errors::cannotCreateFile(path_, reason);
        }
        opened = stream_.open(fd, mode, QFileDevice::AutoCloseHandle);
        if (!opened) {
            ::close(fd);
        }
#endif
    }
    if (!opened) {
        throw errors::cannotCreateFile(shownName(path_), stream_.errorString());
    }
}

void OutputFile::write(const char* data, qint64 size) {
    if (saveFile_) {
        if (!saveFile_->write(data, size)) {
            throw writeError(path_, saveFile_->errorString());
        }
        return;
    }
    QString reason;
    if (!writeAll(stream_.handle(), data, size, reason)) {
        throw writeError(path_, reason);
    }
}

void OutputFile::commit() {
    if (saveFile_) {
        if (!saveFile_->commit()) {
            throw errors::cannotCreateFile(path_, saveFile_->errorString());
        }
        saveFile_.reset();
        return;
    }
    stream_.close();
}
