// SPDX-License-Identifier: MIT
#include "dataset/ListJournal.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "base/TextLines.h"
#include "dataset/ListFile.h"
#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString& kNewSuffix = fileops::staging::kNewList;
// Longer than any name a marker of ours holds; longer lines are not kept.
constexpr qsizetype kLongestEntry = 1024;

// A plain file of its own: not a link, a folder, a FIFO or a device.
bool isPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

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

// The lines of a plain file as a reader of lists counts them (a NUL ends the
// text); nothing when it cannot be read.
std::optional<qsizetype> lineCount(const QString& path) {
    QFile file;
    if (!isPlainFile(path) || !fileops::openRegular(file, path)) {
        return std::nullopt;
    }
    qsizetype lines = 0;
    textlines::LineSplitter splitter([](QStringView) {}, [&] { ++lines; });
    if (!splitter.readAll(file)) {
        return std::nullopt;
    }
    return lines;
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
    return fileops::staging::kListsCommit;
}

QString ListJournal::path(const QString& name) const {
    return folder_ + QLatin1Char('/') + name;
}

void ListJournal::save(const QList<std::pair<QString, QByteArray>>& files,
                       const QStringList& stagedCopies) const {
    QStringList names;
    // A failed save leaves nothing behind: neither its new lists nor the
    // working copies that were to take their places with it.
    const auto dropNewFiles = [&] {
        for (const QString& written : names + stagedCopies) {
            fileops::removeFileOrLink(path(written + kNewSuffix));
        }
    };
    for (const auto& [name, bytes] : files) {
        // A folder in a list's place could never be renamed over: stop
        // before anything is committed.
        for (const QString& place : {path(name), path(name + kNewSuffix)}) {
            if (QFileInfo(place).isDir()) {
                dropNewFiles();
                throw errors::cannotCreateFile(
                    place, QCoreApplication::translate("Report", "Is a directory"));
            }
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
    finish(names, true);
}

void ListJournal::finish(const QStringList& names, bool ownSave) const {
    QStringList pending;
    // Every file is looked at before the first rename: a save either
    // finishes whole or changes nothing.
    for (const QString& name : names) {
        const QString fresh = path(name + kNewSuffix);
        if (!QFileInfo(fresh).exists() && !QFileInfo(fresh).isSymLink()) {
            continue; // renamed before a kill, or never written
        }
        if (!(ownSave ? isPlainFile(fresh) : isStagedFile(name))) {
            throw unfinished(
                QCoreApplication::translate("Report", "%1 is not a file this program wrote")
                    .arg(fresh));
        }
        pending.append(name);
    }
    for (const QString& name : std::as_const(pending)) {
        const QString fresh = path(name + kNewSuffix);
        if (!renameOver(fresh, path(name))) {
            // The system's reason goes apart, so that it is shown only in our language.
            throw unfinished(QCoreApplication::translate("Report", "%1 could not replace %2")
                                 .arg(fresh, path(name)),
                             QString::fromLocal8Bit(std::strerror(errno)));
        }
    }
    syncFolder(folder_);
    QFile::remove(path(markerName()));
    committed_.reset();
}

TarvexError ListJournal::unfinished(const QString& why, const QString& reason) const {
    return TarvexError(QCoreApplication::translate(
                           "Report",
                           "The save recorded in %1 could not be finished: %2. Nothing is changed "
                           "until it is: put the new files it names in place by hand, or remove "
                           "%1 to keep the old ones")
                           .arg(path(markerName()), why),
                       reason);
}

bool ListJournal::isStagedFile(const QString& name) const {
    const QString fresh = path(name + kNewSuffix);
    if (!isPlainFile(fresh)) {
        return false;
    }
    if (isWorkingCopyEntry(name)) {
        return true;
    }
    // A save changes lines, never their number: a new list of another
    // length (or beside a list that cannot be read) is not one of ours.
    const std::optional<qsizetype> now = lineCount(path(name));
    return now && lineCount(fresh) == now;
}

bool ListJournal::isAcceptedEntry(const QString& entry) const {
    if (isWorkingCopyEntry(entry)) {
        const QString folder = entry.section(QLatin1Char('/'), 0, 1);
        return fileops::isPlainFolder(path(folder));
    }
    for (const ManagerInfo* info : managers::all()) {
        if (info->saveOrder.contains(entry)) {
            return true;
        }
    }
    return entry == managers::kVolumesList;
}

QStringList ListJournal::committedNames() const {
    if (committed_) {
        return *committed_;
    }
    committed_.emplace();
    // Only a plain file can be a marker of ours; anything else (a FIFO
    // included) is never opened.
    if (!isPlainFile(path(markerName()))) {
        return {};
    }
    QFile marker;
    if (!fileops::openRegular(marker, path(markerName()))) {
        return {};
    }
    // Read in blocks, keeping only lines short enough to be a name: a huge
    // planted marker costs time, not memory.
    QString line;
    bool tooLong = false;
    textlines::LineSplitter splitter(
        [&](QStringView piece) {
            tooLong = tooLong || line.size() + piece.size() > kLongestEntry;
            if (!tooLong) {
                line += piece;
            }
        },
        [&] {
            // Only lists and working copies: a marker is never a way to
            // rename other files.
            if (!tooLong && isAcceptedEntry(line)) {
                committed_->append(line);
            }
            line.clear();
            tooLong = false;
        });
    splitter.readAll(marker);
    return *committed_;
}

void ListJournal::recover() const {
    const QFileInfo marker(path(markerName()));
    if (marker.exists() || marker.isSymLink()) {
        if (!isPlainFile(marker.filePath())) {
            throw unfinished(QCoreApplication::translate("Report", "it is not a plain file"));
        }
        committed_.reset(); // what the marker names now
        finish(committedNames(), false);
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
    // New working copies of an unfinished save, and the temporary files of
    // copies a kill cut short: no list names them.
    for (const ManagerInfo* info : managers::all()) {
        const QString work = path(QStringLiteral("../") + info->workFolder);
        if (!fileops::isPlainFolder(work)) {
            continue;
        }
        const QStringList staged =
            QDir(work).entryList({QStringLiteral("*") + kNewSuffix,
                                  QStringLiteral(".*") + kNewSuffix + QStringLiteral(".*")},
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
    if (committedNames().contains(name) && isStagedFile(name)) {
        return path(name + kNewSuffix);
    }
    return path(name);
}
