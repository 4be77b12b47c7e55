// SPDX-License-Identifier: MIT
#include "manager/SlotTable.h"

#include "base/TarvexError.h"
#include "dataset/ChosenName.h"
#include "dataset/NumericText.h"
#include "platform/CheckedSaveFile.h"
#include "platform/FileOps.h"
#include "platform/FindFiles.h"
#include "srec/S3Records.h"

namespace {} // namespace

SlotTable::SlotTable(FirmwareDataSet& data, const ManagerInfo& info) : data_(data), info_(info) {}

SlotTable::Row SlotTable::row(qsizetype slot) const {
    Row row;
    for (const QString& listName : info_.rowLists) {
        if (listName.isEmpty()) {
            row.columns.append(QString());
            continue;
        }
        try {
            row.columns.append(data_.line(listName, slot));
        } catch (const TarvexError& error) {
            row.error = error;
            break;
        }
    }
    return row;
}

QStringList SlotTable::columnCaptions(const ManagerInfo& info) {
    return info.columnCaptions;
}

QList<int> SlotTable::columnWidths(const ManagerInfo& info) {
    return info.columnWidths;
}

QString SlotTable::fileName(qsizetype slot) const {
    return data_.line(info_.filesList, slot);
}

QString SlotTable::size(qsizetype slot) const {
    return data_.line(info_.sizeList, slot);
}

QString SlotTable::displayName(qsizetype slot) const {
    return data_.line(info_.namesList, slot);
}

bool SlotTable::isStandard(qsizetype slot) const {
    return fileName(slot) == info_.placeholder;
}

SlotTable::Gauge SlotTable::gaugeFor(std::int32_t used, std::int32_t total) {
    Gauge gauge;
    gauge.used = used;
    gauge.total = total;
    gauge.overLimit = used > total;
    if (gauge.overLimit) {
        gauge.percent = 100;
    } else if (total != 0) {
        // Nothing of a zero total used shows as an empty gauge, not as 0/0.
        // Exact integer arithmetic: any 32-bit pair, however far apart, stays defined.
        gauge.percent =
            int(std::clamp<std::int64_t>(numeric::percentHalfEven(used, total), 0, 100));
    }
    return gauge;
}

SlotTable::Gauge SlotTable::gauge() const {
    std::int32_t used = 0;
    for (const QString& line : data_.list(info_.sizeList)) {
        used = numeric::add(used, numeric::toInt(line));
    }
    return gaugeFor(used, data_.total(info_));
}

std::optional<qsizetype> SlotTable::slotUsing(const QString& bareName) const {
    const QStringList& files = data_.list(info_.filesList);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (fileops::sameFileName(files[i], bareName)) {
            return i;
        }
    }
    return std::nullopt;
}

SlotTable::AssignResult SlotTable::assignFile(qsizetype slot, const QString& sourcePath) {
    const QString name = chosenname::of(sourcePath);
    if (!chosenname::refusal(name).isEmpty()) {
        return AssignResult::UnsafeName;
    }
    if (slotUsing(name)) {
        return AssignResult::NameInUse;
    }
    data_.line(info_.filesList, slot); // a short list fails before anything is copied
    const QString copy = copyIntoWorkFolder(sourcePath, name);
    recordChoice(slot, name, srec::fileSizeOfName(copy));
    return AssignResult::Assigned;
}

QString SlotTable::refusalText(AssignResult result, const QString& sourcePath) const {
    switch (result) {
    case AssignResult::Assigned:
        break;
    case AssignResult::NameInUse:
        return managers::nameInUseWarning(info_);
    case AssignResult::UnsafeName:
        return chosenname::refusal(chosenname::of(sourcePath));
    }
    return {};
}

QString SlotTable::placeWorkingCopy(const QString& bareName, const CopyWriter& write) const {
    data_.requirePlainWorkFolder(info_);
    // A copy a slot still names is replaced only with the next save, so that
    // a kill never leaves the slot with a size its copy does not have.
    const bool named = slotUsing(bareName).has_value();
    const QString copy =
        named ? data_.stageWorkFile(info_, bareName) : data_.workFile(info_, bareName);
    QString writeError;
    if (!write(copy, writeError) && !writeError.isEmpty()) {
        throw errors::cannotCreateFile(copy, writeError);
    }
    if (!named) {
        // No list on disk names it yet: a failed save takes it away again.
        data_.notePlacedCopy(info_, bareName);
    }
    return copy;
}

QString SlotTable::copyIntoWorkFolder(const QString& sourcePath, const QString& bareName) const {
    // A source that cannot be read, or a copy that cannot be written, is an
    // error with nothing recorded: a size 0 would drop the slot's choice.
    return placeWorkingCopy(bareName, [&](const QString& copy, QString& writeError) {
        if (fileops::copyReplacing(sourcePath, copy, &writeError)) {
            return true;
        }
        if (writeError.isEmpty()) {
            throw errors::cannotOpenFile(sourcePath, fileops::unreadableReason(sourcePath));
        }
        return false;
    });
}

QString SlotTable::rewriteWorkingCopy(const QString& bareName, const QByteArray& bytes) const {
    return placeWorkingCopy(bareName, [&](const QString& copy, QString& writeError) {
        CheckedSaveFile file(copy);
        if (file.open() && file.write(bytes) && file.commit()) {
            return true;
        }
        writeError = file.errorString();
        return false;
    });
}

void SlotTable::recordChoice(qsizetype slot, const QString& bareName, std::int64_t size) {
    data_.setLine(info_.filesList, slot, bareName);
    data_.setLine(info_.sizeList, slot, QString::number(size));
}

void SlotTable::restore(qsizetype slot) {
    data_.setLine(info_.filesList, slot, info_.placeholder);
    if (!info_.newNamesList.isEmpty()) {
        data_.setLine(info_.newNamesList, slot, displayName(slot));
    }
    data_.setLine(info_.sizeList, slot, QStringLiteral("0"));
}

void SlotTable::cleanWorkFolder() const {
    // Only a file list read from disk tells which copies are in use, and only
    // a plain folder is ours to clean: through a link the files of another
    // folder would go.
    if (!isAvailable() || !data_.isLoaded(info_.filesList) ||
        !fileops::isPlainFolder(data_.workFolder(info_))) {
        return;
    }
    FileSearch find;
    find.directory = data_.workFolder(info_);
    find.fileMask = QStringLiteral("*.*");
    find.run();
    for (const QString& name : find.files) {
        if (!slotUsing(name)) {
            fileops::removeFileOrLink(data_.workFile(info_, name));
        }
    }
}
