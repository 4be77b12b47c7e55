// SPDX-License-Identifier: MIT
#include "dataset/TreeCopy.h"

#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace treecopy {

void makeFolder(const QString& path) {
    errno = 0;
    if (!QDir().mkpath(path)) {
        throw errors::cannotCreateFile(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

void copyFile(const QFileInfo& source, const QString& target, const Skipped& skipped) {
    if (source.isSymLink() || !source.isFile()) {
        skipped(source);
        return;
    }
    QString reason;
    if (!fileops::copyReplacing(source.filePath(), target, &reason)) {
        if (reason.isEmpty()) {
            QFile file(source.filePath());
            file.open(QIODevice::ReadOnly);
            throw errors::cannotOpenFile(source.filePath(), file.errorString());
        }
        throw errors::cannotCreateFile(target, reason);
    }
}

void copy(const QString& from, const QString& to, const Skipped& skipped) {
    makeFolder(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QFileInfo info = it.fileInfo();
        const QString target = to + source.mid(from.size());
        if (info.isDir() && !info.isSymLink()) {
            makeFolder(target);
        } else {
            copyFile(info, target, skipped);
        }
    }
}

} // namespace treecopy
