// SPDX-License-Identifier: MIT
#include "dataset/DataSetWriter.h"

#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "dataset/ListFile.h"

#include <QDir>

DataSetWriter::DataSetWriter(const QString& userFolder, const QString& id, const QString& suffix)
    : staging_(userFolder, id, suffix) {}

void DataSetWriter::begin() {
    staging_.begin();
    treecopy::makeFolder(dataFolder());
}

QString DataSetWriter::dataFolder() const {
    return datasetlayout::dataFolder(staging_.folder());
}

QString DataSetWriter::path(const QString& name) const {
    return dataFolder() + QLatin1Char('/') + name;
}

void DataSetWriter::copyData(const QString& from, const treecopy::Skipped& skipped) const {
    treecopy::copyDataFolder(from, dataFolder(), skipped);
}

void DataSetWriter::writeList(const QString& name, const QStringList& lines) const {
    listfile::save(path(name), lines);
}

void DataSetWriter::writeFile(const QString& name, const QByteArray& bytes) const {
    listfile::writeWhole(path(name), bytes);
}

void DataSetWriter::writeStandardSlots(const ManagerInfo& info, const QStringList& tables,
                                       const QStringList& entries, const QStringList& names) const {
    writeList(info.tableList, tables);
    writeList(info.standardEntryList, entries);
    writeList(info.filesList, QStringList(tables.size(), info.placeholder));
    writeList(info.sizeList, QStringList(tables.size(), QStringLiteral("0")));
    if (!info.newNamesList.isEmpty()) {
        writeList(info.newNamesList, names);
    }
}

void DataSetWriter::writeVolumes(const QStringList& offsets, const QStringList& standard) const {
    writeList(managers::kVolumeOffsetsList, offsets);
    writeList(managers::kStandardVolumesList, standard);
    writeList(managers::kVolumesList, standard);
}

void DataSetWriter::writeMemoryIni(const QStringList& lines) const {
    writeFile(datasetlayout::kMemoryIni, listfile::encode(lines));
}

void DataSetWriter::writePreviews(const std::vector<QByteArray>& jpegs) const {
    const QString folder = path(datasetlayout::kPreviewFolder);
    if (!QDir().mkpath(folder)) {
        throw errors::cannotCreateFile(folder);
    }
    writePreviewsInto(dataFolder(), jpegs);
}

void DataSetWriter::writePreviewsInto(const QString& dataFolder,
                                      const std::vector<QByteArray>& jpegs) {
    for (std::size_t i = 0; i < jpegs.size(); ++i) {
        listfile::writeWhole(
            dataFolder + QLatin1Char('/') + datasetlayout::previewFile(qsizetype(i)), jpegs[i]);
    }
}

void DataSetWriter::makeRequiredPatchFolder() const {
    treecopy::makeFolder(path(datasetlayout::kRequiredPatchFolder));
}

void DataSetWriter::writeRequiredPatch(const QString& name, const QStringList& lines) const {
    writeFile(datasetlayout::requiredPatchFile(name), listfile::encode(lines));
}
