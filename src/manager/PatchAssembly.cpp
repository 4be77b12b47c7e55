// SPDX-License-Identifier: MIT
#include "manager/PatchAssembly.h"

#include "base/LineSplitter.h"
#include "base/Report.h"
#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "dataset/OutputPlace.h"
#include "platform/FileOps.h"
#include "platform/FindFiles.h"
#include "srec/S3Records.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace patch {

std::int32_t baseAddress(const FirmwareDataSet& data, const ManagerInfo& info) {
    const MemoryMap& map = data.memoryMap();
    const std::int32_t start = numeric::toInt(map.*info.regionStart);
    return info.afterStringTable ? numeric::add(start, map.stringTableSize) : start;
}

QStringList requiredPatchFiles(const FirmwareDataSet& data) {
    const QString folder = data.dataFile(datasetlayout::kRequiredPatchFolder);
    if (!fileops::folderExists(folder)) {
        return {};
    }
    FileSearch find;
    find.directory = folder;
    find.fileMask = datasetlayout::kRequiredPatchMask;
    find.fullPath = true;
    find.run();
    QStringList files;
    for (const QString& path : find.files) {
        if (fileops::exists(path)) { // not a folder named like a patch
            files.append(path);
        }
    }
    return files;
}

void appendRequiredPatches(const FirmwareDataSet& data, S3LineList& lines) {
    for (const QString& path : requiredPatchFiles(data)) {
        QFile file;
        QString reason;
        if (!fileops::openRegular(file, path, &reason)) {
            throw errors::cannotOpenFile(path, reason);
        }
        // Read in blocks: no copy of the whole file beside its lines.
        QStringList text;
        if (!textlines::collectLines(file, text)) {
            throw errors::streamRead();
        }
        for (const QString& line : std::as_const(text)) {
            lines.append(line);
        }
    }
}

bool hasNewFile(const SlotTable& table, qsizetype slot) {
    const QString name = table.fileName(slot);
    if (name == table.info().placeholder || table.size(slot) == QLatin1String("0")) {
        return false;
    }
    return fileops::isSafeBareName(name) &&
           fileops::exists(table.data().workFile(table.info(), name));
}

S3LineList build(const SlotTable& table, const PatchHooks& hooks, const Progress& progress) {
    S3Writer collect;
    write(table, hooks, progress, collect);
    return collect.take();
}

void write(const SlotTable& table, const PatchHooks& hooks, const Progress& progress,
           S3Writer& out) {
    const FirmwareDataSet& data = table.data();
    const ManagerInfo& info = table.info();
    std::int32_t placed = 0;
    requireSoundRecords(data, hooks);
    out.append(srec::kHeaderRecord);
    appendRequiredPatches(data, out.buffer());
    out.flushIfFull();
    if (hooks.ownRecords) {
        hooks.ownRecords(data, out.buffer());
        out.flushIfFull();
    }
    const std::int32_t base = baseAddress(data, info);
    const qsizetype walked = data.list(info.filesList).size();
    const qsizetype shown = data.list(info.namesList).size();
    for (qsizetype i = 0; i < walked; ++i) {
        if (progress) {
            progress(info.statusFormat.arg(table.displayName(i), QString::number(i + 1),
                                           QString::number(shown)));
        }
        const QString tableAddress = data.line(info.tableList, i);
        if (hasNewFile(table, i)) {
            const std::int32_t size = numeric::toInt(table.size(i));
            const std::int32_t address = numeric::add(base, placed);
            const QString entry = hooks.placeNewFile(data.workFile(info, table.fileName(i)), size,
                                                     address, out.buffer());
            out.append(srec::tableRecord(tableAddress, entry));
            placed = numeric::add(placed, size);
        } else {
            out.append(srec::tableRecord(tableAddress, data.line(info.standardEntryList, i)));
        }
    }
    out.append(srec::kEndRecord);
}

QString outputRefusal(const FirmwareDataSet& data, const QString& path) {
    return outputplace::refusal(QFileInfo(data.firmwareFolder()).absolutePath(), path);
}

void requireFit(const SlotTable& table) {
    if (table.gauge().overLimit) {
        throw TarvexError(
            QCoreApplication::translate("Report", "The new files do not fit: no patch is built"));
    }
}

void requireSoundRecords(const FirmwareDataSet& data, const PatchHooks& hooks) {
    if (const QString problem = hooks.refusal ? hooks.refusal(data) : QString();
        !problem.isEmpty()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "%1: no patch is built").arg(problem));
    }
}

std::optional<QString> run(SlotTable& table, const PatchHooks& hooks, const Progress& progress,
                           const std::function<QString()>& askSavePath, QString* refusal) {
    requireFit(table);
    requireSoundRecords(table.data(), hooks);
    // Converted pictures pass through the working folder, and the cleaner
    // deletes in it: neither may reach another folder through a link.
    table.data().requirePlainWorkFolder(table.info());
    table.save();
    const S3LineList lines = build(table, hooks, progress);
    const QString path = askSavePath();
    // Inside a firmware folder the patch would overwrite a list or a copy,
    // or the cleaner would delete it.
    if (const QString refused = path.isEmpty() ? QString() : outputRefusal(table.data(), path);
        !refused.isEmpty()) {
        if (refusal == nullptr) {
            throw TarvexError(refused);
        }
        *refusal = refused;
        return std::nullopt;
    }
    std::optional<QString> saved;
    if (!path.isEmpty()) {
        lines.saveTo(path);
        saved = path;
    }
    table.cleanWorkFolder();
    return saved;
}

void run(SlotTable& table, const PatchHooks& hooks, const Progress& progress, S3Writer& out,
         const std::function<void()>& complete) {
    requireFit(table);
    requireSoundRecords(table.data(), hooks);
    table.data().requirePlainWorkFolder(table.info());
    table.save();
    write(table, hooks, progress, out);
    complete();
    table.cleanWorkFolder();
}

QString createdMessage(const QString& path) {
    return Report::tr("File \"%1\" created.").arg(path);
}

} // namespace patch
