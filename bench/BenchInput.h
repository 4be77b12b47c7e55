// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// A file of `size` bytes that look like firmware data rather than a pattern
// the writer could take a short cut on, at path.
inline QString writeBenchInput(const QString& path, std::int64_t size) {
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = char((i * 131) ^ (i >> 7));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}
