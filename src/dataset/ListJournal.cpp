#include "dataset/ListJournal.h"

#include "base/TarvexError.h"
#include "base/TextLines.h"
#include "dataset/ListFile.h"
#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString kNewSuffix = QStringLiteral(".new");

// Makes the renames of the folder durable, where the system allows it.
void syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

bool renameOver(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    QFile::remove(to);
    return QFile::rename(from, to);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

ListJournal::ListJournal(QString folder) : folder_(std::move(folder)) {}

QString ListJournal::markerName() {
    return QStringLiteral(".lists.commit");
}

QString ListJournal::path(const QString& name) const {
    return folder_ + QLatin1Char('/') + name;
}

void ListJournal::save(const QList<std::pair<QString, QByteArray>>& files,
                       const QStringList& stagedCopies) const {
    QStringList names;
    const auto dropNewFiles = [&] {
        for (const QString& written : names) {
            QFile::remove(path(written + kNewSuffix));
        }
    };
    for (const auto& [name, bytes] : files) {
        // A folder in a list's place could never be renamed over: stop
        // before anything is committed.
        if (QFileInfo(path(name)).isDir()) {
            dropNewFiles();
            throw errors::cannotCreateFile(path(name), QStringLiteral("Is a directory"));
        }
        try {
            listfile::writeWhole(path(name + kNewSuffix), bytes);
        } catch (const TarvexError& error) {
            dropNewFiles();
            throw errors::cannotCreateFile(path(name), error.reason());
        }
        names.append(name);
    }
    names += stagedCopies;
    // From the moment the marker is complete the save counts as made.
    try {
        listfile::writeWhole(path(markerName()), textlines::encode(names));
    } catch (const TarvexError&) {
        dropNewFiles();
        throw;
    }
    syncFolder(folder_);
    finish(names);
}

void ListJournal::finish(const QStringList& names) const {
    for (const QString& name : names) {
        const QString fresh = path(name + kNewSuffix);
        if (QFileInfo::exists(fresh) && !renameOver(fresh, path(name))) {
            throw errors::cannotCreateFile(path(name),
                                           QStringLiteral("the new list could not replace it"));
        }
    }
    syncFolder(folder_);
    QFile::remove(path(markerName()));
}

QStringList ListJournal::committedNames() const {
    QFile marker(path(markerName()));
    if (!marker.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList names;
    for (const QString& name : textlines::decode(marker.readAll())) {
        // Only lists and working copies: a marker is never a way to rename
        // files elsewhere.
        if (fileops::isSafeBareName(name) || isWorkingCopyEntry(name)) {
            names.append(name);
        }
    }
    return names;
}

void ListJournal::recover() const {
    if (QFileInfo::exists(path(markerName()))) {
        finish(committedNames());
    }
    // What is left was never committed: new lists of an unfinished save and
    // the temporary files of writes a kill cut short.
    const QStringList strays =
        QDir(folder_).entryList({QStringLiteral("*.lst") + kNewSuffix, QStringLiteral(".*.lst*"),
                                 QStringLiteral(".") + markerName() + QStringLiteral(".*")},
                                QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : strays) {
        fileops::removeFileOrLink(path(name));
    }
    for (const ManagerInfo* info : managers::all()) {
        const QString work = path(QStringLiteral("../") + info->workFolder);
        if (!fileops::isPlainFolder(work)) {
            continue;
        }
        const QStringList staged = QDir(work).entryList({QStringLiteral("*") + kNewSuffix},
                                                        QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : staged) {
            fileops::removeFileOrLink(work + QLatin1Char('/') + name);
        }
    }
}

QString ListJournal::workingCopyEntry(const QString& workFolder, const QString& bareName) {
    return QStringLiteral("../") + workFolder + QLatin1Char('/') + bareName;
}

bool ListJournal::isWorkingCopyEntry(const QString& entry) {
    const QStringList parts = entry.split(QLatin1Char('/'));
    if (parts.size() != 3 || parts[0] != QLatin1String("..") ||
        !fileops::isSafeBareName(parts[2])) {
        return false;
    }
    for (const ManagerInfo* info : managers::all()) {
        if (info->workFolder == parts[1]) {
            return true;
        }
    }
    return false;
}

QString ListJournal::stagedPath(const QString& path) {
    return path + kNewSuffix;
}

QString ListJournal::pathToRead(const QString& name) const {
    const QString fresh = path(name + kNewSuffix);
    if (QFileInfo::exists(path(markerName())) && committedNames().contains(name) &&
        QFileInfo::exists(fresh)) {
        return fresh;
    }
    return path(name);
}
