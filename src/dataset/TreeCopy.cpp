// SPDX-License-Identifier: MIT
#include "dataset/TreeCopy.h"

#include "base/TarvexError.h"
#include "dataset/ListJournal.h"
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
            QFile file;
            fileops::openRegular(file, source.filePath(), &reason);
            throw errors::cannotOpenFile(source.filePath(), reason);
        }
        throw errors::cannotCreateFile(target, reason);
    }
}

namespace {

void copyTree(const QString& from, const QString& to, const Skipped& skipped,
              const ListJournal* journal) {
    makeFolder(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = source.mid(from.size() + 1);
        const QString target = to + QLatin1Char('/') + relative;
        const bool topLevel = journal != nullptr && !relative.contains(QLatin1Char('/'));
        if (topLevel &&
            (relative.startsWith(QLatin1Char('.')) || relative.endsWith(QLatin1String(".new")))) {
            continue; // a save's marker and new lists, temporary files
        }
        if (info.isDir() && !info.isSymLink()) {
            makeFolder(target);
        } else if (topLevel && journal->pathToRead(relative) != source) {
            copyFile(QFileInfo(journal->pathToRead(relative)), target, skipped);
        } else {
            copyFile(info, target, skipped);
        }
    }
}

} // namespace

void copy(const QString& from, const QString& to, const Skipped& skipped) {
    copyTree(from, to, skipped, nullptr);
}

void copyDataFolder(const QString& from, const QString& to, const Skipped& skipped) {
    const ListJournal journal(from);
    copyTree(from, to, skipped, &journal);
}

} // namespace treecopy
