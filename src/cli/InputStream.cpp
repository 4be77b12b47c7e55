// SPDX-License-Identifier: MIT
#include "cli/InputStream.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace cli {

namespace {

constexpr qint64 kLargestStream = qint64(256) << 20;

} // namespace

bool isStandardInput(const QString& path) {
    return path == QLatin1String("-");
}

bool openStream(QFile& stream, const QString& path) {
    if (isStandardInput(path)) {
        if (!stream.open(fileno(stdin), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            throw errors::cannotOpenFile(Report::tr("standard input"), stream.errorString());
        }
        return true;
    }
    const QFileInfo info(path); // stat(): the type is known without opening it
    if (!info.exists() || info.isFile() || info.isDir()) {
        return false;
    }
#ifdef Q_OS_WIN
    stream.setFileName(path);
    if (!stream.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(path, stream.errorString());
    }
#else
    // A FIFO nobody writes into is refused after a while, never waited on for ever.
    QString reason;
    const int fd = fileops::openStreamWithoutHanging(path, false, &reason);
    if (fd < 0) {
        throw errors::cannotOpenFile(path, reason);
    }
    if (!stream.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw errors::cannotOpenFile(path, stream.errorString());
    }
#endif
    return true;
}

void spool(QFile& stream, QTemporaryFile& copy, const QByteArray& taken) {
    if (!copy.open() || copy.write(taken) != taken.size()) {
        throw errors::cannotCreateFile(copy.fileName(), copy.errorString());
    }
    QByteArray block(64 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 got = stream.read(block.data(), block.size());
        if (got < 0) {
            throw errors::streamRead();
        }
        if (got == 0) {
            break;
        }
        // A stream without end (a device such as /dev/urandom) must not
        // fill the disk: no patch or file a command takes is this large.
        total += got;
        if (total > kLargestStream) {
            throw TarvexError(
                Report::tr("%1 holds more than %2 MiB: it is not read")
                    .arg(stream.fileName().isEmpty() ? Report::tr("The input") : stream.fileName())
                    .arg(kLargestStream >> 20));
        }
        if (copy.write(block.constData(), got) != got) {
            throw errors::cannotCreateFile(copy.fileName(), copy.errorString());
        }
    }
    if (!copy.flush()) {
        throw errors::cannotCreateFile(copy.fileName(), copy.errorString());
    }
}

} // namespace cli
