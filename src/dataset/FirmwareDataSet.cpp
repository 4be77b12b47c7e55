#include "dataset/FirmwareDataSet.h"

#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "dataset/ListJournal.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QStringList& volumeLists() {
    static const QStringList names{managers::kVolumeOffsetsList, managers::kStandardVolumesList,
                                   managers::kVolumesList};
    return names;
}

} // namespace

FirmwareDataSet::FirmwareDataSet(const QString& firmwareFolder) : firmwareFolder_(firmwareFolder) {}

QString FirmwareDataSet::dataFolder() const {
    return firmwareFolder_ + QStringLiteral("/Data");
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
        throw TarvexError(QStringLiteral("The working folder %1 is a link or not a folder: nothing "
                                         "is written into it or deleted from it")
                              .arg(workFolder(info)));
    }
}

void FirmwareDataSet::readMemoryMap() {
    map_ = ReadMemoryMap(dataFile(QStringLiteral("Memory.ini")));
}

void FirmwareDataSet::computeTotals() {
    totals_ = ComputeMemoryTotals(map_);
}

std::int32_t FirmwareDataSet::total(const ManagerInfo& info) const {
    switch (info.kind) {
    case ManagerKind::Melodies:
        return totals_.melodies;
    case ManagerKind::Java:
        return totals_.java;
    case ManagerKind::Pictures:
        return totals_.pictures;
    }
    return 0;
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
        if (info->kind == ManagerKind::Melodies) {
            for (const QString& name : volumeLists()) {
                lists_[name];
            }
        }
    }
}

void FirmwareDataSet::loadSlotLists() {
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        for (const QString& name : info->loadOrder) {
            loadList(name);
        }
        if (info->kind == ManagerKind::Melodies && map_.volumePatchAvailable) {
            for (const QString& name : volumeLists()) {
                loadList(name);
            }
        }
        if (!info->helpFile.isEmpty()) {
            QFile file(dataFile(info->helpFile));
            if (!file.open(QIODevice::ReadOnly)) {
                throw errors::cannotOpenFile(file.fileName(), file.errorString());
            }
            helpTexts_[info->helpFile] = file.readAll();
        }
    }
}

QStringList FirmwareDataSet::changeableLists() const {
    QStringList names;
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        names += info->saveOrder;
        if (info->kind == ManagerKind::Melodies && map_.volumePatchAvailable) {
            names.append(managers::kVolumesList);
        }
    }
    return names;
}

void FirmwareDataSet::saveSlotLists() const {
    if (!unreportedCuts_.isEmpty()) {
        throw TarvexError(
            QStringLiteral("The list %1 held a NUL character and was not written back")
                .arg(dataFile(unreportedCuts_.first())));
    }
    // Every list is encoded before anything is written, so a line the code
    // page cannot hold stops the save with the files untouched.
    QList<std::pair<QString, QByteArray>> files;
    for (const QString& name : changeableLists()) {
        // A list that was never read (start-up stopped before it) holds
        // nothing of the user's; writing it would wipe the file on disk.
        if (loaded_.count(name) != 0) {
            files.append({name, listfile::encode(lists_.at(name))});
        }
    }
    if (!files.isEmpty() || !stagedCopies_.isEmpty()) {
        ListJournal(dataFolder()).save(files, stagedCopies_);
        stagedCopies_.clear();
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

void FirmwareDataSet::loadList(const QString& name) {
    const QString path = ListJournal(dataFolder()).pathToRead(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(dataFile(name), file.errorString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw errors::streamRead();
    }
    lists_[name] = listfile::decode(bytes);
    loaded_.insert(name);
    // The text after a NUL is dropped on reading; writing the list back would
    // lose it for good, so the user must hear of it first.
    if (bytes.contains('\0') && changeableLists().contains(name)) {
        nulCut_.append(name);
        unreportedCuts_.append(name);
    }
}

void FirmwareDataSet::setList(const QString& name, const QStringList& lines) {
    lists_[name] = lines;
    loaded_.insert(name);
}

void FirmwareDataSet::releaseLists(const ManagerInfo& info) {
    QStringList names = info.loadOrder;
    if (info.kind == ManagerKind::Melodies) {
        names += volumeLists();
    }
    for (const QString& name : names) {
        lists_.erase(name);
        loaded_.erase(name);
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
