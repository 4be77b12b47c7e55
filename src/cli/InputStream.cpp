// SPDX-License-Identifier: MIT
#include "cli/InputStream.h"

#include "base/TarvexError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace cli {

bool isStandardInput(const QString& path) {
    return path == QLatin1String("-");
}

bool openStream(QFile& stream, const QString& path) {
    if (isStandardInput(path)) {
        if (!stream.open(fileno(stdin), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            throw errors::cannotOpenFile(QStringLiteral("standard input"), stream.errorString());
        }
        return true;
    }
    const QFileInfo info(path); // stat(): the type is known without opening it
    if (!info.exists() || info.isFile() || info.isDir()) {
        return false;
    }
    stream.setFileName(path);
    if (!stream.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(path, stream.errorString());
    }
    return true;
}

void spool(QFile& stream, QTemporaryFile& copy, const QByteArray& taken) {
    if (!copy.open() || copy.write(taken) != taken.size()) {
        throw errors::cannotCreateFile(copy.fileName(), copy.errorString());
    }
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = stream.read(block.data(), block.size());
        if (got < 0) {
            throw errors::streamRead();
        }
        if (got == 0) {
            break;
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
