// SPDX-License-Identifier: MIT
#include "dataset/FirmwareDataSet.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "dataset/ListFile.h"
#include "dataset/ListJournal.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QStringList& volumeLists() {
    static const QStringList names{managers::kVolumeOffsetsList, managers::kStandardVolumesList,
                                   managers::kVolumesList};
    return names;
}

} // namespace

FirmwareDataSet::FirmwareDataSet(const QString& firmwareFolder) : firmwareFolder_(firmwareFolder) {}

QString FirmwareDataSet::dataFolder() const {
    return datasetlayout::dataFolder(firmwareFolder_);
}

QString FirmwareDataSet::dataFile(const QString& name) const {
    return dataFolder() + QLatin1Char('/') + name;
}

QString FirmwareDataSet::workFolder(const ManagerInfo& info) const {
    return firmwareFolder_ + QLatin1Char('/') + info.workFolder;
}

QString FirmwareDataSet::workFile(const ManagerInfo& info, const QString& bareName) const {
    return workFolder(info) + QLatin1Char('/') + bareName;
}

void FirmwareDataSet::requirePlainWorkFolder(const ManagerInfo& info) const {
    const QFileInfo folder(workFolder(info));
    // A missing folder is no danger: writing into it fails on its own.
    if (folder.isSymLink() || (folder.exists() && !folder.isDir())) {
        throw TarvexError(QCoreApplication::translate(
                              "Report", "The working folder %1 is a link or not a folder: nothing "
                                        "is written into it or deleted from it")
                              .arg(workFolder(info)));
    }
}

void FirmwareDataSet::requirePlainFolder(const QString& path) const {
    // The Data folder too: a link there leads everything below it elsewhere.
    for (const QString& place : {dataFolder(), path}) {
        const QFileInfo folder(place);
        if (folder.isSymLink() || (folder.exists() && !folder.isDir())) {
            throw TarvexError(
                QCoreApplication::translate(
                    "Report", "The folder %1 is a link or not a folder: nothing is written into it")
                    .arg(place));
        }
    }
}

void FirmwareDataSet::readMemoryMap() {
    map_ = ::readMemoryMap(dataFile(datasetlayout::kMemoryIni));
}

void FirmwareDataSet::computeTotals() {
    totals_ = computeMemoryTotals(map_);
}

std::int32_t FirmwareDataSet::total(const ManagerInfo& info) const {
    return totals_.*info.total;
}

bool FirmwareDataSet::volumesAvailable() const {
    return map_.melodyPageAvailable && map_.volumePatchAvailable;
}

void FirmwareDataSet::createSlotLists() {
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        for (const QString& name : info->loadOrder) {
            lists_[name];
        }
        if (info->keepsVolumeLists) {
            for (const QString& name : volumeLists()) {
                lists_[name];
            }
        }
    }
}

void FirmwareDataSet::loadSlotLists() {
    const ListJournal journal(dataFolder()); // its marker is read once for every list
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        for (const QString& name : listsToLoad(*info)) {
            loadList(journal, name);
        }
        if (!info->helpFile.isEmpty()) {
            QFile file;
            QString reason;
            if (!fileops::openRegular(file, dataFile(info->helpFile), &reason)) {
                throw errors::cannotOpenFile(dataFile(info->helpFile), reason);
            }
            helpTexts_[info->helpFile] = file.readAll();
        }
    }
}

QStringList FirmwareDataSet::listsToLoad(const ManagerInfo& info) const {
    QStringList names = info.loadOrder;
    if (info.keepsVolumeLists && map_.volumePatchAvailable) {
        names += volumeLists();
    }
    return names;
}

QStringList FirmwareDataSet::changeableLists() const {
    QStringList names;
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        names += info->saveOrder;
        if (info->keepsVolumeLists && map_.volumePatchAvailable) {
            names.append(managers::kVolumesList);
        }
    }
    return names;
}

void FirmwareDataSet::saveSlotLists() const {
    // Every list is encoded before anything is written, so a line the code
    // page cannot hold stops the save with the files untouched.
    QList<std::pair<QString, QByteArray>> files;
    for (const QString& name : changeableLists()) {
        // A list that was never read (start-up stopped before it) holds
        // nothing of the user's; writing it would wipe the file on disk. One
        // cut at a NUL would lose the text after it.
        if (loaded_.count(name) != 0 && cuts_.count(name) == 0) {
            files.append({name, listfile::encode(lists_.at(name))});
        }
    }
    if (!files.isEmpty() || !stagedCopies_.isEmpty()) {
        try {
            ListJournal(dataFolder()).save(files, stagedCopies_);
        } catch (const TarvexError&) {
            // The journal dropped the staged copies; the placed ones are
            // named by no list on disk either.
            for (const QString& copy : std::as_const(placedCopies_)) {
                fileops::removeFileOrLink(copy);
            }
            placedCopies_.clear();
            stagedCopies_.clear();
            throw;
        }
        stagedCopies_.clear();
    }
    placedCopies_.clear();
}

void FirmwareDataSet::notePlacedCopy(const ManagerInfo& info, const QString& bareName) const {
    placedCopies_.append(workFile(info, bareName));
}

void FirmwareDataSet::dropUnnamedWorkingCopies() const {
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info) || !isLoaded(info->filesList) || !cutRefusal(*info).isEmpty() ||
            !fileops::isPlainFolder(workFolder(*info))) {
            continue;
        }
        const QStringList& named = list(info->filesList);
        const QStringList present =
            QDir(workFolder(*info)).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : present) {
            const bool inUse = std::any_of(named.begin(), named.end(), [&](const QString& n) {
                return fileops::sameFileName(n, name);
            });
            if (!inUse) {
                fileops::removeFileOrLink(workFile(*info, name));
            }
        }
    }
}

QString FirmwareDataSet::stageWorkFile(const ManagerInfo& info, const QString& bareName) const {
    const QString entry = ListJournal::workingCopyEntry(info.workFolder, bareName);
    if (!stagedCopies_.contains(entry)) {
        stagedCopies_.append(entry);
    }
    return ListJournal::stagedPath(workFile(info, bareName));
}

void FirmwareDataSet::recoverInterruptedSave() const {
    if (QFileInfo(dataFolder()).isDir()) {
        ListJournal(dataFolder()).recover();
    }
}

FirmwareDataSet::ListRead FirmwareDataSet::loadList(const ListJournal& journal,
                                                    const QString& name) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, journal.pathToRead(name), &reason)) {
        throw errors::cannotOpenFile(dataFile(name), reason);
    }
    // Read in blocks straight into the lines: no copy of the whole file.
    QStringList lines;
    ListRead read;
    if (!textlines::collectLines(file, lines, &read.nulLine, listfile::kLongestLine,
                                 &read.longLine)) {
        throw errors::streamRead();
    }
    // Grown by doubling while read: a list of a million lines would keep
    // room for as many more.
    lines.squeeze();
    lists_[name] = std::move(lines);
    loaded_.insert(name);
    cuts_.erase(name);
    if (read.nulLine > 0 || read.longLine > 0) {
        const bool nul = read.nulLine > 0 && (read.longLine == 0 || read.nulLine <= read.longLine);
        cuts_[name] = {name, nul ? read.nulLine : read.longLine, nul};
    }
    return read;
}

QStringList FirmwareDataSet::managerLists(const ManagerInfo& info) const {
    QStringList names = info.loadOrder;
    if (info.keepsVolumeLists) {
        names += volumeLists();
    }
    return names;
}

QList<FirmwareDataSet::CutList> FirmwareDataSet::cutLists() const {
    QList<CutList> cuts;
    for (const ManagerInfo* info : managers::all()) {
        for (const QString& name : managerLists(*info)) {
            if (const auto it = cuts_.find(name); it != cuts_.end()) {
                cuts.append(it->second);
            }
        }
    }
    return cuts;
}

QString FirmwareDataSet::cutRefusal(const ManagerInfo& info) const {
    for (const QString& name : managerLists(info)) {
        const auto it = cuts_.find(name);
        if (it == cuts_.end()) {
            continue;
        }
        const QString what =
            it->second.nul
                ? QCoreApplication::translate("Report", "the list holds a NUL character, so what "
                                                        "follows it could not be read")
                : QCoreApplication::translate(
                      "Report", "the line is longer than %1 characters, which no list line is")
                      .arg(listfile::kLongestLine);
        return QCoreApplication::translate(
                   "Report", "%1:%2: %3; nothing of the %4 manager is changed while it is there")
            .arg(dataFile(name))
            .arg(it->second.line)
            .arg(what, info.id);
    }
    return {};
}

void FirmwareDataSet::setList(const QString& name, const QStringList& lines) {
    lists_[name] = lines;
    loaded_.insert(name);
}

void FirmwareDataSet::releaseLists(const ManagerInfo& info) {
    for (const QString& name : managerLists(info)) {
        lists_.erase(name);
        loaded_.erase(name);
        cuts_.erase(name);
    }
}

const QStringList& FirmwareDataSet::list(const QString& name) const {
    static const QStringList empty;
    const auto it = lists_.find(name);
    return it == lists_.end() ? empty : it->second;
}

QStringList& FirmwareDataSet::mutableList(const QString& name) {
    return lists_[name];
}

QString FirmwareDataSet::line(const QString& listName, qsizetype i) const {
    const QStringList& lines = list(listName);
    if (i < 0 || i >= lines.size()) {
        throw errors::listIndexOutOfBounds(i);
    }
    return lines[i];
}

void FirmwareDataSet::setLine(const QString& listName, qsizetype i, const QString& value) {
    QStringList& lines = mutableList(listName);
    if (i < 0 || i >= lines.size()) {
        throw errors::listIndexOutOfBounds(i);
    }
    lines[i] = value;
}

qsizetype FirmwareDataSet::slotCount(const ManagerInfo& info) const {
    return list(info.namesList).size();
}

QByteArray FirmwareDataSet::helpText(const ManagerInfo& info) const {
    const auto it = helpTexts_.find(info.helpFile);
    return it == helpTexts_.end() ? QByteArray() : it->second;
}
