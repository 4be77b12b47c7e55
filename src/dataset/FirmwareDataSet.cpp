#include "dataset/FirmwareDataSet.h"

#include "base/TarvexError.h"
#include "dataset/ListFile.h"

#include <QFile>

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

void FirmwareDataSet::saveSlotLists() const {
    for (const ManagerInfo* info : managers::all()) {
        if (!isAvailable(*info)) {
            continue;
        }
        QStringList names = info->saveOrder;
        if (info->kind == ManagerKind::Melodies && map_.volumePatchAvailable) {
            names.append(managers::kVolumesList);
        }
        for (const QString& name : names) {
            // A list that was never read (start-up stopped before it) holds
            // nothing of the user's; writing it would wipe the file on disk.
            if (loaded_.count(name) != 0) {
                listfile::save(dataFile(name), lists_.at(name));
            }
        }
    }
}

void FirmwareDataSet::loadList(const QString& name) {
    lists_[name] = listfile::load(dataFile(name));
    loaded_.insert(name);
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
